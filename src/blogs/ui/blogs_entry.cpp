#include "blogs/ui/blogs_entry.h"

// These windows are not part of the program yet: each opener returns at once.
void OpenBlogWriter(QWidget*) {}
void OpenBlogList(QWidget*) {}
void OpenMicroBlogWriter(QWidget*) {}
void OpenMicroBlogList(QWidget*) {}

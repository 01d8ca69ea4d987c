#include "blogs/ui/blogs_entry.h"

#include "blogs/ui/bloglistwindow.h"
#include "blogs/ui/blogwriterwindow.h"

void OpenBlogWriter(QWidget* parent) {
    BlogWriterWindow window(parent);
    window.exec();
}

void OpenBlogList(QWidget* parent) {
    BlogListWindow window(parent);
    window.exec();
}

// These windows are not part of the program yet: each opener returns at once.
void OpenMicroBlogWriter(QWidget*) {}
void OpenMicroBlogList(QWidget*) {}

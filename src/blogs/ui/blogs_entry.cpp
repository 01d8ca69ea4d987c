#include "blogs/ui/blogs_entry.h"

#include "blogs/ui/bloglistwindow.h"
#include "blogs/ui/microbloglistwindow.h"
#include "blogs/ui/blogwriterwindow.h"

void OpenBlogWriter(QWidget* parent) {
    BlogWriterWindow window(parent);
    window.exec();
}

void OpenBlogList(QWidget* parent) {
    BlogListWindow window(parent);
    window.exec();
}

// This window is not part of the program yet: the opener returns at once.
void OpenMicroBlogWriter(QWidget*) {}

void OpenMicroBlogList(QWidget* parent) {
    MicroBlogListWindow window(parent);
    window.exec();
}

#include "blogs/ui/blogs_entry.h"

#include "blogs/ui/bloglistwindow.h"
#include "blogs/ui/microbloglistwindow.h"
#include "blogs/ui/blogwriterwindow.h"
#include "blogs/ui/microblogwriterwindow.h"

void OpenBlogWriter(QWidget* parent) {
    BlogWriterWindow window(parent);
    window.exec();
}

void OpenBlogList(QWidget* parent) {
    BlogListWindow window(parent);
    window.exec();
}

void OpenMicroBlogWriter(QWidget* parent) {
    MicroBlogWriterWindow window(parent);
    window.exec();
}

void OpenMicroBlogList(QWidget* parent) {
    MicroBlogListWindow window(parent);
    window.exec();
}

#pragma once
// How the main window opens the blog and micro-blog windows; each sets DialogState to 99 after
// it changed posts on the service.
class QImage;
class QString;
class QWidget;

void OpenBlogWriter(QWidget* parent);       // frm编写博客, a new post
void OpenBlogList(QWidget* parent);         // frm博客维护
void OpenMicroBlogWriter(QWidget* parent);  // frm编写微博
void OpenMicroBlogList(QWidget* parent);    // frm微博维护

// The file manager's hand-over of a picked picture to the writer that opened it; false when that
// writer is not open.
bool AttachToMicroBlogWriter(const QImage& picture, const QString& address);  // imgView, labImgURL
bool InsertIntoBlogWriter(const QString& address);                            // "InsertImage" in webBlog

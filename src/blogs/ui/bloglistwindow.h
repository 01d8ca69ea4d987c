#pragma once
// The blog list: the member's posts of a date range, each with an edit and a delete command,
// and a button for a new post. Its default instance is the list the blog writer updates a row
// of after an edited post was published.
#include "blogs/bloglist.h"
#include "blogs/ui/datelistwindow.h"
#include "platform/defaultinstance.h"

// No Q_OBJECT: the window declares no signals or slots of its own.
class BlogListWindow : public DateListWindow, public DefaultInstance<BlogListWindow> {
public:
    // today: the day the default range ends on.
    explicit BlogListWindow(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    BlogListController logic;

    void cmdSearch_Click() { logic.cmdSearch_Click(); }
    void cmdNewBlog_Click() { logic.cmdNewBlog_Click(); }

private:
    void Form_Load(const QDate& today);
    // The logic's view: each hook served by the member of its name.
    void wireView();
    void showRows(const QList<QStringList>& rows);
    void openWriter();
};
using frm博客维护 = BlogListWindow;  // 博客维护 blog list

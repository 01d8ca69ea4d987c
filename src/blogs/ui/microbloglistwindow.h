#pragma once
// The micro-blog list: the member's micro-blog posts of a date range with their time, text,
// picture mark and comments, each with a delete command, and a button for a new post.
#include "blogs/microbloglist.h"
#include "blogs/ui/datelistwindow.h"

#include <QColor>

// No Q_OBJECT: the window declares no signals or slots of its own.
class MicroBlogListWindow : public DateListWindow {
public:
    // today: the day the default range ends on.
    explicit MicroBlogListWindow(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    // The grid's colour, and a row's while the deletion question is asked.
    static inline const QColor kGridColour{253, 251, 200};
    static inline const QColor kHighlightColour{255, 192, 192};

    MicroBlogListController logic;

    void cmdSearch_Click() { logic.cmdSearch_Click(); }
    void cmdNewBlog_Click() { logic.cmdNewBlog_Click(); }

private:
    void Form_Load(const QDate& today);
    // The format string, then the key column at width 0.
    void setFormat();
    // The logic's view: each hook served by the member of its name.
    void wireView();
    void showRows(const QList<QStringList>& rows);
    void removeRow(int row);
    void highlightRow(int row, bool highlighted);
    void openWriter();
};
using frm微博维护 = MicroBlogListWindow;  // 微博维护 micro-blog list

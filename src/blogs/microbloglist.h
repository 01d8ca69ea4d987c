#pragma once
// The work of the micro-blog list frm微博维护 apart from its window: the grid's rows of a list
// reply, the search and the deletion with the row's highlight. The date range and the search are
// the blog list's.
#include "blogs/bloglist.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace microbloglist {

// The grid's header: seven columns, the widths coming from the header texts; the key column (1)
// is given the width 0 after every setting, so that it is not seen.
inline const QString kFormatString = QStringLiteral(
    "||^[   时     间   ]|<[                  微          博          内          容               ]|^[图片]|^[评论]|^[ 删除 ]");
inline constexpr int kColumns = 7;
inline constexpr int kKeyColumn = 1;
inline constexpr int kTimeColumn = 2;
inline constexpr int kTextColumn = 3;
inline constexpr int kPictureColumn = 4;
inline constexpr int kCommentsColumn = 5;
inline constexpr int kDeleteColumn = 6;
inline const QString kDeleteText = QStringLiteral("[删除]");
inline const QString kHasPicture = QStringLiteral("有");

// The grid's data rows of a list reply's table text: one row of empty cells when there is no post
// or the table cannot be read.
QList<QStringList> RowsOfTable(const QString& tableText);
QStringList EmptyRow();

}  // namespace microbloglist

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct MicroBlogListView : DateSearchView {
    // grdBlogList: the format string set afresh with the key column at width 0, then these data
    // rows (row i of the list is grid row i + 1).
    std::function<void(const QList<QStringList>& rows)> showRows;
    // Removes one grid row (header 0); the other rows keep their colours.
    std::function<void(int row)> removeRow;
    // Columns 1 to the last of a grid row in the deletion's highlight, or back in the grid's colour.
    std::function<void(int row, bool highlighted)> highlightRow;
    // The micro-blog writer, modal.
    std::function<void()> openWriter;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        DateSearchView::forEachRequiredHook(f);
        f("showRows", bool(showRows));
        f("removeRow", bool(removeRow));
        f("highlightRow", bool(highlightRow));
        f("openWriter", bool(openWriter));
    }
};

class MicroBlogListController {
public:
    MicroBlogListView view;

    // The range of the last 30 days up to today, then a search.
    void Form_Load(const QDate& today);
    void cmdSearch_Click();
    // True over the one cell that takes a click: [删除] of a data row.
    bool isHotCell(int row, int column) const;
    // A click on a grid cell (grid rows, header 0).
    void grdBlogList_Click(int row, int column);
    void cmdNewBlog_Click();

    const QList<QStringList>& rows() const { return m_rows; }

private:
    QList<QStringList> m_rows{microbloglist::EmptyRow()};
};

#pragma once
// The work of the blog list frm博客维护 apart from its window: the date range, the search on the
// blog web service, the rows of its grid, and the edit, delete and new-post commands. The date
// range, the search and the calls behind the please-wait picture serve the micro-blog list too.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The date boxes and the please-wait picture of a list window. Every hook is required
// (platform/hookcheck.h).
struct DateSearchView {
    // txtDate1 and txtDate2; focusDate puts the focus into box 1 or 2 with its whole text selected.
    std::function<QString(int box)> dateText;
    std::function<void(int box, const QString&)> setDateText;
    std::function<void(int box)> focusDate;
    // picNetToService, shown and painted at once.
    std::function<void()> showWait;
    std::function<void()> hideWait;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("dateText", bool(dateText));
        f("setDateText", bool(setDateText));
        f("focusDate", bool(focusDate));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
    }
};

namespace bloglist {

// The grid's header: six columns, the widths coming from the header texts.
inline const QString kFormatString = QStringLiteral(
    "|^[     时     间     ]|<[                   标          题                    ]|^[    类    别    ]|^[ 修改 ]|^[ 删除 ]");
inline constexpr int kColumns = 6;
inline constexpr int kTimeColumn = 1;
inline constexpr int kTitleColumn = 2;
inline constexpr int kCategoryColumn = 3;
inline constexpr int kEditColumn = 4;
inline constexpr int kDeleteColumn = 5;
inline const QString kEditText = QStringLiteral("[修改]");
inline const QString kDeleteText = QStringLiteral("[删除]");

// The service's text of a typed date ("YYYYMMDD") with the time of day appended, or nothing when
// the text is not 8 characters naming a real day.
std::optional<QString> RangeText(const QString& typed, const QString& timeOfDay);
// The range a new list opens with: 30 days before today to today, as "yyyyMMdd".
QStringList DefaultRange(const QDate& today);
// The time key of a grid's time text ("yyyy-MM-dd HH:mm:ss"); nothing when it cannot be read.
std::optional<QString> TimeKey(const QString& timeText);
// The grid's data rows of a list reply's table text: one row of empty cells when there is no post.
QList<QStringList> RowsOfTable(const QString& tableText);
QStringList EmptyRow();

// The messages of a failed list or deletion, and of a failed fetch.
QString ListErrorMessage(const QString& reply);
QString FetchErrorMessage(const QString& reply);

// The opening range put into the date boxes.
void ProposeRange(const DateSearchView& view, const QDate& today);
// A list's search: both dates trimmed back into their boxes and checked, then `method` of the blog
// web service with the range. The table text of a reply that begins with "OK_0001"; nothing after
// a bad date's message (the box focused), a failed call's report or a failure reply's message.
std::optional<QString> SearchRange(const DateSearchView& view, const QString& method);
// One call of the blog web service, the member's credentials before args, behind the please-wait
// picture and under the service error trap: the reply, or nothing once the failure was reported.
std::optional<QString> CallBlogService(const DateSearchView& view, const QString& method, const QStringList& args);
// What a grid's time that cannot be read as a date and time does: the service error trap's message.
void ReportUnreadableTime();

}  // namespace bloglist

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct BlogListView : DateSearchView {
    // grdBlogList: the header and these data rows (row i of the list is grid row i + 1).
    std::function<void(const QList<QStringList>& rows)> showRows;
    // The blog writer, modal: in edit mode when frmDB.labBlogType is set.
    std::function<void()> openWriter;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        DateSearchView::forEachRequiredHook(f);
        f("showRows", bool(showRows));
        f("openWriter", bool(openWriter));
    }
};

class BlogListController {
public:
    BlogListView view;

    // The range of the last 30 days up to today, then a search.
    void Form_Load(const QDate& today);
    void cmdSearch_Click();
    // True over a cell that takes a click: [修改] or [删除] of a data row.
    bool isHotCell(int row, int column) const;
    // A click on a grid cell (grid rows, header 0).
    void grdBlogList_Click(int row, int column);
    void cmdNewBlog_Click();
    // The writer's replacement of the post of grid row `row`.
    void updateRow(int row, const QString& title, const QString& category);

    const QList<QStringList>& rows() const { return m_rows; }

private:
    void show();
    void editPost(int row);
    void deletePost(int row);
    QList<QStringList> m_rows{bloglist::EmptyRow()};
};

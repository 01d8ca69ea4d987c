#include "blogs/microbloglist.h"

#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "state/sitestate.h"

namespace microbloglist {

QStringList EmptyRow() { return QStringList(kColumns, QString()); }

QList<QStringList> RowsOfTable(const QString& tableText) {
    const Table table = ParseTableText(QStringLiteral("TBlogList"), tableText);
    QList<QStringList> rows;
    if (table.value(0, 0) != QLatin1String("null")) {
        for (int r = 0; r < table.rows(); ++r)
            rows.append({QString(), table.value(r, 0), table.value(r, 1), table.value(r, 2),
                         table.value(r, 3) == QLatin1String("0") ? QString() : kHasPicture, table.value(r, 4),
                         kDeleteText});
    }
    if (rows.isEmpty()) rows.append(EmptyRow());
    return rows;
}

}  // namespace microbloglist

using namespace microbloglist;

void MicroBlogListController::Form_Load(const QDate& today) {
    bloglist::ProposeRange(view, today);
    cmdSearch_Click();
}

void MicroBlogListController::cmdSearch_Click() {
    if (const std::optional<QString> table = bloglist::SearchRange(view, QStringLiteral("GetTBlogList"))) {
        m_rows = RowsOfTable(*table);
        CALL_REQUIRED_HOOK(view.showRows, m_rows);
    }
}

bool MicroBlogListController::isHotCell(int row, int column) const {
    return row >= 1 && row <= m_rows.size() && column == kDeleteColumn;
}

void MicroBlogListController::grdBlogList_Click(int row, int column) {
    if (!isHotCell(row, column)) return;
    // The key goes to the service as listed; it only has to read as a date and time.
    const QString key = m_rows[row - 1][kKeyColumn];
    if (key.isEmpty()) return;
    if (!bloglist::TimeKey(key)) {
        bloglist::ReportUnreadableTime();
        return;
    }
    CALL_REQUIRED_HOOK(view.highlightRow, row, true);
    if (MsgBox(QStringLiteral("您真的确认要删除此条微博吗？\r\r注：一旦删除将无法恢复。"), vbOKCancel | vbQuestion,
               QStringLiteral("提示")) != vbOK) {
        CALL_REQUIRED_HOOK(view.highlightRow, row, false);
        return;
    }
    // A failed deletion leaves the row highlighted.
    const std::optional<QString> reply = bloglist::CallBlogService(view, QStringLiteral("DelTBlog"), {key});
    if (!reply) return;
    if (*reply != kOK_0001) {
        MsgBox(bloglist::ListErrorMessage(*reply), vbInformation);
        return;
    }
    DialogState = 99;
    MsgBox(QStringLiteral("微博删除成功！"), vbInformation, QStringLiteral("提示"));
    if (m_rows.size() < 2) {
        // The last post: the header and one empty row, the key column hidden again.
        m_rows = {EmptyRow()};
        CALL_REQUIRED_HOOK(view.showRows, m_rows);
    } else {
        m_rows.removeAt(row - 1);
        CALL_REQUIRED_HOOK(view.removeRow, row);
    }
}

void MicroBlogListController::cmdNewBlog_Click() { CALL_REQUIRED_HOOK(view.openWriter); }

#include "blogs/bloglist.h"

#include "blogs/blogwriter.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/shareddata.h"
#include "foundation/tabletext.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vbdate.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

namespace bloglist {

namespace {

const QString kEndpoint = QStringLiteral("webser002");
const QString kUnexpected = QStringLiteral("意外错误，请您重新登录本软件再试。");

QString NumberedMessage(const QString& reply, int last, const QString& what) {
    for (int n = 1; n <= last; ++n)
        if (reply == ErrorCode(n))
            return QStringLiteral("错误 %1，%2，请您重新登录本软件再试。").arg(n, 4, 10, QLatin1Char('0')).arg(what);
    return kUnexpected;
}

}  // namespace

std::optional<QString> RangeText(const QString& typed, const QString& timeOfDay) {
    if (typed.size() != 8) return std::nullopt;
    const QString text = typed.left(4) + QLatin1Char('-') + typed.mid(4, 2) + QLatin1Char('-') + typed.mid(6, 2) +
                         QLatin1Char(' ') + timeOfDay;
    if (!vb::DateTimeFromText(text)) return std::nullopt;
    return text;
}

QStringList DefaultRange(const QDate& today) {
    const QString format = QStringLiteral("yyyyMMdd");
    return {today.addDays(-30).toString(format), today.toString(format)};
}

std::optional<QString> TimeKey(const QString& timeText) {
    const std::optional<QDateTime> t = vb::DateTimeFromText(timeText);
    if (!t) return std::nullopt;
    return t->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QStringList EmptyRow() { return QStringList(kColumns, QString()); }

QList<QStringList> RowsOfTable(const QString& tableText) {
    const Table table = ParseTableText(QStringLiteral("BlogList"), tableText);
    QList<QStringList> rows;
    if (table.value(0, 0) != QLatin1String("null")) {
        for (int r = 0; r < table.rows(); ++r)
            rows.append({QString(), table.value(r, 2), table.value(r, 0), table.value(r, 1), kEditText, kDeleteText});
    }
    if (rows.isEmpty()) rows.append(EmptyRow());
    return rows;
}

QString ListErrorMessage(const QString& reply) { return NumberedMessage(reply, 3, QStringLiteral("读取博客列表失败")); }
QString FetchErrorMessage(const QString& reply) { return NumberedMessage(reply, 4, QStringLiteral("读取博客失败")); }

void ProposeRange(const DateSearchView& view, const QDate& today) {
    const QStringList range = DefaultRange(today);
    CALL_REQUIRED_HOOK(view.setDateText, 1, range[0]);
    CALL_REQUIRED_HOOK(view.setDateText, 2, range[1]);
}

std::optional<QString> SearchRange(const DateSearchView& view, const QString& method) {
    REQUIRE_HOOK(view.dateText);
    if (!view.dateText) return std::nullopt;
    const QString typed1 = vb::Trim(view.dateText(1));
    const QString typed2 = vb::Trim(view.dateText(2));
    CALL_REQUIRED_HOOK(view.setDateText, 1, typed1);
    CALL_REQUIRED_HOOK(view.setDateText, 2, typed2);
    const std::optional<QString> start = RangeText(typed1, QStringLiteral("00:00:00"));
    if (!start) {
        MsgBox(QStringLiteral("错误！开始日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。"), vbInformation);
        CALL_REQUIRED_HOOK(view.focusDate, 1);
        return std::nullopt;
    }
    const std::optional<QString> end = RangeText(typed2, QStringLiteral("23:59:59"));
    if (!end) {
        MsgBox(QStringLiteral("错误！截止日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。"), vbInformation);
        CALL_REQUIRED_HOOK(view.focusDate, 2);
        return std::nullopt;
    }
    const std::optional<QString> reply = CallBlogService(view, method, {*start, *end});
    if (!reply) return std::nullopt;
    if (!ReplyStartsWith(*reply, kOK_0001)) {
        MsgBox(ListErrorMessage(*reply), vbInformation);
        return std::nullopt;
    }
    return ReplyPayload(*reply, kOK_0001);
}

std::optional<QString> CallBlogService(const DateSearchView& view, const QString& method, const QStringList& args) {
    CALL_REQUIRED_HOOK(view.showWait);
    QString reply;
    try {
        QList<SoapArgument> all{CurrentUserName, LoginField(5), LoginField(6)};
        for (const QString& a : args) all.append(a);
        reply = ServiceCall(kEndpoint, method, all);
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        return std::nullopt;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    return reply;
}

void ReportUnreadableTime() { ReportServiceError(VbError(13, QStringLiteral("类型不匹配"))); }

}  // namespace bloglist

using namespace bloglist;

void BlogListController::show() { CALL_REQUIRED_HOOK(view.showRows, m_rows); }

void BlogListController::Form_Load(const QDate& today) {
    ProposeRange(view, today);
    cmdSearch_Click();
}

void BlogListController::cmdSearch_Click() {
    if (const std::optional<QString> table = SearchRange(view, QStringLiteral("GetBlogList"))) {
        m_rows = RowsOfTable(*table);
        show();
    }
}

bool BlogListController::isHotCell(int row, int column) const {
    return row >= 1 && row <= m_rows.size() && (column == kEditColumn || column == kDeleteColumn);
}

void BlogListController::grdBlogList_Click(int row, int column) {
    if (!isHotCell(row, column) || m_rows[row - 1][kTimeColumn].isEmpty()) return;
    if (column == kEditColumn)
        editPost(row);
    else
        deletePost(row);
}

void BlogListController::editPost(int row) {
    const QStringList cells = m_rows[row - 1];
    const std::optional<QString> key = TimeKey(cells[kTimeColumn]);
    if (!key) {
        ReportUnreadableTime();
        return;
    }
    const std::optional<QString> reply = CallBlogService(view, QStringLiteral("GetBlog"), {*key, cells[kTitleColumn]});
    if (!reply) return;
    if (!ReplyStartsWith(*reply, kOK_0001)) {
        MsgBox(FetchErrorMessage(*reply), vbInformation);
        return;
    }
    // The page first: a post that cannot be written opens no writer with a stale page.
    if (!blogwriter::WritePage(blogwriter::kEditedPage, UnescapeSqlWords(ReplyPayload(*reply, kOK_0001)))) {
        ReportServiceError(VbError(75, QStringLiteral("路径/文件访问错误")));
        return;
    }
    SharedData::labBlogRow = QString::number(row);
    SharedData::labBlogDate = *key;
    SharedData::labBlogTitle = cells[kTitleColumn];
    SharedData::labBlogType = cells[kCategoryColumn];
    CALL_REQUIRED_HOOK(view.openWriter);
    // Whatever the writer did, no edit is under way any more.
    SharedData::labBlogType.clear();
}

void BlogListController::deletePost(int row) {
    const QStringList cells = m_rows[row - 1];
    const QString title = cells[kTitleColumn];
    const QString question = QStringLiteral("您真的确认要删除“") + title + QStringLiteral("”吗？\r\r注：一旦删除将无法恢复。");
    if (MsgBox(question, vbOKCancel | vbQuestion, QStringLiteral("提示")) != vbOK) return;
    const std::optional<QString> key = TimeKey(cells[kTimeColumn]);
    if (!key) {
        ReportUnreadableTime();
        return;
    }
    const std::optional<QString> reply = CallBlogService(view, QStringLiteral("DelBlog"), {*key, title});
    if (!reply) return;
    if (*reply != kOK_0001) {
        MsgBox(ListErrorMessage(*reply), vbInformation);
        return;
    }
    DialogState = 99;
    MsgBox(QStringLiteral("博客“") + title + QStringLiteral("”删除成功！"), vbInformation, QStringLiteral("提示"));
    m_rows.removeAt(row - 1);
    if (m_rows.isEmpty()) m_rows.append(EmptyRow());
    show();
}

void BlogListController::cmdNewBlog_Click() {
    SharedData::labBlogType.clear();
    CALL_REQUIRED_HOOK(view.openWriter);
}

void BlogListController::updateRow(int row, const QString& title, const QString& category) {
    if (row < 1 || row > m_rows.size()) return;
    m_rows[row - 1][kTitleColumn] = title;
    m_rows[row - 1][kCategoryColumn] = category;
    show();
}

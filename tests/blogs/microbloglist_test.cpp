// The micro-blog list's logic: the grid's rows, the search, and the deletion with its highlight,
// against the emulator with every reply's message.
#include <gtest/gtest.h>

#include "blogs/microbloglist.h"
#include "emulator/emulator.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "foundation/servicecall.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/publishfixture.h"

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

const QDate kToday(2025, 3, 1);
const QString kPicture = QStringLiteral("http://img1.example/space/f/我的相册/photo1.png");

QStringList Row(const QString& key, const QString& shown, const QString& text, const QString& picture) {
    return {QString(), key, shown, text, picture, QStringLiteral("0"), QStringLiteral("[删除]")};
}

class MicroBlogList : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        MicroBlogListView& v = list.view;
        v.dateText = [this](int box) { return dates[box]; };
        v.setDateText = [this](int box, const QString& t) { dates[box] = t; };
        v.focusDate = [this](int box) { events.append(QStringLiteral("focus %1").arg(box)); };
        v.showRows = [this](const QList<QStringList>& rows) {
            shown = rows;
            events.append(QStringLiteral("rows %1").arg(rows.size()));
        };
        v.removeRow = [this](int row) {
            shown.removeAt(row - 1);
            events.append(QStringLiteral("remove %1").arg(row));
        };
        // With the number of prompts asked so far: shows whether it came before or after the question.
        v.highlightRow = [this](int row, bool on) {
            events.append(QStringLiteral("%1 %2 after %3").arg(on ? "highlight" : "restore").arg(row).arg(prompts.records().size()));
        };
        v.showWait = [this] { events.append(QStringLiteral("wait")); };
        v.hideWait = [this] { events.append(QStringLiteral("wait over")); };
        v.openWriter = [this] { events.append(QStringLiteral("writer")); };
        DialogState = 0;
        // Oldest first, as the service keeps them.
        member().microBlogs = {
            {QStringLiteral("2025-01-29 23:59:59"), QStringLiteral("太早"), QString()},
            {QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("冬天&nbsp;很冷"), QString()},
            {QStringLiteral("2025-03-01 23:59:59"), QStringLiteral("春天"), kPicture},
        };
    }
    QList<testsupport::EmulatorCall> calls(const QString& method) { return emulator().calls(method); }

    MicroBlogListController list;
    QString dates[3];
    QList<QStringList> shown;
    QStringList events;
};

const QList<QStringList> kListed{
    Row(QStringLiteral("2025-03-01 23:59:59"), QStringLiteral("2025年3月1日 23:59"), QStringLiteral("春天"), QStringLiteral("有")),
    Row(QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("2025年1月30日 00:00"), QStringLiteral("冬天 很冷"), QString()),
};

}  // namespace

TEST(MicroBlogListRows, FieldsMapToColumnsAPictureIsMarkedAndNoOrAnUnreadableTableIsOneEmptyRow) {
    const QString table = QStringLiteral(
        "2025-03-01 10:00:00</F>3月1日</F>有图</F>http://a/b.jpg</F>2</F><//R>"
        "2025-02-01 08:00:00</F>2月1日</F>无图</F>0</F>0</F><//R>TBlogList<///T>");
    EXPECT_EQ(microbloglist::RowsOfTable(table),
              (QList<QStringList>{{QString(), QStringLiteral("2025-03-01 10:00:00"), QStringLiteral("3月1日"), QStringLiteral("有图"),
                                   QStringLiteral("有"), QStringLiteral("2"), QStringLiteral("[删除]")},
                                  {QString(), QStringLiteral("2025-02-01 08:00:00"), QStringLiteral("2月1日"), QStringLiteral("无图"),
                                   QString(), QStringLiteral("0"), QStringLiteral("[删除]")}}));
    EXPECT_EQ(microbloglist::EmptyRow().size(), microbloglist::kColumns);
    for (const QString& empty : {QStringLiteral("TBlogList<///T>"), QString(), QStringLiteral("garbage{/F}"),
                                 QStringLiteral("a</F><//R>BlogList<///T>")})
        EXPECT_EQ(microbloglist::RowsOfTable(empty), QList<QStringList>{microbloglist::EmptyRow()}) << empty.toStdString();
}

TEST_F(MicroBlogList, LoadListsTheLastThirtyDaysAndAnUnreadableReplyIsAnEmptyList) {
    list.Form_Load(kToday);
    const auto sent = calls(QStringLiteral("GetTBlogList"));
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].args, (QStringList{demo.name, LoginField(5), LoginField(6), QStringLiteral("2025-01-30 00:00:00"),
                                         QStringLiteral("2025-03-01 23:59:59")}));
    EXPECT_EQ(shown, kListed);
    EXPECT_EQ(list.rows(), kListed);
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("rows 2")}));
    EXPECT_TRUE(prompts.records().isEmpty());

    emulator().scriptReply(QStringLiteral("GetTBlogList"), QStringLiteral("OK_0001_<html>not a table</html>"));
    list.cmdSearch_Click();
    EXPECT_EQ(shown, QList<QStringList>{microbloglist::EmptyRow()});
    EXPECT_TRUE(prompts.records().isEmpty());
    // The empty row, the header and the other columns take no click.
    list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
    list.Form_Load(kToday);
    for (int column = 0; column < microbloglist::kDeleteColumn; ++column) list.grdBlogList_Click(1, column);
    list.grdBlogList_Click(0, microbloglist::kDeleteColumn);
    list.grdBlogList_Click(3, microbloglist::kDeleteColumn);
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_TRUE(calls(QStringLiteral("DelTBlog")).isEmpty());
    EXPECT_TRUE(list.isHotCell(2, microbloglist::kDeleteColumn));
    EXPECT_FALSE(list.isHotCell(2, microbloglist::kCommentsColumn));
    EXPECT_FALSE(list.isHotCell(0, microbloglist::kDeleteColumn));
    list.cmdNewBlog_Click();
    EXPECT_EQ(events.last(), QStringLiteral("writer"));
}

TEST_F(MicroBlogList, BadDatesStopBeforeTheService) {
    dates[1] = QStringLiteral(" 20250230 ");
    dates[2] = QStringLiteral("20250301");
    list.cmdSearch_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误！开始日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。")});
    EXPECT_EQ(prompts.records()[0].title, QString());
    EXPECT_EQ(events, QStringList{QStringLiteral("focus 1")});
    EXPECT_EQ(dates[1], QStringLiteral("20250230"));
    dates[1] = QStringLiteral("20250101");
    dates[2] = QStringLiteral("2025030");
    list.cmdSearch_Click();
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("错误！截止日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。"));
    EXPECT_EQ(events.last(), QStringLiteral("focus 2"));
    EXPECT_TRUE(calls(QStringLiteral("GetTBlogList")).isEmpty());
}

TEST_F(MicroBlogList, TheRowIsHighlightedDuringTheQuestionAndRestoredOnCancel) {
    list.Form_Load(kToday);
    events.clear();
    prompts.answer(vbCancel);
    list.grdBlogList_Click(2, microbloglist::kDeleteColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("您真的确认要删除此条微博吗？\r\r注：一旦删除将无法恢复。")});
    EXPECT_EQ(prompts.records()[0].style, vbOKCancel | vbQuestion);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("highlight 2 after 0"), QStringLiteral("restore 2 after 1")}));
    EXPECT_TRUE(calls(QStringLiteral("DelTBlog")).isEmpty());
    EXPECT_EQ(shown, kListed);
    EXPECT_EQ(DialogState, 0);
}

TEST_F(MicroBlogList, DeletionSendsTheKeyAsListedRemovesTheRowAndTheLastEmptiesTheGrid) {
    list.Form_Load(kToday);
    events.clear();
    list.grdBlogList_Click(2, microbloglist::kDeleteColumn);
    ASSERT_EQ(calls(QStringLiteral("DelTBlog")).size(), 1);
    EXPECT_EQ(calls(QStringLiteral("DelTBlog"))[0].args.mid(3), QStringList{QStringLiteral("2025-01-30 00:00:00")});
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("微博删除成功！"));
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records().last().style, vbInformation);
    EXPECT_EQ(events, (QStringList{QStringLiteral("highlight 2 after 0"), QStringLiteral("wait"), QStringLiteral("wait over"),
                                   QStringLiteral("remove 2")}));
    EXPECT_EQ(shown, QList<QStringList>{kListed[0]});
    EXPECT_EQ(member().microBlogs.size(), 2);
    EXPECT_EQ(DialogState, 99);

    // The only post: the grid set afresh with its header and one empty row.
    list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
    EXPECT_EQ(events.last(), QStringLiteral("rows 1"));
    EXPECT_EQ(shown, QList<QStringList>{microbloglist::EmptyRow()});
    EXPECT_EQ(member().microBlogs.size(), 1);

    // A key the list delivered in another form goes back in that form, not reformatted.
    const QString oddKey = QStringLiteral("2025-2-10 8:05:00");
    member().microBlogs.append({oddKey, QStringLiteral("旧格式"), QString()});
    emulator().scriptReply(QStringLiteral("GetTBlogList"),
                           QStringLiteral("OK_0001_") + oddKey + QStringLiteral("</F>2月10日</F>旧格式</F>0</F>0</F><//R>TBlogList<///T>"));
    list.cmdSearch_Click();
    list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
    EXPECT_EQ(calls(QStringLiteral("DelTBlog")).last().args.mid(3), QStringList{oddKey});
    EXPECT_EQ(calls(QStringLiteral("DelTBlog")).last().reply, QStringLiteral("OK_0001"));
}

TEST_F(MicroBlogList, FailureRepliesGiveTheirMessagesKeepTheGridAndARefusedRowHighlighted) {
    list.Form_Load(kToday);
    const struct {
        const char* method;
        const char* reply;
        const char* message;
    } cases[] = {
        {"GetTBlogList", "Error_0001", "错误 0001，读取博客列表失败，请您重新登录本软件再试。"},
        {"GetTBlogList", "Error_0003", "错误 0003，读取博客列表失败，请您重新登录本软件再试。"},
        {"GetTBlogList", "Error_0004", "意外错误，请您重新登录本软件再试。"},
        {"GetTBlogList", "OK_000", "意外错误，请您重新登录本软件再试。"},
        {"DelTBlog", "Error_0001", "错误 0001，读取博客列表失败，请您重新登录本软件再试。"},
        {"DelTBlog", "Error_0002", "错误 0002，读取博客列表失败，请您重新登录本软件再试。"},
        {"DelTBlog", "Error_0003", "错误 0003，读取博客列表失败，请您重新登录本软件再试。"},
        {"DelTBlog", "OK_0001_", "意外错误，请您重新登录本软件再试。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        const QString method = QString::fromUtf8(c.method);
        events.clear();
        prompts.clear();
        emulator().scriptReply(method, QString::fromUtf8(c.reply));
        if (method == QLatin1String("GetTBlogList")) {
            list.cmdSearch_Click();
            EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
        } else {
            list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
            // No restore: the row stays highlighted.
            EXPECT_EQ(events, (QStringList{QStringLiteral("highlight 1 after 0"), QStringLiteral("wait"), QStringLiteral("wait over")}));
        }
        EXPECT_EQ(prompts.messages().last(), QString::fromUtf8(c.message));
        EXPECT_EQ(prompts.records().last().title, QString());
        EXPECT_EQ(prompts.records().last().style, vbInformation);
        EXPECT_EQ(shown, kListed);
    }
    EXPECT_EQ(member().microBlogs.size(), 3);
    EXPECT_EQ(DialogState, 0);

    // A call that fails: the service error message, the row still highlighted.
    events.clear();
    emulator().failHttp(500, QStringLiteral("DelTBlog"));
    prompts.clear();
    list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
    EXPECT_EQ(prompts.messages().last(), kServiceErrorMessage);
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("highlight 1 after 0"), QStringLiteral("wait"), QStringLiteral("wait over")}));
    // A service that cannot be reached: the network error window.
    stopService();
    list.cmdSearch_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(shown, kListed);
}

TEST_F(MicroBlogList, AKeyThatIsNoDateAndTimeEndsTheClickWithTheServiceErrorMessage) {
    emulator().scriptReply(QStringLiteral("GetTBlogList"),
                           QStringLiteral("OK_0001_昨天</F>昨天</F>文字</F>0</F>0</F><//R>TBlogList<///T>"));
    list.Form_Load(kToday);
    events.clear();
    list.grdBlogList_Click(1, microbloglist::kDeleteColumn);
    EXPECT_EQ(prompts.messages(), QStringList{kServiceErrorMessage});
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(calls(QStringLiteral("DelTBlog")).isEmpty());
}

#endif  // TAVOLIN_HAVE_EMULATOR

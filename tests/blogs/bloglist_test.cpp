// The blog list's logic: the date range and its checks, the grid's rows, and the search, edit
// and delete commands against the emulator with every reply's message.
#include <gtest/gtest.h>

#include "blogs/bloglist.h"
#include "blogs/blogwriter.h"
#include "emulator/emulator.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "foundation/servicecall.h"
#include "foundation/shareddata.h"
#include "platform/ansi.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/publishfixture.h"

#include <QDir>

#ifdef TAVOLIN_HAVE_EMULATOR

using testsupport::readFile;

namespace {

const QDate kToday(2025, 3, 1);

QStringList Row(const QString& time, const QString& title, const QString& category) {
    return {QString(), time, title, category, QStringLiteral("[修改]"), QStringLiteral("[删除]")};
}

class BlogList : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        QDir().mkpath(root() + QStringLiteral("/data"));
        BlogListView& v = list.view;
        v.dateText = [this](int box) { return dates[box]; };
        v.setDateText = [this](int box, const QString& t) { dates[box] = t; };
        v.focusDate = [this](int box) { events.append(QStringLiteral("focus %1").arg(box)); };
        v.showRows = [this](const QList<QStringList>& rows) { shown = rows; };
        v.showWait = [this] { events.append(QStringLiteral("wait")); };
        v.hideWait = [this] { events.append(QStringLiteral("wait over")); };
        v.openWriter = [this] {
            events.append(QStringLiteral("writer ") + SharedData::labBlogType);
            if (onWriter) onWriter();
        };
        DialogState = 0;
    }
    // Posts stored on the service, oldest first.
    void storePosts(const QList<emu::BlogPost>& posts) { member().blogs = posts; }
    QList<testsupport::EmulatorCall> calls(const QString& method) { return emulator().calls(method); }
    int serviceCalls() {
        return int(calls(QStringLiteral("GetBlogList")).size() + calls(QStringLiteral("GetBlog")).size() +
                   calls(QStringLiteral("DelBlog")).size());
    }
    void expectMessage(const QString& text, const QString& title) {
        ASSERT_FALSE(prompts.records().isEmpty());
        EXPECT_EQ(prompts.records().last().text, text);
        EXPECT_EQ(prompts.records().last().title, title);
    }

    BlogListController list;
    QString dates[3];
    QList<QStringList> shown;
    QStringList events;
    std::function<void()> onWriter;
};

const QList<emu::BlogPost> kThree{
    {QStringLiteral("2025-01-29 23:59:59"), QStringLiteral("太早"), QStringLiteral("其他"), QStringLiteral("<body>0</body>")},
    {QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("冬天"), QStringLiteral("生活日记"), QStringLiteral("<body>1</body>")},
    {QStringLiteral("2025-03-01 23:59:59"), QStringLiteral("春天"), QStringLiteral("旅游户外"),
     QStringLiteral("<html><body>insert -- from DELETE</body></html>")},
};

}  // namespace

TEST(BlogListDates, TypedDatesAreCheckedAndTheDefaultRangeIsThirtyDays) {
    const struct {
        const char* typed;
        bool valid;
    } cases[] = {{"20250101", true}, {"2025011", false}, {"202501011", false}, {"2025a101", false},
                 {"20251301", false}, {"20250230", false}, {"20240229", true}, {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(bloglist::RangeText(QString::fromUtf8(c.typed), QStringLiteral("00:00:00")).has_value(), c.valid) << c.typed;
    EXPECT_EQ(bloglist::RangeText(QStringLiteral("20250101"), QStringLiteral("23:59:59")), QStringLiteral("2025-01-01 23:59:59"));
    EXPECT_EQ(bloglist::DefaultRange(kToday), (QStringList{QStringLiteral("20250130"), QStringLiteral("20250301")}));
    EXPECT_EQ(bloglist::TimeKey(QStringLiteral("2025/3/1 9:05:07")), QStringLiteral("2025-03-01 09:05:07"));
    EXPECT_EQ(bloglist::TimeKey(QStringLiteral("2025-03-01")), QStringLiteral("2025-03-01 00:00:00"));
    EXPECT_FALSE(bloglist::TimeKey(QStringLiteral("昨天")).has_value());
}

TEST(BlogListRows, TableRowsMapToColumnsAndNoPostLeavesOneEmptyRow) {
    const QString table = QStringLiteral("标题一</F>类别一</F>2025-03-01 10:00:00</F><//R>标题二</F>类别二</F>2025-02-01 08:00:00</F><//R>BlogList<///T>");
    EXPECT_EQ(bloglist::RowsOfTable(table),
              (QList<QStringList>{Row(QStringLiteral("2025-03-01 10:00:00"), QStringLiteral("标题一"), QStringLiteral("类别一")),
                                  Row(QStringLiteral("2025-02-01 08:00:00"), QStringLiteral("标题二"), QStringLiteral("类别二"))}));
    for (const QString& empty : {QStringLiteral("BlogList<///T>"), QString(), QStringLiteral("garbage{/F}")})
        EXPECT_EQ(bloglist::RowsOfTable(empty), QList<QStringList>{bloglist::EmptyRow()});
}

TEST_F(BlogList, LoadListsTheLastThirtyDaysNewestFirst) {
    storePosts(kThree);
    list.Form_Load(kToday);
    const auto sent = calls(QStringLiteral("GetBlogList"));
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].args.mid(3), (QStringList{QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("2025-03-01 23:59:59")}));
    EXPECT_EQ(shown, (QList<QStringList>{Row(kThree[2].time, QStringLiteral("春天"), QStringLiteral("旅游户外")),
                                         Row(kThree[1].time, QStringLiteral("冬天"), QStringLiteral("生活日记"))}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(BlogList, BadDatesStopBeforeTheServiceAndTheEndIsNotCheckedAfterABadStart) {
    const struct {
        const char* start;
        const char* end;
        const char* message;
        int box;
    } cases[] = {
        {" 2025013 ", "x", "错误！开始日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。", 1},
        {"20250230", "20250301", "错误！开始日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。", 1},
        {"20250101", "20251301", "错误！截止日期格式错误，请您按“YYYYMMDD”的格式输入(如:20090101)。", 2},
    };
    for (const auto& c : cases) {
        prompts.clear();
        events.clear();
        dates[1] = QString::fromUtf8(c.start);
        dates[2] = QString::fromUtf8(c.end);
        list.cmdSearch_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(prompts.records()[0].title, QString());
        EXPECT_EQ(events, QStringList{QStringLiteral("focus %1").arg(c.box)});
    }
    EXPECT_EQ(dates[1], QStringLiteral("20250101"));  // trimmed back into the box
    EXPECT_EQ(serviceCalls(), 0);
}

TEST_F(BlogList, EmptyRangeEmptyRowAndTitleClicksDoNothing) {
    storePosts(kThree);
    dates[1] = QStringLiteral("20200101");
    dates[2] = QStringLiteral("20200102");
    list.cmdSearch_Click();
    EXPECT_EQ(shown, QList<QStringList>{bloglist::EmptyRow()});
    list.grdBlogList_Click(1, bloglist::kEditColumn);
    list.grdBlogList_Click(1, bloglist::kDeleteColumn);
    list.Form_Load(kToday);
    for (int column : {0, bloglist::kTimeColumn, bloglist::kTitleColumn, bloglist::kCategoryColumn})
        list.grdBlogList_Click(1, column);
    list.grdBlogList_Click(0, bloglist::kEditColumn);  // the header
    list.grdBlogList_Click(3, bloglist::kEditColumn);  // below the rows
    EXPECT_EQ(serviceCalls(), 2);
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_FALSE(list.isHotCell(1, bloglist::kTitleColumn));
    EXPECT_TRUE(list.isHotCell(2, bloglist::kDeleteColumn));
    EXPECT_FALSE(list.isHotCell(0, bloglist::kEditColumn));
}

TEST_F(BlogList, EditFetchesThePostOpensTheWriterAndTakesItsRowBack) {
    storePosts(kThree);
    list.Form_Load(kToday);
    BlogWriterController writer;
    QString title, category;
    onWriter = [&] {
        // The writer against a minimal editor: its load and one publication.
        BlogWriterView& v = writer.view;
        v.execCommand = [](const QString&, const QString&) {};
        v.documentText = [] { return QStringLiteral("<html><body>改过</body></html>"); };
        v.openPage = [](const QString&) {};
        v.shownPage = [] { return QString(); };
        v.refreshEditor = v.focusEditor = v.focusTitle = v.showFontPrompts = v.hideAlbumChooser = [] {};
        v.title = [&] { return title; };
        v.setTitle = [&](const QString& t) { title = t; };
        v.category = [&] { return category; };
        v.setCategory = [&](const QString& c) { category = c; };
        v.showFileButtons = [](bool) {};
        v.showAlbumChooser = [](const QStringList&) {};
        v.selectedAlbum = [] { return QString(); };
        v.centred = [] { return false; };
        v.showWait = v.hideWait = v.openFileManager = v.openUploadWindow = v.openPreview = [] {};
        v.updateBlogListRow = [this](int row, const QString& t, const QString& c) { list.updateRow(row, t, c); };
        writer.Form_Load();
        EXPECT_TRUE(writer.editMode());
        EXPECT_EQ(title, QStringLiteral("春天"));
        title = QStringLiteral("春天到了");
        category = QStringLiteral("生活杂谈");
        writer.cmdUpload_Click();
    };
    list.grdBlogList_Click(1, bloglist::kEditColumn);
    const auto fetch = calls(QStringLiteral("GetBlog"));
    ASSERT_EQ(fetch.size(), 1);
    EXPECT_EQ(fetch[0].args.mid(3), (QStringList{kThree[2].time, QStringLiteral("春天")}));
    // The service sent the words escaped; the page has them back.
    EXPECT_TRUE(fetch[0].reply.contains(QStringLiteral("[_insert_]")));
    EXPECT_EQ(AnsiCodec::decode(readFile(blogwriter::PagePath(blogwriter::kEditedPage))), kThree[2].body);
    EXPECT_EQ(SharedData::labBlogRow, QStringLiteral("1"));
    EXPECT_EQ(SharedData::labBlogDate, kThree[2].time);
    EXPECT_EQ(SharedData::labBlogTitle, QStringLiteral("春天"));
    EXPECT_TRUE(events.contains(QStringLiteral("writer 旅游户外")));
    EXPECT_EQ(calls(QStringLiteral("EditBlog")).size(), 1);
    EXPECT_EQ(list.rows()[0], Row(kThree[2].time, QStringLiteral("春天到了"), QStringLiteral("生活杂谈")));
    EXPECT_EQ(shown, list.rows());
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(SharedData::labBlogType, QString());
    // A new post: the writer in new-post mode.
    onWriter = nullptr;
    list.cmdNewBlog_Click();
    EXPECT_EQ(events.last(), QStringLiteral("writer "));
}

TEST_F(BlogList, DeleteAsksFirstAndRemovesTheRow) {
    storePosts(kThree);
    list.Form_Load(kToday);
    prompts.answer(vbCancel);
    list.grdBlogList_Click(2, bloglist::kDeleteColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("您真的确认要删除“冬天”吗？\r\r注：一旦删除将无法恢复。")});
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(calls(QStringLiteral("DelBlog")).isEmpty());
    EXPECT_EQ(DialogState, 0);

    // One of several: just its row goes.
    prompts.clear();
    list.grdBlogList_Click(2, bloglist::kDeleteColumn);
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("博客“冬天”删除成功！"));
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(calls(QStringLiteral("DelBlog"))[0].args.mid(3), (QStringList{kThree[1].time, QStringLiteral("冬天")}));
    EXPECT_EQ(shown, QList<QStringList>{Row(kThree[2].time, QStringLiteral("春天"), QStringLiteral("旅游户外"))});
    EXPECT_EQ(member().blogs.size(), 2);
    EXPECT_EQ(DialogState, 99);

    // The only post: the header and one empty row stay.
    list.grdBlogList_Click(1, bloglist::kDeleteColumn);
    EXPECT_EQ(shown, QList<QStringList>{bloglist::EmptyRow()});
    EXPECT_EQ(member().blogs.size(), 1);
}

TEST_F(BlogList, EveryErrorReplyGivesItsMessageAndKeepsTheGrid) {
    storePosts(kThree);
    list.Form_Load(kToday);
    const QList<QStringList> before = shown;
    const struct {
        const char* method;
        const char* reply;
        const char* message;
    } cases[] = {
        {"GetBlogList", "Error_0001", "错误 0001，读取博客列表失败，请您重新登录本软件再试。"},
        {"GetBlogList", "Error_0003", "错误 0003，读取博客列表失败，请您重新登录本软件再试。"},
        {"GetBlogList", "OK", "意外错误，请您重新登录本软件再试。"},
        {"GetBlog", "Error_0002", "错误 0002，读取博客失败，请您重新登录本软件再试。"},
        {"GetBlog", "Error_0004", "错误 0004，读取博客失败，请您重新登录本软件再试。"},
        {"GetBlog", "Error_0005", "意外错误，请您重新登录本软件再试。"},
        {"DelBlog", "Error_0002", "错误 0002，读取博客列表失败，请您重新登录本软件再试。"},
        {"DelBlog", "OK_0001_", "意外错误，请您重新登录本软件再试。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        const QString method = QString::fromUtf8(c.method);
        emulator().scriptReply(method, QString::fromUtf8(c.reply));
        prompts.clear();
        if (method == QLatin1String("GetBlogList"))
            list.cmdSearch_Click();
        else
            list.grdBlogList_Click(1, method == QLatin1String("GetBlog") ? bloglist::kEditColumn : bloglist::kDeleteColumn);
        expectMessage(QString::fromUtf8(c.message), QString());
        EXPECT_EQ(prompts.records().last().style, vbInformation);
        EXPECT_EQ(shown, before);
    }
    EXPECT_FALSE(events.contains(QStringLiteral("writer 旅游户外")));
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(member().blogs.size(), 3);

    // A failed call: the error message titled "提示"; a service that cannot be reached at all:
    // the network error window.
    emulator().failHttp(500, QStringLiteral("GetBlogList"));
    prompts.clear();
    list.cmdSearch_Click();
    expectMessage(kServiceErrorMessage, QStringLiteral("提示"));
    EXPECT_EQ(shown, before);
    EXPECT_EQ(events.last(), QStringLiteral("wait over"));
    stopService();
    list.grdBlogList_Click(1, bloglist::kEditColumn);
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(events.last(), QStringLiteral("wait over"));
}

TEST_F(BlogList, ServiceAnswersUnknownPostsAndBadCredentials) {
    storePosts(kThree);
    list.Form_Load(kToday);
    member().blogs.removeLast();  // gone meanwhile
    list.grdBlogList_Click(1, bloglist::kEditColumn);
    EXPECT_EQ(calls(QStringLiteral("GetBlog")).last().reply, QStringLiteral("Error_0002"));
    list.grdBlogList_Click(1, bloglist::kDeleteColumn);
    EXPECT_EQ(calls(QStringLiteral("DelBlog")).last().reply, QStringLiteral("Error_0002"));
    const QString digest = LoginField(5);
    SetLoginField(5, QStringLiteral("wrong"));
    list.cmdSearch_Click();
    EXPECT_EQ(calls(QStringLiteral("GetBlogList")).last().reply, QStringLiteral("Error_0001"));
    // A day as the service also takes it.
    EXPECT_EQ(emulator().server().logic().GetBlogList({demo.name, digest, LoginField(6), QStringLiteral("20250130"),
                                                        QStringLiteral("20250130")}),
              QStringLiteral("OK_0001_冬天</F>生活日记</F>2025-01-30 00:00:00</F><//R>BlogList<///T>"));
}

#endif  // TAVOLIN_HAVE_EMULATOR

// The service's micro-blog posts: posting, the list of a range with the writer's escapes undone,
// deletion by the exact key, the refusals, a restart, and the micro-blog cell page.
#include "emulator/blogposts.h"
#include "emulator/servicelogic.h"
#include "foundation/tabletext.h"
#include "support/servicelogicfixture.h"

#include <gtest/gtest.h>

using namespace emu;

namespace {

class MicroBlogMethods : public testsupport::ServiceLogicTest {
protected:
    QString post(const QString& text, const QString& picture, const QString& flag) {
        return logic->UploadTBlog(credentials() + QStringList{text, picture, flag});
    }
    // The list of a range, as the program reads it.
    Table list(const QString& start = QStringLiteral("2000-01-01 00:00:00"),
               const QString& end = QStringLiteral("2100-01-01 23:59:59")) {
        const QString reply = logic->GetTBlogList(credentials() + QStringList{start, end});
        EXPECT_TRUE(reply.startsWith(QStringLiteral("OK_0001_"))) << reply.toStdString();
        return ParseTableText(QStringLiteral("TBlogList"), reply.mid(8));
    }
};

const QString kPicture = QStringLiteral("http://img1.sitehost.test/space/demo/我的相册/photo1.png");

}  // namespace

TEST_F(MicroBlogMethods, PostsAreListedNewestFirstAsPlainTextWithTheirPictures) {
    demo().microBlogs.clear();
    EXPECT_EQ(post(QStringLiteral("a&nbsp;&lt;b&gt;<br>c&amp;lt;&amp;amp;"), QString(), QStringLiteral("0")), QStringLiteral("OK_0001"));
    EXPECT_EQ(post(QStringLiteral("有图"), kPicture, QStringLiteral("1")), QStringLiteral("OK_0001"));
    // An address without the flag is no picture; a text that would end a field stays one field.
    EXPECT_EQ(post(QStringLiteral("&lt;/F&gt;&lt;//R&gt;&lt;///T&gt;"), kPicture, QStringLiteral("0")), QStringLiteral("OK_0001"));
    EXPECT_EQ(post(QString(), QString(), QStringLiteral("0")), QStringLiteral("OK_0001"));  // an empty text too

    const Table t = list();
    ASSERT_EQ(t.rows(), 4);
    ASSERT_EQ(t.cols(), 5);
    const QList<MicroBlogPost>& stored = demo().microBlogs;
    const struct {
        int row;
        const char* text;
        QString picture;
    } rows[] = {
        {0, "", QStringLiteral("0")},
        {1, "&lt;/F>&lt;//R>&lt;///T>", QStringLiteral("0")},
        {2, "有图", kPicture},
        {3, "a <b>\r\nc&lt;&amp;", QStringLiteral("0")},  // a typed entity as typed
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const MicroBlogPost& p = stored[3 - r.row];
        EXPECT_EQ(t.value(r.row, 0), p.key);
        EXPECT_EQ(t.value(r.row, 1), QDateTime::fromString(p.key, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                         .toString(QStringLiteral("yyyy年M月d日 HH:mm")));
        EXPECT_EQ(t.value(r.row, 2), QString::fromUtf8(r.text));
        EXPECT_EQ(t.value(r.row, 3), r.picture);
        EXPECT_EQ(t.value(r.row, 4), QStringLiteral("0"));
    }
    // Keys are unique, even for posts of one second.
    EXPECT_NE(stored[0].key, stored[1].key);
    EXPECT_EQ(stored[0].text, QStringLiteral("a&nbsp;&lt;b&gt;<br>c&amp;lt;&amp;amp;"));  // kept as sent
}

TEST_F(MicroBlogMethods, TheRangeBoundsAreInclusiveAndAnEmptyRangeIsAnEmptyTable) {
    demo().microBlogs = {{QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("first"), QString()},
                         {QStringLiteral("2025-02-10 12:00:00"), QStringLiteral("middle"), QString()},
                         {QStringLiteral("2025-03-01 23:59:59"), QStringLiteral("last"), QString()}};
    const Table t = list(QStringLiteral("2025-01-30 00:00:00"), QStringLiteral("2025-02-10 12:00:00"));
    ASSERT_EQ(t.rows(), 2);
    EXPECT_EQ(t.value(0, 2), QStringLiteral("middle"));
    EXPECT_EQ(t.value(1, 2), QStringLiteral("first"));
    EXPECT_EQ(list(QStringLiteral("20250301"), QStringLiteral("20250301")).value(0, 2), QStringLiteral("last"));
    EXPECT_EQ(logic->GetTBlogList(credentials() + QStringList{QStringLiteral("2020-01-01 00:00:00"),
                                                              QStringLiteral("2020-01-02 23:59:59")}),
              QStringLiteral("OK_0001_TBlogList<///T>"));
}

TEST_F(MicroBlogMethods, DeletionTakesTheExactKeyAndRefusalsChangeNothing) {
    demo().microBlogs = {{QStringLiteral("2025-02-10 08:05:00"), QStringLiteral("a"), QString()},
                         {QStringLiteral("2025-02-11 09:00:00"), QStringLiteral("b"), kPicture}};
    const QStringList wrong{demo().name, QStringLiteral("0123456789abcdef0123456789abcdef"), demo().prefix};
    const QStringList otherPrefix{demo().name, demo().digest, QStringLiteral("www99")};
    const struct {
        QStringList args;
        const char* reply;
    } refusals[] = {
        {credentials() + QStringList{QStringLiteral("2025-2-10 8:05:00")}, "Error_0002"},  // the same time, not the key
        {credentials() + QStringList{QStringLiteral("2025-02-10 08:05:01")}, "Error_0002"},
        {credentials() + QStringList{QString()}, "Error_0002"},
        {wrong + QStringList{QStringLiteral("2025-02-10 08:05:00")}, "Error_0001"},
        {otherPrefix + QStringList{QStringLiteral("2025-02-10 08:05:00")}, "Error_0001"},
    };
    for (const auto& r : refusals) EXPECT_EQ(logic->DelTBlog(r.args), QString::fromUtf8(r.reply)) << r.args.join('|').toStdString();
    EXPECT_EQ(demo().microBlogs.size(), 2);
    EXPECT_EQ(logic->UploadTBlog(wrong + QStringList{QStringLiteral("x"), QString(), QStringLiteral("0")}), QStringLiteral("Error_0001"));
    EXPECT_EQ(logic->GetTBlogList(wrong + QStringList{QStringLiteral("20250101"), QStringLiteral("20250301")}),
              QStringLiteral("Error_0001"));
    EXPECT_EQ(demo().microBlogs.size(), 2);

    EXPECT_EQ(logic->DelTBlog(credentials() + QStringList{QStringLiteral("2025-02-10 08:05:00")}), QStringLiteral("OK_0001"));
    ASSERT_EQ(demo().microBlogs.size(), 1);
    EXPECT_EQ(demo().microBlogs[0].text, QStringLiteral("b"));
    EXPECT_EQ(logic->DelTBlog(credentials() + QStringList{QStringLiteral("2025-02-10 08:05:00")}), QStringLiteral("Error_0002"));
}

TEST_F(MicroBlogMethods, PostsAndDeletionsSurviveARestart) {
    // The demo's own posts go as a member's do: a list cleared in memory only would come back.
    while (!demo().microBlogs.isEmpty())
        ASSERT_EQ(logic->DelTBlog(credentials() + QStringList{demo().microBlogs.first().key}), QStringLiteral("OK_0001"));
    post(QStringLiteral("留下&nbsp;来"), kPicture, QStringLiteral("1"));
    post(QStringLiteral("删掉"), QString(), QStringLiteral("0"));
    const QString gone = demo().microBlogs.last().key;
    ASSERT_EQ(logic->DelTBlog(credentials() + QStringList{gone}), QStringLiteral("OK_0001"));
    const MicroBlogPost kept = demo().microBlogs.value(0);

    open();
    ASSERT_EQ(demo().microBlogs.size(), 1);
    EXPECT_EQ(demo().microBlogs[0].key, kept.key);
    EXPECT_EQ(demo().microBlogs[0].text, QStringLiteral("留下&nbsp;来"));
    EXPECT_EQ(demo().microBlogs[0].picture, kPicture);
    // Stamps go on after the restart: a new post's key is later than every one given before.
    post(QStringLiteral("又一条"), QString(), QStringLiteral("0"));
    EXPECT_GT(demo().microBlogs.last().key, gone);
}

TEST_F(MicroBlogMethods, TheCellPageShowsEachPostsTextAndPictureButNoMarkupOfItsOwn) {
    Member& m = demo();
    m.microBlogs = {{QStringLiteral("2025-02-10 08:05:00"), QStringLiteral("<script>x</script>&lt;i&gt;一<br>二"), QString()},
                    {QStringLiteral("2025-02-11 09:00:00"), QStringLiteral("看图"), kPicture + QStringLiteral("?a=1&b=\"2\"")},
                    {QStringLiteral("2025-02-12 10:00:00"), QStringLiteral("动画"), QStringLiteral("http://img1.sitehost.test/a.swf")}};
    const QString html = MicroBlogPostsHtml(m);
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<i>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;script&gt;x&lt;/script&gt;&lt;i&gt;一<br>二")));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"") + kPicture + QStringLiteral("?a=1&amp;b=&quot;2&quot;\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"http://img1.sitehost.test/a.swf\">")));
    // Newest first, each with its time.
    EXPECT_LT(html.indexOf(QStringLiteral("动画")), html.indexOf(QStringLiteral("看图")));
    EXPECT_TRUE(html.contains(QStringLiteral("2025年2月10日 08:05")));
    m.microBlogs.clear();
    EXPECT_TRUE(MicroBlogPostsHtml(m).contains(QStringLiteral("还没有微博。")));
}

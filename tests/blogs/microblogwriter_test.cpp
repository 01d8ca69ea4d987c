// The micro-blog writer's logic: the length rule and its counter, the text as posted, posting
// against the emulator with its replies, the attached picture, and closing an unposted text.
#include <gtest/gtest.h>

#include "blogs/microblogwriter.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "foundation/tabletext.h"
#include "platform/ansi.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"

#ifdef TAVOLIN_HAVE_EMULATOR

using namespace microblogwriter;

namespace {

const QString kPost = QStringLiteral("UploadTBlog");

// The window as plain state: the text box, the counter, the picture and what was opened.
class MicroBlogWriter : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        MicroBlogWriterView& v = writer.view;
        auto log = [this](const QString& e) { events.append(e); };
        v.text = [this] { return text; };
        v.setText = [this](const QString& t) { text = t; };
        v.setCharsLeft = [this](const QString& n) { charsLeft = n; };
        v.setPicture = [this](const QImage& p) { picture = p; };
        v.showPicture = [this](bool on) { pictureShown = on; };
        v.showCancelPic = [this](bool on) { cancelShown = on; };
        v.showWait = [log] { log(QStringLiteral("wait")); };
        v.hideWait = [log] { log(QStringLiteral("wait over")); };
        v.openFileManager = [log] { log(QStringLiteral("file manager ") + SiteWindowLabels::labViewType); };
        v.openUploadWindow = [log] { log(QStringLiteral("upload ") + SiteWindowLabels::labUPloadType); };
        v.viewThroughPage = [log](const QString& a) { log(QStringLiteral("view ") + a); };
        v.close = [log] { log(QStringLiteral("close")); };
        DialogState = 0;
    }
    // The member types or pastes: the box holds the new text and its change handler runs.
    void type(const QString& t) {
        text = t;
        writer.txtText_Change();
    }
    QList<testsupport::EmulatorCall> posts() { return emulator().calls(kPost); }

    MicroBlogWriterController writer;
    QStringList events;
    QString text;
    QString charsLeft = QStringLiteral("140");
    QImage picture;
    bool pictureShown = false;
    bool cancelShown = false;
};

}  // namespace

TEST(MicroBlogLength, TheCounterAndTheCutAsATable) {
    const QString chinese140 = QString(140, QChar(0x4E2D));  // 中
    const QString ascii279 = QString(279, QLatin1Char('a'));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct {
        const char* name;
        QString typed;
        QString kept;
        const char* left;
    } cases[] = {
        {"empty", QString(), QString(), "140"},
        {"140 Chinese characters", chinese140, chinese140, "0"},
        {"a 141st goes at once", chinese140 + QChar(0x6587), chinese140, "0"},
        {"279 ASCII characters", ascii279, ascii279, "0"},
        {"one ASCII character", QStringLiteral("a"), QStringLiteral("a"), "139"},
        {"300 ASCII bytes pasted", QString(300, QLatin1Char('b')), QString(280, QLatin1Char('b')), "0"},
        // The 280th byte would split a Chinese character: it goes whole, leaving 279 bytes.
        {"a Chinese character across byte 280", ascii279 + QString(11, QChar(0x4E2D)), ascii279, "0"},
        // A line break counts two and goes whole.
        {"a line break", QStringLiteral("a\nb"), QStringLiteral("a\nb"), "138"},
        {"a line break across byte 280", ascii279 + QStringLiteral("\nc"), ascii279, "0"},
        // A character outside the code page is one whole character, never half a surrogate pair.
        {"a surrogate pair past the end", QString(280, QLatin1Char('d')) + emoji, QString(280, QLatin1Char('d')), "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CutToLimit(c.typed), c.kept);
        EXPECT_EQ(CharsLeft(c.kept), QString::fromLatin1(c.left));
        EXPECT_LE(PostBytes(c.kept), kMaxBytes);
    }
    EXPECT_EQ(PostBytes(QStringLiteral("中\n")), 4);
    EXPECT_EQ(PostBytes(QStringLiteral("a\r\nb")), 4);
}

TEST_F(MicroBlogWriter, TypingOverTheLimitIsCutAtOnceAndTheCounterFollows) {
    type(QStringLiteral("a"));
    EXPECT_EQ(charsLeft, QStringLiteral("139"));
    const QString chinese140 = QString(140, QChar(0x4E2D));
    type(chinese140 + QStringLiteral("文"));
    EXPECT_EQ(text, chinese140);
    EXPECT_EQ(charsLeft, QStringLiteral("0"));
    type(QString());
    EXPECT_EQ(charsLeft, QStringLiteral("140"));
}

TEST_F(MicroBlogWriter, TheTextIsEscapedAndThePictureDecidesTheLastTwoArguments) {
    EXPECT_EQ(EscapeText(QStringLiteral("<b>a  b\nc</b>")), QStringLiteral("&lt;b&gt;a&nbsp;&nbsp;b<br>c&lt;/b&gt;"));
    EXPECT_EQ(EscapeText(QStringLiteral("x\r\ny")), QStringLiteral("x<br>y"));
    EXPECT_EQ(EscapeText(QStringLiteral("R&D &lt;&amp;")), QStringLiteral("R&amp;D&nbsp;&amp;lt;&amp;amp;"));

    emulator().scriptReply(kPost, QStringLiteral("Error_0003"), 2);
    type(QStringLiteral("今天  天气\n好"));
    writer.cmdUpload_Click();
    writer.AttachPicture(QImage(), QStringLiteral("http://img1.x.test/旅行/a.gif"));
    writer.cmdUpload_Click();
    const auto calls = posts();
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].args, (QStringList{demo.name, member().digest, member().prefix,
                                          QStringLiteral("今天&nbsp;&nbsp;天气<br>好"), QString(), QStringLiteral("0")}));
    EXPECT_EQ(calls[1].args.mid(4), (QStringList{QStringLiteral("http://img1.x.test/旅行/a.gif"), QStringLiteral("1")}));
}

TEST_F(MicroBlogWriter, EachReplyHasItsMessageAndOnlySuccessClosesWith99) {
    const struct {
        const char* reply;
        const char* message;
    } failures[] = {
        {"Error_0001", "错误 0001，读取微博失败，请您重新登录本软件再试。"},
        {"Error_0002", "错误 0002，读取微博失败，请您重新登录本软件再试。"},
        {"Error_0003", "错误 0003，读取微博失败，请您重新登录本软件再试。"},
        {"OK_0001 ", "意外错误，请您重新登录本软件再试。"},
        {"", "意外错误，请您重新登录本软件再试。"},
    };
    type(QStringLiteral("心情"));
    for (const auto& c : failures) {
        SCOPED_TRACE(c.reply);
        prompts.clear();
        events.clear();
        emulator().scriptReply(kPost, QString::fromUtf8(c.reply));
        writer.cmdUpload_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(prompts.records()[0].style, vbInformation);
        EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
        // The window stays with its text, ready to post again.
        EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
        EXPECT_EQ(text, QStringLiteral("心情"));
        EXPECT_EQ(DialogState, 0);
    }

    prompts.clear();
    events.clear();
    emulator().scriptReply(kPost, QStringLiteral("OK_0001"));
    writer.cmdUpload_Click();
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("微博提交成功！")});
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("close")}));
    EXPECT_EQ(posts().size(), int(std::size(failures)) + 1);
}

TEST_F(MicroBlogWriter, AHiddenServiceOpensTheNetworkErrorWindowAndKeepsTheText) {
    type(QStringLiteral("心情"));
    emulator().hideWsdl(QStringLiteral("webser002"));
    writer.cmdUpload_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
    EXPECT_EQ(text, QStringLiteral("心情"));
    EXPECT_EQ(DialogState, 0);
}

TEST_F(MicroBlogWriter, PicturesAreAttachedReplacedDetachedAndViewed) {
    writer.imgView_Click();  // nothing attached: nothing to view
    QImage thumbnail(4, 3, QImage::Format_RGB32);
    thumbnail.fill(Qt::red);
    writer.AttachPicture(thumbnail, QStringLiteral("http://h/a.gif"));
    writer.AttachPicture(thumbnail, QStringLiteral("http://h/b.jpg"));
    EXPECT_EQ(writer.labImgURL, QStringLiteral("http://h/b.jpg"));
    EXPECT_EQ(picture, thumbnail);
    EXPECT_TRUE(pictureShown);
    EXPECT_TRUE(cancelShown);
    writer.imgView_Click();
    EXPECT_EQ(events, QStringList{QStringLiteral("view http://h/b.jpg")});

    writer.cmdCancelPic_Click();
    EXPECT_TRUE(writer.labImgURL.isEmpty());
    EXPECT_TRUE(picture.isNull());
    EXPECT_FALSE(pictureShown);
    EXPECT_FALSE(cancelShown);
}

TEST_F(MicroBlogWriter, TheHostedPictureAndUploadCommandsSetTheirModesAfterTheAlbumList) {
    SiteWindowLabels::labViewType = QStringLiteral("0");
    SiteWindowLabels::labUPloadType = QStringLiteral("1");
    writer.picInputPicture_Click();
    writer.picUpLoadPicture_Click();
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("file manager 1"),
                                   QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("upload 0")}));
    EXPECT_EQ(emulator().calls(QStringLiteral("GetDirInfo")).size(), 1);
}

TEST_F(MicroBlogWriter, ClosingAnUnpostedTextOrPictureAsksOnceAndCancelKeepsIt) {
    EXPECT_TRUE(writer.queryClose());  // as opened: no question
    EXPECT_TRUE(prompts.records().isEmpty());

    type(QStringLiteral("未发"));
    prompts.answer(vbCancel);
    EXPECT_FALSE(writer.queryClose());
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("微博内容尚未发布，确定要退出吗？"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[0].style & 7, vbOKCancel);
    prompts.answer(vbOK);
    EXPECT_TRUE(writer.queryClose());

    // A picture alone is content too; typed away and detached again, nothing is lost.
    type(QString());
    writer.AttachPicture(QImage(), QStringLiteral("http://h/a.gif"));
    prompts.clear();
    prompts.answer(vbCancel);
    EXPECT_FALSE(writer.queryClose());
    writer.cmdCancelPic_Click();
    prompts.clear();
    EXPECT_TRUE(writer.queryClose());
    EXPECT_TRUE(prompts.records().isEmpty());

    // Once posted, the window closes without a question.
    type(QStringLiteral("发了"));
    emulator().scriptReply(kPost, QStringLiteral("OK_0001"));
    writer.cmdUpload_Click();
    ASSERT_EQ(DialogState, 99) << prompts.messages().join(',').toStdString();
    prompts.clear();
    EXPECT_TRUE(writer.queryClose());
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(MicroBlogWriter, APostWithAHostedPictureIsStoredAndListedBackAsTyped) {
    testsupport::WithoutDemoSamples(member());
    const QString address = QStringLiteral("http://img1.x.test/旅行/a.gif");
    type(QStringLiteral("a <b>  c&lt;\n第二行"));
    writer.AttachPicture(QImage(), address);
    writer.cmdUpload_Click();
    ASSERT_EQ(DialogState, 99) << prompts.messages().join(',').toStdString();
    ASSERT_EQ(member().microBlogs.size(), 1);
    EXPECT_EQ(member().microBlogs[0].text, QStringLiteral("a&nbsp;&lt;b&gt;&nbsp;&nbsp;c&amp;lt;<br>第二行"));
    EXPECT_EQ(member().microBlogs[0].picture, address);

    const QString reply = emulator().server().logic().GetTBlogList(
        {demo.name, member().digest, member().prefix, QStringLiteral("2000-01-01 00:00:00"),
         QStringLiteral("2999-12-31 23:59:59")});
    ASSERT_TRUE(reply.startsWith(QStringLiteral("OK_0001_"))) << reply.toStdString();
    const Table listed = ParseTableText(QStringLiteral("TBlogList"), reply.mid(8));
    ASSERT_EQ(listed.rows(), 1);
    EXPECT_EQ(listed.value(0, 0), member().microBlogs[0].key);
    EXPECT_EQ(listed.value(0, 2), QStringLiteral("a <b>  c&lt;\r\n第二行"));
    EXPECT_EQ(listed.value(0, 3), address);
}

#endif  // TAVOLIN_HAVE_EMULATOR

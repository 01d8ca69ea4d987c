// The blog writer's logic against the emulator: the page files, the album frame, the toolbar's
// prompts, the publication of new and edited posts with their replies, and closing a changed post.
#include <gtest/gtest.h>

#include "blogs/blogwriter.h"
#include "emulator/blogposts.h"
#include "foundation/shareddata.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"

#include <QDir>
#include <QImage>

#ifdef TAVOLIN_HAVE_EMULATOR

using testsupport::readFile;
using testsupport::sameBytes;

namespace {

const QString kMarker = QStringLiteral("///--VYM--EFFECT--///");

// The editor as the engine gives its document: a text the test sets, into which "InsertText"
// puts its value at the caret (the position of "|" in the text, which the text then loses).
class BlogWriter : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        testsupport::WithoutDemoSamples(member());
        QDir().mkpath(root() + QStringLiteral("/data"));
        BlogWriterView& v = writer.view;
        auto log = [this](const QString& e) { events.append(e); };
        v.execCommand = [this, log](const QString& command, const QString& value) {
            log(command + QLatin1Char(' ') + value);
            if (command == QLatin1String("InsertText")) document.replace(QLatin1Char('|'), value);
        };
        v.documentText = [this] { return document; };
        v.openPage = [this, log](const QString& path) {
            shown = path;
            log(QStringLiteral("open ") + QFileInfo(path).fileName());
        };
        v.shownPage = [this] { return shown; };
        v.refreshEditor = [log] { log(QStringLiteral("refresh")); };
        v.focusEditor = [log] { log(QStringLiteral("focus editor")); };
        v.title = [this] { return title; };
        v.setTitle = [this](const QString& t) { title = t; };
        v.category = [this] { return category; };
        v.setCategory = [this](const QString& c) { category = c; };
        v.focusTitle = [log] { log(QStringLiteral("focus title")); };
        v.showFileButtons = [log](bool on) { log(on ? QStringLiteral("Frame1 shown") : QStringLiteral("Frame1 hidden")); };
        v.showFontPrompts = [log] { log(QStringLiteral("font prompts")); };
        v.showAlbumChooser = [log](const QStringList& names) { log(QStringLiteral("chooser ") + names.join(QLatin1Char(','))); };
        v.hideAlbumChooser = [log] { log(QStringLiteral("chooser hidden")); };
        v.selectedAlbum = [this] { return album; };
        v.centred = [this] { return centred; };
        v.showWait = [log] { log(QStringLiteral("wait")); };
        v.hideWait = [log] { log(QStringLiteral("wait over")); };
        v.openFileManager = [log] { log(QStringLiteral("file manager ") + SiteWindowLabels::labViewType); };
        v.openUploadWindow = [log] { log(QStringLiteral("upload ") + SiteWindowLabels::labUPloadType); };
        v.openPreview = [log] { log(QStringLiteral("preview ") + QFileInfo(PageUrl).fileName()); };
        DialogState = 0;
    }
    // The blog list's [修改]: the post's labels on frmDB.
    void openForEdit(const QString& row, const QString& time, const QString& oldTitle, const QString& oldCategory) {
        SharedData::labBlogRow = row;
        SharedData::labBlogDate = time;
        SharedData::labBlogTitle = oldTitle;
        SharedData::labBlogType = oldCategory;
        writer.Form_Load();
        events.clear();
    }
    QList<testsupport::EmulatorCall> blogCalls(const QString& method) { return emulator().calls(method); }
    QString page(const QString& name) { return AnsiCodec::decode(readFile(blogwriter::PagePath(name))); }

    BlogWriterController writer;
    QStringList events;
    QString document;
    QString shown;
    QString title;
    QString category;
    QString album;
    bool centred = false;
};

}  // namespace

TEST_F(BlogWriter, NewPostStartsFromTheSkeletonPageInDesignMode) {
    writer.Form_Load();
    EXPECT_FALSE(writer.editMode());
    EXPECT_TRUE(sameBytes(readFile(testsupport::testDataPath(QStringLiteral("blogs/golden/Temp001.html"))),
                          readFile(blogwriter::PagePath(QStringLiteral("Temp001.html")))));
    EXPECT_EQ(category, QStringLiteral("生活日记"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("Frame1 shown"), QStringLiteral("open Temp001.html")}));
}

TEST_F(BlogWriter, EditModeTakesThePostFromTheLabelsAndEmptiesTheMode) {
    const QByteArray fetched = AnsiCodec::encode(QStringLiteral("<html><body>旧文</body></html>"));
    testsupport::writeFile(blogwriter::PagePath(QStringLiteral("Temp001.html")), fetched);
    SharedData::labBlogTitle = QStringLiteral("旧标题");
    SharedData::labBlogType = QStringLiteral("技术知识");
    writer.Form_Load();
    EXPECT_TRUE(writer.editMode());
    EXPECT_EQ(title, QStringLiteral("旧标题"));
    EXPECT_EQ(category, QStringLiteral("技术知识"));
    EXPECT_EQ(SharedData::labBlogType, QString());
    // The fetched post is what the editor opens, untouched.
    EXPECT_EQ(readFile(blogwriter::PagePath(QStringLiteral("Temp001.html"))), fetched);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Frame1 hidden"), QStringLiteral("open Temp001.html")}));
}

TEST_F(BlogWriter, AlbumFrameTextWithAndWithoutCentringAndWithNoAlbum) {
    const QString prefix = LoginField(6);
    const QString address = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Frame) +
                            QStringLiteral("/album0002.aspx?k1=") + demo.name;
    const struct {
        const char* album;
        bool centred;
        QString expected;
    } cases[] = {
        {"旅行", false,
         QStringLiteral(R"(<iframe src=")") + address + QStringLiteral("&k2=旅行&k3=") + prefix +
             QStringLiteral(R"(" width="600" height="500" scrolling="no" frameborder="0"></iframe>)")},
        {"旅行", true,
         QStringLiteral(R"(<P align="center"><iframe src=")") + address + QStringLiteral("&k2=旅行&k3=") + prefix +
             QStringLiteral(R"(" width="600" height="500" scrolling="no" frameborder="0"></iframe></P><BR>)")},
        // An album's "&", "#", "%" and blanks are encoded, so the frame shows that album.
        {"旅行&美食 #1 50%", false,
         QStringLiteral(R"(<iframe src=")") + address + QStringLiteral("&k2=旅行%26美食%20%231%2050%25&k3=") + prefix +
             QStringLiteral(R"(" width="600" height="500" scrolling="no" frameborder="0"></iframe>)")},
        {"", false,
         QStringLiteral(R"(<iframe src=")") + address + QStringLiteral("&k2=&k3=") + prefix +
             QStringLiteral(R"(" width="600" height="500" scrolling="no" frameborder="0"></iframe>)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.centred);
        EXPECT_EQ(blogwriter::AlbumFrameText(QString::fromUtf8(c.album), c.centred), c.expected);
    }
}

TEST_F(BlogWriter, ChooserLeavesOutWwwAlbumsInAnyCase) {
    Table list(5, 7);
    const QStringList names{QStringLiteral("旅行"), QStringLiteral("www网站素材"), QStringLiteral("WwW2"),
                            QStringLiteral("家www"), QStringLiteral("ww")};
    for (int r = 0; r < names.size(); ++r) list.set(r, 0, names[r]);
    EXPECT_EQ(blogwriter::ChooserAlbums(list), (QStringList{QStringLiteral("旅行"), QStringLiteral("家www"), QStringLiteral("ww")}));
    EXPECT_TRUE(blogwriter::ChooserAlbums(Table::null()).isEmpty());

    // The chooser refreshes the list from the service first, behind the please-wait picture.
    writer.picInputAlbum_Click();
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("chooser ")}));
    EXPECT_EQ(blogCalls(QStringLiteral("GetDirInfo")).size(), 1);
}

TEST_F(BlogWriter, AlbumInsertionPutsTheFrameAtTheCaretOnceAndReloadsTheWrittenPage) {
    writer.Form_Load();
    document = QStringLiteral("<html><head></head><body><p>前|后</p></body></html>");
    album = QStringLiteral("旅行");
    centred = true;
    events.clear();
    writer.cmdInputAlbum_Click();
    const QString frame = blogwriter::AlbumFrameText(album, true);
    EXPECT_EQ(page(QStringLiteral("Temp001.html")),
              QStringLiteral("<html><head></head><body><p>前") + frame + QStringLiteral("后</p></body></html>"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("InsertText ") + kMarker, QStringLiteral("refresh"),
                                   QStringLiteral("chooser hidden")}));

    // After a blog file was opened the editor shows another page: the written one is opened instead.
    shown = blogwriter::PagePath(QStringLiteral("Temp003.html"));
    document = QStringLiteral("<html><body>|</body></html>");
    events.clear();
    writer.cmdInputAlbum_Click();
    EXPECT_EQ(events, (QStringList{QStringLiteral("InsertText ") + kMarker, QStringLiteral("open Temp001.html"),
                                   QStringLiteral("chooser hidden")}));
    EXPECT_EQ(page(QStringLiteral("Temp001.html")), QStringLiteral("<html><body>") + frame + QStringLiteral("</body></html>"));
}

TEST_F(BlogWriter, AnUnwritablePageLeavesTheEditorAsItIs) {
    writer.Form_Load();
    const QByteArray before = readFile(blogwriter::PagePath(QStringLiteral("Temp001.html")));
    // A folder where the temporary file would go: the safe write fails.
    ASSERT_TRUE(QDir().rename(root() + QStringLiteral("/data"), root() + QStringLiteral("/data.kept")));
    testsupport::writeFile(root() + QStringLiteral("/data"), "not a folder");
    document = QStringLiteral("<html><body>typed|</body></html>");
    events.clear();
    writer.cmdInputAlbum_Click();
    // No reload that would drop the typed text.
    EXPECT_EQ(events, (QStringList{QStringLiteral("InsertText ") + kMarker, QStringLiteral("chooser hidden")}));
    QFile::remove(root() + QStringLiteral("/data"));
    ASSERT_TRUE(QDir().rename(root() + QStringLiteral("/data.kept"), root() + QStringLiteral("/data")));
    EXPECT_EQ(readFile(blogwriter::PagePath(QStringLiteral("Temp001.html"))), before);
}

TEST_F(BlogWriter, PageFilesKeepCharactersGbkLacks) {
    // "한" and "😀" have no GBK code; Chinese text keeps its bytes.
    const QString text = QStringLiteral("<p>价格 한5 😀</p>");
    ASSERT_TRUE(blogwriter::WritePage(QStringLiteral("Temp001.html"), text));
    EXPECT_EQ(readFile(blogwriter::PagePath(QStringLiteral("Temp001.html"))),
              AnsiCodec::encode(QStringLiteral("<p>价格 ")) + "&#54620;5 &#128512;</p>");
}

TEST_F(BlogWriter, ToolbarPromptsAndTheirCancel) {
    writer.Form_Load();
    events.clear();
    // Colours: a cancelled dialog sends nothing; a chosen one is sent as "#RRGGBB".
    writer.tooWebTools_ButtonClick(QStringLiteral("forecolor"));
    EXPECT_TRUE(events.isEmpty());
    prompts.answerColor(QColor(0x12, 0x34, 0x56));
    writer.tooWebTools_ButtonClick(QStringLiteral("backcolor"));
    // The link dialog: empty and the bare default send nothing.
    prompts.answerText(QString());
    writer.tooWebTools_ButtonClick(QStringLiteral("create_link"));
    prompts.answerText(QStringLiteral("http://"));
    writer.tooWebTools_ButtonClick(QStringLiteral("create_link"));
    prompts.answerText(QStringLiteral("http://example.test/a"));
    writer.tooWebTools_ButtonClick(QStringLiteral("create_link"));
    // Keys are compared case-sensitively.
    writer.tooWebTools_ButtonClick(QStringLiteral("Bold"));
    writer.tooWebTools_ButtonClick(QStringLiteral("newrow"));
    writer.tooWebTools_ButtonClick(QStringLiteral("NewRow"));
    writer.tooWebTools_ButtonClick(QStringLiteral("inserthr"));
    writer.cmbFontSize_Click(0);
    writer.cmbFont_Click(2, QStringLiteral(" 黑体 "));
    EXPECT_EQ(events, (QStringList{QStringLiteral("BackColor #123456"),
                                   QStringLiteral("CreateLink http://example.test/a"), QStringLiteral("focus editor"),
                                   QStringLiteral("InsertLineBreak "), QStringLiteral("InsertHorizontalRule aa"),
                                   QStringLiteral("FontName 黑体"), QStringLiteral("font prompts")}));
    ASSERT_EQ(prompts.records().size(), 5);
    EXPECT_EQ(prompts.records()[2].kind, QStringLiteral("input"));
    EXPECT_EQ(prompts.records()[2].text, QStringLiteral("链接地址："));
    EXPECT_EQ(prompts.records()[2].title, QStringLiteral("创建链接"));
}

TEST_F(BlogWriter, NewPostIsPublishedWithItsFrameAsPlaceholderAndShownInTheBlogCell) {
    writer.Form_Load();
    album = QStringLiteral("旅行");
    document = QStringLiteral("<html><head></head><body><p>正文|</p></body></html>");
    writer.cmdInputAlbum_Click();
    // The engine serialises the frame's address with "&amp;".
    document = page(QStringLiteral("Temp001.html")).replace(QStringLiteral("&k"), QStringLiteral("&amp;k"));
    title = QStringLiteral(" <我的> 博客 ");
    category = QStringLiteral(" 旅游户外 ");
    events.clear();
    writer.cmdUpload_Click();

    const auto calls = blogCalls(QStringLiteral("UploadBlog"));
    ASSERT_EQ(calls.size(), 1);
    const QStringList& a = calls[0].args;
    EXPECT_EQ(a.mid(0, 3), (QStringList{demo.name, member().digest, member().prefix}));
    EXPECT_EQ(a[3], QStringLiteral("&nbsp;&lt;我的&gt;&nbsp;博客&nbsp;"));
    EXPECT_EQ(a[4], QStringLiteral("旅游户外"));
    EXPECT_FALSE(a[5].contains(QStringLiteral("<iframe"), Qt::CaseInsensitive));
    EXPECT_TRUE(a[5].contains(QStringLiteral("{!--EFFECT;TYPE{100};DATA{k1=") + demo.name));
    EXPECT_TRUE(a[5].startsWith(QStringLiteral("<html><head></head><body><p>正文<IMG title=")));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("博客提交成功！")});
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));

    // The blog cell's page shows the post with the frame back on the frame host.
    const testsupport::EmulatorPage cell = emulator().get(
        QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Frame) +
        QStringLiteral("/blogframe001.aspx?k1=") + member().memberKey);
    ASSERT_EQ(cell.status, 200);
    const QString html = QString::fromUtf8(cell.body);
    EXPECT_TRUE(html.contains(QStringLiteral("&nbsp;&lt;我的&gt;&nbsp;博客&nbsp;")));
    EXPECT_TRUE(html.contains(QStringLiteral("<iframe src=\"http://") +
                              serviceconfig::current().hostName(ServiceHost::Frame) +
                              QStringLiteral("/album0002.aspx?k1=") + demo.name + QStringLiteral("&amp;k2=旅行&amp;k3=")))
        << html.toStdString();
    // Posting again posts a second time.
    writer.cmdUpload_Click();
    EXPECT_EQ(blogCalls(QStringLiteral("UploadBlog")).size(), 2);
    EXPECT_EQ(member().blogs.size(), 2);
}

TEST_F(BlogWriter, TwoEditPublishesBothSendTheOldKeyAndTitle) {
    // A post on the service to edit.
    title = QStringLiteral("first");
    writer.Form_Load();
    document = QStringLiteral("<html><body>v1</body></html>");
    writer.cmdUpload_Click();
    ASSERT_EQ(member().blogs.size(), 1);
    const QString key = member().blogs[0].time;

    BlogWriterController edit;
    edit.view = writer.view;
    int listRow = -1;
    QString listTitle;
    edit.view.updateBlogListRow = [&](int row, const QString& t, const QString&) {
        listRow = row;
        listTitle = t;
    };
    SharedData::labBlogRow = QStringLiteral("3");
    SharedData::labBlogDate = key;
    SharedData::labBlogTitle = QStringLiteral("first");
    SharedData::labBlogType = QStringLiteral("生活日记");
    edit.Form_Load();
    prompts.clear();
    DialogState = 0;
    for (const char* typed : {"  <second> ", "third"}) {
        title = QString::fromUtf8(typed);
        category = QStringLiteral("技术知识 ");
        document = QStringLiteral("<html><body>") + title + QStringLiteral("</body></html>");
        edit.cmdUpload_Click();
    }
    const auto calls = blogCalls(QStringLiteral("EditBlog"));
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].args.mid(3, 4), (QStringList{key, QStringLiteral("first"), QStringLiteral("<second>"), QStringLiteral("技术知识")}));
    EXPECT_EQ(calls[1].args.mid(3, 4), (QStringList{key, QStringLiteral("first"), QStringLiteral("third"), QStringLiteral("技术知识")}));
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("博客修改成功！"), QStringLiteral("博客修改成功！")}));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(listRow, 3);
    EXPECT_EQ(listTitle, QStringLiteral("third"));
    EXPECT_EQ(member().blogs[0].title, QStringLiteral("third"));
    EXPECT_EQ(blogCalls(QStringLiteral("UploadBlog")).size(), 1);
}

TEST_F(BlogWriter, RepliesGiveTheirMessagesAndABlankTitleIsRefused) {
    writer.Form_Load();
    document = QStringLiteral("<html><body>x</body></html>");
    title = QStringLiteral("   ");
    events.clear();
    writer.cmdUpload_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("标题不能为空，请您输入标题后再继续。")});
    EXPECT_EQ(events, QStringList{QStringLiteral("focus title")});
    EXPECT_TRUE(blogCalls(QStringLiteral("UploadBlog")).isEmpty());

    title = QStringLiteral("t");
    const struct {
        const char* reply;
        const char* message;
    } cases[] = {
        {"Error_0001", "错误 0001，读取博客失败，请您重新登录本软件再试。"},
        {"Error_0002", "错误 0002，读取博客失败，请您重新登录本软件再试。"},
        {"Error_0003", "错误 0003，读取博客失败，请您重新登录本软件再试。"},
        {"Error_0004", "意外错误，请您重新登录本软件再试。"},
        {"OK_0001 ", "意外错误，请您重新登录本软件再试。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        prompts.clear();
        emulator().scriptReply(QStringLiteral("UploadBlog"), QString::fromUtf8(c.reply));
        writer.cmdUpload_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(DialogState, 0);
        // The edit table is the same but for success.
        EXPECT_EQ(blogwriter::PublishReplyMessage(QString::fromUtf8(c.reply), true), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(blogwriter::PublishReplyMessage(QStringLiteral("OK_0001"), true), QStringLiteral("博客修改成功！"));

    // The service's own refusal of an unknown post and of bad credentials.
    EXPECT_EQ(emulator().server().logic().EditBlog({demo.name, member().digest, member().prefix,
                                                     QStringLiteral("2000-01-01 00:00:00"), QStringLiteral("t"),
                                                     QStringLiteral("t"), QString(), QString()}),
              QStringLiteral("Error_0002"));
    EXPECT_EQ(emulator().server().logic().UploadBlog({demo.name, QStringLiteral("bad"), member().prefix,
                                                       QStringLiteral("t"), QString(), QString()}),
              QStringLiteral("Error_0001"));
}

TEST_F(BlogWriter, AHiddenServiceOpensTheNetworkErrorWindow) {
    writer.Form_Load();
    title = QStringLiteral("t");
    document = QStringLiteral("<html><body>x</body></html>");
    emulator().hideWsdl(QStringLiteral("webser002"));
    events.clear();
    writer.cmdUpload_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
    EXPECT_EQ(DialogState, 0);
}

TEST_F(BlogWriter, ClosingAChangedPostAsksOnceAndCancelKeepsIt) {
    writer.Form_Load();
    document = QStringLiteral("<html><body></body></html>");
    writer.documentLoaded();
    EXPECT_TRUE(writer.queryClose());  // unchanged: no question
    EXPECT_TRUE(prompts.records().isEmpty());

    // A reload after an album insertion is not a fresh start.
    document = QStringLiteral("<html><body>长文</body></html>");
    writer.documentLoaded();
    prompts.answer(vbCancel);
    EXPECT_FALSE(writer.queryClose());
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("博客内容尚未发布，确定要退出吗？"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[0].style & 7, vbOKCancel);
    prompts.answer(vbOK);
    EXPECT_TRUE(writer.queryClose());

    // Once published, the post may close without a question.
    title = QStringLiteral("t");
    writer.cmdUpload_Click();
    prompts.clear();
    EXPECT_TRUE(writer.queryClose());
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(BlogWriter, PictureCommandsAndPreview) {
    writer.Form_Load();
    events.clear();
    writer.picInputPicture_Click();
    writer.picUpLoadPicture_Click();
    document = QStringLiteral("<html><body><a href=\"x[{*") + serviceconfig::current().domain +
               QStringLiteral("*}] target=[{*") + serviceconfig::current().domain +
               QStringLiteral("*}]_blank\">a</a>预览</body></html>");
    writer.cmdView_Click();
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("file manager 2"),
                                   QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("upload 0"),
                                   QStringLiteral("preview Temp002.html")}));
    EXPECT_EQ(page(QStringLiteral("Temp002.html")),
              QStringLiteral("<html><body><a href=\"x\" target=\"_blank\">a</a>预览</body></html>"));
}

TEST(BlogPages, PlaceholdersBecomeFramesWithTheirQueryAndSize) {
    const QString body = QStringLiteral(
        "<p>a<img title=\"{!--EFFECT;TYPE{100};DATA{k1=m&amp;k2=x&amp;k3=www1}/--}\" height=\"500\" alt=\"框架\" "
        "src=\"http://photo.t/images/slide_effect_350_210.gif\" width=\"600\">b</p>");
    EXPECT_EQ(emu::ExpandEffectPlaceholders(body, QStringLiteral("frm.t")),
              QStringLiteral("<p>a<iframe src=\"http://frm.t/album0002.aspx?k1=m&amp;k2=x&amp;k3=www1\" width=\"600\" "
                             "height=\"500\" scrolling=\"no\" frameborder=\"0\"></iframe>b</p>"));
}

TEST_F(BlogWriter, AlbumFrameAndPlaceholderPicturesAreServed) {
    const testsupport::EmulatorPage frame = emulator().get(
        QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Frame) +
        QStringLiteral("/album0002.aspx?k1=") + demo.name + QStringLiteral("&k2=WWW网站素材&k3=") + member().prefix);
    ASSERT_EQ(frame.status, 200);
    // The album is found whatever the letter case a post left it in, and shows its picture.
    EXPECT_TRUE(QString::fromUtf8(frame.body).contains(QStringLiteral("/grp2.png\""))) << frame.body.toStdString();
    const testsupport::EmulatorPage picture = emulator().get(
        QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::PhotoList) +
        QStringLiteral("/images/slide_effect_350_210.gif"));
    EXPECT_EQ(picture.status, 200);
    EXPECT_TRUE(QImage::fromData(picture.body).size() == QSize(350, 210));
}

#endif  // TAVOLIN_HAVE_EMULATOR

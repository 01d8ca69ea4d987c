// The main window's commands with recording stand-ins for the windows they open: the records
// they fill, the windows they choose, the labels they set and the cells they refresh.
#include "state/uploadwindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "state/sitewindowlabels.h"
#include "platform/serviceconfig.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "foundation/tabletext.h"
#include "support/sitefixture.h"

#include <QDir>
#include <QFile>

#include <optional>

using namespace testsupport;

namespace {

// What one opened window saw.
struct Opened {
    QString window;
    QStringList record;  // CellRecord when it opened
    qint16 editorKind = -1;
    qint16 dialogStateBefore = -1;
    QString pageUrl;
};

}  // namespace

class CommandsTest : public SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        auto record = [this](const char* name) {
            return [this, name](QWidget*) {
                opened.append({QString::fromLatin1(name), CellRecord, EditorKind, DialogState, PageUrl});
                if (result) DialogState = *result;
            };
        };
        CommandWindows& w = commands.windows;
        w.cellEditor = record("cellEditor");
        w.prefaceEditor = record("prefaceEditor");
        w.colorDialog = record("colorDialog");
        w.musicEditor = record("musicEditor");
        w.uploadWindow = record("uploadWindow");
        w.sizedUpload = record("sizedUpload");
        w.albumSettings = record("albumSettings");
        w.blogList = record("blogList");
        w.blogWriter = record("blogWriter");
        w.microBlogList = record("microBlogList");
        w.microBlogWriter = record("microBlogWriter");
        w.fileManager = record("fileManager");
        w.imageEditor = record("imageEditor");
        w.templateChooser = record("templateChooser");
        w.webIE = record("webIE");
        w.webFrame = record("webFrame");
        w.mySite = record("mySite");
        w.mobileSite = record("mobileSite");
        w.userInfo = record("userInfo");
        w.buySpace = record("buySpace");
        w.protection = record("protection");
        w.domainRegistration = [this](QWidget*, const QString&) { opened.append({QStringLiteral("domainRegistration"), {}, EditorKind, DialogState, PageUrl}); };
        commands.view.refreshCell = [this](int cell) { refreshed.append(cell); };
        commands.view.refreshAreaBackgrounds = [this] { ++areaRefreshes; };
        commands.view.enableMusicButton = [this](bool on) { musicButton.append(on); };
        commands.view.showWait = [this] { events.append(QStringLiteral("wait")); };
        commands.view.hideWait = [this] { events.append(QStringLiteral("ready")); };
    }
    QString temp(const QString& name) const { return UserFolder + QStringLiteral("/temp/") + name; }
    // An album-list cache that is current, so the commands that read the list make no call.
    void freshAlbumCache() {
        QDir().mkpath(UserFolder + QStringLiteral("/data"));
        SetLoginField(7, QStringLiteral("2024-05-01 10:00:00"));
        WriteEncryptedText(QStringLiteral("旅行</F><//R>DirInfo<///T>"), UserFolder + QStringLiteral("/data/F01.dat"));
        WriteEncryptedText(LoginField(7) + QStringLiteral("</F><//R>DirTime<///T>"), UserFolder + QStringLiteral("/data/F02.dat"));
        frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    }

    MainWindowCommands commands;
    std::optional<qint16> result;  // what every window leaves in DialogState, when set
    QList<Opened> opened;
    QList<int> refreshed;
    int areaRefreshes = 0;
    QList<bool> musicButton;
    QStringList events;
};

TEST_F(CommandsTest, EditButtonsFillTheCellRecordAndChooseTheEditor) {
    for (int row = 0; row < SiteSettingsTable::Rows; ++row) SiteSettings(LocalColumn, row) = QStringLiteral("L%1").arg(row);
    const struct {
        int index, cell, width, height, base;
        const char* window;
        qint16 kind;
    } cases[] = {
        {10, 10, 340, 215, 101, "prefaceEditor", 1},
        {27, 25, 26, 690, 251, "cellEditor", 0},   // the button in cell 25's box
        {25, 25, 26, 690, 251, "cellEditor", 0},
        {28, 28, 26, 690, 261, "cellEditor", 0},
        {30, 28, 26, 690, 261, "cellEditor", 0},
        {31, 31, 1002, 26, 271, "cellEditor", 0},  // the size of the page layout
        {0, 0, 156, 150, 1, "cellEditor", 0},
    };
    for (const auto& c : cases) {
        opened.clear();
        EditorKind = 7;
        DialogState = 5;
        commands.cmdEdit_Click(c.index);
        ASSERT_EQ(opened.size(), 1) << c.index;
        const Opened& o = opened[0];
        EXPECT_EQ(o.window, QString::fromLatin1(c.window)) << c.index;
        EXPECT_EQ(o.editorKind, c.kind) << c.index;
        EXPECT_EQ(o.dialogStateBefore, 0) << c.index;
        ASSERT_EQ(o.record.size(), 14) << c.index;
        EXPECT_EQ(o.record[0], QString::number(c.cell)) << c.index;
        EXPECT_EQ(o.record[1], QString::number(c.width)) << c.index;
        EXPECT_EQ(o.record[2], QString::number(c.height)) << c.index;
        for (int k = 0; k < 10; ++k) EXPECT_EQ(o.record[3 + k], QStringLiteral("L%1").arg(c.base + k)) << c.index;
        EXPECT_EQ(o.record[13], QString()) << c.index;
    }
}

TEST_F(CommandsTest, AnEditorThatChangedItsCellRefreshesEveryBrowserShowingIt) {
    const struct {
        int index;
        QList<int> cells;
    } cases[] = {
        {27, {25, 26, 27}}, {25, {25, 26, 27}}, {28, {28, 29, 30}}, {30, {28, 29, 30}},
        {10, {10}},         {31, {31}},         {18, {18}},
    };
    for (const auto& c : cases) {
        refreshed.clear();
        result = 99;
        commands.cmdEdit_Click(c.index);
        EXPECT_EQ(refreshed, c.cells) << c.index;
        refreshed.clear();
        result = 0;  // closed without a change
        commands.cmdEdit_Click(c.index);
        EXPECT_TRUE(refreshed.isEmpty()) << c.index;
    }
}

TEST_F(CommandsTest, OnlyCellsWithAButtonOpenAnEditor) {
    // The copies 26 and 29 and the footer 32 have no edit button; 33 and 34 do not exist.
    for (int index : {26, 29, 32, 33, 34, 39, -1}) {
        EXPECT_FALSE(IsEditButton(index)) << index;
        commands.cmdEdit_Click(index);
    }
    EXPECT_TRUE(opened.isEmpty());
    for (int index : {0, 24, 25, 27, 28, 30, 31, 35, 38}) EXPECT_TRUE(IsEditButton(index)) << index;
}

TEST_F(CommandsTest, TheEditorsPreviewStartsAsACopyOfTheCellsPage) {
    writeFile(temp(QStringLiteral("setpic.html")), "old preview");
    writeFile(temp(QStringLiteral("25.html")), "cell 25");
    commands.cmdEdit_Click(27);
    EXPECT_EQ(readFile(temp(QStringLiteral("setpic.html"))), QByteArray("cell 25"));

    // A missing cell page leaves no preview; the editor opens all the same.
    commands.cmdEdit_Click(3);
    EXPECT_FALSE(QFile::exists(temp(QStringLiteral("setpic.html"))));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(CommandsTest, ColourButtonsFillTheColourRecordAndCopyTheAreaPage) {
    SiteSettings(LocalColumn, 304) = QStringLiteral("#112233");
    SiteSettings(PublishColumn, 304) = QStringLiteral("#445566");
    writeFile(temp(QStringLiteral("b2.html")), "album frame");
    writeFile(temp(QStringLiteral("viewcolor.html")), "old");
    result = 99;
    commands.cmdEdit_Click(36);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].window, QStringLiteral("colorDialog"));
    EXPECT_EQ(opened[0].record, (QStringList{QStringLiteral("304"), QStringLiteral("#112233"), QStringLiteral("#445566"),
                                             QStringLiteral("[相册围框颜色设置]"), QString()}));
    EXPECT_EQ(readFile(temp(QStringLiteral("setpic.html"))), QByteArray("album frame"));
    EXPECT_EQ(readFile(temp(QStringLiteral("viewcolor.html"))), QByteArray("album frame"));
    // The dialog refreshes its own area; the main window adds nothing.
    EXPECT_TRUE(refreshed.isEmpty());
    EXPECT_EQ(areaRefreshes, 0);

    const struct {
        int index;
        const char* row;
        const char* caption;
    } captions[] = {{35, "303", "[网站中栏空白处背景色设置]"}, {37, "306", "[博客围框颜色设置]"}, {38, "301", "[网站首页背景色设置]"}};
    for (const auto& c : captions) {
        opened.clear();
        commands.cmdEdit_Click(c.index);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].record.value(0), QString::fromLatin1(c.row));
        EXPECT_EQ(opened[0].record.value(3), QString::fromUtf8(c.caption));
    }
}

TEST_F(CommandsTest, ANewPageColourRebuildsTheThreeAreaPagesFromThePublishColumn) {
    SiteSettings(PublishColumn, 301) = QStringLiteral("#ABCDEF");
    SiteSettings(LocalColumn, 301) = QStringLiteral("#000000");
    result = 0;
    commands.cmdEdit_Click(38);
    EXPECT_FALSE(QFile::exists(temp(QStringLiteral("b1.html"))));
    EXPECT_EQ(areaRefreshes, 0);

    result = 99;
    commands.cmdEdit_Click(38);
    for (const char* page : {"b1.html", "b2.html", "b3.html"})
        EXPECT_TRUE(readFile(temp(QString::fromLatin1(page))).contains("ABCDEF")) << page;
    EXPECT_EQ(areaRefreshes, 1);
    EXPECT_TRUE(refreshed.isEmpty());
}

TEST_F(CommandsTest, MusicRecordTakesTheBoxFieldsWithTheirDefaults) {
    SiteSettings(LocalColumn, 311) = QStringLiteral("http://m/a.mp3");
    SiteSettings(LocalColumn, 312) = QStringLiteral("0");
    SiteSettings(LocalColumn, 313) = QStringLiteral("1");
    SiteSettings(LocalColumn, 314) = QStringLiteral("1");
    SiteSettings(LocalColumn, 316) = QStringLiteral("歌词");
    const QStringList tail{QStringLiteral("http://m/a.mp3"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                           QStringLiteral("歌词"), QString()};
    const struct {
        const char* row;
        QStringList entries;
    } cases[] = {
        {"", {"-1", "50", "0", "#FFFF80", "", "0", "3000", "0", "1"}},
        {"-1,,,,,,,,,", {"-1", "50", "0", "#FFFF80", "", "0", "3000", "0", ""}},
        {"2,80,1,#000000,#FFFFFF,3,1500,2,<b>听</b>,,,,,,", {"2", "80", "1", "#000000", "#FFFFFF", "3", "1500", "2", "<b>听</b>"}},
        {",,,,,,,,,", {"1", "50", "0", "#FFFF80", "", "0", "3000", "0", ""}},
    };
    writeFile(temp(QStringLiteral("4.html")), "music cell");
    for (const auto& c : cases) {
        opened.clear();
        refreshed.clear();
        musicButton.clear();
        SiteSettings(LocalColumn, 315) = QString::fromUtf8(c.row);
        DialogState = 42;
        commands.cmdSetMusic_Click();
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].window, QStringLiteral("musicEditor"));
        EXPECT_EQ(opened[0].dialogStateBefore, 42);  // not reset for the music editor
        EXPECT_EQ(opened[0].record, c.entries + tail) << c.row;
        // The music cell is refreshed whatever happened, and the button is back.
        EXPECT_EQ(refreshed, QList<int>{4});
        EXPECT_EQ(musicButton, (QList<bool>{false, true}));
    }
    EXPECT_EQ(readFile(temp(QStringLiteral("setpic.html"))), QByteArray("music cell"));
}

TEST_F(CommandsTest, WidgetUploadButtonsAimTheUploadWindowsAtTheirAlbums) {
    const struct {
        int index, cell;
        const char* width;
        const char* height;
        const char* album;
        const char* title;
    } cases[] = {
        {0, 1, "2250", "2250", "www个人主页时钟", "时钟设置(上传图像到时钟里)"},
        {1, 5, "5250", "3150", "www个人主页三图滚动", "首页三图滚动设置"},
        {2, 9, "2250", "5400", "www个人主页日历", "日历设置(上传图像到日历里)"},
    };
    for (const auto& c : cases) {
        opened.clear();
        refreshed.clear();
        result = 0;  // closed without uploading
        commands.cmdUploadAreaPic_Click(c.index);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].window, QStringLiteral("sizedUpload"));
        EXPECT_EQ(frm个人网站Labels::labWidth, QString::fromLatin1(c.width));
        EXPECT_EQ(frm个人网站Labels::labHeight, QString::fromLatin1(c.height));
        EXPECT_EQ(frm个人网站Labels::labAddWatermark, QStringLiteral("1"));
        const QString album = QString::fromUtf8(c.album);
        EXPECT_EQ(frm上传特定Labels::labWebDir, album);
        EXPECT_EQ(frm上传特定Labels::labDirInfo, QStringLiteral("上传到相册 [") + album + QStringLiteral("]"));
        EXPECT_EQ(frm上传特定Labels::labUploadToAlbum, frm上传特定Labels::labDirInfo);
        EXPECT_TRUE(frm上传特定Labels::labUploadInfo.startsWith(QString::fromUtf8(c.title) + QStringLiteral("\r\r说明：")));
        EXPECT_EQ(refreshed, QList<int>{c.cell});
    }
    EXPECT_TRUE(frm上传特定Labels::labUploadInfo.endsWith(QStringLiteral("150×360(像素)的图像。")));

    opened.clear();
    refreshed.clear();
    commands.cmdUploadAreaPic_Click(3);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].window, QStringLiteral("uploadWindow"));
    EXPECT_EQ(frm个人网站Labels::labUPloadType, QStringLiteral("1"));
    EXPECT_FALSE(frm上传Labels::picAlbumVisible);
    EXPECT_EQ(frm上传Labels::labWebDir, QStringLiteral("www个人主页十图滚动"));
    EXPECT_EQ(frm上传Labels::labDirInfo,
              QStringLiteral("上传文件到相册[www个人主页十图滚动](若上传的图片多于10张则显示最后上传的10张)"));
    EXPECT_EQ(refreshed, QList<int>{12});

    // A plain upload afterwards offers the album choice again.
    opened.clear();
    freshAlbumCache();
    commands.cmdUploadPic_Click();
    EXPECT_EQ(frm个人网站Labels::labUPloadType, QStringLiteral("0"));
    EXPECT_TRUE(frm上传Labels::picAlbumVisible);
    EXPECT_TRUE(frm上传Labels::labWebDir.isEmpty());
}

TEST_F(CommandsTest, PlainCommandsRefreshTheirCellAfterAChange) {
    const struct {
        void (MainWindowCommands::*command)();
        const char* window;
        int cell;
    } cases[] = {
        {&MainWindowCommands::cmdBlogMag_Click, "blogList", 22},
        {&MainWindowCommands::cmdWriteBlog_Click, "blogWriter", 23},
        {&MainWindowCommands::cmdTblogMag_Click, "microBlogList", 11},
        {&MainWindowCommands::cmdWriteTBlog_Click, "microBlogWriter", 11},
    };
    for (const auto& c : cases) {
        for (qint16 after : {qint16(99), qint16(0)}) {
            opened.clear();
            refreshed.clear();
            DialogState = 99;
            result = after;
            (commands.*c.command)();
            ASSERT_EQ(opened.size(), 1);
            EXPECT_EQ(opened[0].window, QString::fromLatin1(c.window));
            EXPECT_EQ(opened[0].dialogStateBefore, 0);
            EXPECT_EQ(refreshed, after == 99 ? QList<int>{c.cell} : QList<int>{}) << c.window;
        }
    }
}

TEST_F(CommandsTest, ServicePagesCarryTheMemberKeys) {
    SetLoginField(6, QStringLiteral("WWW12"));
    SetLoginField(11, QStringLiteral("u7788"));
    result = 0;
    commands.cmdLYB_Click();
    commands.cmdMsg_Click();
    commands.cmdSuggest_Click();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0].window, QStringLiteral("webIE"));
    EXPECT_EQ(opened[0].pageUrl, QStringLiteral("http://frm12.sitehost.test/leaveword_manage.aspx?k1=u7788&k2=WWW12"));
    EXPECT_EQ(opened[1].window, QStringLiteral("webIE"));
    EXPECT_EQ(opened[1].pageUrl, QStringLiteral("http://frm12.sitehost.test/msg_manage.aspx?k1=u7788&k2=WWW12"));
    EXPECT_EQ(opened[2].window, QStringLiteral("webFrame"));
    EXPECT_EQ(opened[2].pageUrl, QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Account) +
                                     QStringLiteral("/suggest.aspx?k1=u7788&k2=WWW12"));
    // Only the guestbook refreshes its cell, whatever happened in the window.
    EXPECT_EQ(refreshed, QList<int>{6});
    // Keys holding "&", "#" or "%" reach the service whole.
    SetLoginField(11, QStringLiteral("u&77#8"));
    SetLoginField(6, QStringLiteral("WWW12%"));
    commands.cmdSuggest_Click();
    ASSERT_EQ(opened.size(), 4);
    EXPECT_TRUE(opened[3].pageUrl.endsWith(QStringLiteral("/suggest.aspx?k1=u%2677%238&k2=WWW12%25")))
        << opened[3].pageUrl.toStdString();

    commands.cmdTemplate_Click();
    EXPECT_EQ(frm个人网站Labels::labMBURL, QStringLiteral("http://") +
                                               serviceconfig::current().hostName(ServiceHost::Materials) +
                                               QStringLiteral("/pwtd/mb01/mb001.aspx"));
    EXPECT_EQ(opened.last().window, QStringLiteral("templateChooser"));
}

TEST_F(CommandsTest, SitePreviewsNeedARegisteredDomain) {
    commands.cmdViewMySite_Click();
    commands.cmdViewMyMBSite_Click();
    EXPECT_TRUE(opened.isEmpty());
    const QString refusal = QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站预览。");
    EXPECT_EQ(prompts.messages(), (QStringList{refusal, refusal}));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[0].style, int(vbInformation));

    SetLoginField(12, QStringLiteral("mysite"));
    commands.cmdViewMySite_Click();
    commands.cmdViewMyMBSite_Click();
    commands.cmdSetUserInfo_Click();
    commands.cmdBuySpace_Click();
    commands.cmdPicEdit_Click();
    QStringList windows;
    for (const Opened& o : opened) windows << o.window;
    EXPECT_EQ(windows, (QStringList{QStringLiteral("mySite"), QStringLiteral("mobileSite"), QStringLiteral("userInfo"),
                                    QStringLiteral("buySpace"), QStringLiteral("imageEditor")}));
}

TEST_F(CommandsTest, AlbumSettingsResetTheHomeAlbumFlagAndRefreshTheAlbumCell) {
    freshAlbumCache();
    frm个人网站Labels::labSaveHomeAlbum = QStringLiteral("1");
    result = 99;
    commands.cmdSetPhotoBox_Click();
    EXPECT_EQ(opened.value(0).window, QStringLiteral("albumSettings"));
    EXPECT_EQ(opened.value(0).dialogStateBefore, 0);
    EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("0"));
    EXPECT_EQ(refreshed, QList<int>{17});
    // The album list is read behind the please-wait box, before the window opens.
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("ready")}));

    events.clear();
    frm个人网站Labels::labViewType = QStringLiteral("2");
    commands.cmdPicManage_Click();
    EXPECT_EQ(opened.last().window, QStringLiteral("fileManager"));
    EXPECT_EQ(frm个人网站Labels::labViewType, QStringLiteral("0"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("ready")}));
}

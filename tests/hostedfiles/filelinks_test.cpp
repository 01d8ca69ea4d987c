// One file of the open album: the preview page and the snippets, the information box, copying,
// the viewer, and the description editor (alone, then against the emulator and in its window).
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "albums/loadalbumlist.h"
#include "state/albumsstate.h"
#include "emulator/memberstore.h"
#include "foundation/tabletext.h"
#include "hostedfiles/descriptioneditor.h"
#include "hostedfiles/ui/descriptioneditorwindow.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "hostedfiles/ui/pictureviewerwindow.h"
#include "hostedfiles/viewpage.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "state/sitestate.h"
#include "support/fixtures.h"
#include "support/publishfixture.h"
#include "fakefilemanager.h"

using namespace testsupport;

namespace {

const QString kTooLong = QStringLiteral("抱歉！输入错误：描述信息过长，请限制在30字节（15个汉字以内）。");
const QString kCopyTail = QStringLiteral("\r\r成功复制到剪贴板中，您可以使用“粘贴”或 Ctrl+V 调用。");

QByteArray golden(const QString& name) { return readFile(testDataPath(QStringLiteral("hostedfiles/golden/") + name)); }

TEST(ViewerPage, PagesByteForByte) {
    const QString base = QStringLiteral("http://img1.sitehost.test/space/m1/");
    const struct {
        QString address;
        const char* file;
    } cases[] = {
        {base + QStringLiteral("旅行/a.jpg"), "viewpage_jpg.html"},
        {base + QStringLiteral("旅行/动画.SWF"), "viewpage_swf.html"},
        // A space and markup characters are percent-encoded: no attribute or tag of its own.
        {base + QStringLiteral("旅行/my pic\"<b>.gif"), "viewpage_space.html"},
        // A character GBK lacks stays the same character for the browser.
        {base + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("/a.jpg"), "viewpage_nongbk.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray expected = golden(QString::fromLatin1(c.file));
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(sameBytes(expected, ViewerPageBytes(c.address)));
    }
}

TEST(ViewerPage, SnippetsAndTheChosenAddress) {
    const QString a = QStringLiteral("http://img1.x.test/space/f/相册/m.swf");
    EXPECT_EQ(FlashSnippet(a),
              QStringLiteral("<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"http://download.flash.test/"
                             "pub/shockwave/cabs/flash/swflash.cab#version=7,0,19,0\" >\r"
                             "  <param name=\"movie\" value=\"") +
                  a +
                  QStringLiteral("\" />\r  <param name=\"quality\" value=\"high\" />\r  <embed src=\"") + a +
                  QStringLiteral("\" quality=\"high\" pluginspage=\"http://www.flash.test/go/getflashplayer\" "
                                 "type=\"application/x-shockwave-flash\" ></embed>\r</object>"));
    EXPECT_EQ(kReplaceCodeTemplate.size(), 23);
    EXPECT_EQ(ImageSnippet(QStringLiteral("http://h/a.gif")), QStringLiteral("<img src=\"http://h/a.gif\" />"));
    EXPECT_EQ(ImageSnippet(QStringLiteral("x"), QStringLiteral("|Replace|-|replace|-|Replace|")), QStringLiteral("x-|replace|-x"));
    EXPECT_TRUE(IsFlashAddress(QStringLiteral("http://h/a.SWF")));
    EXPECT_FALSE(IsFlashAddress(QStringLiteral("http://h/a.JPG")));

    const struct {
        const char* address;
        bool thumbnail, listTab;
        const char* chosen;
    } cases[] = {
        {"http://h/a.gif", false, false, "http://h/a.gif"},     {"http://h/a.gif", false, true, "http://h/a.gif"},
        {"http://h/a.gif", true, false, "http://h/a.gif.jpg"},  {"http://h/a.gif", true, true, "http://h/a.gif.gif"},
        {"http://h/a.jpg", true, false, "http://h/a.jpg.jpg"},  {"http://h/a.jpg", true, true, "http://h/a.jpg.jpg"},
        {"http://h/a.jpg", false, true, "http://h/a.jpg"},      {"http://h/a.jpg", false, false, "http://h/a.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChosenAddress(QString::fromUtf8(c.address), c.thumbnail, c.listTab), QString::fromUtf8(c.chosen))
            << c.address << c.thumbnail << c.listTab;
}

TEST(ViewerPage, LayoutAtTwoSizesAndTheMinimum) {
    const ViewerLayout big = LayoutViewer(13725, 9915);
    EXPECT_EQ(big.browserWidth, 13625);
    EXPECT_EQ(big.browserHeight, 8985);
    EXPECT_EQ(big.closeLeft, 13625 - 1110 - 200);
    EXPECT_EQ(big.closeTop, 9035);
    const ViewerLayout small = LayoutViewer(6000, 4000);
    EXPECT_EQ(small.browserWidth, 5900);
    EXPECT_EQ(small.browserHeight, 3070);
    EXPECT_EQ(small.closeLeft, 5900 - 1310);
    // Below the minimum nothing goes negative.
    const ViewerLayout tiny = LayoutViewer(10, 10);
    EXPECT_GT(tiny.browserWidth, 0);
    EXPECT_GT(tiny.browserHeight, 0);
    EXPECT_GT(tiny.closeLeft, 0);
}

class FileLinksTest : public FakeManagerTest {
protected:
    void SetUp() override {
        FakeManagerTest::SetUp();
        Table t(2, 10);
        const QStringList names{QStringLiteral("a.gif"), QStringLiteral("m.swf")};
        for (int r = 0; r < 2; ++r) {
            t.set(r, 0, QStringLiteral("http://h/相册/") + names[r]);
            t.set(r, 1, QStringLiteral("说明"));
            t.set(r, 3, QStringLiteral("2026-12-01"));
            t.set(r, 5, r == 1 ? QStringLiteral("1") : QStringLiteral("0"));
            t.set(r, 9, names[r]);
        }
        openAlbum(t);
        prompts.clear();
    }
};

TEST_F(FileLinksTest, TheInformationBoxOpensBesideItsCell) {
    EXPECT_EQ(InfoBoxLeft(4), 30 + 2085 * 4 - 4440 + 278);
    EXPECT_EQ(InfoBoxLeft(2), 30 + 2085 * 2 + 2055 - 278);
    EXPECT_EQ(InfoBoxTop(7), 75 + 2295 + 15);

    fake.thumbnail = true;
    logic.imgView_MouseMove(0);
    EXPECT_EQ(fake.infoLeft, InfoBoxLeft(0));
    EXPECT_EQ(fake.info.url, QStringLiteral("http://h/相册/a.gif.jpg"));
    EXPECT_EQ(fake.info.code, QStringLiteral("<img src=\"http://h/相册/a.gif.jpg\" />"));
    EXPECT_EQ(fake.info.fileName, QStringLiteral("a.gif"));
    // A Flash file shows its own address and snippet whichever option is on.
    logic.imgView_MouseMove(1);
    EXPECT_EQ(fake.info.url, QStringLiteral("http://h/相册/m.swf"));
    EXPECT_EQ(fake.info.code, FlashSnippet(QStringLiteral("http://h/相册/m.swf")));
}

TEST_F(FileLinksTest, CopyingAddressesAndTheFlashRefusal) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    fake.thumbnail = true;
    logic.imgURL_Click(1);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("提示：Flash文件不能创建缩略图，请您选择“原图”后再复制。")});
    logic.imgURL_Click(0);
    EXPECT_EQ(clipboard->text(), QStringLiteral("http://h/相册/a.gif.jpg"));
    EXPECT_EQ(prompts.records().last().text, QStringLiteral("文件网址：http://h/相册/a.gif.jpg") + kCopyTail);
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("复制成功"));
    fake.listRow = 1;
    logic.imgGridURL_Click();
    EXPECT_EQ(clipboard->text(), QStringLiteral("http://h/相册/a.gif.gif"));

    fake.thumbnail = false;
    logic.imgURL_Click(1);
    EXPECT_EQ(clipboard->text(), QStringLiteral("http://h/相册/m.swf"));
    logic.CopyInfoText(1, QStringLiteral("<code>"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("<code>"));
    EXPECT_EQ(fake.selectedBox, 1);
    EXPECT_EQ(prompts.records().last().text, QStringLiteral("代码成功复制到剪贴板中，您可以使用“粘贴”或 Ctrl+V 调用。"));

    // An empty row does nothing.
    prompts.clear();
    fake.listRow = 3;
    logic.imgGridURL_Click();
    logic.ViewListRow();
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_TRUE(fake.viewed.isEmpty());
    fake.listRow = 2;
    logic.ViewListRow();
    logic.imgView_Click(0);
    EXPECT_EQ(fake.viewed, (QStringList{QStringLiteral("address http://h/相册/m.swf"), QStringLiteral("page http://h/相册/a.gif")}));
}

TEST_F(FileLinksTest, HandingAFileToTheWriterByModeFileAndAddressOption) {
    const QString picture = QStringLiteral("http://h/相册/a.gif");
    const QString thumbRefusal = QStringLiteral("提示：Flash文件不能插入缩略图，请您选择“原图”后再插入。");
    const struct {
        const char* mode;
        int cell;  // 0 the picture, 1 the Flash file; 15 the list tab on the picture's row
        bool thumbnail;
        QString handed;   // empty: nothing handed over
        QString message;  // empty: none
        bool closes;
    } cases[] = {
        // The micro-blog writer keeps the file's own address, also under 缩略图.
        {"1", 0, false, QStringLiteral("micro 0 ") + picture, QString(), true},
        {"1", 0, true, QStringLiteral("micro 0 ") + picture, QString(), true},
        {"1", 15, true, QStringLiteral("micro 15 ") + picture, QString(), true},
        {"1", 1, false, QString(), QStringLiteral("抱歉！Flash文件暂不能插入到微博客中。"), false},
        {"1", 1, true, QString(), thumbRefusal, false},
        // The blog writer gets the chosen address: the cell's or the list tab's thumbnail.
        {"2", 0, false, QStringLiteral("blog ") + picture, QString(), true},
        {"2", 0, true, QStringLiteral("blog ") + picture + QStringLiteral(".jpg"), QString(), true},
        {"2", 15, true, QStringLiteral("blog ") + picture + QStringLiteral(".gif"), QString(), true},
        {"2", 1, false, QString(), QStringLiteral("抱歉！Flash文件暂不能插入到博客中。"), false},
        {"2", 1, true, QString(), thumbRefusal, false},
        // Any other mode just closes; the thumbnail refusal comes first whatever the mode.
        {"0", 0, false, QString(), QString(), true},
        {"0", 0, true, QString(), QString(), true},
        {"0", 1, false, QString(), QString(), true},
        {"0", 1, true, QString(), thumbRefusal, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 cell %2 thumbnail %3").arg(QString::fromLatin1(c.mode)).arg(c.cell).arg(c.thumbnail).toStdString());
        frm个人网站Labels::labViewType = QString::fromLatin1(c.mode);
        fake.thumbnail = c.thumbnail;
        fake.handedOver.clear();
        fake.closed = 0;
        fake.listRow = 1;
        prompts.clear();
        if (c.cell == 15)
            logic.imgGridPutIn_Click();
        else
            logic.imgPutIn_Click(c.cell);
        EXPECT_EQ(fake.handedOver, c.handed.isEmpty() ? QStringList() : QStringList{c.handed});
        EXPECT_EQ(prompts.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty()) {
            EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
        }
        EXPECT_EQ(fake.closed, c.closes ? 1 : 0);
    }
    // An empty list row hands nothing over and keeps the window.
    fake.handedOver.clear();
    fake.closed = 0;
    fake.listRow = 3;
    logic.imgGridPutIn_Click();
    EXPECT_TRUE(fake.handedOver.isEmpty());
    EXPECT_EQ(fake.closed, 0);
}

class DescriptionEditorTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        DescriptionEditorView& v = editor.view;
        v.memoText = [this] { return text; };
        v.setMemoText = [this](const QString& s) { text = s; };
        v.setWordLen = [this](const QString& s) { wordLen = s; };
        v.focusMemoAtEnd = [] {};
        v.showWait = [](bool) {};
        v.setManagerMemo = [](int, const QString&) {};
        v.close = [] {};
    }
    DescriptionEditorController editor;
    QString text, wordLen;
};

TEST_F(DescriptionEditorTest, ThirtyBytesAndOneMessagePerDroppedCharacter) {
    text = QString(15, QChar(0x6C49));
    editor.txtMemo_Change();
    EXPECT_EQ(wordLen, QStringLiteral("30"));
    EXPECT_TRUE(prompts.messages().isEmpty());

    text += QChar(0x5B57);
    editor.txtMemo_Change();
    EXPECT_EQ(text, QString(15, QChar(0x6C49)));
    EXPECT_EQ(wordLen, QStringLiteral("30"));
    EXPECT_EQ(prompts.messages(), QStringList{kTooLong});

    // Pasted three characters too long: three messages; a surrogate pair goes whole.
    prompts.clear();
    text = QString(14, QChar(0x6C49)) + QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("c");
    editor.txtMemo_Change();
    EXPECT_EQ(text, QString(14, QChar(0x6C49)) + QStringLiteral("ab"));
    EXPECT_EQ(prompts.messages().size(), 2);
}

// ---- against the emulator

class DescriptionServiceTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        emu::MemberStore& s = emulator().server().store();
        s.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("a.gif"), "GIF89a", QStringLiteral("旧的"), s.newStamp());
        s.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("b.jpg"), "JFIF", QStringLiteral("第二"), s.newStamp());
        member().albumStamp = s.newStamp();
        SetLoginField(7, member().albumStamp);
        QDir().mkpath(UserFolder + QStringLiteral("/UpLoadPicture"));
        frm个人网站Labels::labViewType = QStringLiteral("0");
        LoadAlbumList();
        fake.wire(logic.view);
        logic.Form_Load(QDate(2026, 12, 10));
        logic.tvwDir_NodeClick(QStringLiteral("ML0"), QStringLiteral("旅行"));
        DescriptionEditorView& v = editor.view;
        v.memoText = [this] { return text; };
        v.setMemoText = [this](const QString& s) { text = s; };
        v.setWordLen = [](const QString&) {};
        v.focusMemoAtEnd = [] {};
        v.showWait = [](bool) {};
        v.setManagerMemo = [this](int k, const QString& s) { fake.cells[k].memo = s; };
        v.close = [this] { ++closed; };
        // The file manager's opener with this editor in place of the window.
        fake.editorAction = [this] {
            editor.labIndex = fake.editorParams.labIndex;
            editor.labWebDir = fake.editorParams.labWebDir;
            editor.labFileName = fake.editorParams.labFileName;
            editor.labWebPath = fake.editorParams.labWebPath;
            editor.cmdOK_Click();
        };
    }
    FileManagerController logic;
    FakeFileManager fake;
    DescriptionEditorController editor;
    QString text;
    int closed = 0;
};

TEST_F(DescriptionServiceTest, ASuccessUpdatesTheServiceTheCellTheCacheAndTheGrid) {
    // Cell 1 holds a.gif (the older upload).
    ASSERT_EQ(logic.Cell(1).labFileName, QStringLiteral("a.gif"));
    text = QStringLiteral("  新的说明 ");
    logic.picEdit_Click(1);
    EXPECT_EQ(fake.editorParams.labMemo, QStringLiteral("旧的"));
    EXPECT_EQ(fake.editorParams.labFileName, QStringLiteral("a"));
    const QList<EmulatorCall> calls = emulator().calls(QStringLiteral("EditPicMemo"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args, (QStringList{CurrentUserName, LoginField(5), LoginField(6), QStringLiteral("旅行"),
                                          QStringLiteral("a.gif"), QStringLiteral("新的说明")}));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("文件信息修改成功！")});
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(fake.cells[1].memo, QStringLiteral("新的说明"));
    EXPECT_EQ(member().album(QStringLiteral("旅行"))->file(QStringLiteral("a.gif"))->description, QStringLiteral("新的说明"));
    const Table cached = ReadTableFile(AlbumFileListPath(QStringLiteral("旅行")), QStringLiteral("FileInfo"));
    EXPECT_EQ(cached.value(1, 1), QStringLiteral("新的说明"));
    EXPECT_EQ(cached.value(0, 1), QStringLiteral("第二"));
    // The grid rebuilt with every file.
    ASSERT_EQ(fake.grid.size(), 2);
    EXPECT_EQ(fake.grid[1][2], QStringLiteral("新的说明"));
    EXPECT_EQ(fake.grid[0][2], QStringLiteral("第二"));
}

TEST_F(DescriptionServiceTest, WithoutACacheTheListInMemoryTakesTheDescription) {
    QFile::remove(AlbumFileListPath(QStringLiteral("旅行")));
    text = QStringLiteral("x");
    logic.picEdit_Click(0);
    EXPECT_FALSE(QFileInfo::exists(AlbumFileListPath(QStringLiteral("旅行"))));
    ASSERT_EQ(AlbumFiles.rows(), 2);
    EXPECT_EQ(AlbumFiles.value(0, 1), QStringLiteral("x"));
    EXPECT_EQ(fake.grid.size(), 2);
}

TEST_F(DescriptionServiceTest, AFailureKeepsTheEditorOpenAndChangesNothing) {
    text = QStringLiteral("新");
    emulator().scriptReply(QStringLiteral("EditPicMemo"), QStringLiteral("OK_0001_"));
    logic.picEdit_Click(0);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("意外错误，请您稍后再试。")});
    emulator().hideWsdl(QStringLiteral("webser002"));
    logic.picEdit_Click(0);
    EXPECT_EQ(netErrors, 1);
    emulator().hideWsdl(QStringLiteral("webser002"), false);
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(fake.cells[0].memo, QStringLiteral("第二"));
    EXPECT_EQ(member().album(QStringLiteral("旅行"))->file(QStringLiteral("b.jpg"))->description, QStringLiteral("第二"));
}

// ---- the windows

class ViewerWindowTest : public DataRootTest {};

TEST_F(ViewerWindowTest, SpaceClosesAndNoPageIsLeftBehind) {
    QDir().mkpath(paths::InRoot(QStringLiteral("data")));
    for (const bool throughPage : {true, false}) {
        SCOPED_TRACE(throughPage);
        writeFile(ViewerPagePath(), "old");
        QString seen;
        QTimer::singleShot(0, [&] {
            PictureViewerWindow* viewer = PictureViewerWindow::loaded();
            ASSERT_NE(viewer, nullptr);
            seen = QString::fromLatin1(readFile(ViewerPagePath()).left(6));
            viewer->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(viewer));
            QTest::keyClick(viewer->webViewPic, Qt::Key_Space);
            EXPECT_FALSE(viewer->isVisible());
            if (viewer->isVisible()) viewer->close();
        });
        if (throughPage)
            ShowFileInViewer(nullptr, QStringLiteral("http://h/a.jpg"));
        else
            ShowAddressInViewer(nullptr, QStringLiteral("http://h/a.jpg"));
        // Opening again replaced the page; closing removed it, also after a straight view.
        EXPECT_EQ(seen, throughPage ? QStringLiteral("<html>") : QStringLiteral("old"));
        EXPECT_FALSE(QFileInfo::exists(ViewerPagePath()));
    }
}

TEST_F(ViewerWindowTest, TheCloseButtonBlanksTheBrowserAndTheLayoutFollowsTheSize) {
    PictureViewerWindow viewer;
    const ViewerLayout l = LayoutViewer(915 * 15, 661 * 15);
    EXPECT_EQ(viewer.cmdClose->x(), twips::ToPixels(l.closeLeft));
    EXPECT_EQ(viewer.webViewPic->height(), twips::ToPixels(l.browserHeight));
    viewer.show();
    viewer.resize(1200, 800);
    const ViewerLayout big = LayoutViewer(1200 * 15, 800 * 15);
    EXPECT_EQ(viewer.cmdClose->y(), twips::ToPixels(big.closeTop));
    viewer.resize(200, 100);
    EXPECT_GE(viewer.width(), twips::ToPixels(kViewerMinWidth));
    viewer.cmdClose_Click();
    EXPECT_FALSE(viewer.isVisible());
}

TEST(DescriptionEditorWindowWiring, EveryHookIsSet) {
    DescriptionEditorWindow window;
    EXPECT_TRUE(UnsetRequiredHooks(window.logic.view).isEmpty());
    EXPECT_EQ(window.txtMemo->maxLength(), 30);
}

}  // namespace

// The sized-picture upload window: its three widget albums from the main window's commands, the
// load with and without the watermark controls, the layout under its title band, the closing
// hint it shares with the album window, and its parameters put back when it closes.
#include "albums/sizeduploadwindowcontroller.h"
#include "state/sizeduploadwindowlabels.h"
#include "albums/ui/albums_entry.h"
#include "albums/ui/sizeduploadwindow.h"
#include "albums/uploadwindowcontroller.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "imaging/ui/cropwindow.h"
#include "site/modCreateHtmlFiles.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"
#include "uploadframerecorder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

using namespace testsupport;

class SizedUploadWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        WithoutDemoSamples(member());
    }
};

TEST_F(SizedUploadWindowTest, EachWidgetAlbumOpensTheWindowOnItsAlbumAndRefreshesItsCell) {
    MainWindowCommands commands;
    QList<int> refreshed;
    commands.view.refreshCell = [&](int cell) { refreshed << cell; };
    const struct {
        int index;
        int cell;
        const char* album;
        const char* title;
        const char* watermark;  // labAddWatermark as the window reads it
    } cases[] = {
        {0, 1, "www个人主页时钟", "时钟设置(上传图像到时钟里)", "1"},
        {1, 5, "www个人主页三图滚动", "首页三图滚动设置", "1"},
        {2, 9, "www个人主页日历", "日历设置(上传图像到日历里)", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.album);
        refreshed.clear();
        int opened = 0;
        commands.windows.sizedUpload = [&](QWidget*) {
            ++opened;
            frm个人网站Labels::labAddWatermark = QString::fromLatin1(c.watermark);
            SizedUploadWindow w;
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.frame.view).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.frameView).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.run.view).isEmpty());
            EXPECT_EQ(w.windowTitle(), QStringLiteral("上传文件"));
            const QString album = QString::fromUtf8(c.album);
            EXPECT_EQ(w.labWebDir, album);
            EXPECT_EQ(w.labDirInfoCaption->text(), QStringLiteral("上传到相册 [") + album + QLatin1Char(']'));
            EXPECT_TRUE(w.labDirInfoCaption->isVisibleTo(&w));
            EXPECT_EQ(w.labUploadToAlbumCaption->text(), w.labDirInfoCaption->text());
            EXPECT_FALSE(w.labUploadToAlbumCaption->isVisibleTo(&w));
            // The title band shows the title, a blank line and the explanation.
            EXPECT_TRUE(w.labUploadInfoCaption->text().startsWith(QString::fromUtf8(c.title) + QStringLiteral("\n\n说明：")));
            EXPECT_FALSE(w.labUploadInfoCaption->text().contains(QLatin1Char('\r')));
            const bool watermark = *c.watermark == '1';
            EXPECT_EQ(w.cmdSetWaterMark->isVisibleTo(&w), watermark);
            EXPECT_EQ(w.cheWatermarkAndBorder->isVisibleTo(&w), watermark);
            // Nothing that chooses an album, teaches or hints.
            EXPECT_FALSE(w.cmdOpenTeach->isVisibleTo(&w));
            EXPECT_FALSE(w.cmdCloseTeach->isVisibleTo(&w));
            for (const UploadHintBox& b : w.hintBoxes) EXPECT_FALSE(b.picOpeMsg->isVisibleTo(&w));
            for (int r = 1; r <= 10; ++r) EXPECT_EQ(w.grdUpLoad->item(r, 0)->text(), QString::number(r));
            EXPECT_EQ(twips::FromPixels(w.picBox->y()), uploadframe::kBandHeight);
            EXPECT_FALSE(w.vscPicBox->isVisibleTo(&w));
            w.reject();
        };
        commands.cmdUploadAreaPic_Click(c.index);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(refreshed, QList<int>{c.cell});
        // Closed, the window's parameters are back at their design values.
        EXPECT_EQ(frm上传特定Labels::labWebDir, QString());
        EXPECT_EQ(frm上传特定Labels::labDirInfo, QStringLiteral("上传文件到[]"));
    }
}

TEST_F(SizedUploadWindowTest, ALowWindowScrollsItsCanvasUnderTheTitleBand) {
    SizedUploadWindow w;
    w.resize(w.width(), twips::ToPixels(6000));
    w.Form_Resize();  // a hidden window gets its resize event only when shown
    EXPECT_EQ(twips::FromPixels(w.picBox->y()), uploadframe::kBandHeight);
    ASSERT_TRUE(w.vscPicBox->isVisibleTo(&w));
    EXPECT_EQ(w.vscPicBox->maximum(), twips::ToPixels(uploadframe::kFrameHeight - (6000 - uploadframe::kBandHeight)));
    w.vscPicBox->setValue(30);
    EXPECT_EQ(w.picFrame->y(), -30);
    // No scroll hint in this window.
    for (const UploadHintBox& b : w.hintBoxes) EXPECT_FALSE(b.picOpeMsg->isVisibleTo(&w));
    OpenSizedUploadWindow(nullptr);  // one is open: returns at once
    EXPECT_EQ(SizedUploadWindow::loaded(), &w);
    w.reject();
}

TEST_F(SizedUploadWindowTest, APictureLargerThanTheClockIsCutAndSentIntoTheClockAlbum) {
    SetUserSetting(UcsHintScreenshotSized, QStringLiteral("1"));
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");  // the album list was not read this run
    const QString cache = UserFolder + QStringLiteral("/data/F01.dat");
    QFile::remove(cache);
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    const QString path = UserFolder + QStringLiteral("/temp/photo.jpg");
    ASSERT_TRUE(picture.save(path));

    MainWindowCommands commands;
    QList<int> refreshed;
    commands.view.refreshCell = [&](int cell) { refreshed << cell; };
    commands.windows.sizedUpload = OpenSizedUploadWindow;
    ModalWatcher<CropWindow> crop([](CropWindow* w) { w->cmdOK_Click(); });
    ModalWatcher<SizedUploadWindow> window([&](SizedUploadWindow* w) {
        prompts.answerText(path);
        w->cmdSearch[0]->click();
        EXPECT_EQ(crop.seen(), 1);
        w->cmdUploadFiles->click();
        EXPECT_EQ(w->grdUpLoad->item(1, 5)->text().trimmed(), QStringLiteral("上传成功!"));
        w->cmdCloseUpload_Click();
    });
    commands.cmdUploadAreaPic_Click(0);
    ASSERT_EQ(window.seen(), 1);
    EXPECT_EQ(refreshed, QList<int>{1});

    const emu::Album* clock = member().album(QStringLiteral("www个人主页时钟"));
    ASSERT_NE(clock, nullptr);
    ASSERT_EQ(clock->files.size(), 1);
    const QString uploaded = clock->files[0].name;
    QImageReader stored(emulator().server().store().filePath(member(), clock->name, uploaded));
    EXPECT_EQ(stored.format(), QByteArray("jpeg"));
    EXPECT_EQ(stored.size(), QSize(150, 150));
    EXPECT_EQ(fileManagerUnloads, 1);
    EXPECT_FALSE(QFile::exists(cache));  // no list to record the album's stamp in
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/Cut0.jpg")));  // gone with the window

    // The clock cell's page shows the picture.
    const QRegularExpressionMatch src = QRegularExpression(QStringLiteral("src=\"([^\"]+)\"")).match(WidgetElement(1));
    ASSERT_TRUE(src.hasMatch());
    const EmulatorPage page = emulator().get(src.captured(1));
    EXPECT_TRUE(QString::fromUtf8(page.body).contains(uploaded)) << page.body.toStdString();
}

TEST_F(SizedUploadWindowTest, EscapeDuringTheCheckPassLeavesTheWindowAndItsCutOpen) {
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(QColor(200, 120, 40));
    const QString path = UserFolder + QStringLiteral("/temp/large.jpg");
    ASSERT_TRUE(picture.save(path));
    frm上传特定Labels::labWebDir = QStringLiteral("www个人主页时钟");
    frm个人网站Labels::labWidth = QStringLiteral("2250");
    frm个人网站Labels::labHeight = QStringLiteral("2250");
    SizedUploadWindow w;
    w.show();
    bool openDuringPass = false;
    ModalWatcher<CropWindow> crop([&](CropWindow* c) {
        w.reject();  // what Escape does
        openDuringPass = w.isVisible();
        c->cmdOK_Click();
    });
    prompts.answerText(path);
    w.cmdSearch[0]->click();
    ASSERT_EQ(crop.seen(), 1);
    EXPECT_TRUE(openDuringPass);
    EXPECT_TRUE(w.isVisible());
    const QString cut = UserFolder + QStringLiteral("/Cut0.jpg");
    EXPECT_TRUE(QFile::exists(cut));
    EXPECT_EQ(w.logic.frame.data.SlotCutFile[0], cut);
    EXPECT_EQ(frm上传特定Labels::labWebDir, QStringLiteral("www个人主页时钟"));
    // Once the pass is over, Escape closes the window as ever.
    w.reject();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFile::exists(cut));
    EXPECT_EQ(frm上传特定Labels::labWebDir, QString());
}

// The controller on a recording view.
class SizedUploadControllerTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        SizedUploadWindowView& v = logic.view;
        v.numberSlots = [this] { log << QStringLiteral("numbers"); };
        v.hideWatermarkControls = [this] { log << QStringLiteral("no watermark"); };
        v.placeFrame = [this] { log << QStringLiteral("frame"); };
        v.layOut = [this](const UploadLayout& l) { layouts << l; };
        RecordFrameView(logic.frameView, log);
        ASSERT_TRUE(UnsetRequiredHooks(v).isEmpty());
        ASSERT_TRUE(UnsetRequiredHooks(logic.frameView).isEmpty());
    }
    SizedUploadWindowController logic;
    QStringList log;
    QList<UploadLayout> layouts;
};

TEST_F(SizedUploadControllerTest, TheLoadStartsAfreshAndSaysWhenItFails) {
    logic.frame.data.SlotRotation[2] = 3;
    logic.frame.data.SlotCutFile[4] = QStringLiteral("Cut4.jpg");
    SmallScreen = true;
    frm个人网站Labels::labAddWatermark = QStringLiteral("0");
    logic.Form_Load();
    EXPECT_EQ(log, (QStringList{QStringLiteral("maximise"), QStringLiteral("numbers"), QStringLiteral("no watermark"),
                                QStringLiteral("frame")}));
    EXPECT_EQ(logic.frame.data.SlotRotation[2], 0);
    EXPECT_EQ(logic.frame.data.SlotCutFile[4], QString());
    EXPECT_TRUE(prompts.records().isEmpty());

    log.clear();
    SmallScreen = false;
    frm个人网站Labels::labAddWatermark = QStringLiteral("2");  // anything but "0" keeps them
    logic.view.numberSlots = [] { throw VbError(5, QStringLiteral("broken")); };
    logic.Form_Load();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("读取相册信息失败！请您稍后再试...")});
    EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(SizedUploadControllerTest, SmallCommandsAndTheLayout) {
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    emulator().scriptReply(QStringLiteral("GetDirInfo"), QStringLiteral("Error_0001"));
    logic.cmdViewPhoto_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("读取相册信息失败！无法获得最新的相册信息，请您稍后再试。")});
    logic.cmdEditPic_Click();
    logic.cmdSetWaterMark_Click();
    EXPECT_EQ(log, (QStringList{QStringLiteral("wait"), QStringLiteral("done"), QStringLiteral("files 0"), QStringLiteral("editor"),
                                QStringLiteral("watermark")}));
    logic.Form_Resize(10680, 15360);
    logic.Form_Resize(5000, 15360);
    ASSERT_EQ(layouts.size(), 2);
    EXPECT_EQ(layouts[0].viewportHeight, 9630);
    EXPECT_FALSE(layouts[0].scrollVisible);
    EXPECT_EQ(layouts[1].viewportHeight, 3950);
    EXPECT_TRUE(layouts[1].scrollVisible);
    EXPECT_EQ(layouts[1].scrollMax, 9630 - 3950);
}

TEST_F(SizedUploadControllerTest, HintElevenSwitchedOffAfterEitherUploadWindowStaysOffAfterBoth) {
    UploadWindowController album;
    QStringList albumLog;
    album.frameView.showMainHint = [&](int id, const QString&, int, int, int) { albumLog << QString::number(id); };
    const QString hint = QStringLiteral("main 11 10 900 10605 ") + uploadhints::CloseHint();
    logic.Form_QueryUnload();
    album.Form_QueryUnload();
    EXPECT_EQ(log, QStringList{hint});
    EXPECT_EQ(albumLog, QStringList{QStringLiteral("11")});

    // The main window's hint box stores the flag when its box is ticked.
    SetUserSetting(UcsHintUploadClose, QStringLiteral("1"));
    log.clear();
    albumLog.clear();
    logic.Form_QueryUnload();
    album.Form_QueryUnload();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(albumLog.isEmpty());
}

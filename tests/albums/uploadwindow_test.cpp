// The album upload window: its openers' modes, the album chooser, the viewport layout, the hint
// boxes, the closing hint, the small commands, the top band and the screenshot warning.
#include "albums/ui/albums_entry.h"
#include "albums/ui/screenshotwarningwindow.h"
#include "albums/ui/uploadwindow.h"
#include "albums/uploadwindowcontroller.h"
#include "state/uploadwindowlabels.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "mainwindow/commands.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "platform/vberror.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"
#include "support/eventually.h"
#include "support/glyphs.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"
#include "uploadframerecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace testsupport;

namespace {
Table Albums(const QStringList& names) {
    if (names.isEmpty()) return Table::null();
    Table t(int(names.size()), 7);
    for (int r = 0; r < names.size(); ++r) t.set(r, 0, names[r]);
    return t;
}
QStringList Items(const QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
}
int Twips(int pixels) { return twips::FromPixels(pixels); }
}  // namespace

TEST(UploadChooser, LeavesOutSystemAlbumsInAnyCase) {
    const struct {
        QStringList albums;
        QStringList offered;
    } cases[] = {
        {{}, {}},
        {{QStringLiteral("www网站素材"), QStringLiteral("WWW个人主页十图滚动"), QStringLiteral("WwW")}, {}},
        {{QStringLiteral("旅行"), QStringLiteral("www网站素材"), QStringLiteral("ww家"), QStringLiteral("wwwx"),
          QStringLiteral("家人")},
         {QStringLiteral("旅行"), QStringLiteral("ww家"), QStringLiteral("家人")}},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooserAlbums(Albums(c.albums)), c.offered) << c.albums.join(',').toStdString();
}

TEST(UploadLayoutRule, ViewportUnderTheBandAndScrollBarWhenTheCanvasDoesNotFit) {
    const struct {
        int client, band;
        UploadLayout expected;
    } cases[] = {
        {10680, 1050, {9630, false, 0, 0, 0}},    // the design size: everything fits
        {12000, 1050, {10950, false, 0, 0, 0}},
        {10680, 3200, {7480, true, 15105, 7480, 2150}},  // the tutorial panel pushes it down
        {3000, 3200, {0, true, 15105, 0, 9630}},  // lower than the band: an empty viewport
    };
    for (const auto& c : cases) {
        const UploadLayout l = LayOutUploadViewport(c.client, c.band, 15360, uploadframe::kFrameHeight);
        EXPECT_EQ(l.viewportHeight, c.expected.viewportHeight) << c.client << "/" << c.band;
        EXPECT_EQ(l.scrollVisible, c.expected.scrollVisible) << c.client << "/" << c.band;
        EXPECT_EQ(l.scrollLeft, c.expected.scrollLeft);
        EXPECT_EQ(l.scrollHeight, c.expected.scrollHeight);
        EXPECT_EQ(l.scrollMax, c.expected.scrollMax);
    }
}

// The controller on a recording view.
class UploadControllerTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        UploadWindowView& v = logic.view;
        v.openTutorial = [this] { log << QStringLiteral("tutorial"); };
        v.navigateAd = [this](const QString& url) { log << QStringLiteral("ad ") + url; };
        v.fillChooser = [this](const QStringList& items, const QString& text) {
            log << QStringLiteral("chooser ") + items.join(QLatin1Char(',')) + QStringLiteral(" | ") + text;
        };
        v.showUploadToAlbum = [this](const QString& caption, bool visible) {
            log << QStringLiteral("caption ") + caption + (visible ? QStringLiteral(" shown") : QStringLiteral(" hidden"));
        };
        v.showHint = [this](int box, const QString& text, int top, int left) {
            log << QStringLiteral("hint %1 %2 %3 ").arg(box).arg(top).arg(left) + text;
        };
        v.hideHint = [this](int box) { log << QStringLiteral("hide %1").arg(box); };
        v.layOut = [this](const UploadLayout& l) { layouts << l; };
        v.lockPicZip = [this](bool locked, const QString& caption) {
            log << (locked ? QStringLiteral("lock ") : QStringLiteral("unlock ")) + caption;
        };
        RecordFrameView(logic.frameView, log);
        ASSERT_TRUE(UnsetRequiredHooks(v).isEmpty());
        ASSERT_TRUE(UnsetRequiredHooks(logic.frameView).isEmpty());
    }
    QStringList hints() const { return log.filter(QRegularExpression(QStringLiteral("^hint "))); }

    UploadWindowController logic;
    QStringList log;
    QList<UploadLayout> layouts;
};

TEST_F(UploadControllerTest, TheTutorialOpensOnTheFirstThreeLoadsOnly) {
    const struct {
        const char* before;
        bool opens;
        const char* after;
    } cases[] = {{"", true, "1"}, {"0", true, "1"}, {"2", true, "3"}, {"3", false, "3"}, {" 1", false, " 1"}};
    for (const auto& c : cases) {
        SetUserSetting(UcsTeachUpload, QString::fromUtf8(c.before));
        log.clear();
        logic.Form_Load();
        EXPECT_EQ(log.contains(QStringLiteral("tutorial")), c.opens) << c.before;
        EXPECT_EQ(GetUserSetting(UcsTeachUpload), QString::fromUtf8(c.after)) << c.before;
        EXPECT_TRUE(logic.WindowLoaded);
    }
}

TEST_F(UploadControllerTest, AnErrorEarlyInTheLoadSaysSoAndSkipsTheChooser) {
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    AlbumList = Albums({QStringLiteral("旅行")});
    logic.view.navigateAd = [](const QString&) { throw VbError(5, QStringLiteral("broken")); };
    logic.Form_Load();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("读取相册信息失败！请您稍后再试...")});
    EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
    EXPECT_FALSE(logic.WindowLoaded);
    EXPECT_TRUE(log.filter(QStringLiteral("chooser")).isEmpty());
}

TEST_F(UploadControllerTest, TheLoadStartsWithoutTheGroupsOfAnEarlierOpening) {
    logic.uploadSlots.SlotRotation[3] = 2;
    logic.uploadSlots.GroupFiles = QStringList{QStringLiteral("a.jpg")};
    logic.uploadSlots.GroupFileCount = 23;
    logic.uploadSlots.LastGroupIndex = 2;
    logic.uploadSlots.CurrentGroupIndex = 1;
    logic.uploadSlots.MoreGroupsPending = true;
    logic.Form_Load();
    EXPECT_EQ(logic.uploadSlots.SlotRotation[3], 0);
    EXPECT_TRUE(logic.uploadSlots.GroupFiles.isEmpty());
    EXPECT_EQ(logic.uploadSlots.GroupFileCount, 0);
    EXPECT_EQ(logic.uploadSlots.CurrentGroupIndex, 0);
    EXPECT_FALSE(logic.uploadSlots.MoreGroupsPending);
}

TEST_F(UploadControllerTest, TheAdvertisementCarriesTheMemberKeyPrefixAndVersion) {
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    logic.Form_Load();
    const QString expected = QStringLiteral("ad http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                             QStringLiteral("/pwtd/") + WeeklyFolderName(QDate::currentDate()) +
                             QStringLiteral("/upload.html?k1=") + LoginField(11) + QStringLiteral("&k2=") + LoginField(6) +
                             QStringLiteral("&k3=2.0");
    EXPECT_TRUE(log.contains(expected)) << log.join('\n').toStdString();
    SmallScreen = true;
    log.clear();
    logic.Form_Load();
    EXPECT_EQ(log.value(0), QStringLiteral("maximise"));
}

TEST_F(UploadControllerTest, ScrollHintInALowViewportUntilSwitchedOff) {
    const QString hint = QStringLiteral("hint 0 1680 10605 ") + uploadhints::ScrollHint();  // 15105 - 4500
    logic.Form_Resize(10680, 1050, 15360);  // 9630 high
    EXPECT_TRUE(hints().isEmpty());
    logic.Form_Resize(10680 - 1731, 1050, 15360);  // 7899
    EXPECT_EQ(hints(), QStringList{hint});
    EXPECT_EQ(logic.labMsgSN, QStringLiteral("27"));
    log.clear();
    logic.Form_Resize(8950, 1050, 15360);  // 7900 exactly
    EXPECT_TRUE(hints().isEmpty());
    SetUserSetting(UcsHintUploadScroll, QStringLiteral("1"));
    logic.Form_Resize(5000, 1050, 15360);
    EXPECT_TRUE(hints().isEmpty());
    ASSERT_FALSE(layouts.isEmpty());
    EXPECT_EQ(layouts.last().viewportHeight, 3950);
    EXPECT_EQ(layouts.last().scrollMax, 9630 - 3950);
}

TEST_F(UploadControllerTest, EachHintBoxSwitchesOffTheHintItShows) {
    logic.ShowHint(0, UcsHintUploadScroll, uploadhints::ScrollHint(), 1680, 10605);
    logic.ShowHint(1, UcsHintUploadStart, uploadhints::StartHint(), 5835, 9225);
    EXPECT_EQ(logic.labMsgSN, QStringLiteral("28"));  // still the hint shown last
    // Box 0 closed with its box ticked: 27 goes off, 28 stays on.
    logic.cmdClosOpeMsg_Click(0, true);
    EXPECT_EQ(GetUserSetting(UcsHintUploadScroll), QStringLiteral("1"));
    EXPECT_EQ(GetUserSetting(UcsHintUploadStart), QString());
    EXPECT_TRUE(log.contains(QStringLiteral("hide 0")));
    // Box 1 closed unticked stores nothing; ticked afterwards it has nothing left to store.
    logic.cmdClosOpeMsg_Click(1, false);
    EXPECT_EQ(GetUserSetting(UcsHintUploadStart), QString());
    logic.ShowHint(2, UcsHintNewAlbum, uploadhints::AlbumHint(), 585, 6375);
    logic.cmdClosOpeMsg_Click(2, true);
    EXPECT_EQ(GetUserSetting(UcsHintNewAlbum), QStringLiteral("1"));
    // A hint switched off is not shown again.
    log.clear();
    logic.ShowHint(0, UcsHintUploadScroll, uploadhints::ScrollHint(), 1680, 10605);
    EXPECT_TRUE(hints().isEmpty());
}

TEST_F(UploadControllerTest, ClosingShowsHintElevenOnTheMainWindowAndPutsTheParametersBack) {
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    frm上传Labels::picAlbumVisible = false;
    frm上传Labels::labWebDir = QStringLiteral("旅行");
    frm上传Labels::labUploadToAlbumVisible = true;
    frm上传Labels::cobAlbumItems = QStringList{QStringLiteral("旅行")};
    logic.Form_QueryUnload();
    EXPECT_EQ(log, QStringList{QStringLiteral("main 11 10 900 10605 提示：\r    您可以在“图片管理”功能中删除已经上传的图片。")});
    EXPECT_EQ(frm个人网站Labels::labUPloadType, QStringLiteral("0"));
    EXPECT_TRUE(frm上传Labels::picAlbumVisible);
    EXPECT_TRUE(frm上传Labels::labWebDir.isEmpty());
    EXPECT_FALSE(frm上传Labels::labUploadToAlbumVisible);
    EXPECT_TRUE(frm上传Labels::cobAlbumItems.isEmpty());

    SetUserSetting(UcsHintUploadClose, QStringLiteral("1"));
    log.clear();
    logic.Form_QueryUnload();
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(UploadControllerTest, WatermarkOptionLocksTheConversionAndUnlocksItAgain) {
    logic.cheWatermarkAndBorder_Click(true);
    logic.cheWatermarkAndBorder_Click(false);
    EXPECT_EQ(log, (QStringList{QStringLiteral("lock jpg、bmp图像在上传时转换成 600×600(像素)以内的图像。"),
                                QStringLiteral("unlock jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。")}));
}

TEST_F(UploadControllerTest, ViewPhotoOpensTheFileManagerEvenWhenTheListIsRefused) {
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    frm个人网站Labels::labViewType = QStringLiteral("2");
    emulator().scriptReply(QStringLiteral("GetDirInfo"), QStringLiteral("Error_0001"));
    logic.cmdViewPhoto_Click();
    EXPECT_EQ(emulator().calls(QStringLiteral("GetDirInfo")).size(), 1);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("读取相册信息失败！无法获得最新的相册信息，请您稍后再试。")});
    EXPECT_EQ(log, (QStringList{QStringLiteral("wait"), QStringLiteral("done"), QStringLiteral("files 0")}));
    log.clear();
    logic.cmdEditPic_Click();
    logic.cmdSetWaterMark_Click();
    EXPECT_EQ(log, (QStringList{QStringLiteral("editor"), QStringLiteral("watermark")}));
}

// The window itself, offscreen.
class UploadWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        SetUserSetting(UcsTeachUpload, QStringLiteral("3"));  // the advertisement band
        AlbumList = Albums({QStringLiteral("旅行"), QStringLiteral("www网站素材"), QStringLiteral("家人")});
    }
};

TEST_F(UploadWindowTest, OpenersSetTheModeTheLoadFollows) {
    // The album list the main window's commands read: a current cache, so no service call.
    QDir().mkpath(UserFolder + QStringLiteral("/data"));
    SetLoginField(7, QStringLiteral("2024-05-01 10:00:00"));
    WriteEncryptedText(QStringLiteral("旅行</F><//R>www网站素材</F><//R>家人</F><//R>DirInfo<///T>"),
                       UserFolder + QStringLiteral("/data/F01.dat"));
    WriteEncryptedText(LoginField(7) + QStringLiteral("</F><//R>DirTime<///T>"), UserFolder + QStringLiteral("/data/F02.dat"));
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    AlbumList = Table::null();

    MainWindowCommands commands;
    commands.view.refreshCell = [](int) {};
    using Open = std::function<void(QWidget*)>;
    const QStringList own{QStringLiteral("旅行"), QStringLiteral("家人")};
    const struct {
        const char* opener;
        std::function<void(const Open&)> run;
        bool chooser;
        QStringList items;
        QString text;
        QString caption;  // labUploadToAlbum, empty when hidden
        QString dirInfo;  // labDirInfo, empty when not looked at
    } cases[] = {
        {"main upload command",
         [&](const Open& open) {
             commands.windows.uploadWindow = open;
             commands.cmdUploadPic_Click();
         },
         true, own, QStringLiteral("旅行"), QStringLiteral("上传到相册[旅行]"), QString()},
        {"ten-picture album",
         [&](const Open& open) {
             commands.windows.uploadWindow = open;
             commands.cmdUploadAreaPic_Click(3);
         },
         false, {}, QString(), QString(),
         QStringLiteral("上传文件到相册[www个人主页十图滚动](若上传的图片多于10张则显示最后上传的10张)")},
        // What the album settings window presets for the album of a home-frame slot.
        {"album settings preset",
         [](const Open& open) {
             frm个人网站Labels::labUPloadType = QStringLiteral("1");
             frm上传Labels::labUploadToAlbum = QStringLiteral("上传文件到相册[家人]");
             frm上传Labels::labUploadToAlbumVisible = true;
             frm上传Labels::labWebDir = QStringLiteral("家人");
             frm上传Labels::cobAlbumItems = QStringList{QStringLiteral("旅行"), QStringLiteral("家人")};
             frm上传Labels::cobAlbumText = QStringLiteral("家人");
             open(nullptr);
         },
         true, own, QStringLiteral("家人"), QStringLiteral("上传文件到相册[家人]"), QString()},
        // After the album settings' upload window closed, the file manager's button writes nothing.
        {"file manager after the album settings", [](const Open& open) { open(nullptr); }, true, own,
         QStringLiteral("旅行"), QStringLiteral("上传到相册[旅行]"), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opener);
        int opened = 0;
        c.run([&](QWidget*) {
            ++opened;
            UploadWindow w;
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.frameView).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.frame.view).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.logic.run.view).isEmpty());
            EXPECT_TRUE(UnsetRequiredHooks(w.newAlbumView).isEmpty());
            EXPECT_EQ(w.windowTitle(), QStringLiteral("上传文件"));
            EXPECT_EQ(w.picAlbum->isVisibleTo(&w), c.chooser);
            EXPECT_EQ(Items(w.cobAlbum), c.items);
            EXPECT_EQ(w.cobAlbum->currentText(), c.text);
            EXPECT_EQ(w.labUploadToAlbumCaption->isVisibleTo(&w), !c.caption.isEmpty());
            if (!c.caption.isEmpty()) {
                EXPECT_EQ(w.labUploadToAlbumCaption->text(), c.caption);
            }
            if (!c.dirInfo.isEmpty()) {
                EXPECT_EQ(w.labDirInfoCaption->text(), c.dirInfo);
            }
            for (int r = 1; r <= 10; ++r) EXPECT_EQ(w.grdUpLoad->item(r, 0)->text(), QString::number(r));
            EXPECT_TRUE(w.logic.WindowLoaded);
            w.reject();
        });
        EXPECT_EQ(opened, 1);
    }
}

TEST_F(UploadWindowTest, ChooserWithoutOwnAlbums) {
    AlbumList = Table::null();
    {
        UploadWindow w;
        EXPECT_EQ(w.cobAlbum->count(), 0);
        EXPECT_FALSE(w.labUploadToAlbumCaption->isVisibleTo(&w));
        w.reject();
    }
    AlbumList = Albums({QStringLiteral("www网站素材"), QStringLiteral("WWW个人主页十图滚动")});
    UploadWindow w;
    EXPECT_EQ(w.cobAlbum->count(), 0);
    EXPECT_EQ(w.cobAlbum->currentText(), QString());
    EXPECT_TRUE(w.labUploadToAlbumCaption->isVisibleTo(&w));
    EXPECT_EQ(w.labUploadToAlbumCaption->text(), QStringLiteral("上传到相册[]"));
    // Choosing an album names it.
    w.cobAlbum->addItem(QStringLiteral("新相册"));
    w.cobAlbum->setCurrentIndex(0);
    w.cobAlbum_Click();
    EXPECT_EQ(w.labUploadToAlbumCaption->text(), QStringLiteral("上传到相册[新相册]"));
    w.reject();
}

TEST_F(UploadWindowTest, TutorialPanelPushesTheViewportDownAndClosingPutsItBack) {
    SetUserSetting(UcsTeachUpload, QString());
    UploadWindow w;
    EXPECT_EQ(GetUserSetting(UcsTeachUpload), QStringLiteral("1"));
    EXPECT_TRUE(w.tutorialShown());
    EXPECT_EQ(w.teachpicTeach->teachlabPlayFlag, QStringLiteral("1"));
    EXPECT_TRUE(w.teachpicTeach->teachTimer1->isActive());
    const int band = Twips(w.teachpicTeach->height());
    EXPECT_EQ(Twips(w.picBox->y()), band);
    EXPECT_EQ(Twips(w.picBox->height()), Twips(w.height()) - band);
    EXPECT_TRUE(w.vscPicBox->isVisibleTo(&w));
    // The canvas, and the room it made for the scroll hint where no place beside the bar was free.
    const int room = w.picFrame->height() - twips::ToPixels(uploadframe::kFrameHeight);
    EXPECT_EQ(w.vscPicBox->maximum(), twips::ToPixels(uploadframe::kFrameHeight - Twips(w.picBox->height())) + room);
    // A viewport below 7900 twips brings the scroll hint.
    EXPECT_TRUE(w.hintBoxes[0].picOpeMsg->isVisibleTo(&w));
    EXPECT_EQ(w.hintBoxes[0].labOpeMsg->text(), uploadhints::ScrollHint());

    w.cmdCloseTeach_Click();
    EXPECT_FALSE(w.tutorialShown());
    EXPECT_FALSE(w.teachpicTeach->teachTimer1->isActive());
    EXPECT_EQ(GetUserSetting(UcsTeachUpload), QStringLiteral("3"));
    EXPECT_EQ(Twips(w.picBox->y()), uploadframe::kBandHeight);
    EXPECT_FALSE(w.vscPicBox->isVisibleTo(&w));
    // Scrolling moves the canvas.
    w.resize(w.width(), twips::ToPixels(6000));
    w.Form_Resize();  // a hidden window gets its resize event only when shown
    ASSERT_TRUE(w.vscPicBox->isVisibleTo(&w));
    w.vscPicBox->setValue(40);
    EXPECT_EQ(w.picFrame->y(), -40);
    w.reject();
}

TEST_F(UploadWindowTest, ConversionOptionLockAndClosingHintBoxes) {
    UploadWindow w;
    w.chkPicZIP->setChecked(false);
    w.cheWatermarkAndBorder->setChecked(true);
    EXPECT_TRUE(w.chkPicZIP->isChecked());
    EXPECT_FALSE(w.picPicZip->isEnabled());
    EXPECT_TRUE(w.imgLock->isVisibleTo(&w));
    w.cheWatermarkAndBorder->setChecked(false);
    EXPECT_TRUE(w.chkPicZIP->isChecked());
    EXPECT_TRUE(w.picPicZip->isEnabled());
    EXPECT_FALSE(w.imgLock->isVisibleTo(&w));

    w.logic.ShowHint(1, UcsHintUploadStart, uploadhints::StartHint(), 5835, 9225);
    ASSERT_TRUE(w.hintBoxes[1].picOpeMsg->isVisibleTo(&w));
    EXPECT_EQ(w.hintBoxes[1].labOpeMsg->font().pointSize(), 11);
    w.hintBoxes[1].chkIKnowOpe->setChecked(true);
    w.hintBoxes[1].imgCloseOpe->click();
    EXPECT_FALSE(w.hintBoxes[1].picOpeMsg->isVisibleTo(&w));
    EXPECT_EQ(GetUserSetting(UcsHintUploadStart), QStringLiteral("1"));
    w.reject();
}

TEST_F(UploadWindowTest, OpeningWhileOneIsOpenReturnsAtOnce) {
    UploadWindow w;
    OpenUploadWindow(nullptr);  // would block in its modal loop if it opened a second one
    EXPECT_EQ(UploadWindow::loaded(), &w);
    w.reject();
}

TEST_F(UploadWindowTest, EveryTextHasItsGlyphsAndTheBusyPanelItsPicture) {
    UploadWindow w;
    EXPECT_EQ(testsupport::WidgetsWithMissingGlyphs(&w), QStringList());
    EXPECT_FALSE(w.imgWait->pixmap().isNull());
    EXPECT_FALSE(w.imgLock->pixmap().isNull());
    w.reject();
}

TEST_F(UploadWindowTest, TheBandShowsTheWeeksUploadPage) {
    UploadWindow w;
    w.show();
    const QString url = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                        QStringLiteral("/pwtd/") + WeeklyFolderName(QDate::currentDate()) + QStringLiteral("/upload.html?k1=") +
                        LoginField(11) + QStringLiteral("&k2=") + LoginField(6) + QStringLiteral("&k3=2.0");
    EXPECT_EQ(w.webAD->LocationURL(), url);
    ASSERT_EVENTUALLY(w.webAD->hasDocument() && !w.webAD->isLoading(), 30000);
    const QString text = w.webAD->documentTextSync();
    EXPECT_TRUE(text.contains(QStringLiteral("上传照片"))) << text.toStdString();
    EXPECT_EQ(w.webAD->runScriptSync(QStringLiteral("document.body.dataset.k1")).toString(), LoginField(11));
    EXPECT_TRUE(prompts.messages().isEmpty());
    w.reject();
}

TEST_F(UploadWindowTest, ScreenshotWarningOpensOnlyUntilSwitchedOff) {
    frm个人网站Labels::labUploadJM = QStringLiteral("1");
    ModalWatcher<ScreenshotWarningWindow> watcher([](ScreenshotWarningWindow* w) {
        EXPECT_EQ(w->Label2[4]->text(), QStringLiteral("持在上完毕之前，不要在屏幕上显示其它程序的运行界面。"));
        w->chkIKnow->setChecked(true);
        w->cmdYes->click();
    });
    ShowScreenshotWarning(nullptr);
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(GetUserSetting(UcsHintScreenshotUpload), QStringLiteral("1"));
    ShowScreenshotWarning(nullptr);  // returns at once: nothing to wait for
    EXPECT_EQ(watcher.seen(), 1);
}

TEST_F(UploadWindowTest, ScreenshotWarningStoresTheSettingOfTheAskingWindow) {
    const struct {
        const char* jm;
        int setting;
    } cases[] = {{"1", UcsHintScreenshotUpload}, {"2", UcsHintScreenshotSized}, {"3", UcsHintScreenshotSingle}, {"4", 0}};
    const int all[] = {UcsHintScreenshotUpload, UcsHintScreenshotSized, UcsHintScreenshotSingle};
    for (const auto& c : cases) {
        for (int id : all) SetUserSetting(id, QString());
        frm个人网站Labels::labUploadJM = QString::fromLatin1(c.jm);
        EXPECT_EQ(ScreenshotWarningWanted(), c.setting != 0) << c.jm;
        {
            ScreenshotWarningWindow closed;
            closed.chkIKnow->setChecked(true);
            closed.reject();  // the close box
        }
        for (int id : all) EXPECT_EQ(GetUserSetting(id), QString()) << c.jm;
        ScreenshotWarningWindow unticked;
        unticked.cmdYes->click();
        for (int id : all) EXPECT_EQ(GetUserSetting(id), QString()) << c.jm;
        ScreenshotWarningWindow w;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("提示"));
        w.chkIKnow->setChecked(true);
        w.cmdYes->click();
        for (int id : all) EXPECT_EQ(GetUserSetting(id), id == c.setting ? QStringLiteral("1") : QString()) << c.jm << " " << id;
        EXPECT_FALSE(ScreenshotWarningWanted());
    }
}

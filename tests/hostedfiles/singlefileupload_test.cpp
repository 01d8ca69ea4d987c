// The replacement window's rules without its window: the chooser's filter, the size and type
// rules of a chosen file, the preview fit, the turn count, the upload route, the failure messages,
// the cache upkeep after a reply, and the window logic's choosing, turning and option steps.
#include <gtest/gtest.h>

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "hostedfiles/singlefileupload.h"
#include "platform/hookcheck.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/singlefileuploadlabels.h"
#include "state/sitewindowlabels.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>

using namespace testsupport;

namespace {

constexpr qint64 k500Kb = 513536;  // (513536 / 1024 - 1) = 500.5, rounded to the even 500

// A file of n bytes under the test's data root.
QString FileOf(const QString& root, const QString& name, qint64 n) {
    const QString path = root + QLatin1Char('/') + name;
    writeFile(path, QByteArray(n, 'x'));
    return path;
}

// Every hook of the view, recording what the logic asks of its window.
struct FakeWindow {
    QString path;
    bool enabled = true;
    bool turnsEnabled = false;
    bool leftEnabled = false, rightEnabled = false;
    bool picZip = true, watermark = false;
    bool locked = false;
    QString zipCaption;
    QString selectInfo;
    QString shown;           // "preview:<path>", "swf1", "png1", "" after a clear
    bool loadWorks = true;
    QList<float> turnedAngles;
    int watermarkDialogs = 0;
    bool searchEnabled = true;
    bool waitShown = false;

    void wire(SingleFileUploadView& v) {
        v.pathText = [this] { return path; };
        v.setPath = [this](const QString& p) { path = p; };
        v.enableWindow = [this](bool on) { enabled = on; };
        v.doEvents = [] {};
        v.showListPicture = [this](ChosenShow k) { shown = k == ChosenShow::FlashPicture ? "swf1" : "png1"; };
        v.fitPreview = [this](const QString& p) { shown = QStringLiteral("preview:") + p; };
        v.clearPreview = [this] { shown.clear(); };
        v.enableTurns = [this](bool on) { leftEnabled = rightEnabled = turnsEnabled = on; };
        v.enableTurnButton = [this](int step, bool on) { (step < 0 ? leftEnabled : rightEnabled) = on; };
        v.loadTurnSource = [this](const QString&) { return loadWorks; };
        v.showTurned = [this](float a, const QString&) {
            turnedAngles << a;
            return true;
        };
        v.setSelectInfo = [this](const QString& t) { selectInfo = t; };
        v.watermarkTicked = [this] { return watermark; };
        v.picZipTicked = [this] { return picZip; };
        v.lockPicZip = [this](bool l, const QString& c) {
            if (l) picZip = true;
            locked = l;
            zipCaption = c;
        };
        v.openWatermarkSettings = [this] { ++watermarkDialogs; };
        v.showScreenshotWarning = [] {};
        v.enableSearch = [this](bool on) { searchEnabled = on; };
        v.enableUpload = [](bool) {};
        v.showWait = [this](bool s, const QString&) { waitShown = s; };
        v.setUploadNow = [](const QString&) {};
        v.runComposer = [] {};
        v.renderThumbnail = [](const QString&, const QString&, const QString&) { return false; };
        v.showInFileManager = [](int, const QString&) {};
        v.clearTurnPreview = [] {};
        v.closeWindow = [] {};
    }
};

class SingleFileUploadControllerTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("tavdemo"));
        fake.wire(logic.view);
        frm上传单个文件Labels::labWebPath = QStringLiteral("http://img1.sitehost.test/space/f/旅行/a.jpg");
    }
    // The chooser answers path.
    void choose(const QString& path) {
        prompts.answerText(path);
        logic.cmdSearch_Click();
    }
    FakeWindow fake;
    SingleFileUploadController logic;
};

}  // namespace

TEST(ReplacementChooser, OffersTheHostedFilesEndingInAnyLetterCase) {
    EXPECT_EQ(ReplacementChooserFilter(QStringLiteral("http://img1.sitehost.test/space/f/相册/a.gif")),
              QStringLiteral("图像文件(*.gif) (*.[gG][iI][fF])"));
    EXPECT_EQ(ReplacementChooserFilter(QStringLiteral("http://h/x/B.JPG")), QStringLiteral("图像文件(*.jpg) (*.[jJ][pP][gG])"));
}

TEST(ReplacementSizeRule, CountsKilobytesAsTheServiceDoes) {
    EXPECT_EQ(UploadSizeKb(k500Kb), 500);
    EXPECT_EQ(UploadSizeKb(k500Kb + 1), 501);
    EXPECT_EQ(UploadSizeKb(1536), 0);   // 0.5 goes to the even 0
    EXPECT_EQ(UploadSizeKb(2560), 2);   // 1.5 goes to the even 2
}

TEST_F(SingleFileUploadControllerTest, ChosenFilesAreAcceptedOrRefusedByTypeSizeAndTheFitOption) {
    const QString tooLarge = QStringLiteral(" 的大小超出500K。\r\r");
    const QString editFirst = QStringLiteral("请您先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再上传。");
    const QString cannot = QStringLiteral("无法上传此文件。");
    const QString notice = QStringLiteral("文件大于500k，上传时将转换成 600×600 (像素)以内的图像。");
    const struct {
        const char* ext;
        bool large;
        bool picZip;
        QString refusal;   // the message's tail, empty when accepted
        ChosenShow show;
        bool turns;
        bool notice;
    } cases[] = {
        {".jpg", false, true, {}, ChosenShow::Preview, true, false},
        {".jpg", true, true, {}, ChosenShow::Preview, true, true},
        {".jpg", true, false, tooLarge + editFirst, ChosenShow::Nothing, false, false},
        {".bmp", false, false, {}, ChosenShow::Preview, true, false},
        {".bmp", true, true, {}, ChosenShow::Preview, true, true},
        {".bmp", true, false, tooLarge + editFirst, ChosenShow::Nothing, false, false},
        {".gif", false, true, {}, ChosenShow::Preview, false, false},
        {".gif", true, true, tooLarge + editFirst, ChosenShow::Nothing, false, false},
        {".gif", true, false, tooLarge + editFirst, ChosenShow::Nothing, false, false},
        {".png", false, true, {}, ChosenShow::PngPicture, false, false},
        {".png", true, true, tooLarge + cannot, ChosenShow::Nothing, false, false},
        {".swf", false, false, {}, ChosenShow::FlashPicture, false, false},
        {".swf", true, true, tooLarge + cannot, ChosenShow::Nothing, false, false},
        {".txt", true, true, {}, ChosenShow::Nothing, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 large=%2 zip=%3").arg(c.ext).arg(c.large).arg(c.picZip).toStdString());
        const QString path = FileOf(root(), QStringLiteral("f") + QLatin1String(c.ext), c.large ? k500Kb + 1 : k500Kb);
        const ChosenFileVerdict v = JudgeChosenFile(path, c.picZip);
        EXPECT_EQ(v.refused, !c.refusal.isEmpty());
        EXPECT_EQ(v.message, c.refusal.isEmpty() ? QString() : QStringLiteral("错误！文件：") + path + c.refusal);
        EXPECT_EQ(v.show, c.show);
        EXPECT_EQ(v.enableTurns, c.turns);
        EXPECT_EQ(v.selectInfo, c.notice ? notice : QString());
    }
}

TEST_F(SingleFileUploadControllerTest, ARefusedChoiceShowsItsMessageAndEmptiesThePath) {
    const QString missing = root() + QStringLiteral("/没有.jpg");
    choose(QStringLiteral(" ") + missing);
    const QString big = FileOf(root(), QStringLiteral("big.gif"), k500Kb + 1);
    choose(big);
    ASSERT_EQ(prompts.records().size(), 4);  // two choosers, two messages
    EXPECT_EQ(prompts.records()[0].dir, QString());
    EXPECT_EQ(prompts.messages(),
              (QStringList{QStringLiteral("错误！文件：") + missing + QStringLiteral(" 不存在。"),
                           QStringLiteral("错误！文件：") + big +
                               QStringLiteral(" 的大小超出500K。\r\r请您先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再上传。")}));
    EXPECT_EQ(prompts.records()[1].style, vbInformation);
    EXPECT_EQ(prompts.records()[1].title, QString());
    EXPECT_EQ(fake.path, QString());
    EXPECT_TRUE(fake.enabled);
    EXPECT_FALSE(fake.turnsEnabled);
}

TEST(ReplacementPreview, FitsTheLongerSideInto1500TwipsAndCentres) {
    const struct {
        int w, h;  // pixels
        int left, top, width, height;  // twips
    } cases[] = {
        {2000, 1000, 0, 375, 1500, 750},
        {50, 80, 375, 150, 750, 1200},
        {100, 100, 0, 0, 1500, 1500},
        {1000, 3000, 500, 0, 500, 1500},
        {101, 100, 0, 7, 1500, 1485},  // 1500 × 1500 / 1515 = 1485.1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.w).arg(c.h).toStdString());
        const TwipsRect r = PreviewFit(c.w * 15, c.h * 15);
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.top, c.top);
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, c.height);
    }
}

TEST_F(SingleFileUploadControllerTest, TurnsCountQuarterTurnsAndChoosingStartsAgain) {
    const QString jpg = FileOf(root(), QStringLiteral("a.jpg"), 100);
    choose(jpg);
    EXPECT_EQ(fake.shown, QStringLiteral("preview:") + jpg);
    EXPECT_TRUE(fake.leftEnabled && fake.rightEnabled);
    for (int i = 0; i < 4; ++i) logic.Turn(+1);
    EXPECT_EQ(logic.TurnCount, 0);
    EXPECT_EQ(fake.turnedAngles, (QList<float>{90, 180, 270, 0}));
    logic.Turn(-1);
    EXPECT_EQ(logic.TurnCount, -1);
    logic.Turn(+1);
    EXPECT_EQ(logic.TurnCount, 0);
    EXPECT_TRUE(fake.leftEnabled && fake.rightEnabled);

    logic.Turn(+1);
    prompts.answerText(QString());  // cancelled: the turn stays
    logic.cmdSearch_Click();
    EXPECT_EQ(logic.TurnCount, 1);
    EXPECT_TRUE(fake.enabled);
    choose(jpg);  // the same file again starts unturned
    EXPECT_EQ(logic.TurnCount, 0);

    // A picture that does not load leaves the count and the button as they were.
    fake.loadWorks = false;
    logic.Turn(+1);
    EXPECT_EQ(logic.TurnCount, 0);
    EXPECT_TRUE(fake.rightEnabled);
}

TEST_F(SingleFileUploadControllerTest, TheWatermarkOptionLocksTheFitOptionTickedAndClearingLeavesItTicked) {
    fake.picZip = false;
    logic.cheWatermarkAndBorder_Click(true);
    EXPECT_TRUE(fake.picZip);
    EXPECT_TRUE(fake.locked);
    EXPECT_EQ(fake.zipCaption, QStringLiteral("jpg、bmp图像在上传时转换成 600×600(像素)以内的图像。"));
    logic.cheWatermarkAndBorder_Click(false);
    EXPECT_TRUE(fake.picZip);
    EXPECT_FALSE(fake.locked);
    EXPECT_EQ(fake.zipCaption, QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。"));
    logic.cmdSetWaterMark_Click();
    EXPECT_EQ(fake.watermarkDialogs, 1);
}

TEST_F(SingleFileUploadControllerTest, ReselectingForgetsTheChoiceButKeepsTheNotice) {
    choose(FileOf(root(), QStringLiteral("big.jpg"), k500Kb + 1));
    logic.Turn(+1);
    fake.searchEnabled = false;
    fake.waitShown = true;
    logic.cmdReSelect_Click();
    EXPECT_EQ(fake.path, QString());
    EXPECT_EQ(fake.shown, QString());
    EXPECT_TRUE(fake.searchEnabled);
    EXPECT_FALSE(fake.turnsEnabled);
    EXPECT_FALSE(fake.waitShown);
    EXPECT_EQ(logic.TurnCount, 0);
    EXPECT_EQ(fake.selectInfo, QStringLiteral("文件大于500k，上传时将转换成 600×600 (像素)以内的图像。"));
}

TEST(ReplacementRoute, PicturesGoThroughTheComposerWhenMarkedTurnedOrLarge) {
    using R = UploadRoute;
    const struct {
        const char* ext;
        qint64 kb;
        bool watermark, picZip;
        int turns;
        R route;
    } cases[] = {
        {".jpg", 300, false, true, 0, R::AsChosen},
        {".jpg", 300, false, false, 2, R::PrepareFitOnly},  // turned: only the composer turns it
        {".bmp", 300, false, true, -1, R::PrepareFitOnly},
        {".jpg", 300, true, true, 2, R::PrepareWithOverlays},
        {".bmp", 10, true, true, 0, R::PrepareWithOverlays},
        {".jpg", 501, false, true, 0, R::PrepareFitOnly},
        {".bmp", 501, false, false, 0, R::TooLarge},
        {".gif", 200, true, true, 0, R::AsChosen},
        {".gif", 501, false, true, 0, R::TooLarge},
        {".png", 500, true, true, 0, R::AsChosen},
        {".swf", 501, false, true, 0, R::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 KB wm=%3 zip=%4 turns=%5").arg(c.ext).arg(c.kb).arg(c.watermark).arg(c.picZip).arg(c.turns).toStdString());
        EXPECT_EQ(DecideUploadRoute(QLatin1String(c.ext), c.kb, c.watermark, c.picZip, c.turns), c.route);
    }
}

TEST(ReplacementMessages, EachReplyHasItsMessage) {
    const QStringList replies{QStringLiteral("Error_0000"), QStringLiteral("Error_0001"), QStringLiteral("Error_0002"),
                              QStringLiteral("Error_0003"), QStringLiteral("Error_0004"), QStringLiteral("Error_0005"),
                              QStringLiteral("文件不存在，上传失败！"), QStringLiteral("不支持此文件类型上传。"),
                              QStringLiteral("Error_0009"), QStringLiteral("")};
    const QStringList messages{
        QStringLiteral("错误 0000，上传失败：网络中断，请稍候再试。"),
        QStringLiteral("错误 0001，上传失败。"),
        QStringLiteral("错误 0002，上传失败。"),
        QStringLiteral("错误 0003，上传失败。"),
        QStringLiteral("错误 0004：上传失败！网络空间已满，请您删除部份文件或扩容后再试。"),
        QStringLiteral("错误 0005：上传失败！网络空间已过期，请您给网络空间继费后再试。"),
        QStringLiteral("文件不存在，上传失败！"),
        QStringLiteral("不支持此文件类型上传，上传失败！"),
        QStringLiteral("错误 0006：上传失败！意外错误，请您重新登录本软件再试。"),
        QStringLiteral("错误 0006：上传失败！意外错误，请您重新登录本软件再试。")};
    for (int i = 0; i < replies.size(); ++i) EXPECT_EQ(ReplacementFailureMessage(replies[i]), messages[i]) << i;
}

namespace {
class ReplacementCacheTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("tavdemo"));
        QDir().mkpath(UserFolder + QStringLiteral("/data"));
        AlbumList = ParseTableText(QStringLiteral("DirInfo"),
                                   QStringLiteral("旅行</F>2</F>t</F>1</F></F></F>S1</F><//R>家</F>0</F>t</F>0</F></F></F>S2</F><//R>DirInfo<///T>"));
        // F01.dat as the album-list read leaves it: both tables.
        WriteEncryptedText(TableToText(AlbumList, QStringLiteral("DirInfo")) +
                               QStringLiteral("家</F></F><//R>HomeAlbum<///T>"),
                           AlbumCachePath(AlbumListFileName));
        AlbumFiles = Table(2, 10);
        AlbumFiles.set(0, 0, kAddressA);
        AlbumFiles.set(1, 0, kAddressB);
        for (int r = 0; r < 2; ++r)
            for (int f = 1; f < 10; ++f) AlbumFiles.set(r, f, QStringLiteral("old%1").arg(f));
    }
    static QString Reply(const QString& stamp = QStringLiteral("S9")) {
        return QStringLiteral("OK_0001_12{/F}3456{/F}640{/F}480{/F}") + stamp + QStringLiteral("{/F}{//R}NewFile{///T}");
    }
    const QString kAddressA = QStringLiteral("http://img1.sitehost.test/space/f/旅行/a.gif");
    const QString kAddressB = QStringLiteral("http://img1.sitehost.test/space/f/旅行/b.jpg");
};
}  // namespace

TEST_F(ReplacementCacheTest, TheFilesRowAndTheAlbumStampFollowTheReply) {
    for (const QString& flag : {QStringLiteral("0"), QStringLiteral("1")}) {
        SCOPED_TRACE(flag.toStdString());
        SetUp();
        frm个人网站Labels::labDownDirFlag = flag;
        const QByteArray f01 = readFile(AlbumCachePath(AlbumListFileName));
        RecordReplacement(Reply(), QStringLiteral("旅行"), kAddressB);
        EXPECT_EQ(AlbumFiles.row(1), (QStringList{kAddressB, QStringLiteral("old1"), QStringLiteral("12"),
                                                   QStringLiteral("old3"), QStringLiteral("3456"), QStringLiteral("old5"),
                                                   QStringLiteral("old6"), QStringLiteral("640"), QStringLiteral("480"),
                                                   QStringLiteral("old9")}));
        EXPECT_EQ(AlbumFiles.value(0, 2), QStringLiteral("old2"));
        EXPECT_EQ(ReadTableFile(AlbumFileListPath(QStringLiteral("旅行")), QStringLiteral("FileInfo")), AlbumFiles);
        const Table cachedAlbums = ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("DirInfo"));
        if (flag == u"1") {
            EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("S9"));
            EXPECT_EQ(cachedAlbums.value(0, 6), QStringLiteral("S9"));
            EXPECT_EQ(ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("HomeAlbum")).value(0, 0),
                      QStringLiteral("家"));
        } else {
            EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("S1"));
            EXPECT_EQ(readFile(AlbumCachePath(AlbumListFileName)), f01);
        }
    }
}

TEST_F(ReplacementCacheTest, AReplyWithoutNewFileOrAnUnlistedAddressWritesNoFileList) {
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    const Table before = AlbumFiles;
    RecordReplacement(QStringLiteral("OK_0001_"), QStringLiteral("旅行"), kAddressA);
    EXPECT_EQ(AlbumFiles, before);
    EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("S1"));
    RecordReplacement(Reply(), QStringLiteral("旅行"), QStringLiteral("http://img1.sitehost.test/space/f/旅行/c.gif"));
    EXPECT_EQ(AlbumFiles, before);
    EXPECT_FALSE(QFileInfo::exists(AlbumFileListPath(QStringLiteral("旅行"))));
    EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("S9"));  // the album's stamp still moves on
}

TEST_F(ReplacementCacheTest, AFileListThatCannotBeWrittenLeavesBothCachesAsTheyWere) {
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    // A folder where the album's cache file should be: the write fails.
    QDir().mkpath(AlbumFileListPath(QStringLiteral("旅行")));
    const Table files = AlbumFiles;
    EXPECT_THROW(RecordReplacement(Reply(), QStringLiteral("旅行"), kAddressA), VbError);
    EXPECT_EQ(AlbumFiles, files);
    EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("S1"));
    EXPECT_EQ(ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("DirInfo")).value(0, 6), QStringLiteral("S1"));
}

TEST_F(SingleFileUploadControllerTest, TheLocalThumbnailsAlbumAndNameAreSafePathComponents) {
    const QString folder = UserFolder + QStringLiteral("/UpLoadPicture/");
    EXPECT_EQ(LocalThumbnailPath(QStringLiteral("旅行"), QStringLiteral("a"), QStringLiteral(".jpg")),
              folder + QStringLiteral("旅行/a.jpg"));
    EXPECT_EQ(LocalThumbnailPath(QStringLiteral(".."), QStringLiteral("../x"), QStringLiteral(".gif")),
              folder + QStringLiteral("_/.._x.gif"));
}

TEST_F(SingleFileUploadControllerTest, TheReplaceCommandNamesTheCellOrListTabAndTheStoredNameWithoutItsEnding) {
    FillReplacementLabels(7, QStringLiteral("旅行"), QStringLiteral("IMG_1.JPG"), QStringLiteral("http://h/旅行/IMG_1.JPG"));
    EXPECT_EQ(frm上传单个文件Labels::labIndex, QStringLiteral("7"));
    EXPECT_EQ(frm上传单个文件Labels::labWebDir, QStringLiteral("旅行"));
    EXPECT_EQ(frm上传单个文件Labels::labFileName, QStringLiteral("IMG_1"));
    EXPECT_EQ(frm上传单个文件Labels::labWebPath, QStringLiteral("http://h/旅行/IMG_1.JPG"));
    FillReplacementLabels(15, QStringLiteral("家"), QStringLiteral("ab"), QString());
    EXPECT_EQ(frm上传单个文件Labels::labIndex, QStringLiteral("15"));
    EXPECT_EQ(frm上传单个文件Labels::labFileName, QString());
}

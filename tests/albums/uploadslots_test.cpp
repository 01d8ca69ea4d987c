// The upload slots of both upload windows: choosing files, the check pass and its rules, the
// overflow into groups, clearing, quarter turns, the big view, the recent-upload ring and the
// sized window's crop hand-off.
#include "albums/ui/uploadwindow.h"
#include "albums/uploadslots.h"
#include "foundation/settings.h"
#include "imaging/ui/cropwindow.h"
#include "imaging/ui/imaging_entry.h"
#include "imaging/ui/previewbox.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"
#include "support/fixtures.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <map>

using namespace testsupport;

namespace {
const QChar CR(QLatin1Char('\r'));

// A picture whose left half is red and right half blue: a turn shows where the red went.
QImage Halves(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}
bool Reddish(QRgb c) { return qRed(c) > 180 && qBlue(c) < 80; }
bool Bluish(QRgb c) { return qBlue(c) > 180 && qRed(c) < 80; }

QString MakePicture(const QString& path, int w, int h) {
    EXPECT_TRUE(Halves(w, h).save(path)) << path.toStdString();
    return path;
}

// Paths with the lengths and picture sizes a test gives; anything else is missing.
struct FakeDisk {
    std::map<QString, qint64> lengths;
    std::map<QString, QSize> sizes;
    SlotProbe probe() {
        SlotProbe p;
        p.exists = [this](const QString& path) { return lengths.count(path) > 0; };
        p.length = [this](const QString& path) { return lengths.at(path); };
        p.pictureSize = [this](const QString& path) { return sizes.count(path) ? sizes.at(path) : QSize(40, 30); };
        p.decode = [this](const QString& path, int) {
            const QSize s = sizes.count(path) ? sizes.at(path) : QSize(40, 30);
            return Halves(std::max(1, std::min(s.width(), 300)), std::max(1, std::min(s.height(), 300)));
        };
        return p;
    }
    void add(const QString& path, qint64 length, QSize size = QSize(40, 30)) {
        lengths[path] = length;
        sizes[path] = size;
    }
};

// The slots' logic on a recording view.
class SlotsTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("alice"));
        frm上传Labels::picAlbumVisible = true;
        // Pictures of the sized window fit unless a test asks for a cut.
        frm个人网站Labels::labWidth = QStringLiteral("9000");
        frm个人网站Labels::labHeight = QStringLiteral("9000");
    }
    void wire(UploadSlotsController& l) {
        UploadSlotsView& v = l.view;
        v.showSlot = [](int) {};
        v.setBusy = [this](bool busy) { log << (busy ? QStringLiteral("busy") : QStringLiteral("idle")); };
        v.showUploadInfo = [this](bool shown) { log << (shown ? QStringLiteral("info") : QStringLiteral("no info")); };
        v.showBigView = [] {};
        v.showRing = [] {};
        v.turnedPreview = [](const QImage& source, int degrees) { return source.transformed(QTransform().rotate(degrees)); };
        v.showUploadReady = [this] { log << QStringLiteral("ready"); };
        v.picZipTicked = [this] { return picZip; };
        v.showStartHint = [this] { log << QStringLiteral("hint 28"); };
        v.openCropDialog = [this] { log << QStringLiteral("crop"); };
        EXPECT_TRUE(UnsetRequiredHooks(v).isEmpty());
        l.probe = disk.probe();
    }
    // Chooses files through the browse button of a slot.
    void choose(UploadSlotsController& l, int index, const QStringList& files) {
        prompts.answerText(files.join(QLatin1Char('\n')));
        l.cmdSearch_Click(index);
    }
    static QStringList Paths(int from, int to) {
        QStringList p;
        for (int k = from; k <= to; ++k) p << QStringLiteral("/photos/%1.jpg").arg(k);
        return p;
    }

    UploadSlotsController album{UploadVariant::Album};
    UploadSlotsController sized{UploadVariant::Sized};
    FakeDisk disk;
    QStringList log;
    bool picZip = false;
};
}  // namespace

TEST(FitIntoSquareRule, LongerSideTakesTheSideAndSmallPicturesStay) {
    const struct {
        double w, h;
        int L;
        QSize fitted;
    } cases[] = {
        {1200, 900, 600, {600, 450}}, {900, 1200, 600, {450, 600}}, {300, 200, 600, {300, 200}},
        {601, 601, 600, {600, 600}},  {600, 600, 600, {600, 600}},  {4515, 33000, 4500, {616, 4500}},
        {4500, 4500, 4500, {4500, 4500}}, {3375, 4500, 600, {450, 600}},
        {900, 1, 600, {600, 1}},      // 0.67 rounds to 1
        {0, 0, 600, {0, 0}},          {15, 300000, 600, {0, 600}}, {300000, 15, 600, {600, 0}},
        {0, 9000, 600, {0, 600}},
    };
    for (const auto& c : cases) EXPECT_EQ(FitIntoSquare(c.w, c.h, c.L), c.fitted) << c.w << " x " << c.h << " in " << c.L;
}

TEST(SlotFileRules, SizeValueAndTypeOfAPath) {
    EXPECT_EQ(SlotSizeValue(513536), 500);  // 500.5 goes to the even neighbour
    EXPECT_EQ(SlotSizeValue(513537), 501);
    EXPECT_EQ(SlotSizeValue(0), -1);
    EXPECT_EQ(SlotSizeValue(1536), 0);  // 0.5 to 0
    EXPECT_EQ(SlotFileType(QStringLiteral("/a/B.JPG")), ".jpg");
    EXPECT_EQ(SlotFileType(QStringLiteral("/a/b.jpeg")), "");
    EXPECT_EQ(SlotFileType(QStringLiteral("/a/b.Swf")), ".swf");
    EXPECT_EQ(SlotFileType(QStringLiteral("/a/b.tiff")), "");
}

TEST(FileDialogFilter, RuntimeFormBecomesQtsWithUpperCasePatterns) {
    EXPECT_EQ(QtFileFilter(QStringLiteral("图像文件(*.jpg;*.gif)|*.jpg;*.gif|BMP文件(*.bmp)|*.bmp")),
              QStringLiteral("图像文件(*.jpg;*.gif) (*.jpg *.JPG *.gif *.GIF);;BMP文件(*.bmp) (*.bmp *.BMP)"));
    EXPECT_TRUE(QtFileFilter(uploadslots::FilterWithFlash()).contains(QStringLiteral("Flash文件(*.swf) (*.swf *.SWF)")));
    EXPECT_FALSE(QtFileFilter(uploadslots::PicturesFilter()).contains(QStringLiteral("swf")));
}

TEST_F(SlotsTest, CheckPassRulesByTypeAndSizeInBothWindows) {
    const QString edit = QStringLiteral("请您先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再上传。");
    const QString refuse = QStringLiteral("无法上传此文件。");
    enum Outcome { Picture, Turnable, Icon, Refused, Chosen };
    const struct {
        const char* path;
        qint64 bytes;
        bool zip;
        Outcome albumOutcome, sizedOutcome;
        QString message;  // the album window's; the sized one's is the same unless it accepts
        bool note;        // the album window's conversion note
    } cases[] = {
        {"/p/a.jpg", 513536, false, Turnable, Turnable, {}, false},
        {"/p/a.jpg", 513537, false, Refused, Turnable, edit, false},
        {"/p/a.jpg", 513537, true, Turnable, Turnable, {}, true},
        {"/p/a.bmp", 900000, true, Turnable, Turnable, {}, true},
        {"/p/a.jpg", 0, false, Turnable, Turnable, {}, false},
        {"/p/A.JPG", 1000, false, Turnable, Turnable, {}, false},
        {"/p/a.jpeg", 900000, false, Chosen, Chosen, {}, false},
        {"/p/a.gif", 1000, false, Picture, Picture, {}, false},
        {"/p/a.gif", 513537, true, Refused, Refused, edit, false},
        {"/p/a.png", 513536, false, Icon, Icon, {}, false},
        {"/p/a.swf", 1000, false, Icon, Icon, {}, false},
        {"/p/a.png", 513537, true, Refused, Refused, refuse, false},
        {"/p/a.swf", 513537, false, Refused, Refused, refuse, false},
    };
    for (const auto& c : cases) {
        for (UploadVariant variant : {UploadVariant::Album, UploadVariant::Sized}) {
            const bool isAlbum = variant == UploadVariant::Album;
            SCOPED_TRACE(testing::Message() << c.path << " " << c.bytes << (c.zip ? " zip" : "") << (isAlbum ? " album" : " sized"));
            UploadSlotsController l(variant);
            wire(l);
            disk = FakeDisk{};
            const QString path = QString::fromUtf8(c.path);
            disk.add(path, c.bytes);
            l.probe = disk.probe();
            picZip = c.zip;
            frm个人网站Labels::labWidth = QStringLiteral("9000");
            frm个人网站Labels::labHeight = QStringLiteral("9000");
            prompts.clear();
            l.slot[4].txtPath = path;
            EXPECT_TRUE(l.CheckAndShowSlots());
            const Outcome outcome = isAlbum ? c.albumOutcome : c.sizedOutcome;
            const UploadSlot& s = l.slot[4];
            EXPECT_EQ(s.picViewVisible, outcome != Refused && outcome != Chosen);
            EXPECT_EQ(s.cmdOperationEnabled, outcome != Refused && outcome != Chosen);
            EXPECT_EQ(s.cmdLeftEnabled, outcome == Turnable);
            EXPECT_EQ(s.cmdRightEnabled, outcome == Turnable);
            EXPECT_EQ(s.txtPath, outcome == Refused ? QString() : path);
            EXPECT_EQ(s.iconKey, outcome == Icon ? path.right(3).toLower() + QStringLiteral("1") : QString());
            EXPECT_EQ(s.status, isAlbum && c.note ? uploadslots::ConversionNote() : QString());
            if (outcome == Refused) {
                ASSERT_EQ(prompts.records().size(), 1);
                EXPECT_EQ(prompts.records()[0].text,
                          QStringLiteral("错误！文件：") + path + QStringLiteral(" 的大小超出500K。") + CR + CR + c.message);
                EXPECT_EQ(prompts.records()[0].style, vbInformation);
                EXPECT_EQ(prompts.records()[0].title, QString());
            } else {
                EXPECT_TRUE(prompts.records().isEmpty());
            }
        }
    }
}

TEST_F(SlotsTest, AcceptedPictureIsFittedAndCentredInItsBox) {
    wire(album);
    disk.add(QStringLiteral("/p/wide.jpg"), 100, QSize(80, 60));   // 1200 x 900 twips
    disk.add(QStringLiteral("/p/tall.jpg"), 100, QSize(60, 80));
    disk.add(QStringLiteral("/p/small.gif"), 100, QSize(20, 13));  // 300 x 195
    album.slot[0].txtPath = QStringLiteral("/p/wide.jpg");
    album.slot[1].txtPath = QStringLiteral("/p/tall.jpg");
    album.slot[2].txtPath = QStringLiteral("/p/small.gif");
    ASSERT_TRUE(album.CheckAndShowSlots());
    EXPECT_EQ(album.slot[0].thumb, QSize(600, 450));
    EXPECT_EQ(album.slot[0].thumbLeft, 0);
    EXPECT_EQ(album.slot[0].thumbTop, 75);
    EXPECT_EQ(album.slot[1].thumb, QSize(450, 600));
    EXPECT_EQ(album.slot[1].thumbLeft, 75);
    EXPECT_EQ(album.slot[2].thumb, QSize(300, 195));
    EXPECT_EQ(album.slot[2].thumbLeft, 150);
    EXPECT_EQ(album.slot[2].thumbTop, 202.5);  // halves of a twip stay
    EXPECT_EQ(album.slot[2].natural, QSize(300, 195));
}

TEST_F(SlotsTest, PictureSizesOfNoProportionDoNotFail) {
    wire(album);
    for (const QSize size : {QSize(0, 0), QSize(1, 20000), QSize(20000, 1)}) {
        disk = FakeDisk{};
        disk.add(QStringLiteral("/p/odd.gif"), 100, size);
        album.probe = disk.probe();
        album.cmdReSelect_Click();
        album.slot[0].txtPath = QStringLiteral("/p/odd.gif");
        EXPECT_TRUE(album.CheckAndShowSlots());
        EXPECT_TRUE(album.slot[0].picViewVisible);
        album.imgView_MouseMove(0);
        EXPECT_TRUE(album.bigView.visible);
    }
}

TEST_F(SlotsTest, MissingFileIsReportedAndAShownSlotIsClearedWhole) {
    wire(album);
    disk.add(QStringLiteral("/p/a.jpg"), 100);
    album.slot[2].txtPath = QStringLiteral("/p/a.jpg");
    ASSERT_TRUE(album.CheckAndShowSlots());
    album.slot[2].txtMemo = QStringLiteral("海边");
    album.data.SlotRotation[2] = 3;
    album.slot[2].status = QStringLiteral("note");
    disk.lengths.clear();  // the file went away after it was shown
    album.slot[5].txtPath = QStringLiteral(" /p/gone.gif ");
    prompts.clear();
    ASSERT_TRUE(album.CheckAndShowSlots());
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("错误！文件：/p/a.jpg 不存在。"),
                                               QStringLiteral("错误！文件：/p/gone.gif 不存在。")}));
    const UploadSlot& s = album.slot[2];
    EXPECT_TRUE(s.txtPath.isEmpty());
    EXPECT_FALSE(s.picViewVisible);
    EXPECT_TRUE(s.picture.isNull());
    EXPECT_FALSE(s.cmdOperationEnabled);
    EXPECT_FALSE(s.cmdLeftEnabled);
    EXPECT_TRUE(s.status.isEmpty());
    EXPECT_TRUE(s.txtMemo.isEmpty());
    EXPECT_EQ(album.data.SlotRotation[2], 0);
    EXPECT_TRUE(album.slot[5].txtPath.isEmpty());
}

TEST_F(SlotsTest, AShownSlotKeepsItsStateThroughLaterPasses) {
    wire(album);
    disk.add(QStringLiteral("/p/a.jpg"), 100);
    album.slot[0].txtPath = QStringLiteral("/p/a.jpg");
    ASSERT_TRUE(album.CheckAndShowSlots());
    album.data.SlotRotation[0] = 1;
    album.slot[0].status = QStringLiteral("kept");
    disk.add(QStringLiteral("/p/a.jpg"), 900000);  // now too large: a shown slot is not measured again
    ASSERT_TRUE(album.CheckAndShowSlots());
    EXPECT_EQ(album.data.SlotRotation[0], 1);
    EXPECT_EQ(album.slot[0].status, "kept");
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(SlotsTest, OverflowGoesIntoGroupsOfTenOrIsDroppedInTheSizedWindow) {
    wire(album);
    wire(sized);
    for (const QString& p : Paths(1, 40)) disk.add(p, 100);
    album.probe = sized.probe = disk.probe();

    // Three files while all ten slots hold files: none placed, all three wait.
    for (int i = 0; i < 10; ++i) album.slot[size_t(i)].txtPath = Paths(31, 40)[i];
    choose(album, 0, Paths(1, 3));
    EXPECT_EQ(album.data.GroupFileCount, 13);
    EXPECT_EQ(album.data.LastGroupIndex, 1);
    EXPECT_EQ(album.data.GroupFiles.mid(10), (QStringList{Paths(1, 3) << QString()}));
    EXPECT_TRUE(album.data.GroupFiles.mid(0, 10).join(QString()).isEmpty());
    EXPECT_EQ(prompts.records().last().text,
              QStringLiteral("您选择了 3 个文件，大于当前可供使用的上传位置（0个），将自动分为2组（每组最多10个文件）来上传。"));
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));

    const struct {
        int files, count, last;
    } cases[] = {{25, 25, 2}, {20, 20, 1}, {11, 11, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        album.cmdReSelect_Click();
        album.data.CurrentGroupIndex = 1;  // a second overflow starts the groups again
        prompts.clear();
        choose(album, 7, Paths(1, c.files));
        for (int i = 0; i < 10; ++i) EXPECT_EQ(album.slot[size_t(i)].txtPath, Paths(1, 10)[i]);
        EXPECT_EQ(album.data.GroupFileCount, c.count);
        EXPECT_EQ(album.data.LastGroupIndex, c.last);
        EXPECT_EQ(album.data.CurrentGroupIndex, 0);
        EXPECT_TRUE(album.data.MoreGroupsPending);
        EXPECT_EQ(album.data.GroupFiles.size(), c.count + 1);
        EXPECT_EQ(album.data.GroupFiles.mid(10, c.count - 10), Paths(11, c.files));
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0], QStringLiteral("您选择了 %1 个文件，大于当前可供使用的上传位置（10个），将自动分为%2组（每组最多10个文件）来上传。")
                                             .arg(c.files)
                                             .arg(c.last + 1));
    }

    // The sized window keeps what fits and says how many it took.
    sized.slot[0].txtPath = Paths(31, 31)[0];
    prompts.clear();
    choose(sized, 3, Paths(1, 12));
    EXPECT_EQ(sized.slot[9].txtPath, Paths(9, 9)[0]);
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("您选择了 12 个文件，但当前只有 9 个上传位置可供使用，") + CR + CR +
                                               QStringLiteral("将选择其中的 9 个文件上传，其余文件请在下次上传。")}));
    EXPECT_EQ(prompts.records()[0].text, QtFileFilter(uploadslots::PicturesFilter()));  // the dialog's filter
    EXPECT_EQ(sized.data.GroupFileCount, 0);
    EXPECT_FALSE(sized.data.MoreGroupsPending);
}

TEST_F(SlotsTest, SeveralFilesFillTheFreeSlotsWhicheverButtonWasPressed) {
    wire(album);
    for (const QString& p : Paths(1, 5)) disk.add(p, 100);
    album.probe = disk.probe();
    album.slot[0].txtPath = Paths(1, 1)[0];
    album.slot[1].txtPath = QStringLiteral(" ");  // blanks are not free
    choose(album, 5, Paths(2, 4));
    EXPECT_EQ(album.slot[2].txtPath, Paths(2, 2)[0]);
    EXPECT_EQ(album.slot[3].txtPath, Paths(3, 3)[0]);
    EXPECT_EQ(album.slot[4].txtPath, Paths(4, 4)[0]);
    EXPECT_TRUE(album.slot[5].txtPath.isEmpty());
    EXPECT_EQ(album.data.GroupFileCount, 0);
    EXPECT_EQ(prompts.records()[0].kind, "openmany");
    EXPECT_EQ(prompts.records()[0].text, QtFileFilter(uploadslots::FilterWithFlash()));
    EXPECT_TRUE(album.slot[4].picViewVisible);
    EXPECT_EQ(log, (QStringList{"busy", "info", "hint 28", "idle"}));
}

TEST_F(SlotsTest, OneFileReplacesThePressedSlotAndHiddenOrMissingNamesChangeNothing) {
    wire(album);
    album.probe = DiskProbe();
    const QString first = MakePicture(UserFolder + QStringLiteral("/first.jpg"), 40, 20);
    const QString second = MakePicture(UserFolder + QStringLiteral("/second.jpg"), 20, 40);
    const QString hidden = MakePicture(UserFolder + QStringLiteral("/.hidden.jpg"), 20, 40);
    choose(album, 3, {first});
    ASSERT_TRUE(album.slot[3].picViewVisible);
    album.slot[3].txtMemo = QStringLiteral("说明");
    album.data.SlotRotation[3] = 2;
    album.slot[3].status = QStringLiteral("note");

    log.clear();
    choose(album, 3, {hidden});
    choose(album, 3, {UserFolder + QStringLiteral("/typed.jpg")});
    EXPECT_EQ(album.slot[3].txtPath, first);
    EXPECT_EQ(album.data.SlotRotation[3], 2);
    EXPECT_EQ(log, (QStringList{"busy", "idle", "busy", "idle"}));

    choose(album, 3, {second});
    EXPECT_EQ(album.slot[3].txtPath, second);
    EXPECT_TRUE(album.slot[3].txtMemo.isEmpty());
    EXPECT_TRUE(album.slot[3].status.isEmpty());
    EXPECT_EQ(album.data.SlotRotation[3], 0);
    EXPECT_EQ(album.slot[3].natural, QSize(300, 600));
    EXPECT_TRUE(album.slot[3].picViewVisible);
    EXPECT_TRUE(prompts.messages().isEmpty());

    // A cancelled dialog ends with nothing changed and the frame enabled.
    log.clear();
    album.cmdSearch_Click(0);
    EXPECT_EQ(log, (QStringList{"busy", "idle"}));
}

TEST_F(SlotsTest, UnreadablePictureOrSizeStopsThePassWithItsError) {
    wire(album);
    album.probe = DiskProbe();
    const QString broken = UserFolder + QStringLiteral("/broken.jpg");
    writeFile(broken, "not a picture at all");
    const QString later = MakePicture(UserFolder + QStringLiteral("/later.jpg"), 10, 10);
    choose(album, 0, {broken, later});
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("错误！ 无效图片")}));
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(album.slot[0].txtPath, broken);  // kept, to be examined again
    EXPECT_FALSE(album.slot[0].picViewVisible);
    EXPECT_FALSE(album.slot[1].picViewVisible);  // not examined
    EXPECT_EQ(log, (QStringList{"busy", "idle"}));  // no info, no hint, the frame enabled again

    // The sized window with a size that is no number.
    wire(sized);
    sized.probe = DiskProbe();
    frm个人网站Labels::labWidth = QStringLiteral("宽");
    prompts.clear();
    choose(sized, 0, {later});
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("错误！ 类型不匹配")}));
    EXPECT_FALSE(sized.slot[0].picViewVisible);
}

TEST_F(SlotsTest, ClearingAndReselectingReturnSlotsToEmpty) {
    wire(sized);
    for (const QString& p : Paths(1, 3)) disk.add(p, 100);
    sized.probe = disk.probe();
    choose(sized, 0, Paths(1, 3));
    for (int i = 0; i < 3; ++i) {
        sized.data.SlotRotation[size_t(i)] = 1;
        sized.data.SlotCutFile[size_t(i)] = QStringLiteral("/cut.jpg");
        sized.slot[size_t(i)].txtMemo = QStringLiteral("m");
    }
    sized.slot[2].cmdOperationCaption = QStringLiteral("重新上传");
    sized.slot[2].cmdSearchEnabled = false;
    sized.imgView_MouseMove(1);
    ASSERT_TRUE(sized.bigView.visible);
    sized.ClearSlot(1);
    EXPECT_FALSE(sized.bigView.visible);
    EXPECT_TRUE(sized.slot[1].txtPath.isEmpty());
    EXPECT_TRUE(sized.slot[1].txtMemo.isEmpty());
    EXPECT_FALSE(sized.slot[1].picViewVisible);
    EXPECT_EQ(sized.data.SlotRotation[1], 0);
    EXPECT_TRUE(sized.data.SlotCutFile[1].isEmpty());
    EXPECT_EQ(sized.data.SlotRotation[0], 1);  // nothing else changes

    sized.data.GroupFileCount = 7;
    log.clear();
    sized.cmdReSelect_Click();
    for (const UploadSlot& s : sized.slot) {
        EXPECT_TRUE(s.txtPath.isEmpty() && s.txtMemo.isEmpty() && !s.picViewVisible && !s.cmdOperationEnabled);
        EXPECT_EQ(s.cmdOperationCaption, QStringLiteral("取 消"));
        EXPECT_TRUE(s.cmdSearchEnabled);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(sized.data.SlotRotation[size_t(i)], 0);
        EXPECT_TRUE(sized.data.SlotCutFile[size_t(i)].isEmpty());
    }
    EXPECT_EQ(sized.data.GroupFileCount, 7);  // the groups stay
    EXPECT_EQ(sized.labUpload, "1");
    EXPECT_EQ(log, (QStringList{"no info", "ready"}));
}

TEST_F(SlotsTest, BigViewOfSlotsAndRingThumbnails) {
    wire(album);
    disk.add(QStringLiteral("/p/a.swf"), 100);
    disk.add(QStringLiteral("/p/a.png"), 100);
    disk.add(QStringLiteral("/p/own.jpg"), 100, QSize(300, 300));
    disk.add(QStringLiteral("/p/tall.gif"), 100, QSize(301, 2200));
    disk.add(QStringLiteral("/p/a.jpeg"), 100);
    album.probe = disk.probe();
    const QStringList paths{"/p/a.swf", "/p/a.png", "/p/own.jpg", "/p/tall.gif", "/p/a.jpeg"};
    for (int i = 0; i < paths.size(); ++i) album.slot[size_t(i)].txtPath = paths[i];
    ASSERT_TRUE(album.CheckAndShowSlots());

    album.imgView_MouseMove(4);  // a four-letter extension: nothing
    EXPECT_FALSE(album.bigView.visible);
    album.imgView_MouseMove(0);
    EXPECT_EQ(album.bigView.iconKey, "swf2");
    EXPECT_EQ(album.bigView.size, QSize(1500, 1500));
    EXPECT_EQ(album.bigView.left, 1500);
    album.imgView_MouseMove(1);
    EXPECT_EQ(album.bigView.iconKey, "png2");
    album.imgView_MouseMove(2);
    EXPECT_EQ(album.bigView.size, QSize(4500, 4500));  // 300 pixels: its own size
    EXPECT_TRUE(album.bigView.iconKey.isEmpty());
    album.imgView_MouseMove(3);
    EXPECT_EQ(album.bigView.size, QSize(616, 4500));
    EXPECT_EQ(album.bigView.left, 1942);
    EXPECT_TRUE(album.bigView.visible && album.bigView.imageVisible);
    album.imgView_MouseMove(4);  // hides the image, leaves the box
    EXPECT_TRUE(album.bigView.visible);
    EXPECT_FALSE(album.bigView.imageVisible);

    album.AddRecentUploadThumb(3);
    album.HideBigView();
    album.imgUpload_MouseMove(9);
    EXPECT_EQ(album.bigView.size, QSize(616, 4500));
    EXPECT_TRUE(album.bigView.visible);
}

TEST_F(SlotsTest, RingTakesItsBoxesFromNineDownAndTheNewestStandsLeft) {
    wire(album);
    disk.add(QStringLiteral("/p/a.jpg"), 100, QSize(80, 60));
    album.probe = disk.probe();
    album.slot[0].txtPath = QStringLiteral("/p/a.jpg");
    ASSERT_TRUE(album.CheckAndShowSlots());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(album.ring[size_t(i)].left, 120 + 750 * i);
    QList<int> used;
    for (int upload = 0; upload < 11; ++upload) {
        std::array<bool, 10> before{};
        for (int b = 0; b < 10; ++b) before[size_t(b)] = album.ring[size_t(b)].left == 120;
        album.AddRecentUploadThumb(0);
        for (int b = 0; b < 10; ++b)
            if (album.ring[size_t(b)].left == 120) used << b;
        (void)before;
    }
    EXPECT_EQ(used, (QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9}));
    EXPECT_EQ(album.labPX, "1");
    QList<int> lefts;
    for (const RingBox& b : album.ring) lefts << b.left;
    std::sort(lefts.begin(), lefts.end());
    QList<int> expected;
    for (int i = 0; i < 10; ++i) expected << 120 + 750 * i;
    EXPECT_EQ(lefts, expected);
    const RingBox& newest = album.ring[9];
    EXPECT_TRUE(newest.imageVisible);
    EXPECT_EQ(newest.size, QSize(600, 450));
    EXPECT_EQ(newest.imageLeft, 15);
    EXPECT_EQ(newest.imageTop, 90);
}

TEST_F(SlotsTest, ATurnThatCannotShowCommitsNothing) {
    wire(album);
    album.probe = DiskProbe();
    const QString path = MakePicture(UserFolder + QStringLiteral("/a.jpg"), 40, 20);
    choose(album, 0, {path});
    ASSERT_TRUE(album.slot[0].cmdRightEnabled);
    const QImage before = album.slot[0].picture;
    album.view.turnedPreview = [](const QImage&, int) { return QImage(); };
    EXPECT_FALSE(album.Turn(0, +1));
    EXPECT_EQ(album.data.SlotRotation[0], 0);
    EXPECT_EQ(album.slot[0].picture, before);
    EXPECT_TRUE(album.slot[0].cmdRightEnabled);

    // A vanished file: nothing changes and the button comes back.
    QFile::remove(path);
    album.view.turnedPreview = [](const QImage& s, int d) { return s.transformed(QTransform().rotate(d)); };
    EXPECT_FALSE(album.Turn(0, -1));
    EXPECT_EQ(album.data.SlotRotation[0], 0);
    EXPECT_TRUE(album.slot[0].cmdLeftEnabled);
}

// The sized window's crop hand-off with the real crop dialog.
class CropHandOffTest : public SlotsTest {
protected:
    void SetUp() override {
        SlotsTest::SetUp();
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));  // where the crop keeps its grab
        wire(sized);
        sized.view.openCropDialog = [this] {
            log << QStringLiteral("crop");
            OpenCropDialog(nullptr);
        };
        frm个人网站Labels::labWidth = QStringLiteral("2250");
        frm个人网站Labels::labHeight = QStringLiteral("2250");
    }
};

TEST_F(CropHandOffTest, LargerPicturesAreCutAndTheCutIsShown) {
    const QString exact = MakePicture(UserFolder + QStringLiteral("/exact.jpg"), 150, 150);
    const QString wide = MakePicture(UserFolder + QStringLiteral("/wide.jpg"), 151, 100);
    const QString heavy = MakePicture(UserFolder + QStringLiteral("/heavy.jpg"), 140, 140);
    SlotProbe probe = DiskProbe();
    probe.length = [heavy](const QString& p) { return p == heavy ? qint64(2000000) : QFileInfo(p).size(); };
    sized.probe = probe;
    ModalWatcher<CropWindow> confirm([](CropWindow* w) { w->cmdOK_Click(); });
    choose(sized, 0, {exact, wide, heavy});
    EXPECT_EQ(confirm.seen(), 1);
    EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.messages().join('|').toStdString();
    const QString cut = UserFolder + QStringLiteral("/Cut1.jpg");
    EXPECT_TRUE(sized.data.SlotCutFile[0].isEmpty());
    EXPECT_EQ(sized.data.SlotCutFile[1], cut);
    EXPECT_TRUE(sized.data.SlotCutFile[2].isEmpty());
    EXPECT_EQ(QImage(cut).size(), QSize(150, 150));
    EXPECT_EQ(sized.slot[1].natural, QSize(2250, 2250));  // the thumbnail shows the cut
    EXPECT_EQ(sized.slot[1].txtPath, wide);                // the chosen file stays named
    EXPECT_EQ(frm个人网站Labels::labCutPicPath, wide);
    EXPECT_EQ(CropTargetMode, CropTarget::UploadSlot);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(sized.slot[size_t(i)].picViewVisible) << i;
    EXPECT_FALSE(log.contains(QStringLiteral("hint 28")));

    // A turn of a cut slot turns the cut.
    sized.view.turnedPreview = [](const QImage& s, int d) { return s.transformed(QTransform().rotate(d)); };
    ASSERT_TRUE(sized.Turn(1, +1));
    EXPECT_EQ(QImage(UserFolder + QStringLiteral("/savepic.bmp")).size(), QSize(150, 150));
}

TEST_F(CropHandOffTest, AnUnconfirmedCropEmptiesTheSlotAndTheOlderCutGoes) {
    const QString wide = MakePicture(UserFolder + QStringLiteral("/wide.jpg"), 200, 100);
    const QString next = MakePicture(UserFolder + QStringLiteral("/next.jpg"), 20, 10);
    const QString old = UserFolder + QStringLiteral("/Cut0.jpg");
    MakePicture(old, 150, 150);
    sized.probe = DiskProbe();
    ModalWatcher<CropWindow> cancel([](CropWindow* w) { w->reject(); });
    choose(sized, 0, {wide, next});
    EXPECT_EQ(cancel.seen(), 1);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(sized.slot[0].txtPath.isEmpty());
    EXPECT_FALSE(sized.slot[0].picViewVisible);
    EXPECT_TRUE(sized.data.SlotCutFile[0].isEmpty());
    EXPECT_TRUE(sized.slot[1].picViewVisible);  // the pass went on
}

// The album window itself, offscreen.
class UploadSlotsWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    }
    void choose(UploadWindow& w, int index, const QStringList& files) {
        prompts.answerText(files.join(QLatin1Char('\n')));
        w.cmdSearch[size_t(index)]->click();
    }
};

TEST_F(UploadSlotsWindowTest, WiresEverySlotHook) {
    UploadWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.frame.view).isEmpty());
    EXPECT_FALSE(w.cmdLeft[0]->isEnabled());
    EXPECT_FALSE(w.cmdOperation[0]->isEnabled());
    EXPECT_TRUE(w.picView[0]->isHidden());
}

TEST_F(UploadSlotsWindowTest, QuarterTurnsShowTheTurnedPreviewAndWrap) {
    UploadWindow w;
    const QString big = MakePicture(UserFolder + QStringLiteral("/big.jpg"), 4000, 3000);
    choose(w, 0, {big});
    ASSERT_FALSE(w.picView[0]->isHidden());
    EXPECT_EQ(w.imgView[0]->size(), QSize(40, 30));

    w.cmdRight[0]->click();
    EXPECT_EQ(w.previewBox->PreviewDib->Width(), 300);
    EXPECT_EQ(w.previewBox->PreviewDib->Height(), 225);
    const QImage saved(paths::DataRoot() + QStringLiteral("/savepic.bmp"));
    ASSERT_EQ(saved.size(), QSize(225, 300));
    EXPECT_TRUE(Reddish(saved.pixel(112, 20)));   // the left half went to the top
    EXPECT_TRUE(Bluish(saved.pixel(112, 280)));
    const UploadSlot& s = w.logic.frame.slot[0];
    EXPECT_EQ(s.thumb, QSize(450, 600));
    EXPECT_EQ(s.thumbLeft, 75);
    EXPECT_EQ(w.imgView[0]->geometry(), QRect(5, 0, 30, 40));
    EXPECT_EQ(w.logic.uploadSlots.SlotRotation[0], 1);
    EXPECT_TRUE(w.cmdRight[0]->isEnabled());

    w.cmdLeft[0]->click();  // back to 0, its picture in the member's folder
    EXPECT_EQ(w.logic.uploadSlots.SlotRotation[0], 0);
    EXPECT_EQ(QImage(UserFolder + QStringLiteral("/savepic.bmp")).size(), QSize(300, 225));
    EXPECT_TRUE(QFile::exists(paths::DataRoot() + QStringLiteral("/savepic.bmp")));

    const QString small = MakePicture(UserFolder + QStringLiteral("/small.jpg"), 100, 50);
    choose(w, 1, {small});
    const struct {
        int direction, rotation;
    } turns[] = {{+1, 1}, {+1, 2}, {+1, 3}, {+1, 0}, {-1, -1}, {-1, -2}, {-1, -3}, {-1, 0}, {-1, -1}, {-1, -2}, {-1, -3}, {+1, -2}};
    for (const auto& t : turns) {
        (t.direction < 0 ? w.cmdLeft : w.cmdRight)[1]->click();
        EXPECT_EQ(w.logic.uploadSlots.SlotRotation[1], t.rotation);
    }
    // At -2, after a right turn, the preview stands upside down: 300 × 150, red on the right.
    const QImage upside(paths::DataRoot() + QStringLiteral("/savepic.bmp"));
    ASSERT_EQ(upside.size(), QSize(300, 150));
    EXPECT_TRUE(Reddish(upside.pixel(280, 75)));
    // Four right turns from 0 show the unturned, enlarged preview.
    w.logic.uploadSlots.SlotRotation[1] = 3;
    w.cmdRight[1]->click();
    const QImage unturned(paths::DataRoot() + QStringLiteral("/savepic.bmp"));
    ASSERT_EQ(unturned.size(), QSize(300, 150));
    EXPECT_TRUE(Reddish(unturned.pixel(20, 75)));
}

TEST_F(UploadSlotsWindowTest, HintTwentyEightUntilTickedAndTheBigViewHidesOverTheTable) {
    UploadWindow w;
    const QString a = MakePicture(UserFolder + QStringLiteral("/a.jpg"), 30, 30);
    choose(w, 0, {a});
    EXPECT_FALSE(w.hintBoxes[1].picOpeMsg->isHidden());
    EXPECT_EQ(w.hintBoxes[1].labOpeMsg->text(), QStringLiteral("提示：请点击此处的“上传”按钮开始上传文件。"));
    EXPECT_EQ(w.logic.labMsgSN, "28");
    EXPECT_FALSE(w.txtUploadInfo->isHidden());
    EXPECT_EQ(w.txtUploadInfo1->y(), 50);
    w.hintBoxes[1].chkIKnowOpe->setChecked(true);
    w.hintBoxes[1].cmdClosOpeMsg->click();
    EXPECT_EQ(GetUserSetting(UcsHintUploadStart), "1");
    choose(w, 1, {a});
    EXPECT_TRUE(w.hintBoxes[1].picOpeMsg->isHidden());
    EXPECT_TRUE(w.frmUpload->isEnabled() && w.cmdSearch[0]->isEnabled());
    EXPECT_TRUE(w.picMsg->isHidden());

    // Moving over a thumbnail opens the big view; over the slot table it hides.
    QMouseEvent over(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.imgView[0], &over);
    EXPECT_FALSE(w.picBigView->isHidden());
    EXPECT_EQ(w.imgBigView->size(), QSize(30, 30));
    QCoreApplication::sendEvent(w.grdUpLoad->viewport(), &over);
    EXPECT_TRUE(w.picBigView->isHidden());

    ASSERT_TRUE(w.cmdOperation[0]->isEnabled());
    w.cmdOperation[0]->click();
    EXPECT_TRUE(w.picView[0]->isHidden());
    EXPECT_TRUE(w.txtPath[0]->text().isEmpty());
    w.cmdReSelect->click();
    EXPECT_TRUE(w.txtUploadInfo->isHidden());
    EXPECT_EQ(w.txtUploadInfo1->y(), 60);
}

TEST_F(UploadSlotsWindowTest, TheBigViewClosesOnAClickElsewhereAndWhenTheUploadStarts) {
    UploadWindow w;
    choose(w, 0, {MakePicture(UserFolder + QStringLiteral("/a.jpg"), 40, 30)});
    const auto send = [](QWidget* target, QEvent::Type type) {
        QMouseEvent e(type, QPointF(2, 2), QPointF(2, 2), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
    };
    send(w.imgView[0], QEvent::MouseMove);
    ASSERT_FALSE(w.picBigView->isHidden());
    // Turning the slot keeps it open on the turned picture; a click inside it too.
    w.cmdRight[0]->click();
    EXPECT_FALSE(w.picBigView->isHidden());
    send(w.cmdRight[0], QEvent::MouseButtonPress);
    EXPECT_FALSE(w.picBigView->isHidden());
    send(w.imgBigView, QEvent::MouseButtonPress);
    EXPECT_FALSE(w.picBigView->isHidden());
    send(w.txtMemo[3], QEvent::MouseButtonPress);
    EXPECT_TRUE(w.picBigView->isHidden());

    send(w.imgView[0], QEvent::MouseMove);
    ASSERT_FALSE(w.picBigView->isHidden());
    w.cmdUploadFiles->click();
    EXPECT_TRUE(w.picBigView->isHidden());
}

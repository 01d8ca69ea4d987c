// The upload run on the emulator: each slot's case and reply, the counters and the result line,
// the album caches, the retry, the folder upload in groups of ten, the per-slot progress and the
// sized window's rows.
#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "albums/ui/screenshotwarningwindow.h"
#include "albums/ui/uploadwindow.h"
#include "albums/uploadrun.h"
#include "foundation/cipher.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "state/uploadwindowlabels.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace testsupport;

namespace {
const QString kAlbum = QStringLiteral("旅行");

QImage Halves(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}
}  // namespace

class UploadRunTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        WithoutDemoSamples(member());
        SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
        SetUserSetting(UcsHintScreenshotUpload, QStringLiteral("1"));
        SetUserSetting(UcsHintScreenshotSized, QStringLiteral("1"));
        const QString stamp = emulator().server().store().newStamp();
        member().albums.append(emu::Album{kAlbum, stamp, stamp, {}});
        frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
        ASSERT_TRUE(LoadAlbumList());
        frm个人网站Labels::labUPloadType = QStringLiteral("0");
        QDir().mkpath(folder());
    }
    QString folder() const { return root() + QStringLiteral("/pictures"); }
    // A JPEG picture, padded with bytes after its end to a given length when asked.
    QString jpeg(const QString& name, QSize size = QSize(40, 20), qint64 length = 0) {
        const QString path = folder() + QLatin1Char('/') + name;
        EXPECT_TRUE(Halves(size.width(), size.height()).save(path, "JPEG"));
        if (length > 0) {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::Append));
            f.write(QByteArray(int(length - f.size()), '\0'));
        }
        return path;
    }
    QString bytesFile(const QString& name, qint64 length) {
        const QString path = folder() + QLatin1Char('/') + name;
        writeFile(path, QByteArray(int(length), 'g'));
        return path;
    }
    // Puts paths into the slots as a selection would, without the check pass.
    static void fill(UploadWindow& w, const QStringList& paths) {
        for (int i = 0; i < paths.size(); ++i) {
            w.logic.frame.slot[size_t(i)].txtPath = paths[i];
            w.logic.frame.slot[size_t(i)].cmdOperationEnabled = true;
        }
    }
    static QString status(UploadWindow& w, int i) { return w.grdUpLoad->item(i + 1, 5)->text(); }
    // The files the service holds in the album, in upload order.
    QList<emu::StoredFile> stored() {
        const emu::Album* a = member().album(kAlbum);
        return a ? a->files : QList<emu::StoredFile>();
    }
    QImage storedPicture(int k) {
        return QImage(emulator().server().store().filePath(member(), kAlbum, stored().value(k).name));
    }
    QString cachedList() {
        QFile f(AlbumCachePath(AlbumListFileName));
        return f.open(QIODevice::ReadOnly) ? DecryptBytes(f.readAll(), DataFileKey) : QString();
    }
    int rowOf(const QString& album) {
        for (int r = 0; r < AlbumList.rows(); ++r)
            if (AlbumList.value(r, 0) == album) return r;
        return -1;
    }
};

TEST_F(UploadRunTest, EachReplyHasItsTextAndTheCachesFollowTheLastSuccess) {
    QStringList paths;
    for (int i = 0; i < 10; ++i) paths << jpeg(QStringLiteral("p%1.jpg").arg(i));
    paths[4] = bytesFile(QStringLiteral("big.gif"), 513537);
    paths[7] = folder() + QStringLiteral("/gone.jpg");
    // Calls reaching the service, in order: 1 taken, 2 dropped, 3 "Error_0004", 4 garbage,
    // 5 "Error_0005"; slot 4 is refused before a call and slot 7 has no file.
    emulator().dropConnection(QStringLiteral("UploadFile01"), 1, 1);
    emulator().scriptReply(QStringLiteral("UploadFile01"), QStringLiteral("Error_0004"), 1, 1);
    emulator().scriptReply(QStringLiteral("UploadFile01"), QStringLiteral("<garbage/>"));
    emulator().scriptReply(QStringLiteral("UploadFile01"), QStringLiteral("Error_0005"));
    UploadWindow w;
    ASSERT_EQ(w.cobAlbum->currentText(), kAlbum);
    fill(w, paths);
    w.logic.frame.slot[6].txtMemo = QStringLiteral("自己的说明");
    DialogState = 0;
    w.cmdUploadFiles->click();

    const QString retry = QStringLiteral("重新上传"), cancel = QStringLiteral("取 消");
    const struct {
        QString status;
        bool enabled;
        QString caption;
    } expected[] = {
        {uploadrun::kSent, false, cancel},
        {QStringLiteral("错误 0000，上传失败：网络中断，请稍候再试。"), true, retry},
        {QStringLiteral("错误 0004：上传失败！网络空间已满，请您删除部份文件或扩容后再试。"), true, cancel},
        {QStringLiteral("错误 0006：上传失败！意外错误，请您重新登录本软件再试。"), true, retry},
        {uploadrun::TooLargeText(), true, retry},
        {QStringLiteral("错误 0005：上传失败！网络空间已过期，请您给网络空间继费后再试。"), true, cancel},
        {uploadrun::kSent, false, cancel},
        {QStringLiteral("文件不存在，上传失败！"), true, cancel},
        {uploadrun::kSent, false, cancel},
        {uploadrun::kSent, false, cancel},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(status(w, i), expected[i].status);
        EXPECT_EQ(w.cmdOperation[size_t(i)]->isEnabled(), expected[i].enabled);
        EXPECT_EQ(w.cmdOperation[size_t(i)]->text(), expected[i].caption);
        EXPECT_FALSE(w.cmdSearch[size_t(i)]->isEnabled());
    }
    EXPECT_EQ(w.labUploadFinish->text(), QStringLiteral("上传完成，成功：4 个，失败：6 个。"));
    EXPECT_FALSE(w.picWait->isHidden());
    EXPECT_FALSE(w.cmdUploadAgain->isHidden());
    EXPECT_FALSE(w.cmdUploadOK->isHidden());
    EXPECT_TRUE(w.cmdUploadNextPage->isHidden());
    EXPECT_TRUE(w.cmdUploadFiles->isEnabled());
    EXPECT_EQ(w.barWait->value(), 10);  // every slot that held a path
    EXPECT_EQ(w.logic.frame.labUpload, "2");
    EXPECT_EQ(DialogState, 99);

    // Four files on the service, described by name unless the member wrote one.
    const QList<emu::StoredFile> files = stored();
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(files[0].description, QStringLiteral("p0.jpg"));
    EXPECT_EQ(files[1].description, QStringLiteral("自己的说明"));
    EXPECT_EQ(w.logic.frame.slot[1].txtMemo, QStringLiteral("p1.jpg"));  // filled whatever the outcome
    // The album's row and F01.dat hold the stamp of the last success; the list stamp is gone, so
    // the next list load reads the service.
    const int row = rowOf(kAlbum);
    ASSERT_GE(row, 0);
    EXPECT_EQ(AlbumList.value(row, AlbumListField::Stamp), member().album(kAlbum)->stamp);
    EXPECT_TRUE(cachedList().contains(member().album(kAlbum)->stamp));
    EXPECT_TRUE(LoginField(7).isEmpty());
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, "0");
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp.jpg")));
    // The ring took the four, the newest at the left.
    EXPECT_EQ(w.logic.frame.labPX, "4");
    EXPECT_EQ(w.logic.frame.ring[6].left, 120);

    // A button left at "取 消" clears its slot; the upload button then starts a new batch.
    w.cmdOperation[2]->click();
    EXPECT_TRUE(status(w, 2).isEmpty());
    EXPECT_TRUE(w.txtPath[2]->text().isEmpty());
    w.cmdUploadFiles->click();
    EXPECT_EQ(w.logic.frame.labUpload, "1");
    EXPECT_TRUE(w.picWait->isHidden());
    EXPECT_TRUE(w.cmdSearch[0]->isEnabled());
    EXPECT_TRUE(w.txtPath[0]->text().isEmpty());
}

TEST_F(UploadRunTest, CasesAtTheSizeEdgeWithConversionWatermarkAndTurn) {
    const QString edge = bytesFile(QStringLiteral("edge.gif"), 513536);
    const QString over = bytesFile(QStringLiteral("over.gif"), 513537);
    const QString bigJpeg = jpeg(QStringLiteral("big.jpg"), QSize(800, 400), 513537);
    const QString small = jpeg(QStringLiteral("small.jpg"), QSize(40, 20));
    const struct {
        QString path;
        bool zip, watermark;
        int rotation;
        bool sent;
        QString overlays;  // what the composer was asked for; empty: not used
        QSize storedSize;
    } cases[] = {
        {edge, true, false, 0, true, {}, {}},
        {over, true, false, 0, false, {}, {}},
        {bigJpeg, false, false, 0, false, {}, {}},
        {bigJpeg, true, false, 0, true, "0", {600, 300}},
        {bigJpeg, false, true, 0, true, "1", {600, 300}},
        {small, false, false, 1, true, "0", {20, 40}},  // a turned picture arrives turned
        {small, false, false, 0, true, {}, {40, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.path.toStdString() << (c.zip ? " zip" : "") << (c.watermark ? " watermark" : "")
                                        << " turn " << c.rotation);
        const int before = int(stored().size());
        frm个人网站Labels::labUploadWatermarkBorder = QStringLiteral("-");
        UploadWindow w;
        w.chkPicZIP->setChecked(c.zip);
        w.cheWatermarkAndBorder->setChecked(c.watermark);
        if (!c.watermark) w.chkPicZIP->setChecked(c.zip);  // unlocking leaves the box as it was
        fill(w, {c.path});
        w.logic.uploadSlots.SlotRotation[0] = c.rotation;
        w.cmdUploadFiles->click();
        EXPECT_EQ(int(stored().size()), before + (c.sent ? 1 : 0));
        EXPECT_EQ(status(w, 0), c.sent ? uploadrun::kSent : uploadrun::TooLargeText());
        EXPECT_EQ(frm个人网站Labels::labUploadWatermarkBorder, c.overlays.isEmpty() ? QStringLiteral("-") : c.overlays);
        if (c.storedSize.isValid()) {
            const QImage sent = storedPicture(before);
            EXPECT_EQ(sent.size(), c.storedSize);
            if (c.rotation == 1) {
                EXPECT_GT(qRed(sent.pixel(10, 5)), 180);  // the left half went to the top
            }
        }
        EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp.jpg")));
    }
}

TEST_F(UploadRunTest, SpaceThatFillsUpTakesOnePictureThenRefuses) {
    const QString a = bytesFile(QStringLiteral("a.gif"), 3000);
    const QString b = bytesFile(QStringLiteral("b.gif"), 3000);
    member().quotaKb = (member().usedBytes() + 3000 + 1023) / 1024;
    UploadWindow w;
    fill(w, {a, b});
    w.cmdUploadFiles->click();
    EXPECT_EQ(status(w, 0), uploadrun::kSent);
    EXPECT_EQ(status(w, 1), QStringLiteral("错误 0004：上传失败！网络空间已满，请您删除部份文件或扩容后再试。"));
    EXPECT_EQ(w.labUploadFinish->text(), QStringLiteral("上传完成，成功：1 个，失败：1 个。"));
}

TEST_F(UploadRunTest, EmptyRunAndARunWithoutAnAlbum) {
    SetUserSetting(UcsHintScreenshotUpload, QString());
    const QString stamp = LoginField(7);
    {
        UploadWindow w;
        w.show();  // the warning opens over the window
        ModalWatcher<ScreenshotWarningWindow> warning([](ScreenshotWarningWindow* d) { d->cmdYes_Click(); });
        w.cmdUploadFiles->click();
        EXPECT_EQ(warning.seen(), 1);
        EXPECT_EQ(frm个人网站Labels::labUploadJM, "1");
        EXPECT_EQ(w.labUploadFinish->text(), QStringLiteral("上传完成，成功：0 个，失败：0 个。"));
        EXPECT_FALSE(w.cmdUploadAgain->isHidden());
        EXPECT_FALSE(w.cmdUploadOK->isHidden());
        EXPECT_EQ(LoginField(7), stamp);
        w.cmdUploadOK->click();
        EXPECT_TRUE(w.picWait->isHidden());
        w.cmdCloseUpload->click();
    }
    AlbumList = Table::null();
    UploadWindow w;
    ASSERT_TRUE(w.cobAlbum->currentText().isEmpty());
    fill(w, {jpeg(QStringLiteral("a.jpg"))});
    prompts.clear();
    w.cmdUploadFiles->click();
    EXPECT_EQ(prompts.messages(), (QStringList{uploadrun::NoAlbumMessage()}));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_FALSE(w.hintBoxes[2].picOpeMsg->isHidden());
    EXPECT_EQ(w.hintBoxes[2].labOpeMsg->text(), QStringLiteral("提示：请点击此处的“新建相册”按钮可创建一个新的相册。"));
    EXPECT_TRUE(w.picWait->isHidden());
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(w.logic.frame.labUpload, "1");
}

TEST_F(UploadRunTest, RetryKeepsTheWatermarkAndEveryRunMakesTheNextListLoadReadTheService) {
    const QString big = jpeg(QStringLiteral("big.jpg"), QSize(800, 400));
    emulator().dropConnection(QStringLiteral("UploadFile01"));
    UploadWindow w;
    w.cheWatermarkAndBorder->setChecked(true);
    fill(w, {big});
    w.cmdUploadFiles->click();
    ASSERT_EQ(w.cmdOperation[0]->text(), QStringLiteral("重新上传"));
    ASSERT_TRUE(stored().isEmpty());
    frm个人网站Labels::labUploadWatermarkBorder = QStringLiteral("-");
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    w.cmdOperation[0]->click();
    EXPECT_EQ(status(w, 0), uploadrun::kSent);
    EXPECT_EQ(w.labUploadFinish->text(), QStringLiteral("上传完成，成功：1 个，失败：0 个。"));
    EXPECT_FALSE(w.cmdOperation[0]->isEnabled());
    EXPECT_EQ(frm个人网站Labels::labUploadWatermarkBorder, "1");
    ASSERT_EQ(stored().size(), 1);
    EXPECT_EQ(storedPicture(0).size(), QSize(600, 300));  // through the composer, as the run sends it
    EXPECT_EQ(LoginField(7), uploadrun::kRetryStamp);
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, "0");

    // Two runs in one login: after each, the list load asks the service.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const qsizetype reads = emulator().calls(QStringLiteral("GetDirInfo")).size();
        ASSERT_TRUE(LoadAlbumList());
        EXPECT_EQ(emulator().calls(QStringLiteral("GetDirInfo")).size(), reads + 1);
        w.cmdUploadFiles->click();  // a new batch
        fill(w, {jpeg(QStringLiteral("r%1.jpg").arg(run))});
        w.cmdUploadFiles->click();
        ASSERT_EQ(status(w, 0), uploadrun::kSent);
    }
    const qsizetype reads = emulator().calls(QStringLiteral("GetDirInfo")).size();
    ASSERT_TRUE(LoadAlbumList());
    EXPECT_EQ(emulator().calls(QStringLiteral("GetDirInfo")).size(), reads + 1);
    EXPECT_EQ(AlbumList.value(rowOf(kAlbum), AlbumListField::Stamp), member().album(kAlbum)->stamp);
}

TEST_F(UploadRunTest, FoldersGoUpInGroupsOfTen) {
    const struct {
        int files;
        int groups;
        QString message;
    } cases[] = {
        {10, 1, {}},
        {11, 2, QStringLiteral("您所选择的文件夹中包含有11个可上传的文件，将分为2组（每组最多10个文件）来上传。")},
        {20, 2, QStringLiteral("您所选择的文件夹中包含有20个可上传的文件，将分为2组（每组最多10个文件）来上传。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        const QString dir = root() + QStringLiteral("/folder%1").arg(c.files);
        QDir().mkpath(dir);
        for (int k = 0; k < c.files; ++k) Halves(8, 8).save(dir + QStringLiteral("/f%1.jpg").arg(k, 2, 10, QLatin1Char('0')), "JPEG");
        UploadWindow w;
        prompts.clear();
        prompts.answerText(dir);
        w.cmdUploadFolder->click();
        EXPECT_EQ(prompts.records()[0].kind, "folder");
        EXPECT_EQ(prompts.records()[0].title, uploadrun::FolderTitle());
        EXPECT_EQ(prompts.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(w.logic.uploadSlots.GroupFileCount, c.files);
        EXPECT_EQ(w.logic.uploadSlots.LastGroupIndex, c.groups - 1);
        EXPECT_EQ(w.logic.uploadSlots.MoreGroupsPending, c.groups > 1);
        EXPECT_EQ(w.logic.frame.FilledSlots(), std::min(10, c.files));
        EXPECT_FALSE(w.picView[0]->isHidden());
        EXPECT_FALSE(w.hintBoxes[1].picOpeMsg->isHidden());  // hint 28
        EXPECT_TRUE(w.txtUploadInfo->isHidden());
    }
}

TEST_F(UploadRunTest, TwentyFiveFilesInThreeGroupsReachTheService) {
    const QString dir = root() + QStringLiteral("/many");
    QDir().mkpath(dir);
    QStringList names;
    for (int k = 0; k < 25; ++k) names << (k % 2 ? QStringLiteral("B%1.JPG") : QStringLiteral("a%1.jpg")).arg(k, 2, 10, QLatin1Char('0'));
    for (const QString& n : names) Halves(8, 8).save(dir + QLatin1Char('/') + n, "JPEG");
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    writeFile(dir + QStringLiteral("/notes.txt"), "not a picture");
    writeFile(dir + QStringLiteral("/.hidden.jpg"), "hidden");
    UploadWindow w;
    prompts.answerText(dir);
    w.cmdUploadFolder->click();
    ASSERT_EQ(w.logic.uploadSlots.GroupFileCount, 25);
    // Name order without case: a00, a02, … a24, B01, B03, …
    EXPECT_EQ(w.txtPath[1]->text(), dir + QStringLiteral("/a02.jpg"));
    EXPECT_EQ(sorted[13], QStringLiteral("B01.JPG"));
    QFile::remove(dir + QLatin1Char('/') + sorted[12]);  // deleted between groups
    for (int group = 0; group < 3; ++group) {
        SCOPED_TRACE(group);
        w.cmdUploadFiles->click();
        EXPECT_EQ(w.cmdUploadNextPage->isHidden(), group == 2);
        EXPECT_EQ(w.cmdUploadAgain->isHidden(), group < 2);
        if (group < 2) {
            prompts.clear();
            w.cmdUploadNextPage->click();
            if (group == 0) {
                EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("错误！文件：") + dir + QLatin1Char('/') + sorted[12] +
                                                           QStringLiteral(" 不存在。")}));
                EXPECT_TRUE(w.txtPath[2]->text().isEmpty());
                EXPECT_EQ(w.logic.frame.FilledSlots(), 9);
            }
        }
    }
    EXPECT_EQ(w.logic.uploadSlots.CurrentGroupIndex, 2);
    EXPECT_EQ(stored().size(), 24);
    w.logic.run.LoadUploadGroup(3);  // past the last group: nothing
    EXPECT_EQ(w.logic.frame.FilledSlots(), 5);
}

TEST_F(UploadRunTest, FolderWithoutPicturesOrUnreadable) {
    const QString dir = root() + QStringLiteral("/others");
    QDir().mkpath(dir);
    writeFile(dir + QStringLiteral("/a.txt"), "x");
    writeFile(dir + QStringLiteral("/b.jpeg"), "x");
    UploadWindow w;
    fill(w, {jpeg(QStringLiteral("kept.jpg"))});
    prompts.answerText(dir);
    w.cmdUploadFolder->click();
    prompts.answerText(root() + QStringLiteral("/nowhere"));
    w.cmdUploadFolder->click();
    EXPECT_EQ(prompts.messages(), (QStringList{uploadrun::NoFilesMessage(), QStringLiteral("错误！ 路径未找到")}));
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(w.logic.frame.FilledSlots(), 1);
}

TEST_F(UploadRunTest, TheSlotShowsItsUploadWhileTheCallWaits) {
    emulator().setLatency(300, QStringLiteral("UploadFile01"));
    UploadWindow w;
    fill(w, {jpeg(QStringLiteral("a.jpg")), jpeg(QStringLiteral("b.jpg"))});
    QList<int> seen;
    QList<qint64> sent;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        seen << w.grdUpLoad->item(1, 5)->data(Qt::UserRole).toInt();
        sent << w.logic.frame.slot[0].bytesSent;
    });
    probe.start(50);
    w.cmdUploadFiles->click();
    probe.stop();
    emulator().setLatency(0, QStringLiteral("UploadFile01"));
    EXPECT_TRUE(seen.contains(int(SlotProgress::Uploading)));
    EXPECT_GT(*std::max_element(sent.begin(), sent.end()), 0);
    EXPECT_EQ(w.grdUpLoad->item(1, 5)->data(Qt::UserRole).toInt(), int(SlotProgress::Done));
    EXPECT_EQ(w.grdUpLoad->item(1, 5)->text(), uploadrun::kSent);
}

// The sized window's rows, on the logic with a recording view.
class SizedRunTest : public UploadRunTest {
protected:
    void SetUp() override {
        UploadRunTest::SetUp();
        sized.view = UploadSlotsView::Windowless(UploadVariant::Sized);
        ASSERT_TRUE(UnsetRequiredHooks(sized.view).isEmpty());
        UploadRunView& r = run.view;
        r.showPanel = [] {};
        r.showScreenshotWarning = [this] { ++warnings; };
        r.prepare = [] {};
        r.watermarkTicked = [] { return false; };
        ASSERT_TRUE(UnsetRequiredHooks(r).isEmpty());
        frm上传特定Labels::labWebDir = kAlbum;
    }
    UploadSlotsController sized{UploadVariant::Sized};
    UploadRunController run{sized};
    int warnings = 0;
};

TEST_F(SizedRunTest, CutFileIsSentKeptForTheRetryAndTheStampWaitsForAServiceList) {
    const QString chosen = jpeg(QStringLiteral("chosen.jpg"), QSize(300, 200));
    const QString cut = UserFolder + QStringLiteral("/Cut0.jpg");
    ASSERT_TRUE(Halves(150, 100).save(cut, "JPEG"));
    sized.slot[0].txtPath = chosen;
    sized.slot[0].cmdOperationEnabled = true;
    sized.data.SlotCutFile[0] = cut;
    emulator().dropConnection(QStringLiteral("UploadFile01"));
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    const QString before = AlbumList.value(rowOf(kAlbum), AlbumListField::Stamp);
    run.cmdUploadFiles_Click();
    EXPECT_EQ(frm个人网站Labels::labUploadJM, "2");
    ASSERT_EQ(sized.slot[0].cmdOperationCaption, QStringLiteral("重新上传"));
    EXPECT_TRUE(QFile::exists(cut));  // kept for the retry
    EXPECT_EQ(fileManagerUnloads, 0);
    run.cmdOperation_Click(0);
    ASSERT_EQ(sized.slot[0].status, uploadrun::kSent);
    EXPECT_EQ(storedPicture(0).size(), QSize(150, 100));  // the cut, not the chosen picture
    EXPECT_EQ(stored()[0].description, QStringLiteral("chosen.jpg"));

    // A run with a success: the stamp while the list was read from the service, the manager closed.
    run.cmdUploadFiles_Click();  // new batch: the cut goes
    EXPECT_FALSE(QFile::exists(cut));
    for (const bool fromService : {true, false}) {
        SCOPED_TRACE(fromService);
        AlbumList.set(rowOf(kAlbum), AlbumListField::Stamp, before);
        frm个人网站Labels::labDownDirFlag = fromService ? QStringLiteral("1") : QStringLiteral("0");
        const int unloads = fileManagerUnloads;
        sized.slot[0].txtPath = jpeg(QStringLiteral("s.jpg"));
        run.cmdUploadFiles_Click();
        ASSERT_EQ(sized.slot[0].status, uploadrun::kSent);
        EXPECT_EQ(AlbumList.value(rowOf(kAlbum), AlbumListField::Stamp) == before, !fromService);
        EXPECT_EQ(fileManagerUnloads, unloads + 1);
        EXPECT_TRUE(LoginField(7).isEmpty());
        EXPECT_TRUE(run.panel.cmdUploadAgainVisible && run.panel.cmdUploadOKVisible);
        run.cmdUploadFiles_Click();
    }
    EXPECT_EQ(warnings, 0);  // switched off in set-up
}

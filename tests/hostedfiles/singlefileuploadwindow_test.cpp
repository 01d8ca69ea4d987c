// The replacement window against the emulator: its design state, its turns, and the upload that
// replaces a hosted file, with the caches, the local thumbnail and the file manager's picture
// that follow, the composer's part, and every refusal the service gives.
#include <gtest/gtest.h>

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "state/albumsstate.h"
#include "albums/ui/screenshotwarningwindow.h"
#include "platform/ui/flexgrid.h"
#include "emulator/memberstore.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "hostedfiles/singlefileupload.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "hostedfiles/ui/singlefileuploadwindow.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "imaging/ui/previewbox.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/picturebox.h"
#include "state/sitestate.h"
#include "support/glyphs.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QImageReader>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

using namespace testsupport;

namespace {

// A GIF of w × h pixels in one colour of a four-colour table: a clear code before every pixel
// keeps the codes three bits wide, which every decoder reads.
QByteArray GifBytes(int w, int h, int colour) {
    QByteArray out("GIF89a");
    auto word = [&out](int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    word(w);
    word(h);
    out.append(char(0x81)).append('\0').append('\0');  // global table of 4 colours
    out.append(QByteArray::fromHex("ff000000ff000000ffffffff"));
    out.append(',');
    word(0);
    word(0);
    word(w);
    word(h);
    out.append('\0').append(char(2));  // no local table; minimum code size 2
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << count;
        count += 3;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < w * h; ++i) {
        code(4);
        code(colour);
    }
    code(5);
    if (count > 0) data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size())).append(block);
    }
    out.append('\0').append(';');
    return out;
}

QString SaveJpeg(const QString& path, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(path, "JPG");
    return path;
}

class SingleFileUploadTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        emu::MemberStore& store = emulator().server().store();
        store.storeFile(member(), kAlbum, QStringLiteral("a.gif"), GifBytes(4, 2, 0), QStringLiteral("说明"),
                        store.newStamp());
        QImage bmp(30, 20, QImage::Format_RGB32);
        bmp.fill(Qt::blue);
        QByteArray bmpBytes;
        {
            QBuffer buffer(&bmpBytes);
            buffer.open(QIODevice::WriteOnly);
            bmp.save(&buffer, "BMP");
        }
        store.storeFile(member(), kAlbum, QStringLiteral("c.bmp"), bmpBytes, QString(), store.newStamp());
        SetLoginField(7, member().albumStamp);
        LoadAlbumList();
        LoadAlbumFileList(kAlbum);
        SetUserSetting(UcsHintScreenshotSingle, QStringLiteral("1"));
        point(QStringLiteral("a.gif"), QStringLiteral("7"));
    }
    // The labels as the file manager fills them for the album's file of that stored name.
    void point(const QString& stored, const QString& index) {
        frm上传单个文件Labels::labIndex = index;
        frm上传单个文件Labels::labWebDir = kAlbum;
        frm上传单个文件Labels::labFileName = stored.chopped(4);
        frm上传单个文件Labels::labWebPath = address(stored);
    }
    QString address(const QString& stored) const {
        for (int r = 0; r < AlbumFiles.rows(); ++r)
            if (AlbumFiles.value(r, 9) == stored) return AlbumFiles.value(r, 0);
        return QString();
    }
    QString albumStamp() const {
        for (int r = 0; r < AlbumList.rows(); ++r)
            if (AlbumList.value(r, AlbumListField::Name) == kAlbum) return AlbumList.value(r, AlbumListField::Stamp);
        return QString();
    }
    int row(const QString& stored) const {
        for (int r = 0; r < AlbumFiles.rows(); ++r)
            if (AlbumFiles.value(r, 9) == stored) return r;
        return -1;
    }
    QByteArray served(const QString& stored) { return emulator().get(address(stored)).body; }
    QString localFile(const QString& name, const QByteArray& bytes) {
        const QString path = UserFolder + QStringLiteral("/temp/") + name;
        writeFile(path, bytes);
        return path;
    }
    void choose(SingleFileUploadWindow& w, const QString& path) {
        prompts.answerText(path);
        w.cmdSearch_Click();
    }
    const QString kAlbum = QStringLiteral("旅行");
};

}  // namespace

TEST_F(SingleFileUploadTest, OpensInItsDesignStateWithEveryHookSet) {
    SingleFileUploadWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("上传文件"));
    EXPECT_EQ(w.size(), QSize(twips::ToPixels(8715), twips::ToPixels(2490)));
    EXPECT_EQ(w.txtPath->geometry(), QRect(116, 8, 357, 21));
    EXPECT_EQ(w.picView->geometry(), QRect(8, 8, 100, 100));
    EXPECT_EQ(w.cmdSearch->text(), QStringLiteral("浏览..."));
    EXPECT_FALSE(w.cmdLeft->isEnabled());
    EXPECT_FALSE(w.cmdRight->isEnabled());
    EXPECT_EQ(w.Label1->text(), QStringLiteral("逆时针旋转90度："));
    EXPECT_EQ(w.Label2->text(), QStringLiteral("顺时针旋转90度："));
    EXPECT_FALSE(w.cheWatermarkAndBorder->isChecked());
    EXPECT_EQ(w.cheWatermarkAndBorder->text(), QStringLiteral("加入水印、边框"));
    EXPECT_TRUE(w.chkPicZIP->isChecked());
    EXPECT_EQ(w.chkPicZIP->text(), QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。"));
    EXPECT_TRUE(w.imgLock->isHidden());
    EXPECT_FALSE(w.imgLock->pixmap().isNull());
    EXPECT_EQ(testsupport::WidgetsWithMissingGlyphs(&w), QStringList());
    EXPECT_TRUE(w.picWait->isHidden());
    EXPECT_TRUE(w.picPreview->isHidden() || w.preview->isHidden());
    EXPECT_EQ(w.labSelectInfo->text(), QString());
    EXPECT_EQ(w.Label3->text(), QStringLiteral("注：重新上传的文件的格式必须与所更新的文件的格式一致。"));
    EXPECT_EQ(w.labUploadFinish->text(), QStringLiteral("正在上传，请您稍候..."));
    EXPECT_EQ(w.logic.TurnCount, 0);

    // The watermark option through the real controls: the fit option locked ticked, then free.
    w.chkPicZIP->setChecked(false);
    w.cheWatermarkAndBorder->click();
    EXPECT_TRUE(w.chkPicZIP->isChecked());
    EXPECT_FALSE(w.picPicZip->isEnabled());
    EXPECT_FALSE(w.imgLock->isHidden());
    w.cheWatermarkAndBorder->click();
    EXPECT_TRUE(w.chkPicZIP->isChecked());
    EXPECT_TRUE(w.picPicZip->isEnabled());
    EXPECT_TRUE(w.imgLock->isHidden());
}

TEST_F(SingleFileUploadTest, ChoosingFillsThePreviewAndTurnsShowTheChosenFileTurned) {
    SingleFileUploadWindow w;
    // A Flash file shows its list picture in the opener's place and leaves the turns off.
    w.setPreviewPicture(QImage(), QRect(10, 20, 30, 40));
    choose(w, localFile(QStringLiteral("m.swf"), "FWS"));
    EXPECT_EQ(w.imgView->geometry(), QRect(10, 20, 30, 40));
    EXPECT_FALSE(w.imgView->pixmap().isNull());
    EXPECT_FALSE(w.cmdRight->isEnabled());

    const QString jpg = SaveJpeg(UserFolder + QStringLiteral("/temp/w.JPG"), 200, 100);
    choose(w, jpg);
    EXPECT_EQ(prompts.records().last().text, ReplacementChooserFilter(frm上传单个文件Labels::labWebPath));
    EXPECT_EQ(w.txtPath->text(), jpg);
    EXPECT_EQ(w.imgView->geometry(), QRect(0, 25, 100, 50));
    ASSERT_TRUE(w.cmdRight->isEnabled());
    w.cmdRight->click();
    EXPECT_EQ(w.logic.TurnCount, 1);
    EXPECT_EQ(w.imgView->geometry(), QRect(25, 0, 50, 100));
    EXPECT_EQ(QImage(UserFolder + QStringLiteral("/savepic.bmp")).size(), QSize(50, 100));
    for (int i = 0; i < 3; ++i) w.cmdRight->click();
    EXPECT_EQ(w.logic.TurnCount, 0);
    EXPECT_EQ(w.imgView->geometry(), QRect(0, 25, 100, 50));
    EXPECT_TRUE(w.cmdRight->isEnabled());
}

TEST_F(SingleFileUploadTest, AReplacedGifIsServedAndTheCachesThumbnailAndCellFollow) {
    const struct {
        QString flag;
        QString index;
    } cases[] = {{QStringLiteral("1"), QStringLiteral("7")}, {QStringLiteral("0"), QStringLiteral("15")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index.toStdString());
        SetUp();
        point(QStringLiteral("a.gif"), c.index);
        frm个人网站Labels::labDownDirFlag = c.flag;
        const QString f01 = AlbumCachePath(AlbumListFileName);
        const QByteArray f01Before = readFile(f01);
        const QStringList rowBefore = AlbumFiles.row(row(QStringLiteral("a.gif")));
        const QString stampBefore = albumStamp();

        FileManagerWindow manager;
        SingleFileUploadWindow w;
        const QByteArray gif = GifBytes(150, 100, 1);
        choose(w, localFile(QStringLiteral("new.gif"), gif));
        DialogState = 0;
        w.cmdUploadFiles_Click();

        EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("上传成功!")});
        EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(DialogState, 99);
        EXPECT_EQ(served(QStringLiteral("a.gif")), gif);

        const QStringList rowAfter = AlbumFiles.row(row(QStringLiteral("a.gif")));
        EXPECT_EQ(rowAfter.value(7), QStringLiteral("150"));
        EXPECT_EQ(rowAfter.value(8), QStringLiteral("100"));
        EXPECT_NE(rowAfter.value(4), rowBefore.value(4));
        for (int f : {0, 1, 3, 5, 6, 9}) EXPECT_EQ(rowAfter.value(f), rowBefore.value(f)) << f;
        EXPECT_EQ(ReadTableFile(AlbumFileListPath(kAlbum), QStringLiteral("FileInfo")), AlbumFiles);
        if (c.flag == u"1") {
            EXPECT_NE(albumStamp(), stampBefore);
            EXPECT_EQ(albumStamp(), member().album(kAlbum)->stamp);
            EXPECT_EQ(ReadTableFile(f01, QStringLiteral("DirInfo")), AlbumList);
            EXPECT_FALSE(ReadTableFile(f01, QStringLiteral("HomeAlbum")).isNull());
        } else {
            EXPECT_EQ(readFile(f01), f01Before);
        }

        // The local thumbnail: the picture as the preview showed it, a JPEG at most 100 pixels.
        const QString thumbnail = UserFolder + QStringLiteral("/UpLoadPicture/旅行/a.gif");
        QImageReader reader(thumbnail);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray("jpeg"));
        EXPECT_EQ(reader.size(), QSize(100, 67));
        EXPECT_FALSE(QFileInfo::exists(UserFolder + QStringLiteral("/temp.jpg")));
        EXPECT_FALSE(QFileInfo::exists(UserFolder + QStringLiteral("/temp.bmp")));

        QLabel* picture = c.index == u"15" ? manager.imgFileView : manager.imgView[7];
        QWidget* frame = c.index == u"15" ? manager.picGrdView : manager.picView[7];
        EXPECT_EQ(picture->pixmap().size(), QSize(100, 67));
        EXPECT_EQ(picture->pos(), QPoint((frame->width() - 100) / 2, (frame->height() - 67) / 2));
        prompts.clear();
    }
}

TEST_F(SingleFileUploadTest, EveryRefusalShowsItsMessageAndLeavesTheFileAndCaches) {
    const QByteArray before = served(QStringLiteral("a.gif"));
    const Table files = AlbumFiles;
    const QString path = localFile(QStringLiteral("new.gif"), GifBytes(6, 3, 1));
    const QString address = frm上传单个文件Labels::labWebPath;
    const struct {
        const char* reply;
        std::function<void()> arrange;
        std::function<void()> undo;
    } cases[] = {
        {"Error_0001", [] { SetLoginField(5, QStringLiteral("0123456789abcdef0123456789abcdef")); },
         [this] { SetLoginField(5, member().digest); }},
        {"Error_0002", [address] { frm上传单个文件Labels::labWebPath = address + QStringLiteral("x"); },
         [address] { frm上传单个文件Labels::labWebPath = address; }},
        {"Error_0004", [this] { emulator().setMember(demo.name, QJsonObject{{"quotaKb", 0}}); },
         [this] { emulator().setMember(demo.name, QJsonObject{{"quotaKb", 100 * 1024}}); }},
        {"Error_0005", [this] { emulator().setMember(demo.name, QJsonObject{{"expiry", "2000-01-01"}}); },
         [this] { emulator().setMember(demo.name, QJsonObject{{"expiry", "2999-01-01"}}); }},
        {"Error_0000", [this] { emulator().dropConnection(QStringLiteral("UploadFile02")); }, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        c.arrange();
        SingleFileUploadWindow w;
        choose(w, path);
        prompts.clear();
        DialogState = 0;
        w.cmdUploadFiles_Click();
        c.undo();
        EXPECT_EQ(prompts.messages(), QStringList{ReplacementFailureMessage(QLatin1String(c.reply))});
        EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
        EXPECT_EQ(DialogState, 0);
        EXPECT_TRUE(w.picWait->isHidden());
        EXPECT_TRUE(w.cmdUploadFiles->isEnabled());
        EXPECT_FALSE(w.cmdSearch->isEnabled());
        EXPECT_EQ(served(QStringLiteral("a.gif")), before);
        EXPECT_EQ(AlbumFiles, files);
    }
}

TEST_F(SingleFileUploadTest, TheComposerPreparesMarkedTurnedAndLargePicturesAndTheArgumentsFollow) {
    const QString jpg = SaveJpeg(UserFolder + QStringLiteral("/temp/p.jpg"), 40, 20);
    const QString bmp = UserFolder + QStringLiteral("/temp/p.bmp");
    QImage(30, 30, QImage::Format_RGB32).save(bmp, "BMP");
    const struct {
        QString file;      // the chosen file
        QString stored;    // the hosted file it replaces
        bool watermark;
        int turns;         // clicks on cmdRight
        bool composerWrites;
        QString composed;  // labUploadWatermarkBorder the composer saw, empty: it did not run
        QString rotation;  // labRotation at the upload
        QString ext;       // argument 6
        QString message;
    } cases[] = {
        {jpg, QStringLiteral("c.bmp"), false, 0, true, {}, QStringLiteral("0"), QStringLiteral(".jpg"), kReplaceDoneMessage},
        {jpg, QStringLiteral("c.bmp"), false, 2, true, QStringLiteral("0"), QStringLiteral("2"), QStringLiteral(".jpg"),
         kReplaceDoneMessage},
        {jpg, QStringLiteral("c.bmp"), true, 2, true, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral(".jpg"),
         kReplaceDoneMessage},
        {bmp, QStringLiteral("c.bmp"), true, 0, true, QStringLiteral("1"), QStringLiteral("0"), QStringLiteral(".jpg"),
         kReplaceDoneMessage},
        {bmp, QStringLiteral("c.bmp"), true, 0, false, QStringLiteral("1"), QStringLiteral("0"), QString(),
         QStringLiteral("文件不存在，上传失败！")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 wm=%2 turns=%3 writes=%4").arg(c.file).arg(c.watermark).arg(c.turns).arg(c.composerWrites).toStdString());
        point(c.stored, QStringLiteral("3"));
        frm个人网站Labels::labRotation = QStringLiteral("9");
        const int callsBefore = int(emulator().calls(QStringLiteral("UploadFile02")).size());
        SingleFileUploadWindow w;
        QString composed;
        QString composedFrom;
        const QString prepared = UserFolder + QStringLiteral("/temp.jpg");
        // The composer as its labels drive it: the picture named, a JPEG left as temp.jpg.
        w.logic.view.runComposer = [&] {
            composed = frm个人网站Labels::labUploadWatermarkBorder;
            composedFrom = frm个人网站Labels::labZipPicPath;
            QFile::remove(prepared);
            if (c.composerWrites) SaveJpeg(prepared, 60, 30);
        };
        choose(w, c.file);
        if (c.watermark) w.cheWatermarkAndBorder->click();
        for (int i = 0; i < c.turns; ++i) w.cmdRight->click();
        prompts.clear();
        w.cmdUploadFiles_Click();

        EXPECT_EQ(prompts.messages(), QStringList{c.message});
        EXPECT_EQ(composed, c.composed);
        if (!c.composed.isEmpty()) {
            EXPECT_EQ(composedFrom, c.file);
        }
        EXPECT_EQ(frm个人网站Labels::labRotation, c.rotation);
        EXPECT_FALSE(QFileInfo::exists(prepared));
        const QList<EmulatorCall> calls = emulator().calls(QStringLiteral("UploadFile02"));
        if (c.ext.isEmpty()) {
            EXPECT_EQ(calls.size(), callsBefore);
            continue;
        }
        ASSERT_EQ(calls.size(), callsBefore + 1);
        const QByteArray sent = c.composed.isEmpty() ? readFile(c.file) : QByteArray();
        const QStringList args = calls.last().args;
        ASSERT_EQ(args.size(), 8);
        EXPECT_EQ(args.mid(0, 7), (QStringList{demo.name, member().digest, member().prefix, kAlbum, QStringLiteral("c"),
                                               c.ext, address(c.stored)}));
        if (!sent.isEmpty()) {
            EXPECT_EQ(args[7], QStringLiteral("<%1 bytes>").arg(sent.size() + 1));  // the file and one 0 byte
            EXPECT_EQ(served(c.stored), sent);
        } else {
            EXPECT_TRUE(served(c.stored).startsWith("\xff\xd8"));  // the composer's JPEG
        }
        // A prepared picture's thumbnail is named with ".jpg", an unprepared one with its own ending.
        EXPECT_TRUE(QFileInfo::exists(UserFolder + QStringLiteral("/UpLoadPicture/旅行/c") + c.ext));
    }
}

TEST_F(SingleFileUploadTest, TheScreenshotWarningComesFirstUntilTheMemberTurnsItOff) {
    SetUserSetting(UcsHintScreenshotSingle, QString());
    frm个人网站Labels::labUploadJM = QStringLiteral("1");
    ModalWatcher<ScreenshotWarningWindow> watcher([](ScreenshotWarningWindow* warning) {
        EXPECT_EQ(frm个人网站Labels::labUploadJM, QStringLiteral("3"));
        warning->chkIKnow->setChecked(true);
        warning->cmdYes->click();
    });
    SingleFileUploadWindow w;
    w.cmdUploadFiles_Click();  // an empty path: nothing is sent, nothing said
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(GetUserSetting(UcsHintScreenshotSingle), QStringLiteral("1"));
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_TRUE(emulator().calls(QStringLiteral("UploadFile02")).isEmpty());
    EXPECT_TRUE(w.cmdUploadFiles->isEnabled());
    EXPECT_FALSE(w.cmdSearch->isEnabled());
    w.cmdUploadFiles_Click();
    EXPECT_EQ(watcher.seen(), 1);
}

TEST_F(SingleFileUploadTest, TheFileManagersListTabReplacesItsRowAndShowsTheNewSizeAndPreview) {
    FileManagerWindow manager;
    manager.Form_Load();
    const auto found = manager.tvwDir->findItems(kAlbum, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    manager.tvwDir_NodeClick(found.first());
    manager.tabFile->setCurrentIndex(1);
    int gifRow = 0;
    for (int r = 1; r < manager.grdFile->rows(); ++r)
        if (manager.grdFile->textMatrix(r, 6) == QStringLiteral("a.gif")) gifRow = r;
    ASSERT_GT(gifRow, 0);
    manager.grdFile->setRow(gifRow);
    const QString sizeBefore = manager.grdFile->textMatrix(gifRow, 3);

    const QString path = localFile(QStringLiteral("big.gif"), GifBytes(300, 200, 2));
    ModalWatcher<SingleFileUploadWindow> watcher([&](SingleFileUploadWindow* w) {
        EXPECT_EQ(w->labIndex, QStringLiteral("15"));
        EXPECT_EQ(w->labFileName, QStringLiteral("a"));
        EXPECT_EQ(w->labWebDir, kAlbum);
        w->txtPath->setText(path);
        w->cmdUploadFiles->click();
    });
    manager.imgGridRenew->onClick();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("上传成功!")});
    EXPECT_EQ(DialogState, 99);
    // Every file is listed again, the replaced one with its new size and picture.
    EXPECT_EQ(manager.grdFile->rows(), 3);
    EXPECT_EQ(manager.grdFile->textMatrix(gifRow, 6), QStringLiteral("a.gif"));
    EXPECT_NE(manager.grdFile->textMatrix(gifRow, 3), sizeBefore);
    EXPECT_EQ(manager.grdFile->textMatrix(gifRow, 9), QStringLiteral("300"));
    EXPECT_EQ(manager.imgFileView->pixmap().size(), QSize(100, 67));
}

// The publish dialog: pending pictures uploaded to the emulator, one message for them, the cell
// written and published, the album-list cache brought up to date, and the window around it.
#include <gtest/gtest.h>

#include <QFile>

#include "albums/albumcache.h"
#include "state/albumsstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/celleditorstate.h"
#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/safefile.h"
#include "site/ui/updatesitewindow.h"
#include "site/publishdialog.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "support/publishfixture.h"

#include <optional>

#ifdef TAVOLIN_HAVE_EMULATOR

namespace B = CellBlock;

namespace {

// Readable comparisons of texts in failure reports.
std::string str(const QStringList& l) { return l.join(QStringLiteral(" | ")).toStdString(); }

const QString kUpdated = QStringLiteral("网站更新成功！");
const QString kMaterials = QStringLiteral("www网站素材");

// The album list as the last read left it: the materials album and one of the member's, and the
// home-page frame with one slot set.
const QString kDirInfo = QStringLiteral(
    "我的相册</F>a</F>2024-01-02</F></F></F></F>s-mine</F><//R>"
    "www网站素材</F>b</F>2024-01-01</F></F></F></F>s-old</F><//R>DirInfo<///T>");
const QString kHomeAlbum = QStringLiteral("我的相册</F></F></F></F></F></F></F></F></F></F></F></F></F></F></F><//R>HomeAlbum<///T>");

class PublishDialog : public testsupport::PublishTest {
protected:
    static constexpr int R = 21;  // cell 2's block

    void cacheAlbumList(bool withMaterials) {
        QString text = kDirInfo;
        if (!withMaterials) text.remove(QRegularExpression(QStringLiteral("www网站素材.*<//R>(?=DirInfo)")));
        text += kHomeAlbum;
        ASSERT_TRUE(WriteEncryptedText(text, AlbumCachePath(AlbumListFileName)));
        AlbumList = ExtractTable(text, QStringLiteral("DirInfo"));
        frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    }
    QString cachedAlbumListText() {
        QFile f(AlbumCachePath(AlbumListFileName));
        return f.open(QIODevice::ReadOnly) ? DecryptBytes(f.readAll(), DataFileKey) : QString();
    }
    // The stamp the service gave with its last upload.
    QString lastStamp() {
        const auto calls = emulator().calls(QStringLiteral("UploadFile01"));
        return calls.isEmpty() ? QString() : calls.last().reply.mid(8);
    }
};

}  // namespace

TEST_F(PublishDialog, UploadedBackgroundReachesTheServedSiteAndTheCachedAlbumList) {
    cacheAlbumList(true);
    const QString stampBefore = LoginField(7);
    openEditor(2);
    const QString file = pictureFile(QStringLiteral("新背景.png"));
    pendPicture(0, file);
    CellRecord[3 + B::CellBackground] = file;  // what the editor shows; the dialog sends the upload's address

    RunPublishDialogWork();

    EXPECT_EQ(str(prompts.messages()), str((QStringList{QStringLiteral("背景上传成功！"), kUpdated})));
    ASSERT_EQ(emulator().calls(QStringLiteral("UploadFile01")).size(), 1);
    const QStringList args = emulator().calls(QStringLiteral("UploadFile01")).first().args;
    EXPECT_EQ(args.mid(3, 5), (QStringList{kMaterials, QStringLiteral("1"), QStringLiteral("grb2"),
                                           QStringLiteral(".png"), QString()}));
    const QString url = PendingPictures.value(0, PendingPicture::UploadedUrl);
    EXPECT_EQ(SiteSettings(LocalColumn, R), file);
    EXPECT_EQ(SiteSettings(PublishColumn, R), url);
    EXPECT_EQ(SiteSettings(PublishedColumn, R), url);
    EXPECT_EQ(frm图片设置Labels::labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(DialogState, 99);
    // The service has the picture under that address and serves it in the site.
    EXPECT_EQ(emulator().get(url).status, 200);
    EXPECT_TRUE(servedSite().contains(url));

    // The album's new stamp is in the list and F01.dat, whose home-page frame stayed as it was.
    const QString stamp = lastStamp();
    ASSERT_FALSE(stamp.isEmpty());
    EXPECT_EQ(AlbumList.value(1, 6), stamp);
    EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("s-mine"));
    const QString cached = cachedAlbumListText();
    EXPECT_EQ(ExtractTable(cached, QStringLiteral("DirInfo")), AlbumList);
    EXPECT_TRUE(cached.endsWith(QStringLiteral("DirInfo<///T>") + kHomeAlbum)) << qPrintable(cached);
    EXPECT_EQ(LoginField(7), stampBefore);
    EXPECT_EQ(fileManagerUnloads, 0);
}

TEST_F(PublishDialog, StampGoesToTheLoginRecordWhenTheListIsNotCurrent) {
    struct Case {
        const char* name;
        const char* downDirFlag;
        bool materialsListed;
        bool dataFolderBroken;  // F01.dat cannot be written
    };
    const Case cases[] = {
        {"list not read in this run", "0", true, false},
        {"album not in the list", "1", false, false},
        {"list file cannot be written", "1", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.clear();
        emulator().reset();
        fileManagerUnloads = 0;
        cacheAlbumList(c.materialsListed);
        frm个人网站Labels::labDownDirFlag = QString::fromLatin1(c.downDirFlag);
        const Table listBefore = AlbumList;
        const QString fileBefore = cachedAlbumListText();
        std::optional<paths::SafeWriteFault> broken;
        if (c.dataFolderBroken) broken.emplace(AlbumCachePath(AlbumListFileName), paths::SafeWriteStep::Write);
        SetLoginField(7, QStringLiteral("before"));
        openEditor(2);
        pendPicture(0, pictureFile(QStringLiteral("b.png")));
        pendPicture(1, pictureFile(QStringLiteral("f.jpg")));

        RunPublishDialogWork();

        EXPECT_EQ(str(prompts.messages()), str((QStringList{QStringLiteral("背景上传成功！前景上传成功！"), kUpdated})));
        EXPECT_EQ(LoginField(7), lastStamp());
        EXPECT_EQ(fileManagerUnloads, 2);  // once for each upload
        EXPECT_EQ(AlbumList, listBefore);
        EXPECT_EQ(cachedAlbumListText(), fileBefore);
    }
}

TEST_F(PublishDialog, FailedUploadsMakeOneMessageAndThePublishStillRuns) {
    struct Case {
        const char* name;
        QStringList scripted;  // UploadFile01 replies in order; uploads beyond them reach the service
        QString background;    // local file names; empty: not pending
        QString foreground;
        QString message;
    };
    const Case cases[] = {
        {"background space full, foreground accepted", {QStringLiteral("Error_0004")}, QStringLiteral("b.png"),
         QStringLiteral("f.png"),
         QStringLiteral("错误 0004：背景上传失败！网络空间已满，请您删除部份文件或扩容后再试。前景上传成功！")},
        {"both unknown replies", {QStringLiteral("什么？"), QStringLiteral("OK_0001")}, QStringLiteral("b.png"),
         QStringLiteral("f.png"),
         QStringLiteral("错误 0006：背景上传失败！意外错误，请您重新登录本软件再试。"
                        "错误 0006：前景上传失败！意外错误，请您重新登录本软件再试。")},
        {"expired space and an album error", {QStringLiteral("Error_0005"), QStringLiteral("Error_0002")},
         QStringLiteral("b.png"), QStringLiteral("f.png"),
         QStringLiteral("错误 0005：背景上传失败！网络空间已过期，请您给网络空间继费后再试。错误 0002，前景上传失败。")},
        {"missing background, foreground of a refused type", {}, QStringLiteral("missing.jpg"),
         QStringLiteral("f.jpeg"),
         QStringLiteral("背景文件不存在，背景上传失败。不支持此前景文件类型上传，前景上传失败！")},
        {"nothing pending", {}, QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.clear();
        emulator().reset();
        for (const QString& reply : c.scripted) emulator().scriptReply(QStringLiteral("UploadFile01"), reply);
        openEditor(2);
        CellRecord[3 + B::CellText] = QString::fromUtf8(c.name);  // every case has a change to publish
        if (!c.background.isEmpty())
            pendPicture(0, c.background == QLatin1String("missing.jpg") ? UserFolder + QStringLiteral("/temp/missing.jpg")
                                                                        : pictureFile(c.background));
        if (!c.foreground.isEmpty()) pendPicture(1, pictureFile(c.foreground));
        const QString rowBefore = SiteSettings(PublishColumn, R);

        RunPublishDialogWork();

        QStringList expected;
        if (!c.message.isEmpty()) expected << c.message;
        expected << kUpdated;
        EXPECT_EQ(str(prompts.messages()), str(expected));
        EXPECT_EQ(prompts.records().first().title, QStringLiteral("提示"));
        EXPECT_EQ(emulator().calls(QStringLiteral("UploadWebsite2")).size(), 1);
        // A failed background leaves its row as it was.
        if (!c.background.isEmpty()) {
            EXPECT_EQ(SiteSettings(PublishColumn, R), rowBefore);
        }
    }
}

TEST_F(PublishDialog, AnUploadCountsAsAppliedEvenWhenThePublishIsRefused) {
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    openEditor(2);
    pendPicture(0, pictureFile(QStringLiteral("b.png")));
    CellRecord[3 + B::CellText] = QStringLiteral("被拒绝");
    const QStringList localBefore = SiteSettings.column(LocalColumn);
    const QStringList publishBefore = SiteSettings.column(PublishColumn);

    // DialogState says 99 for the main window; the outcome tells the editor the site lacks the edit.
    EXPECT_EQ(RunPublishDialogWork(), PublishOutcome::Refused);

    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"),
                                               QStringLiteral("错误(0007)：抱歉！网页数据更新失败，请您稍后再试...")}));
    EXPECT_EQ(DialogState, 99);
    // The whole apply is taken back, the upload's rows too: the cell is as last applied, and its
    // picture waits for the upload again.
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(SiteSettings(PublishColumn, R + k), publishBefore[R + k]) << k;
        EXPECT_EQ(SiteSettings(LocalColumn, R + k), localBefore[R + k]) << k;
    }
    EXPECT_EQ(frm图片设置Labels::labBJFlag, QStringLiteral("1"));
}

TEST_F(PublishDialog, AfterError0006TheSentRowsStayForTheServiceButTheCellIsTakenBackLocally) {
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0006"));
    openEditor(2);
    pendPicture(0, pictureFile(QStringLiteral("b.png")));
    CellRecord[3 + B::CellText] = QStringLiteral("再送一次");
    const QStringList localBefore = SiteSettings.column(LocalColumn);

    EXPECT_EQ(RunPublishDialogWork(), PublishOutcome::Refused);
    EXPECT_EQ(SiteSettings(PublishColumn, R), PendingPictures.value(0, PendingPicture::UploadedUrl));
    EXPECT_EQ(SiteSettings(PublishColumn, R + B::CellText), QStringLiteral("再送一次"));
    for (int k = 0; k < 8; ++k) EXPECT_EQ(SiteSettings(LocalColumn, R + k), localBefore[R + k]) << k;
    EXPECT_EQ(SiteSettings(LocalColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_EQ(frm图片设置Labels::labBJFlag, QStringLiteral("1"));
}

TEST_F(PublishDialog, UploadSuccessTagCountsInAnyLetterCase) {
    emulator().scriptReply(QStringLiteral("UploadFile01"), QStringLiteral("ok_0001_20240501120000"));
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    openEditor(2);
    pendPicture(0, pictureFile(QStringLiteral("b.png")));

    RunPublishDialogWork();

    EXPECT_EQ(str(prompts.messages()), str((QStringList{QStringLiteral("背景上传成功！"), kUpdated})));
    EXPECT_EQ(SiteSettings(PublishedColumn, R), PendingPictures.value(0, PendingPicture::UploadedUrl));
    // The tag is taken off the stamp only in its own spelling.
    EXPECT_EQ(LoginField(7), QStringLiteral("ok_0001_20240501120000"));
}

TEST_F(PublishDialog, RemovedPictureHiddenForegroundAndThePrefaceEditor) {
    // Cell editor, background removed: row R empty in both columns, the flag cleared on success.
    for (int column : {LocalColumn, PublishColumn, PublishedColumn})
        SiteSettings(column, R) = QStringLiteral("http://old/bg.jpg");  // the published background
    openEditor(2);
    frm图片设置Labels::labBJFlag = QStringLiteral("2");
    RunPublishDialogWork();
    EXPECT_EQ(SiteSettings(LocalColumn, R), QString());
    EXPECT_EQ(SiteSettings(PublishColumn, R), QString());
    EXPECT_EQ(frm图片设置Labels::labBJFlag, QStringLiteral("0"));

    // Cell 12 (foreground panel hidden): only the background row is applied.
    prompts.clear();
    const int r12 = GetCellBaseRow(12);
    openEditor(12);
    for (int k = 1; k < 8; ++k) CellRecord[3 + k] = QStringLiteral("changed");
    CellRecord[3] = QStringLiteral("http://mat.test/bg12.jpg");
    frm图片设置Labels::labBJFlag = QStringLiteral("3");
    const QStringList before = SiteSettings.column(PublishColumn);
    RunPublishDialogWork();
    EXPECT_EQ(SiteSettings(PublishColumn, r12), QStringLiteral("http://mat.test/bg12.jpg"));
    for (int k = 1; k < 8; ++k) EXPECT_EQ(SiteSettings(PublishColumn, r12 + k), before[r12 + k]) << k;

    // The preface editor: its own flag; rows R+1 to R+7 always written.
    prompts.clear();
    emulator().reset();
    const int r10 = GetCellBaseRow(10);
    openEditor(10);
    ASSERT_EQ(EditorKind, 1);
    pendPicture(0, pictureFile(QStringLiteral("preface.jpg")));
    CellRecord[3 + B::CellTextHtml] = QStringLiteral("<p>卷首语</p>");
    RunPublishDialogWork();
    EXPECT_EQ(str(prompts.messages()), str((QStringList{QStringLiteral("背景上传成功！"), kUpdated})));
    EXPECT_EQ(frm卷首语设置Labels::labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(SiteSettings(PublishedColumn, r10), PendingPictures.value(0, PendingPicture::UploadedUrl));
    EXPECT_EQ(SiteSettings(PublishedColumn, r10 + B::CellTextHtml), QStringLiteral("<p>卷首语</p>"));
    EXPECT_EQ(DialogState, 99);
}

TEST_F(PublishDialog, NoDomainAfterTheUploadsWritesNothingOfTheCell) {
    frm个人网站Labels::txtDomainNameVisible = true;
    openEditor(2);
    pendPicture(1, pictureFile(QStringLiteral("f.png")));
    CellRecord[3 + B::CellText] = QStringLiteral("不写");
    RunPublishDialogWork();
    EXPECT_EQ(prompts.messages(),
              (QStringList{QStringLiteral("前景上传成功！"),
                           QStringLiteral("抱歉！您尚未注册Orbel网站域名，请您先注册域名后再设置您的网站。")}));
    EXPECT_NE(SiteSettings(LocalColumn, R + B::CellText), QStringLiteral("不写"));
    EXPECT_EQ(SiteSettings(PublishColumn, R + 1), PendingPictures.value(1, PendingPicture::UploadedUrl));
    EXPECT_TRUE(emulator().calls(QStringLiteral("UploadWebsite2")).isEmpty());
    EXPECT_EQ(DialogState, 99);
}

TEST_F(PublishDialog, WindowDoesItsWorkOnceShownAndCloses) {
    openEditor(2);  // nothing changed, nothing pending
    frm更新网站 dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("更新网站"));
    EXPECT_EQ(dialog.outcome(), PublishOutcome::Failed);  // until the work ends
    dialog.exec();  // the timer starts the work; the dialog closes itself
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.outcome(), PublishOutcome::NoChange);
    EXPECT_EQ(str(prompts.messages()), str(QStringList{kUpdated}));
    EXPECT_EQ(DialogState, 99);
    EXPECT_TRUE(emulator().calls(QStringLiteral("UploadWebsite2")).isEmpty());
}

#endif  // TAVOLIN_HAVE_EMULATOR

#ifdef TAVOLIN_HAVE_EMULATOR
// A fault inside the work (here: the site settings table was never created) still ends the dialog,
// which otherwise refuses to close while it works.
TEST_F(PublishDialog, AnErrorInsideTheWorkStillClosesTheWindow) {
    openEditor(2);
    SiteSettings.destroy();
    frm更新网站 dialog;
    dialog.exec();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.outcome(), PublishOutcome::Failed);
    EXPECT_FALSE(prompts.messages().isEmpty());
}
#endif  // TAVOLIN_HAVE_EMULATOR

// Each refused upload's reply gives its own sentence; the replies are compared whole and in their
// exact spelling, anything else is the unexpected error.
TEST(UploadFailureText, EachReplyItsSentence) {
    struct Case {
        QString reply;
        bool foreground;
        QString text;
    };
    const QString unexpectedBackground = QStringLiteral("错误 0006：背景上传失败！意外错误，请您重新登录本软件再试。");
    const Case cases[] = {
        {QStringLiteral("Error_0000"), false, QStringLiteral("错误 0000，背景上传失败：网络中断，请稍候再试。")},
        {QStringLiteral("Error_0001"), true, QStringLiteral("错误 0001，前景上传失败。")},
        {QStringLiteral("Error_0003"), false, QStringLiteral("错误 0003，背景上传失败。")},
        {QStringLiteral("Error_0004"), true,
         QStringLiteral("错误 0004：前景上传失败！网络空间已满，请您删除部份文件或扩容后再试。")},
        {QStringLiteral("Error_0005"), false,
         QStringLiteral("错误 0005：背景上传失败！网络空间已过期，请您给网络空间继费后再试。")},
        {QStringLiteral("文件不存在，上传失败！"), true, QStringLiteral("前景文件不存在，前景上传失败！")},
        {QStringLiteral("不支持此文件类型上传。"), false, QStringLiteral("不支持此背景文件类型上传，背景上传失败。")},
        {QStringLiteral("error_0001"), false, unexpectedBackground},
        {QStringLiteral("Error_00010"), false, unexpectedBackground},
        {QStringLiteral("Error_0006"), false, unexpectedBackground},
        {QString(), false, unexpectedBackground},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        EXPECT_EQ(UploadFailureText(c.reply, c.foreground), c.text);
    }
}

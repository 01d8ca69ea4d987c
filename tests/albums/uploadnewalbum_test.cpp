// The upload window's album creation: the name rules in their order, the service's answers, the
// new album chosen as the target, and the album settings window it was opened from.
#include "albums/albumgrid.h"
#include "albums/loadalbumlist.h"
#include "albums/ui/albumsettingswindow.h"
#include "albums/ui/uploadwindow.h"
#include "albums/uploadnewalbum.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/ui/flexgrid.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"
#include "support/publishfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace testsupport;

namespace {
const QString kPrompt =
    QStringLiteral("请输入相册的名称：\r\r（注：若要把创建的相册显示在网站首页中则请在网站设置主界面中点击“20.相册设置”按钮进行设置）");
}

class UploadNewAlbumTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        view.enableNewAlbum = [this](bool on) { log << (on ? QStringLiteral("enable") : QStringLiteral("disable")); };
        view.addChosenAlbum = [this](const QString& a) { log << QStringLiteral("chosen ") + a; };
        view.showUploadToAlbum = [this](const QString& c) { log << QStringLiteral("caption ") + c; };
        view.addAlbumSettingsRow = [this](const QString& a, const QString& s) { log << QStringLiteral("row ") + a + QLatin1Char(' ') + s; };
        view.showWait = [this] { log << QStringLiteral("wait"); };
        view.hideWait = [this] { log << QStringLiteral("done"); };
        ASSERT_TRUE(UnsetRequiredHooks(view).isEmpty());
        // The cached list the main window loaded before it opened the upload window.
        emulator().server().logic().BuildAlbumDir({demo.name, LoginField(5), LoginField(6), QStringLiteral("旅行")});
        SetLoginField(7, member().albumStamp);
        frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
        LoadAlbumList();
        emulator().clearCalls();
    }
    // Creates the album of the name typed; the log of what the window saw.
    void create(const QString& typed) {
        log.clear();
        prompts.clear();
        prompts.answerText(typed);
        CreateAlbumFromUploadWindow(view);
    }
    int builds() { return int(emulator().calls(QStringLiteral("BuildAlbumDir")).size()); }

    UploadNewAlbumView view;
    QStringList log;
};

TEST_F(UploadNewAlbumTest, NamesAreTestedInTheWindowsOrderBeforeAnythingIsSent) {
    const struct {
        const char* typed;
        const char* message;  // empty: nothing said
        const char* title;
    } cases[] = {
        {"www 相册", "创建相册败失：相册名称中不能含有空格。", "提示"},  // the space comes before every other test
        {"旅+行", "创建相册败失：相册名称中不能含有“+”号。", "提示"},
        {" 旅行 ", "创建相册失败：相册“旅行”已经存在，请另起新的名称再试。", ""},
        {"www网站素材", "创建相册失败：相册“www网站素材”已经存在，请另起新的名称再试。", ""},
        {"根目录", "错误！您不能创建名称为“根目录”的相册，因为它有特殊用途。", ""},
        {"WWW相册", "错误！您不能创建名称前三位是“www”的相册，因为它有特殊用途。", ""},
        {"Null", "错误！您不能创建名称为“Null”的相册，因为它有特殊用途。", ""},
        {"一二三四五六七八九十a", "相册名称最长为20字节(10个汉字)。", "提示"},
        {"   ", "", ""},
        {"", "", ""},  // the box cancelled
    };
    for (const auto& c : cases) {
        create(QString::fromUtf8(c.typed));
        ASSERT_GE(prompts.records().size(), 1) << c.typed;
        EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("input"));
        EXPECT_EQ(prompts.records()[0].text, kPrompt);
        EXPECT_EQ(prompts.records()[0].title, QStringLiteral("新建相册"));
        if (*c.message) {
            ASSERT_EQ(prompts.records().size(), 2) << c.typed;
            EXPECT_EQ(prompts.records()[1].text, QString::fromUtf8(c.message));
            EXPECT_EQ(prompts.records()[1].title, QString::fromUtf8(c.title));
            EXPECT_EQ(prompts.records()[1].style, vbInformation);
        } else {
            EXPECT_EQ(prompts.records().size(), 1) << c.typed;
        }
        EXPECT_EQ(log, (QStringList{QStringLiteral("disable"), QStringLiteral("enable")})) << c.typed;
    }
    EXPECT_EQ(builds(), 0);

    // With no list read, no name counts as existing: the service says so.
    AlbumList = Table::null();
    create(QStringLiteral("旅行"));
    EXPECT_EQ(builds(), 1);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误 0004，创建相册失败：相册“旅行”已经存在，请另起新的名称再试。")});
}

TEST_F(UploadNewAlbumTest, ACreatedAlbumBecomesTheChosenTarget) {
    const Table listBefore = AlbumList;
    frm上传Labels::cobAlbumItems = QStringList{QStringLiteral("旅行")};
    create(QStringLiteral("  家人 "));
    ASSERT_EQ(builds(), 1);
    EXPECT_EQ(emulator().calls(QStringLiteral("BuildAlbumDir"))[0].args,
              (QStringList{demo.name, LoginField(5), LoginField(6), QStringLiteral("家人")}));
    const QString stamp = member().album(QStringLiteral("家人"))->created;
    EXPECT_EQ(LoginField(7), stamp);
    EXPECT_EQ(AlbumList, listBefore);
    EXPECT_EQ(log, (QStringList{QStringLiteral("disable"), QStringLiteral("wait"), QStringLiteral("done"),
                                QStringLiteral("chosen 家人"), QStringLiteral("caption 上传到相册[家人]"), QStringLiteral("enable")}));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("相册创建成功！")});
    EXPECT_EQ(prompts.records().value(1).title, QStringLiteral("提示"));
    EXPECT_EQ(frm上传Labels::cobAlbumItems, (QStringList{QStringLiteral("旅行"), QStringLiteral("家人")}));
    EXPECT_EQ(frm上传Labels::cobAlbumText, QStringLiteral("家人"));
    EXPECT_EQ(fileManagerUnloads, 1);
    // The next list load reads the service and finds it.
    LoadAlbumList();
    EXPECT_EQ(AlbumList.value(AlbumList.rows() - 1, 0), QStringLiteral("家人"));

    // Opened by the album settings: their grid gets the row.
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    create(QStringLiteral("风景"));
    EXPECT_TRUE(log.contains(QStringLiteral("row 风景 ") + LoginField(7))) << log.join('\n').toStdString();
}

TEST_F(UploadNewAlbumTest, RefusalsAndFailedCallsChangeNothing) {
    const QString stamp = LoginField(7);
    const struct {
        const char* reply;
        const char* message;
    } cases[] = {
        {"Error_0001", "错误 0001，创建相册失败，请您重新登录本软件再试。"},
        {"Error_0002", "错误 0002，创建相册失败，请您重新登录本软件再试。"},
        {"Error_0003", "错误 0003，创建相册失败，请您重新登录本软件再试。"},
        {"OK_0001", "意外错误，请您重新登录本软件再试。"},  // no stamp: not the success reply
        {"Error_0009", "意外错误，请您重新登录本软件再试。"},
    };
    for (const auto& c : cases) {
        emulator().scriptReply(QStringLiteral("BuildAlbumDir"), QString::fromLatin1(c.reply));
        create(QStringLiteral("家人"));
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)}) << c.reply;
        EXPECT_EQ(prompts.records().value(1).title, QString());
        EXPECT_EQ(log.last(), QStringLiteral("enable"));
        EXPECT_TRUE(log.filter(QStringLiteral("chosen")).isEmpty());
    }
    emulator().hideWsdl(QStringLiteral("imgser001"));
    create(QStringLiteral("家人"));
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(log, (QStringList{QStringLiteral("disable"), QStringLiteral("wait"), QStringLiteral("done"), QStringLiteral("enable")}));
    EXPECT_EQ(LoginField(7), stamp);
    EXPECT_EQ(fileManagerUnloads, 0);
}

TEST_F(UploadNewAlbumTest, TheUploadWindowOpenedFromTheAlbumSettingsListsTheAlbumInTheirGrid) {
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    emulator().server().logic().BuildAlbumDir({demo.name, LoginField(5), LoginField(6), QStringLiteral("家人")});
    SetLoginField(7, member().albumStamp);
    LoadAlbumList();
    AlbumSettingsWindow settings;
    const QStringList before = settings.logic.grid.names();
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    frm上传Labels::cobAlbumItems = settings.logic.grid.uploadChoices();
    frm上传Labels::cobAlbumText = QStringLiteral("旅行");
    UploadWindow upload;
    EXPECT_TRUE(UnsetRequiredHooks(upload.newAlbumView).isEmpty());
    prompts.answerText(QStringLiteral("风景"));
    upload.cmdNewAlbum->click();
    EXPECT_TRUE(upload.cmdNewAlbum->isEnabled());
    EXPECT_EQ(upload.cobAlbum->itemText(upload.cobAlbum->count() - 1), QStringLiteral("风景"));
    EXPECT_EQ(upload.cobAlbum->currentText(), QStringLiteral("风景"));
    EXPECT_TRUE(upload.labUploadToAlbumCaption->isVisibleTo(&upload));
    EXPECT_EQ(upload.labUploadToAlbumCaption->text(), QStringLiteral("上传到相册[风景]"));
    EXPECT_EQ(settings.logic.grid.names(), QStringList{QStringLiteral("风景")} + before);
    EXPECT_EQ(settings.grdAlbum->textMatrix(1, AlbumGrid::NameColumn), QStringLiteral("风景"));
    EXPECT_EQ(settings.grdAlbum->textMatrix(1, AlbumGrid::CreatedColumn), LoginField(7));
    EXPECT_EQ(settings.grdAlbum->textMatrix(1, AlbumGrid::MarkColumn), QStringLiteral("<- 移入"));
    EXPECT_EQ(settings.grdAlbum->textMatrix(2, AlbumGrid::NameColumn), before.value(0));
    upload.reject();
    settings.reject();

    // With no album settings window open, nothing else is touched.
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    UploadWindow alone;
    prompts.answerText(QStringLiteral("山水"));
    alone.cmdNewAlbum_Click();
    EXPECT_EQ(alone.cobAlbum->currentText(), QStringLiteral("山水"));
    alone.reject();
}

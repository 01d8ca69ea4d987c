// The main window's buttons reach their commands, and the home-page album panel works as one
// piece of the window.
#include "albums/albumcache.h"
#include "foundation/shareddata.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "mainwindow/ui/commandwiring.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/homealbumpanel.h"
#include "platform/hookcheck.h"
#include "site/site_api.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "support/rendererlimit.h"
#include "support/sitefixture.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {
[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();
}

class CommandWiringTest : public testsupport::SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        WriteLoginPages();
        window = std::make_unique<frm个人网站>();
        commands = CommandsOf(*window);
        ASSERT_TRUE(commands);
        wiredWindows = commands->windows;
        // Every window a command opens says its name.
        CommandWindows& w = commands->windows;
        for (const auto& [slot, name] : std::initializer_list<std::pair<std::function<void(QWidget*)>*, const char*>>{
                 {&w.cellEditor, "cellEditor"},       {&w.prefaceEditor, "prefaceEditor"},
                 {&w.colorDialog, "colorDialog"},     {&w.musicEditor, "musicEditor"},
                 {&w.uploadWindow, "uploadWindow"},   {&w.sizedUpload, "sizedUpload"},
                 {&w.albumSettings, "albumSettings"}, {&w.blogList, "blogList"},
                 {&w.blogWriter, "blogWriter"},       {&w.microBlogList, "microBlogList"},
                 {&w.microBlogWriter, "microBlogWriter"}, {&w.fileManager, "fileManager"},
                 {&w.imageEditor, "imageEditor"},     {&w.templateChooser, "templateChooser"},
                 {&w.webIE, "webIE"},                 {&w.webFrame, "webFrame"},
                 {&w.mySite, "mySite"},               {&w.mobileSite, "mobileSite"},
                 {&w.userInfo, "userInfo"},           {&w.buySpace, "buySpace"},
                 {&w.protection, "protection"}}) {
            const QString n = QString::fromLatin1(name);
            *slot = [this, n](QWidget* parent) {
                EXPECT_EQ(parent, window.get());
                opened << n + QLatin1Char(':') + CellRecord.value(0);
            };
        }
        w.domainRegistration = [this](QWidget*, const QString& label) { opened << QStringLiteral("registration:") + label; };
    }
    void TearDown() override {
        window.reset();
        SiteTest::TearDown();
    }
    // A current album-list cache, so the album commands read no service.
    void freshAlbumCache(const QString& listText) {
        QDir().mkpath(UserFolder + QStringLiteral("/data"));
        SetLoginField(7, QStringLiteral("s1"));
        WriteEncryptedText(listText, AlbumCachePath(AlbumListFileName));
        WriteEncryptedText(QStringLiteral("s1</F><//R>DirTime<///T>"), AlbumCachePath(AlbumListStampFileName));
        frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    }

    std::unique_ptr<frm个人网站> window;
    MainWindowCommands* commands = nullptr;
    CommandWindows wiredWindows;  // as the window set them, before the stand-ins above
    QStringList opened;
};

TEST_F(CommandWiringTest, TheWindowSetsEveryRequiredHookAndEveryWindowItsCommandsOpen) {
    EXPECT_EQ(UnsetRequiredHooks(commands->view).join(u' ').toStdString(), "");
    EXPECT_EQ(commands->view.window, window.get());
    EXPECT_EQ(UnsetRequiredHooks(wiredWindows).join(u' ').toStdString(), "");
}

TEST_F(CommandWiringTest, EveryButtonOpensItsWindow) {
    frm个人网站& w = *window;
    SetLoginField(12, QStringLiteral("mysite"));
    freshAlbumCache(QStringLiteral("旅行</F><//R>DirInfo<///T>"));
    const QList<std::pair<QAbstractButton*, QString>> buttons = {
        {w.cmdEdit.value(27), "cellEditor:25"},   {w.cmdEdit.value(10), "prefaceEditor:10"},
        {w.cmdEdit.value(31), "cellEditor:31"},   {w.cmdEdit.value(37), "colorDialog:306"},
        {w.cmdSetMusic, "musicEditor:-1"},        {w.cmdUploadAreaPic[0], "sizedUpload:-1"},
        {w.cmdUploadAreaPic[3], "uploadWindow:-1"}, {w.cmdLYB, "webIE:-1"},
        {w.cmdMsg, "webIE:-1"},                   {w.cmdWriteTBlog, "microBlogWriter:-1"},
        {w.cmdTblogMag, "microBlogList:-1"},      {w.cmdSetPhotoBox, "albumSettings:-1"},
        {w.cmdBlogMag, "blogList:-1"},            {w.cmdWriteBlog, "blogWriter:-1"},
        {w.cmdSuggest, "webFrame:-1"},            {w.cmdPicEdit, "imageEditor:-1"},
        {w.cmdSetUserInfo, "userInfo:-1"},        {w.cmdBuySpace, "buySpace:-1"},
        {w.cmdTemplate, "templateChooser:-1"},    {w.cmdUploadPic, "uploadWindow:-1"},
        {w.cmdViewMyMBSite, "mobileSite:-1"},     {w.cmdPicManage, "fileManager:-1"},
        {w.cmdViewMySite, "mySite:-1"},           {w.cmdEncrypt, "protection:-1"},
    };
    frmDB::grdDB[13].setCols(11);  // the protection record was read earlier in this run
    for (const auto& [button, expected] : buttons) {
        ASSERT_TRUE(button) << expected.toStdString();
        opened.clear();
        CellRecord = QStringList{QStringLiteral("-1")};
        button->click();
        EXPECT_EQ(opened, QStringList{expected});
    }
    EXPECT_TRUE(prompts.messages().isEmpty());

    w.txtDomainName->setText(QStringLiteral(" Wanted "));
    opened.clear();
    w.cmdRegDomain->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("registration:Wanted")});
    EXPECT_TRUE(w.cmdRegDomain->isEnabled());

    prompts.clear();
    w.txtDomainName->setText(QStringLiteral("   "));
    w.cmdTestDomain->click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误：域名不能为空。请您先在域名输入框中输入您的域名后再试。")});
    EXPECT_TRUE(w.txtDomainName->text().isEmpty());
    EXPECT_TRUE(w.cmdTestDomain->isEnabled());
    EXPECT_TRUE(w.cmdSetMusic->isEnabled());
}

TEST_F(CommandWiringTest, TheHomeAlbumPanelOffersChoosesAndEnablesSaving) {
    frm个人网站& w = *window;
    HomeAlbumPanel* panel = HomeAlbumPanelOf(w);
    QToolButton* open = SetHomePhotoButtonOf(w);
    ASSERT_TRUE(panel && open);
    EXPECT_EQ(open->parentWidget(), w.picPage[18]);
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(panel->cmdSaveHomeAlbum->isEnabled());

    freshAlbumCache(QStringLiteral("旅行</F><//R>www网站素材</F><//R>家人</F><//R>DirInfo<///T>"));
    SiteSettings(PublishColumn, HomeAlbumRow) = QStringLiteral("家人");
    open->click();
    EXPECT_FALSE(panel->isHidden());
    ASSERT_EQ(panel->lisAlbum->count(), 2);
    EXPECT_EQ(panel->lisAlbum->item(0)->text(), QStringLiteral("旅行"));
    EXPECT_EQ(panel->txtHomeAlbum->text(), QStringLiteral("家人"));
    EXPECT_FALSE(panel->cmdSaveHomeAlbum->isEnabled());

    panel->lisAlbum->setCurrentRow(0);
    panel->lisAlbum_Click();
    EXPECT_EQ(panel->txtHomeAlbum->text(), QStringLiteral("旅行"));
    EXPECT_TRUE(panel->cmdSaveHomeAlbum->isEnabled());
    panel->lisAlbum->setCurrentRow(1);
    panel->lisAlbum_Click();
    EXPECT_FALSE(panel->cmdSaveHomeAlbum->isEnabled());

    // Reopened with the published album already in the box: the save button is set all the same.
    panel->cmdSaveHomeAlbum->setEnabled(true);
    open->click();
    EXPECT_FALSE(panel->cmdSaveHomeAlbum->isEnabled());

    panel->picCloseMainAlbum->click();
    EXPECT_TRUE(panel->isHidden());
    open->click();
    panel->cmdSetAlbum->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(opened, QStringList{QStringLiteral("albumSettings:")});
}

// The main window's own service commands against the emulator: the domain test, the protection
// entry and the home-page album panel.
#include "state/albumsstate.h"
#include "foundation/shareddata.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "state/sitewindowlabels.h"
#include "platform/ansi.h"
#include "platform/ui/webbrowser.h"
#include "state/sitestate.h"
#include "site/sitemodel.h"
#include "support/publishfixture.h"

#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QTest>

using namespace testsupport;

namespace {
const QString kTitle = QStringLiteral("提示");

// The addresses a browser's page asks for: its frames and their pictures. Page interceptors run
// on the user-interface thread.
class RequestLog : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().scheme() == QLatin1String("http")) paths.append(info.requestUrl().path());
    }
    bool asked(const QString& pathEnd) const {
        for (const QString& p : paths)
            if (p.endsWith(pathEnd)) return true;
        return false;
    }
    QStringList paths;
};
}

class SiteCommandsTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        SiteWindowView& h = commands.view;
        h.refreshCell = [this](int cell) { refreshed.append(cell); };
        h.showWait = [this] { events.append(QStringLiteral("wait")); };
        h.hideWait = [this] { events.append(QStringLiteral("ready")); };
        h.domainBoxText = [this] { return domainBox; };
        h.setDomainBoxText = [this](const QString& t) { domainBox = t; };
        h.focusDomainBox = [this] { events.append(QStringLiteral("focus box")); };
        h.enableTestDomain = [this](bool on) { events.append(on ? QStringLiteral("test on") : QStringLiteral("test off")); };
        h.enableRegDomain = [this](bool on) { events.append(on ? QStringLiteral("reg on") : QStringLiteral("reg off")); };
        h.showHint = [this](int id, const QString& text, int size, int top, int left) {
            hints.append(QStringLiteral("%1|%2|%3|%4|").arg(id).arg(size).arg(top).arg(left) + text);
        };
        h.fillAlbumList = [this](const QStringList& names) { albumList = names; };
        h.homeAlbumText = [this] { return homeAlbum; };
        h.setHomeAlbumText = [this](const QString& t) { homeAlbum = t; };
        h.showHomeAlbumPanel = [this] { panelShown = true; };
        h.hideHomeAlbumPanel = [this] { panelShown = false; };
        commands.windows.protection = [this](QWidget*) { windowsOpened.append(QStringLiteral("protection")); };
        commands.windows.domainRegistration = [this](QWidget*, const QString& label) {
            windowsOpened.append(QStringLiteral("registration:") + label);
            if (registers) SetLoginField(12, QStringLiteral("newsite"));
        };
        commands.windows.albumSettings = [this](QWidget*) { windowsOpened.append(QStringLiteral("albumSettings")); };
    }
    int callCount(const QString& method) { return emulator().calls(method).size(); }

    MainWindowCommands commands;
    QString domainBox, homeAlbum;
    QStringList events, hints, albumList, windowsOpened;
    QList<int> refreshed;
    bool panelShown = false;
    bool registers = false;
};

// ---- the domain box

TEST_F(SiteCommandsTest, EachTestDomainReplyHasItsMessage) {
    const QString domain = emulator().domain();
    const struct {
        const char* reply;
        QString message;
    } cases[] = {
        {"OK_0001", QStringLiteral("恭喜！恭喜！\r\r域名：www.myname1.") + domain + QStringLiteral(" 还没有被注册，您可以注册此域名。")},
        {"Error_0001", QStringLiteral("抱歉！域名“myname1”中包含关键字，不能被注册。")},
        {"Error_0002", QStringLiteral("抱歉！您不能注册域名“myname1”。")},
        {"Error_0003", QStringLiteral("抱歉！域名“myname1”已经被注册，您不能注册此域名。")},
        {"Error_0004", QStringLiteral("抱歉！遇到意外错误，请您稍后再试。")},
        {"Error_0009", QStringLiteral("抱歉！遇到意外错误，请您稍后再试。")},
        {"", QStringLiteral("抱歉！遇到意外错误，请您稍后再试。")},
    };
    for (const auto& c : cases) {
        prompts.clear();
        events.clear();
        DialogState = 0;
        domainBox = QStringLiteral("  MyName1 ");
        emulator().scriptReply(QStringLiteral("TestDomain"), QString::fromLatin1(c.reply));
        commands.cmdTestDomain_Click();
        EXPECT_EQ(domainBox, QStringLiteral("myname1")) << c.reply;
        ASSERT_EQ(prompts.records().size(), 1) << c.reply;
        EXPECT_EQ(prompts.records()[0].text, c.message) << c.reply;
        EXPECT_EQ(prompts.records()[0].style, int(vbInformation));
        EXPECT_EQ(prompts.records()[0].title, kTitle);
        EXPECT_EQ(DialogState, QLatin1String(c.reply) == QLatin1String("OK_0001") ? 99 : 0) << c.reply;
        EXPECT_EQ(events, (QStringList{QStringLiteral("test off"), QStringLiteral("wait"), QStringLiteral("ready"),
                                       QStringLiteral("test on")}));
        EXPECT_EQ(emulator().calls(QStringLiteral("TestDomain")).last().args, QStringList{QStringLiteral("myname1")});
    }
    // The test registers nothing.
    EXPECT_TRUE(frm个人网站Labels::txtDomainNameVisible == false);
}

TEST_F(SiteCommandsTest, LabelsTheLocalRulesRefuseNeverReachTheService) {
    for (const char* typed : {"", "   ", "ab1", "www1site", "my-site", "myvymsite"}) {
        prompts.clear();
        events.clear();
        domainBox = QString::fromLatin1(typed);
        commands.cmdTestDomain_Click();
        ASSERT_EQ(prompts.messages().size(), 1) << typed;
        if (domainBox.isEmpty())
            EXPECT_EQ(prompts.messages()[0], QStringLiteral("错误：域名不能为空。请您先在域名输入框中输入您的域名后再试。"));
        else
            EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("您要注册的域名有以下方面需要修改才能成功注册："))) << typed;
        EXPECT_EQ(events, (QStringList{QStringLiteral("test off"), QStringLiteral("test on")})) << typed;
    }
    EXPECT_EQ(callCount(QStringLiteral("TestDomain")), 0);

    // The service itself: the demo member's label is taken.
    prompts.clear();
    domainBox = demo.domain;
    commands.cmdTestDomain_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("抱歉！域名“") + demo.domain +
                                              QStringLiteral("”已经被注册，您不能注册此域名。")});
}

TEST_F(SiteCommandsTest, AnUnreachableDomainServiceOpensTheNetworkErrorWindow) {
    emulator().hideWsdl(QStringLiteral("wwwser001"));
    domainBox = QStringLiteral("freesite");
    commands.cmdTestDomain_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(events, (QStringList{QStringLiteral("test off"), QStringLiteral("wait"), QStringLiteral("ready"),
                                   QStringLiteral("test on")}));
}

TEST_F(SiteCommandsTest, ARegisteredDomainShowsTheProtectionHintUntilSwitchedOff) {
    const QString hint26 = QStringLiteral(
        "26|9|400|6855|提示：点击“网站首页加密”按钮可以给您的网站首页加密，这样别人在通过您的域名访问您的网站时会先打一个验证"
        "网页，让其正确输入您设置的问题的答案后才能访问到您的网站。");
    SetLoginField(12, QString());
    domainBox = QStringLiteral("  NewSite ");
    commands.cmdRegDomain_Click();  // closed without registering
    EXPECT_EQ(windowsOpened, QStringList{QStringLiteral("registration:NewSite")});
    EXPECT_TRUE(hints.isEmpty());
    EXPECT_EQ(events, (QStringList{QStringLiteral("reg off"), QStringLiteral("reg on")}));

    registers = true;
    commands.cmdRegDomain_Click();
    EXPECT_EQ(hints, QStringList{hint26});

    SetUserSetting(UcsHintProtection, QStringLiteral("1"));
    commands.cmdRegDomain_Click();
    EXPECT_EQ(hints.size(), 1);
}

// ---- the protection entry

TEST_F(SiteCommandsTest, EachProtectionReplyIsReadOrReported) {
    const QString record = QStringLiteral("1{/F}demosite{/F}1a2b3c4d{/F}问题{OK_0001}？{/F}答案{/F}x{/F}y{/F}{//R}EncryptionInfo{///T}");
    const struct {
        QString reply;
        QString message;  // empty: read
        QString state, question;
    } cases[] = {
        {QStringLiteral("{OK_0001}") + record, QString(), QStringLiteral("1"), QStringLiteral("问题{OK_0001}？")},
        {QStringLiteral("{ok_0001}") + record, QString(), QStringLiteral("1"), QStringLiteral("问题{OK_0001}？")},
        {QStringLiteral("{OK_0001}"), QString(), QString(), QString()},  // no record: read, nothing to show
        {QStringLiteral("Error_0002"), QStringLiteral("错误[Error_0002]：抱歉！遇到错误，读取网站加密信息失败。"), QString(), QString()},
        {QStringLiteral("Error_0004"), QStringLiteral("错误[Error_0004]：抱歉！遇到错误，读取网站加密信息失败。"), QString(), QString()},
        {QStringLiteral("Error_0005"), QStringLiteral("抱歉！遇到意外错误，读取网站加密信息失败。"), QString(), QString()},
        {QStringLiteral("OK_0001"), QStringLiteral("抱歉！遇到意外错误，读取网站加密信息失败。"), QString(), QString()},
    };
    for (const auto& c : cases) {
        frmDB::Unload();
        prompts.clear();
        windowsOpened.clear();
        emulator().scriptReply(QStringLiteral("WebsiteEncryptionInfo"), c.reply);
        commands.cmdEncrypt_Click();
        const Grid& grid = frmDB::grdDB[13];
        EXPECT_EQ(windowsOpened, QStringList{QStringLiteral("protection")}) << c.reply.toStdString();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.messages().isEmpty()) << c.reply.toStdString();
            EXPECT_EQ(grid.cols(), 11);
            EXPECT_EQ(grid.value(1, 0), c.state.isEmpty() ? QString() : LoginField(6));
            EXPECT_EQ(grid.value(1, 1), c.state);
            EXPECT_EQ(grid.value(1, 4), c.question);
            EXPECT_EQ(grid.value(1, 7), c.state.isEmpty() ? QString() : QStringLiteral("y"));
        } else {
            EXPECT_EQ(prompts.messages(), QStringList{c.message});
            EXPECT_EQ(prompts.records()[0].title, kTitle);
            EXPECT_EQ(prompts.records()[0].style, int(vbInformation));
            EXPECT_LT(grid.cols(), 11);
        }
    }
    const EmulatorCall call = emulator().calls(QStringLiteral("WebsiteEncryptionInfo")).last();
    EXPECT_EQ(call.args, (QStringList{CurrentUserName, LoginField(5), LoginField(6)}));
}

TEST_F(SiteCommandsTest, TheProtectionRecordIsReadOnceARun) {
    emulator().scriptReply(QStringLiteral("WebsiteEncryptionInfo"), QStringLiteral("Error_0001"));
    commands.cmdEncrypt_Click();  // failed: the next click tries again
    commands.cmdEncrypt_Click();
    EXPECT_EQ(callCount(QStringLiteral("WebsiteEncryptionInfo")), 2);
    EXPECT_EQ(frmDB::grdDB[13].value(1, 1), QStringLiteral("0"));  // the demo site is not protected
    EXPECT_EQ(frmDB::grdDB[13].value(1, 2), demo.domain);
    commands.cmdEncrypt_Click();
    EXPECT_EQ(callCount(QStringLiteral("WebsiteEncryptionInfo")), 2);
    EXPECT_EQ(windowsOpened.size(), 3);
}

TEST_F(SiteCommandsTest, ProtectionNeedsADomainAndAnAnswerFromTheService) {
    SetLoginField(12, QString());
    commands.cmdEncrypt_Click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。")});
    EXPECT_TRUE(windowsOpened.isEmpty());

    SetLoginField(12, demo.domain);
    emulator().hideWsdl(QStringLiteral("wwwser003"));
    commands.cmdEncrypt_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(windowsOpened.isEmpty());  // only the error trap ends without the dialog
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("ready")}));
    EXPECT_EQ(callCount(QStringLiteral("WebsiteEncryptionInfo")), 0);
}

// ---- the home-page album panel

TEST_F(SiteCommandsTest, ThePanelOffersTheMembersOwnAlbums) {
    EXPECT_TRUE(HomeAlbumChoices().isEmpty());  // the list was never read
    WithoutDemoSamples(member());
    emu::MemberStore& store = emulator().server().store();
    for (const char* album : {"旅行", "WWW相册", "Www2", "家人"})
        store.storeFile(member(), QString::fromUtf8(album), QStringLiteral("a.jpg"), "x", QString(), store.newStamp());
    SetLoginField(7, member().albumStamp);
    SiteSettings(PublishColumn, HomeAlbumRow) = QStringLiteral("家人");

    commands.cmdSetHomePhoto_Click();
    EXPECT_EQ(albumList, (QStringList{QStringLiteral("旅行"), QStringLiteral("家人")}));  // no "www" album in any case
    EXPECT_TRUE(panelShown);
    EXPECT_EQ(homeAlbum, QStringLiteral("家人"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("ready")}));
    EXPECT_FALSE(HomeAlbumSaveEnabled(QStringLiteral("家人")));
    EXPECT_TRUE(HomeAlbumSaveEnabled(QStringLiteral("旅行")));

    commands.cmdSetAlbum_Click();
    EXPECT_FALSE(panelShown);
    EXPECT_EQ(windowsOpened, QStringList{QStringLiteral("albumSettings")});
}

TEST_F(SiteCommandsTest, SavingTheHomeAlbumPublishesTheSiteAndRewritesItsCell) {
    panelShown = true;
    homeAlbum = QStringLiteral("旅行");
    commands.cmdSaveHomeAlbum_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("网站首页相册更新完成 ！")});
    EXPECT_EQ(prompts.records()[0].title, kTitle);
    EXPECT_EQ(DialogState, 99);
    ASSERT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(publishCalls()[0].args.value(10), QStringLiteral("旅行"));
    EXPECT_EQ(settingsField(publishCalls()[0], HomeAlbumRow), QStringLiteral("旅行"));
    EXPECT_EQ(member().homeAlbum, QStringLiteral("旅行"));
    for (int column : {LocalColumn, PublishColumn, PublishedColumn})
        EXPECT_EQ(SiteSettings(column, HomeAlbumRow), QStringLiteral("旅行")) << column;
    EXPECT_EQ(SiteSettings(LocalColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_FALSE(SiteHasUnpublishedChanges());
    EXPECT_FALSE(panelShown);
    EXPECT_EQ(refreshed, QList<int>{18});
    const QByteArray page = readFile(UserFolder + QStringLiteral("/temp/18.html"));
    EXPECT_TRUE(page.contains("album001.aspx")) << page.constData();
    EXPECT_TRUE(page.contains("k2=" + AnsiCodec::encode(QStringLiteral("旅行"))));

    // The same choice again sends nothing and rewrites nothing.
    prompts.clear();
    refreshed.clear();
    DialogState = 0;
    QFile::remove(UserFolder + QStringLiteral("/temp/18.html"));
    commands.cmdSaveHomeAlbum_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("网站首页相册更新完成 ！")});
    EXPECT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(DialogState, 0);
    EXPECT_TRUE(refreshed.isEmpty());
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp/18.html")));
}

TEST_F(SiteCommandsTest, TheHomeAlbumCellShowsAnAlbumNamedWithAmpersandOrHash) {
    // Unencoded, "旅行&美食" would reach the service as the album "旅行" and "第#1" as "第": each of
    // those albums exists with a picture of its own, so a wrong album shows the wrong picture.
    const struct {
        const char* album;
        const char* cutTo;
    } cases[] = {{"旅行&美食", "旅行"}, {"第#1", "第"}};
    emu::MemberStore& store = emulator().server().store();
    for (const auto& c : cases) {
        for (const auto& [name, file] : {std::pair{c.album, "own.jpg"}, std::pair{c.cutTo, "cut.jpg"}})
            store.storeFile(member(), QString::fromUtf8(name), QString::fromLatin1(file), "x", QString(), store.newStamp());
    }
    for (const auto& c : cases) {
        const QString album = QString::fromUtf8(c.album);
        SCOPED_TRACE(album.toStdString());
        homeAlbum = album;
        DialogState = 0;
        commands.cmdSaveHomeAlbum_Click();
        ASSERT_EQ(DialogState, 99);

        // The main window's cell browser on the rewritten page.
        WebBrowser cell;
        RequestLog log;
        cell.page()->setUrlRequestInterceptor(&log);
        bool loaded = false;
        QObject::connect(&cell, &WebBrowser::documentComplete, [&](bool) { loaded = true; });
        cell.resize(670, 670);
        cell.show();
        cell.Navigate(UserFolder + QStringLiteral("/temp/18.html"));
        const QString own = QLatin1Char('/') + album + QStringLiteral("/own.jpg");
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded && log.asked(own); }, 60000))
            << log.paths.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(log.asked(QStringLiteral("/cut.jpg"))) << log.paths.join(QLatin1Char(' ')).toStdString();
        cell.page()->setUrlRequestInterceptor(nullptr);
    }
}

TEST_F(SiteCommandsTest, TheSecondSuccessCodeCountsAndARefusalKeepsTheChoice) {
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("OK_0002"));
    panelShown = true;
    homeAlbum = QStringLiteral("旅行");
    commands.cmdSaveHomeAlbum_Click();
    EXPECT_EQ(DialogState, 99);
    EXPECT_FALSE(panelShown);
    EXPECT_EQ(refreshed, QList<int>{18});

    prompts.clear();
    refreshed.clear();
    panelShown = true;
    homeAlbum = QStringLiteral("家人");
    const QString publishedBefore = SiteSettings(PublishedColumn, HomeAlbumRow);
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0003"));
    commands.cmdSaveHomeAlbum_Click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("抱歉！网站首页相册更新失败，请您稍后再试..."));
    EXPECT_EQ(prompts.records()[0].style, int(vbOKOnly));  // a plain box
    EXPECT_TRUE(prompts.records()[0].title.isEmpty());
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(refreshed.isEmpty());
    EXPECT_EQ(SiteSettings(LocalColumn, HomeAlbumRow), QStringLiteral("家人"));
    EXPECT_EQ(SiteSettings(PublishColumn, HomeAlbumRow), QStringLiteral("家人"));
    EXPECT_EQ(SiteSettings(PublishedColumn, HomeAlbumRow), publishedBefore);
    EXPECT_EQ(SiteSettings(PublishColumn, PublishStateRow), QStringLiteral("2"));
}

TEST_F(SiteCommandsTest, HomeAlbumPublishNeedsADomainAndAChoice) {
    homeAlbum.clear();
    commands.cmdSaveHomeAlbum_Click();
    EXPECT_TRUE(prompts.messages().isEmpty());

    frm个人网站Labels::txtDomainNameVisible = true;
    homeAlbum = QStringLiteral("旅行");
    commands.cmdSaveHomeAlbum_Click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("抱歉！您尚未注册您的网站域名，请您先注册域名后再上传您的网站。")});
    EXPECT_TRUE(events.contains(QStringLiteral("focus box")));
    EXPECT_TRUE(publishCalls().isEmpty());
    EXPECT_TRUE(refreshed.isEmpty());
}

TEST_F(SiteCommandsTest, TheGuestbookMessageAndSuggestionPagesAreServed) {
    const struct {
        QString url;
        const char* title;
    } pages[] = {{GuestbookPageAddress(), "留言管理"}, {MessagePageAddress(), "短消息管理"}, {SuggestionPageAddress(), "意见与建议"}};
    for (const auto& p : pages) {
        const EmulatorPage page = emulator().get(p.url);
        const QString body = QString::fromUtf8(page.body);
        EXPECT_EQ(page.status, 200) << p.url.toStdString();
        EXPECT_TRUE(body.contains(QString::fromUtf8(p.title))) << p.url.toStdString();
        EXPECT_TRUE(body.contains(LoginField(11))) << p.url.toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(emulator().get(GuestbookPageAddress()).body).contains(QStringLiteral("会员：") + demo.name));
}

// The domain registration dialog against the emulator: the label check, both reply tables, the
// refusals that send nothing, and a registration that changes the main window, writes the
// congratulation page, opens the certificate and gives the member a site and a mobile site.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDate>
#include <QTimer>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "foundation/settings.h"
#include "state/loginstate.h"
#include "mainwindow/ui/sitewindow.h"
#include "state/sitewindowlabels.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "site/site_api.h"
#include "state/sitestate.h"
#include "siteoptions/domainregistration.h"
#include "siteoptions/ui/domainregistrationwindow.h"
#include "siteoptions/ui/mobilesitewindow.h"
#include "siteoptions/ui/siteoptions_entry.h"
#include "siteoptions/ui/webmastercertificatewindow.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kUnexpected = QStringLiteral("抱歉！遇到意外错误，请您稍后再试...");

// The demo member without a domain, the main window's domain box shown.
class DomainRegistration : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        emulator().setMember(demo.name, QJsonObject{{QStringLiteral("domain"), QString()}});
        SetLoginField(12, QString());
        frm个人网站Labels::txtDomainNameVisible = true;
        DialogState = 0;
        window = std::make_unique<DomainRegistrationWindow>();
        // What the dialog does to the main window and to other windows, in order.
        DomainRegistrationView& v = window->logic.view;
        v.showRegisteredDomain = [this] {
            events << QStringLiteral("domain row, field 12 ") + LoginField(12);
            mainwindowseam::ShowRegisteredDomain();
        };
        v.refreshCell = [this](int cell) { events << QStringLiteral("refresh %1").arg(cell); };
        v.showAgreement = [this] { events << QStringLiteral("agreement ") + PageUrl; };
        const auto close = v.close;
        v.close = [this, close] {
            events << QStringLiteral("close");
            close();
        };
        certificate = v.showCertificate;
        v.showCertificate = [this] { events << QStringLiteral("certificate"); };
    }
    void TearDown() override {
        window.reset();
        PublishTest::TearDown();
    }
    // Types the label, ticks the agreement and registers.
    void registerLabel(const QString& typed) {
        window->txtDomainName->setText(typed);
        window->chkXY->setChecked(true);
        window->cmdRegister_Click();
    }
    QString siteHost(const QString& label) { return QStringLiteral("www.") + label + QLatin1Char('.') + emulator().domain(); }
    QString confirmation(const QString& label) {
        return QStringLiteral("您真的确定要注册域名：“") + siteHost(label) +
               QStringLiteral("”吗？\r\r注：域名一旦注册成功将不能修改。");
    }
    int calls(const QString& method) { return emulator().calls(method).size(); }
    void expectNothingRegistered() {
        EXPECT_TRUE(LoginField(12).isEmpty());
        EXPECT_TRUE(frm个人网站Labels::txtDomainNameVisible);
        EXPECT_FALSE(QFile::exists(CongratulationPagePath()));
        EXPECT_TRUE(events.isEmpty()) << events.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(window->txtDomainName->isEnabled());
        EXPECT_TRUE(window->cmdRegister->isEnabled());
        EXPECT_TRUE(member().domain.isEmpty());
    }

    std::unique_ptr<DomainRegistrationWindow> window;
    std::function<void()> certificate;
    QStringList events;
};

}  // namespace

TEST_F(DomainRegistration, WindowSetsEveryHook) {
    DomainRegistrationWindow fresh;
    EXPECT_EQ(UnsetRequiredHooks(fresh.logic.view), QStringList());
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("注册网站域名"));
    EXPECT_TRUE(fresh.picNetToService->isHidden());
}

TEST_F(DomainRegistration, EachTestReplyHasTheDialogsOwnMessage) {
    const QString domain = emulator().domain();
    const struct {
        const char* reply;
        QString message;
    } cases[] = {
        {"OK_0001", QStringLiteral("恭喜！恭喜！\r\r域名：www.myname.") + domain + QStringLiteral(" 还没有被注册，您可以注册此域名。")},
        {"Error_0001", QStringLiteral("抱歉！域名“myname”中包含系统关键字，不能被注册。")},
        {"Error_0002", QStringLiteral("抱歉！您不能注册域名“myname”。")},
        {"Error_0003", QStringLiteral("抱歉！域名“myname”已经被注册，您不能注册此域名。")},
        {"Error_0004", QStringLiteral("抱歉！遇到意外错误，请您稍后再试。")},
        {"Error_0006", QStringLiteral("抱歉！遇到意外错误，请您稍后再试。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        prompts.clear();
        DialogState = 0;
        window->txtDomainName->setText(QStringLiteral("  MyName "));
        emulator().scriptReply(QStringLiteral("TestDomain"), QString::fromLatin1(c.reply));
        window->cmdTestDomain_Click();
        EXPECT_EQ(window->txtDomainName->text(), QStringLiteral("myname"));
        EXPECT_EQ(emulator().calls(QStringLiteral("TestDomain")).last().args, QStringList{QStringLiteral("myname")});
        ASSERT_EQ(prompts.records().size(), 1);
        EXPECT_EQ(prompts.records()[0].text, c.message);
        EXPECT_EQ(prompts.records()[0].style, int(vbInformation));
        EXPECT_EQ(prompts.records()[0].title, kTitle);
        EXPECT_EQ(DialogState, QLatin1String(c.reply) == QLatin1String("OK_0001") ? 99 : 0);
        EXPECT_TRUE(window->cmdTestDomain->isEnabled());
        EXPECT_TRUE(window->picNetToService->isHidden());
    }
    // A free label registers nothing.
    expectNothingRegistered();
}

TEST_F(DomainRegistration, EachRegistrationRefusalHasItsMessageAndChangesNothing) {
    const QString space = QStringLiteral(
        "抱歉！域名仅允许购买不小于 100M 网络空间的用户注册，请您购买不小于 100M 的Orbel网络空间后再注册。");
    const struct {
        const char* reply;
        QString message;
    } cases[] = {
        {"Error_0006", QStringLiteral("抱歉！域名“myname”中包含系统关键字，不能被注册。")},
        {"Error_0007", QStringLiteral("抱歉！您不能注册域名“myname”。")},
        {"Error_0011", QStringLiteral("抱歉！您不能注册域名“myname”。")},
        {"Error_0008", QStringLiteral("抱歉！域名“myname”已经被注册，您不能注册此域名。")},
        {"Error_0009", space},
        {"Error_0010", space},
        {"Error_0020", kUnexpected},
        {"Error_0001", kUnexpected},
        {"", kUnexpected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        prompts.clear();
        DialogState = 0;
        emulator().scriptReply(QStringLiteral("RegDomainNameV2"), QString::fromLatin1(c.reply));
        registerLabel(QStringLiteral("  MyName "));
        EXPECT_EQ(window->txtDomainName->text(), QStringLiteral("myname"));
        EXPECT_EQ(emulator().calls(QStringLiteral("RegDomainNameV2")).last().args,
                  (QStringList{demo.name, member().digest, member().prefix, QStringLiteral("myname"), QStringLiteral("2.0")}));
        EXPECT_EQ(prompts.messages(), (QStringList{confirmation(QStringLiteral("myname")), c.message}));
        EXPECT_EQ(prompts.records()[0].style, int(vbOKCancel | vbQuestion));
        EXPECT_EQ(DialogState, 0);
        expectNothingRegistered();
    }
}

TEST_F(DomainRegistration, InputRefusalsSendNothingAndKeepTheDialogOpen) {
    // A registered label refuses before the agreement and the label are looked at.
    SetLoginField(12, QStringLiteral("oldsite"));
    window->cmdRegister_Click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("抱歉！您已经注册了域名：“") + siteHost(QStringLiteral("oldsite")) +
                          QStringLiteral("”，不能再注册其它域名了。\r\r\r注：每个用户名只能注册一个域名，若想拥有多个域名则可先注册多个用户名，"
                                         "\r\r    然后再用新注册的用户名注册新的域名，域名一旦注册成功将不能修改。")});
    SetLoginField(12, QString());

    prompts.clear();
    window->txtDomainName->setText(QStringLiteral("goodlabel"));
    window->cmdRegister_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("您必须接受“Orbel域名注册协议”才能继续注册域名。")});

    for (const char* typed : {"   ", "ab1", "my-site"}) {
        SCOPED_TRACE(typed);
        prompts.clear();
        registerLabel(QString::fromLatin1(typed));
        ASSERT_EQ(prompts.messages().size(), 1);
        if (window->txtDomainName->text().isEmpty())
            EXPECT_EQ(prompts.messages()[0], QStringLiteral("错误：域名不能为空。请您先在域名输入框中输入您的域名后再试。"));
        else
            EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("您要注册的域名有以下方面需要修改才能成功注册：")));
    }

    // A declined confirmation.
    prompts.clear();
    prompts.answer(vbCancel);
    registerLabel(QStringLiteral("goodlabel"));
    EXPECT_EQ(prompts.messages(), QStringList{confirmation(QStringLiteral("goodlabel"))});

    EXPECT_EQ(calls(QStringLiteral("RegDomainNameV2")), 0);
    EXPECT_EQ(calls(QStringLiteral("TestDomain")), 0);
    expectNothingRegistered();
}

TEST_F(DomainRegistration, AnUnreachableServiceIsReportedAndTheControlsComeBack) {
    emulator().hideWsdl(QStringLiteral("wwwser001"));
    registerLabel(QStringLiteral("goodlabel"));
    window->cmdTestDomain_Click();
    EXPECT_EQ(netErrors, 2);
    EXPECT_EQ(prompts.messages(), QStringList{confirmation(QStringLiteral("goodlabel"))});
    emulator().hideWsdl(QStringLiteral("wwwser001"), false);

    prompts.clear();
    emulator().failHttp(500, QStringLiteral("RegDomainNameV2"));
    registerLabel(QStringLiteral("goodlabel"));
    EXPECT_EQ(prompts.messages(),
              (QStringList{confirmation(QStringLiteral("goodlabel")), QStringLiteral("错误:抱歉！遇到意外错误，请您稍后再试...")}));
    EXPECT_TRUE(window->cmdTestDomain->isEnabled());
    EXPECT_TRUE(window->picNetToService->isHidden());
    expectNothingRegistered();
}

TEST_F(DomainRegistration, ARegistrationMakesTheSiteTheMembersAndShowsTheCertificate) {
    // The main window of a member without a domain, its timer stopped.
    const QDate today = QDate::currentDate();
    SetLoginField(3, today.toString(Qt::ISODate));
    SetLoginField(17, QStringLiteral("102400"));
    SetLoginField(20, today.addDays(100).toString(Qt::ISODate));
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    WriteLoginPages();
    frm个人网站 main;
    main.show();
    main.Timer1->stop();
    ASSERT_FALSE(main.txtDomainName->isHidden());

    testsupport::ModalWatcher<WebmasterCertificateWindow> shown([&](WebmasterCertificateWindow* w) {
        events << QStringLiteral("certificate ") + w->labName1->text();
        w->close();
    });
    window->logic.view.showCertificate = [this] {
        events << QStringLiteral("certificate");
        certificate();
    };
    registerLabel(QStringLiteral("  NewSite "));

    const QString host = siteHost(QStringLiteral("newsite"));
    EXPECT_EQ(prompts.messages(), (QStringList{confirmation(QStringLiteral("newsite")),
                                               QStringLiteral("恭喜！恭喜！\r\r域名：") + host + QStringLiteral(" 注册成功!。")}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("domain row, field 12 newsite"), QStringLiteral("refresh 6"),
                                   QStringLiteral("refresh 11"), QStringLiteral("refresh 22"), QStringLiteral("refresh 23"),
                                   QStringLiteral("close"), QStringLiteral("certificate"), QStringLiteral("certificate ") + host}));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(LoginField(12), QStringLiteral("newsite"));
    EXPECT_FALSE(frm个人网站Labels::txtDomainNameVisible);
    EXPECT_EQ(main.labDomainName->text(), host);
    EXPECT_TRUE(main.txtDomainName->isHidden());
    EXPECT_TRUE(main.cmdTestDomain->isHidden());
    EXPECT_FALSE(main.cmdViewMySite->isHidden());
    EXPECT_EQ(window->result(), int(QDialog::Accepted));
    EXPECT_TRUE(testsupport::sameBytes(testsupport::readFile(testsupport::testDataPath(
                                           QStringLiteral("siteoptions/golden/Congratulation.html"))),
                                       testsupport::readFile(CongratulationPagePath())));

    // The service knows the label at once: the site and the mobile site answer, and a second
    // registration is refused for good.
    EXPECT_EQ(member().domain, QStringLiteral("newsite"));
    EXPECT_EQ(emulator().get(QStringLiteral("http://") + host + QLatin1Char('/')).status, 200);
    const testsupport::EmulatorPage mobile =
        emulator().get(QStringLiteral("http://m.newsite.") + emulator().domain() + QLatin1Char('/'));
    EXPECT_EQ(mobile.status, 200);
    EXPECT_TRUE(QString::fromUtf8(mobile.body).contains(demo.name));

    prompts.clear();
    SetLoginField(12, QString());  // as if the member's record had not been read again
    registerLabel(QStringLiteral("othersite"));
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("抱歉！您不能注册域名“othersite”。"));
    EXPECT_EQ(member().domain, QStringLiteral("newsite"));
}

TEST_F(DomainRegistration, TheCongratulationPageReplacesTheOldOne) {
    testsupport::writeFile(CongratulationPagePath(), "old page of someone else");
    WriteCongratulationPage(QStringLiteral("李四"));
    const QByteArray page = testsupport::readFile(CongratulationPagePath());
    EXPECT_FALSE(page.contains('\n'));
    EXPECT_EQ(page.count('\r'), 48);
    EXPECT_TRUE(page.contains(AnsiCodec::encode(QStringLiteral("<title>热烈庆祝李四荣升为站长</title>"))));
    EXPECT_TRUE(page.endsWith("</html>"));
}

TEST_F(DomainRegistration, TheAgreementOpensOnTheMainHostWithTheMembersKeys) {
    window->labXY_Click();
    const QString url = QStringLiteral("http://www.") + emulator().domain() + QStringLiteral("/dnsagreement.html?k1=") +
                        member().memberKey + QStringLiteral("&k2=") + member().prefix;
    EXPECT_EQ(PageUrl, url);
    EXPECT_EQ(events, QStringList{QStringLiteral("agreement ") + url});
    const testsupport::EmulatorPage page = emulator().get(url);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(QString::fromUtf8(page.body).contains(member().memberKey));
}

#endif  // TAVOLIN_HAVE_EMULATOR

#ifdef TAVOLIN_HAVE_EMULATOR

TEST_F(DomainRegistration, TheOpenersShowTheirWindows) {
    QString boxText;
    testsupport::ModalWatcher<DomainRegistrationWindow> registration([&](DomainRegistrationWindow* w) {
        boxText = w->txtDomainName->text();
        w->close();
    });
    OpenDomainRegistration(nullptr, QStringLiteral("mysite"));
    EXPECT_EQ(registration.seen(), 1);
    EXPECT_EQ(boxText, QStringLiteral("mysite"));

    SetLoginField(12, demo.domain);
    QString address;
    testsupport::ModalWatcher<MobileSiteWindow> mobile([&](MobileSiteWindow* w) {
        address = w->txtURL->text();
        w->close();
    });
    OpenMobileSitePreview(nullptr);
    EXPECT_EQ(mobile.seen(), 1);
    EXPECT_EQ(address, QStringLiteral("http://m.") + demo.domain + QLatin1Char('.') + emulator().domain());
}

#endif  // TAVOLIN_HAVE_EMULATOR

// The password change against the service emulator, and the member-information window.
#include <gtest/gtest.h>

#include "foundation/hooks.h"
#include "foundation/md5.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "login/ui/memberinfowindow.h"
#include "login/ui/passwordchangewindow.h"
#include "login/loginlist.h"
#include "login/logintoken.h"
#include "state/loginstate.h"
#include "login/ui/webwindows.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/soapclient.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"
#include "support/modalwatcher.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QStyle>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

using testsupport::PromptRecord;

using testsupport::ModalWatcher;

class PasswordChange : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        netErrors = 0;
        hooks::showNetError = [this] { ++netErrors; };
        demo = emulator().demoMember();
        // The demo member logged in: LoginInfo from a real login reply.
        loginAs(demo.name);
        SoapClient client;
        client.MSSoapInit(ServiceWsdlUrl(QStringLiteral("webser001"), QStringLiteral("LoginSoftV2")));
        QString reply = client.call(QStringLiteral("LoginSoftV2"), {demo.name, LoginToken(demo.password),
                                                                    QStringLiteral("127.0.0.1"), QStringLiteral("mc"),
                                                                    QStringLiteral("2.0")});
        ASSERT_TRUE(reply.startsWith(kLoginOk)) << reply.toStdString();
        LoginInfo = ParseTableText(QStringLiteral("LoginBackInfo"), UnescapeTableSeparators(reply.remove(kLoginOk)));
        ASSERT_EQ(LoginField(5), Md5Hex(demo.password));
        emulator().reset();  // forget the login call
        window = std::make_unique<frm修改密码>();
        window->show();
    }
    void TearDown() override {
        window.reset();
        hooks::showNetError = nullptr;
        EmulatorTest::TearDown();
    }
    void type(const QString& old, const QString& new1, const QString& new2) {
        window->txtOldPsw->setText(old);
        window->txtNewPsw1->setText(new1);
        window->txtNewPsw2->setText(new2);
    }
    QStringList boxes() const {
        return {window->txtOldPsw->text(), window->txtNewPsw1->text(), window->txtNewPsw2->text()};
    }
    bool inputsEnabled() const {
        for (QWidget* w : QList<QWidget*>{window->cmdClose, window->cmdOK, window->txtOldPsw, window->txtNewPsw1,
                                          window->txtNewPsw2})
            if (!w->isEnabled()) return false;
        return true;
    }

    emu::DemoMember demo;
    std::unique_ptr<frm修改密码> window;
    int netErrors = 0;
};

TEST_F(PasswordChange, InputChecksRunInOrderAndSendNothing) {
    EXPECT_EQ(window->windowTitle(), "修改密码");
    EXPECT_EQ(window->txtName->text(), demo.name);
    EXPECT_TRUE(window->txtName->isReadOnly());
    EXPECT_FALSE(window->picNetToService->isVisible());
    for (QLineEdit* box : {window->txtOldPsw, window->txtNewPsw1, window->txtNewPsw2}) {
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        EXPECT_EQ(QChar(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box)), QLatin1Char('*'));
    }

    struct Case {
        QString old, new1, new2;
        QString message;
        QStringList boxesAfter;
        QLineEdit* frm修改密码::*focus;
    };
    const QString wrong = QStringLiteral("wrong-old");
    const QString p = demo.password;
    const Case cases[] = {
        // A wrong current password empties all three; the later checks do not run.
        {wrong, QStringLiteral("abc"), QStringLiteral("xyz"), QStringLiteral("旧密码错误!请您重新输入。"),
         {"", "", ""}, &frm修改密码::txtOldPsw},
        // The current password is digested as typed: a trailing blank makes it wrong.
        {p + " ", QStringLiteral("newpass1"), QStringLiteral("newpass1"), QStringLiteral("旧密码错误!请您重新输入。"),
         {"", "", ""}, &frm修改密码::txtOldPsw},
        {p, QStringLiteral("12345"), QStringLiteral("12345"), QStringLiteral("新密码不能少于6位，请您重新输入。"),
         {p, "", ""}, &frm修改密码::txtNewPsw1},
        {p, QStringLiteral("12345678901234567"), QStringLiteral("12345678901234567"),
         QStringLiteral("新密码不能大于16位，请您重新输入。"), {p, "", ""}, &frm修改密码::txtNewPsw1},
        {p, QStringLiteral("newpass1"), QStringLiteral("newpass2"), QStringLiteral("两次输入的新密码不一致，请您重新输入。"),
         {p, "", ""}, &frm修改密码::txtNewPsw1},
        // Repetition is compared exactly: a trailing blank differs.
        {p, QStringLiteral("newpass1"), QStringLiteral("newpass1 "),
         QStringLiteral("两次输入的新密码不一致，请您重新输入。"), {p, "", ""}, &frm修改密码::txtNewPsw1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + " / " + c.new1.toStdString());
        prompts.clear();
        type(c.old, c.new1, c.new2);
        window->cmdOK->click();
        ASSERT_EQ(prompts.records().size(), 1);
        const PromptRecord& r = prompts.records().first();
        EXPECT_EQ(r.text, c.message);
        EXPECT_EQ(r.style, vbExclamation);
        EXPECT_EQ(r.title, "提示");
        EXPECT_EQ(boxes(), c.boxesAfter);
        EXPECT_EQ(window->focusWidget(), window.get()->*c.focus);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(emulator().calls(QStringLiteral("EditPsw")).isEmpty());
    EXPECT_EQ(LoginField(5), Md5Hex(demo.password));
}

TEST_F(PasswordChange, SuccessReplacesTheCredentialAndTheRememberedToken) {
    const QString prefix = LoginField(6);
    StoreLoginEntry(demo.name, LoginToken(demo.password), prefix);
    // Six characters, with blanks that count, are accepted and digested as typed.
    const QString next = QStringLiteral(" new1 ");
    type(demo.password, next, next);
    window->cmdOK->click();

    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records().first().text, "密码修改成功！");
    EXPECT_EQ(prompts.records().first().style, vbInformation);
    EXPECT_EQ(prompts.records().first().title, "提示");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(LoginField(5), Md5Hex(next));
    EXPECT_EQ(RememberedToken(demo.name), LoginToken(next));

    const auto calls = emulator().calls(QStringLiteral("EditPsw"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args, (QStringList{demo.name, Md5Hex(demo.password), Md5Hex(next), prefix}));
    EXPECT_EQ(calls[0].host.section(QLatin1Char('.'), 0, 0), prefix.toLower().replace("www", "web"));

    // The service now knows the new credential, and the run sends it: a second change from the
    // new password (sixteen characters) goes through.
    const QString sixteen = QStringLiteral("0123456789abcdef");
    frm修改密码 again;
    again.show();
    again.txtOldPsw->setText(next);
    again.txtNewPsw1->setText(sixteen);
    again.txtNewPsw2->setText(sixteen);
    again.cmdOK->click();
    EXPECT_EQ(prompts.messages().last(), "密码修改成功！");
    EXPECT_EQ(LoginField(5), Md5Hex(sixteen));
    EXPECT_EQ(emulator().calls(QStringLiteral("EditPsw")).last().args.value(1), Md5Hex(next));
}

TEST_F(PasswordChange, FailuresKeepTheCredentialAndEnableTheWindowAgain) {
    const QString before = LoginField(5);
    const auto attempt = [&] {
        prompts.clear();
        type(demo.password, QStringLiteral("newpass1"), QStringLiteral("newpass1"));
        window->cmdOK->click();
        EXPECT_EQ(LoginField(5), before);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(inputsEnabled());
        EXPECT_FALSE(window->picNetToService->isVisible());
        EXPECT_EQ(boxes(), (QStringList{demo.password, "newpass1", "newpass1"}));
    };
    // Only exactly "OK_0001" is success.
    for (const QString& reply : {QStringLiteral("OK_0001 "), QStringLiteral("ok_0001"), QStringLiteral("Error_0001")}) {
        SCOPED_TRACE(reply.toStdString());
        emulator().scriptReply(QStringLiteral("EditPsw"), reply);
        attempt();
        ASSERT_EQ(prompts.records().size(), 1);
        EXPECT_EQ(prompts.records().first().text, "遇到意外错误！密码修改失败，请您销后再试。");
        EXPECT_EQ(prompts.records().first().style, vbInformation);
    }
    // A failed call: the fixed message.
    emulator().failHttp(500, QStringLiteral("EditPsw"));
    attempt();
    EXPECT_EQ(prompts.messages(), QStringList{kServiceErrorMessage});
    EXPECT_EQ(netErrors, 0);
    // The service out of reach: the network-error window, no message.
    emulator().hideWsdl(QStringLiteral("webser001"));
    attempt();
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(netErrors, 1);
}

// ---- member information

class MemberInformation : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        SetLoginField(6, QStringLiteral("WWW12"));
        SetLoginField(11, QStringLiteral("key11"));
        SetLoginField(17, QStringLiteral("1536"));
        SetLoginField(18, QStringLiteral("1536"));
        SetLoginField(20, QStringLiteral("2010-09-03"));
        SysNotices.set(4, 1, QStringLiteral("1"));
        SysNotices.set(5, 2, QStringLiteral("http://user.example.test/member/realname.aspx"));
    }
    void TearDown() override {
        mainwindowseam::geometryProvider = nullptr;
        DataRootTest::TearDown();
    }
};

TEST_F(MemberInformation, SpaceAndDateFormats) {
    struct Case {
        QString field;
        QString quota, used, date;
    };
    const Case cases[] = {
        {"2048", "2M", "2.0000M", ""},
        {"1536", "1.5M", "1.5000M", ""},
        {"0", "0M", "0.0000M", ""},
        {"1000", "0.9765625M", "0.9766M", ""},
        {"1536.6", "1.5009765625M", "1.5006M", ""},  // the quota is made whole first
        {"", "0M", "0.0000M", ""},
        {"abc", "0M", "0.0000M", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        EXPECT_EQ(SpaceQuotaText(c.field), c.quota);
        EXPECT_EQ(UsedSpaceText(c.field), c.used);
    }
    const std::pair<QString, QString> dates[] = {
        {"2010-09-03", "2010-9-3"}, {"2010/9/3", "2010-9-3"}, {"2012-12-31 23:59:59", "2012-12-31"},
        {"0", ""},                  {"", ""},                 {"2010-13-01", ""},
        {"soon", ""},
    };
    for (const auto& [field, shown] : dates) EXPECT_EQ(SpaceEndDateText(field), shown) << field.toStdString();
}

TEST_F(MemberInformation, LoadShowsTheSpaceAndArrangesTheButtonsByTheRealNameNotice) {
    MainWindowGeometry g;
    g.left = 1500;
    g.top = 3000;
    g.picToolsFrameLeft = 600;
    g.cmdSetUserInfoLeft = 9870;
    g.picFrameTop = 2295;
    mainwindowseam::geometryProvider = [g] { return g; };

    for (const bool realName : {true, false}) {
        SCOPED_TRACE(realName ? "real-name notice on" : "off");
        SysNotices.set(4, 1, realName ? QStringLiteral("1") : QStringLiteral("0"));
        frmSetUserInfo w;
        EXPECT_EQ(w.windowTitle(), "基本信息设置");
        EXPECT_EQ(w.labSpace->text(), "1.5M");
        EXPECT_EQ(w.labUseSpace->text(), "1.5000M");
        EXPECT_EQ(w.labDateEnd->text(), "2010-9-3");
        EXPECT_EQ(w.pos(), QPoint(twips::ToPixels(1500 + 600 + 9870 - 2000), twips::ToPixels(3000 + 2295)));
        EXPECT_EQ(w.EditPsw->x(), twips::ToPixels(realName ? 360 : 990));
        EXPECT_EQ(w.EditUserInfo->x(), twips::ToPixels(realName ? 2100 : 3075));
        EXPECT_EQ(w.cmdRealName->isVisibleTo(&w), realName);
        if (realName) {
            EXPECT_EQ(w.cmdRealName->x(), twips::ToPixels(4260));
        }
    }
}

TEST_F(MemberInformation, EachActionClosesTheWindowAndOpensTheNext) {
    // The member-information page's host is lower-cased like every other host of the member, while
    // k2 carries the prefix unchanged.
    const QString domain = serviceconfig::current().domain;
    EXPECT_EQ(MemberInfoPageAddress(), "http://frm12." + domain + "/loginmyvym.aspx?k1=key11&k2=WWW12");
    EXPECT_EQ(RealNamePageAddress(), "http://user.example.test/member/realname.aspx?k1=key11&k2=WWW12");

    struct Case {
        QPushButton* frmSetUserInfo::*button;
        QString pageUrl;  // empty: the password change opens
    };
    const Case cases[] = {
        {&frmSetUserInfo::EditUserInfo, MemberInfoPageAddress()},
        {&frmSetUserInfo::cmdRealName, RealNamePageAddress()},
        {&frmSetUserInfo::EditPsw, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pageUrl.toStdString());
        PageUrl = QStringLiteral("before");
        frmSetUserInfo w;
        bool infoOpenWhenNextShown = true;
        QString frameShows;
        ModalWatcher<frmWebFrame> frames([&](frmWebFrame* f) {
            infoOpenWhenNextShown = w.isVisible();
            EXPECT_EVENTUALLY(!f->web->LocationURL().isEmpty(), 10000);
            frameShows = f->web->LocationURL();
            f->cmdClose->click();
        });
        ModalWatcher<frm修改密码> passwords([&](frm修改密码* p) {
            infoOpenWhenNextShown = w.isVisible();
            p->cmdClose->click();
        });
        QTimer::singleShot(0, &w, [&] { (w.*c.button)->click(); });
        w.exec();
        EXPECT_FALSE(infoOpenWhenNextShown);
        EXPECT_FALSE(w.isVisible());
        if (c.pageUrl.isEmpty()) {
            EXPECT_EQ(passwords.seen(), 1);
            EXPECT_EQ(frames.seen(), 0);
            EXPECT_EQ(PageUrl, "before");
        } else {
            EXPECT_EQ(frames.seen(), 1);
            EXPECT_EQ(passwords.seen(), 0);
            EXPECT_EQ(PageUrl, c.pageUrl);
            EXPECT_EQ(QUrl(frameShows).toString(), QUrl(c.pageUrl).toString());
        }
    }
}

}  // namespace

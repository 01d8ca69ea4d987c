// A new member registers from the login window against the service emulator and then logs in.
#include <gtest/gtest.h>

#include "foundation/hooks.h"
#include "foundation/md5.h"
#include "login/ui/loginwindow.h"
#include "login/ui/registrationwindow.h"
#include "login/ui/waitingwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/programend.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/emulatorfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>

namespace {

class RegisterThenLogin : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        hooks::showNetError = [this] { ++netErrors; };
        programend::SetHandler([] {});
        frmLogin::showRegisterWindow = ShowRegisterWindow;
    }
    void TearDown() override {
        frm个人网站::unload();
        frmLogin::unload();
        frmWaiting::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmLogin::showRegisterWindow = nullptr;
        hooks::showNetError = nullptr;
        programend::SetHandler(nullptr);
        EmulatorTest::TearDown();
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        box->hidePopup();
    }
    // Opens the registration from the login window's link and fills it in as a member would; the
    // modal window is driven from the event loop it runs.
    void registerFromLoginWindow(frmLogin* login, const QString& name, const QString& password) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* w = dynamic_cast<frmRegister*>(QApplication::activeModalWidget());
            if (!w) return;
            driven = true;
            w->optAgree->setChecked(true);
            w->txtUserName->setText(name);
            w->txtPassword1->setText(password);
            w->txtPassword2->setText(password);
            w->cobQuestion->setCurrentIndex(3);
            w->txtAnswer->setText(QStringLiteral("王老师"));
            w->txtEmail->setText(QStringLiteral("new@example.com"));
            w->txtYear->setText(QStringLiteral("1985"));
            choose(w->cobMonth, QStringLiteral("11"));
            choose(w->cobDay, QStringLiteral("30"));
            choose(w->cobShe, QStringLiteral("广西壮族自治区"));
            choose(w->cobCity, QStringLiteral("桂林市"));
            w->optSex[0]->setChecked(true);
            choose(w->cobWork, QStringLiteral("工程师"));
            w->txtKey->setText(w->CaptchaText);
            w->cmdRegister_Click();
            if (w->isVisible()) w->cmdBack_Click();  // refused: leave the modal loop anyway
        });
        login->labRegister_Click();
        EXPECT_TRUE(driven) << "the registration window did not open modally";
    }

    int netErrors = 0;
};

}  // namespace

TEST_F(RegisterThenLogin, NewMemberRegistersAndLogsIn) {
    frmLogin* login = ShowLoginWindow();
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();

    // A password with blanks at both ends: the registration digests it as typed, like the login.
    const QString password = QStringLiteral(" 新pass 9 ");
    registerFromLoginWindow(login, QStringLiteral("  Newbie_7"), password);
    ASSERT_EQ(netErrors, 0);
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("新会员注册成功！欢迎   Newbie_7 加入Orbel的大家庭！")))
        << prompts.messages()[0].toStdString();

    const auto calls = emulator().calls(QStringLiteral("Register"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args.mid(0, 2), (QStringList{"newbie_7", Md5Hex(password)}));
    EXPECT_EQ(calls[0].args.mid(6, 8),
              (QStringList{"广西壮族自治区", "450000", "桂林市", "450300", "男", "1", "工程师", "09"}));
    EXPECT_TRUE(calls[0].reply.startsWith(QStringLiteral("__Reg__OK__")));
    EXPECT_TRUE(calls[0].host.startsWith(QStringLiteral("www."))) << calls[0].host.toStdString();

    // The login window holds the new name, an empty password and no kept password.
    ASSERT_EQ(frmLogin::loaded(), login);
    EXPECT_EQ(login->cobUser->currentText(), "Newbie_7");
    EXPECT_EQ(login->txtPassword->text(), "");
    EXPECT_FALSE(login->cheSavePsw->isChecked());

    // The member types the password and logs in.
    prompts.clear();
    QPointer<frmLogin> guard(login);
    login->txtPassword->setText(password);
    login->cmdLogin_Click();
    EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.messages().join("|").toStdString();
    EXPECT_EQ(CurrentUserName, "newbie_7");
    ASSERT_NE(frm个人网站::loaded(), nullptr);
    EXPECT_TRUE(LoginField(6).startsWith(QStringLiteral("www")));
}

TEST_F(RegisterThenLogin, TakenNameIsRefusedByTheService) {
    frmLogin* login = ShowLoginWindow();
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();
    const QString demo = emulator().demoMember().name;
    registerFromLoginWindow(login, demo, QStringLiteral("abc123!x"));
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("会员名：“") + demo + QStringLiteral("”已经被注册，请重新输入新的会员名。")});
    EXPECT_EQ(login->cobUser->currentText(), "");
}

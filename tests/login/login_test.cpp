// The login window and the login against the service emulator.
#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "foundation/hooks.h"
#include "foundation/machine.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "login/ui/loginwindow.h"
#include "login/ui/noticewindow.h"
#include "login/ui/waitingwindow.h"
#include "login/loginflow.h"
#include "login/loginlist.h"
#include "login/logintoken.h"
#include "login/modBegin.h"
#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/programend.h"
#include "platform/ui/webbrowser.h"
#include "state/sitestate.h"
#include "login/loginchecks.h"
#include "support/emulatorfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QStyle>
#include <QTimer>

namespace {

const QString kMask = QStringLiteral("****************");

class LoginWindowTest : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        netErrors = 0;
        ended = 0;
        hooks::showNetError = [this] { ++netErrors; };
        programend::SetHandler([this] { ++ended; });
        demo = emulator().demoMember();
    }
    void TearDown() override {
        closeWindows();
        hooks::showNetError = nullptr;
        programend::SetHandler(nullptr);
        EmulatorTest::TearDown();
    }
    // The window the login shows last: whatever top-level window is on screen besides the login
    // window (the main window, whichever class stands for it).
    static QWidget* mainWindow() {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible() && !dynamic_cast<frmLogin*>(t) && !dynamic_cast<QDialog*>(t)) return t;
        return nullptr;
    }
    static void closeWindows() {
        frmLogin::unload();
        frmWaiting::unload();
        // Gone without its closing question, as the program's own unload does.
        while (QWidget* w = mainWindow()) {
            w->hide();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A fresh login window with its load animation run to the end.
    frmLogin* open() {
        closeWindows();
        frmLogin* w = ShowLoginWindow();
        w->Timer1->stop();
        while (!w->picLogin->isEnabled()) w->Timer1_Timer();
        return w;
    }
    // Types the name and the password (the password box is not touched when password is null).
    frmLogin* login(const QString& name, const QString& password, bool keep = false) {
        frmLogin* w = frmLogin::loaded() ? frmLogin::loaded() : open();
        w->cobUser->setEditText(name);
        if (!password.isNull()) w->txtPassword->setText(password);
        w->cheSavePsw->setChecked(keep);
        w->cmdLogin_Click();
        return w;
    }
    // The input state; after a call the bar is back at its minimum (an input check leaves it).
    void expectInputState(frmLogin* w, bool afterCall = true) {
        EXPECT_FALSE(w->busy());
        EXPECT_FALSE(w->picLoadInfo->isVisible());
        if (afterCall) {
            EXPECT_EQ(w->proLogin->value(), 0);
        }
        EXPECT_TRUE(w->cmdLogin->isEnabled());
        EXPECT_TRUE(w->cobUser->isEnabled());
        EXPECT_EQ(mainWindow(), nullptr);
    }
    QString memberFile(const QString& name) const { return UserFolder + QLatin1Char('/') + name; }
    static QString serial() { return QString::number(GetVolumeSerial()); }
    // Runs the event loop until the browser shows an address holding the text (at most 10 s).
    static bool showsAddress(WebBrowser* b, const QString& part) {
        QElapsedTimer t;
        t.start();
        while (!b->LocationURL().contains(part) && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return b->LocationURL().contains(part);
    }

    int netErrors = 0;
    int ended = 0;
    emu::DemoMember demo;
};

}  // namespace

TEST_F(LoginWindowTest, LoadAnimationEndsOnTheNineteenthTick) {
    closeWindows();
    frmLogin* w = ShowLoginWindow();
    w->Timer1->stop();
    EXPECT_DOUBLE_EQ(w->loadProgress(), 10);
    EXPECT_FALSE(w->picLogin->isEnabled());
    EXPECT_FALSE(w->cmdLogin->isVisible());
    for (int tick = 1; tick <= 18; ++tick) w->Timer1_Timer();
    EXPECT_NEAR(w->loadProgress(), 266.2, 0.1);
    EXPECT_FALSE(w->picLogin->isEnabled());
    w->Timer1_Timer();
    EXPECT_TRUE(w->picLogin->isEnabled());
    EXPECT_FALSE(w->picLoadInfo->isVisible());
    EXPECT_EQ(w->proLogin->value(), 300);
    for (QWidget* c : {static_cast<QWidget*>(w->cheSavePsw), static_cast<QWidget*>(w->cmdLogin), static_cast<QWidget*>(w->cmdEnd)})
        EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("请您登录 Tavolin 2.0"));
    EXPECT_EQ(w->txtPassword->maxLength(), 16);
    EXPECT_EQ(w->txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(QChar(w->txtPassword->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, w->txtPassword)),
              QLatin1Char('*'));
    EXPECT_TRUE(w->cobUser->currentText().isEmpty());  // no g1.dat: nothing offered
}

TEST_F(LoginWindowTest, AnimationEndSendsTheFocusToTheFirstBoxToFill) {
    const auto focusIn = [](frmLogin* w, QWidget* box) {
        QWidget* f = w->focusWidget();
        return f && (f == box || box->isAncestorOf(f));
    };
    frmLogin* w = open();  // nothing remembered: the name first
    EXPECT_TRUE(focusIn(w, w->cobUser)) << (w->focusWidget() ? w->focusWidget()->metaObject()->className() : "none");
    StoreLoginEntry(demo.name, QString(), "www1");
    w = open();  // a remembered name filled in: the password
    ASSERT_EQ(w->cobUser->currentText(), demo.name);
    EXPECT_TRUE(focusIn(w, w->txtPassword));
}

TEST_F(LoginWindowTest, BusyPanelHidesTheButtonsItCovers) {
    frmLogin* w = open();
    w->loginView().showBusy();
    // A strip of the panel between its bar and its text, over the login button: the panel's own
    // ground, not the button's face or frame.
    const QRect button = w->cmdLogin->geometry();
    const int y = w->picLoadInfo->y() + w->proLogin->geometry().bottom() + 2;
    ASSERT_LT(y, w->picLoadInfo->y() + w->labState->y());
    ASSERT_TRUE(y > button.top() && y < button.bottom());
    const QImage shot = w->grab().toImage();
    const QColor ground = w->picLoadInfo->palette().color(QPalette::Window);
    for (int x = button.left(); x <= button.right(); ++x)
        ASSERT_EQ(shot.pixelColor(x, y).rgb(), ground.rgb()) << "x " << x;
}

TEST_F(LoginWindowTest, LoginAdvertisementMovesOnAtEveryStart) {
    EXPECT_EQ(GetGlobalSetting(GcsLoginAdIndex), QString());
    open();
    EXPECT_EQ(GetGlobalSetting(GcsLoginAdIndex), "0");
    EXPECT_TRUE(showsAddress(frmLogin::loaded()->Web1, "/loginad_0.html?k1=2.0"));
    // The second start draws r from 1 to 5, shows it and stores the page after it.
    open();
    const int next = GetGlobalSetting(GcsLoginAdIndex).toInt();
    ASSERT_GE(next, 1);
    ASSERT_LE(next, 5);
    const int drawn = next == 1 ? 5 : next - 1;
    EXPECT_TRUE(showsAddress(frmLogin::loaded()->Web1, QStringLiteral("/loginad_%1.html").arg(drawn)));
    open();
    EXPECT_TRUE(showsAddress(frmLogin::loaded()->Web1, QStringLiteral("/loginad_%1.html").arg(next)));
    EXPECT_EQ(GetGlobalSetting(GcsLoginAdIndex), QString::number(next == 5 ? 1 : next + 1));
}

TEST_F(LoginWindowTest, RightPasswordSetsUpTheMemberAndOpensTheMainWindow) {
    QPointer<frmLogin> w = login(QStringLiteral("  TavDemo "), demo.password);
    EXPECT_TRUE(prompts.records().isEmpty()) << prompts.messages().join("|").toStdString();
    EXPECT_EQ(netErrors, 0);

    // The call: member, token of the password, address, machine code, version; default host.
    const auto calls = emulator().calls("LoginSoftV2");
    ASSERT_EQ(calls.size(), 1);
    const QString code = MakeMachineCode(serial());
    EXPECT_EQ(calls[0].args, (QStringList{demo.name, LoginToken(demo.password), GetLocalIpAddress(), code, "2.0"}));
    EXPECT_TRUE(calls[0].host.startsWith("www.")) << calls[0].host.toStdString();

    // Member state.
    EXPECT_EQ(CurrentUserName, demo.name);
    EXPECT_EQ(UserFolder, paths::InRoot("UserData/" + demo.name));
    EXPECT_TRUE(UserServerPrefix.startsWith("www"));
    EXPECT_EQ(UserServerPrefix, LoginField(6));
    EXPECT_EQ(LoginField(12), demo.domain);
    EXPECT_EQ(SysNotices.rows(), 6);
    ASSERT_TRUE(SiteSettings.created());
    bool anyValue = false;
    for (int r = 0; r < SiteSettingsTable::Rows; ++r) {
        EXPECT_EQ(SiteSettings(LocalColumn, r), SiteSettings(PublishColumn, r));
        EXPECT_EQ(SiteSettings(LocalColumn, r), SiteSettings(PublishedColumn, r));
        EXPECT_EQ(SiteSettings(TemplateColumn, r), QString());
        anyValue = anyValue || !SiteSettings(LocalColumn, r).isEmpty();
    }
    EXPECT_TRUE(anyValue);

    // Files and settings.
    const QString u1 = DecryptBytes(testsupport::readFile(memberFile("u1.dat")), DataFileKey);
    EXPECT_FALSE(u1.contains("__Login__OK__"));
    EXPECT_TRUE(u1.contains("LoginBackInfo<///T>"));
    EXPECT_TRUE(u1.contains("SpacePric<///T>"));
    EXPECT_EQ(GetUserSetting(UcsServerPrefix), UserServerPrefix);
    EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), "1{" + serial() + "}");
    EXPECT_EQ(GetGlobalSetting(GcsMachineCode), code);
    EXPECT_EQ(GetGlobalSetting(GcsLastServerPrefix), UserServerPrefix);
    EXPECT_EQ(GetGlobalSetting(GcsSmallScreen), SmallScreen ? "0" : "");
    EXPECT_FALSE(GetGlobalSetting(GcsWaitAdIndex).isEmpty());
    const Table list = ReadLoginList();
    ASSERT_EQ(list.rows(), 1);
    EXPECT_EQ(list.row(0), (QStringList{code, demo.name, QString(), UserServerPrefix, QString()}));

    ExpectLoginPagesWritten(UserFolder);
    for (const char* folder : {"UpLoadPicture", "data", "temp"}) EXPECT_TRUE(QFileInfo(memberFile(QLatin1String(folder))).isDir());

    // Windows: the main window is shown and has unloaded the login window; the waiting window is
    // loaded and hidden.
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_EQ(frmLogin::loaded(), nullptr);
    ASSERT_NE(frmWaiting::loaded(), nullptr);
    EXPECT_FALSE(frmWaiting::loaded()->isVisible());
    EXPECT_TRUE(showsAddress(frmWaiting::loaded()->webAD, "/loginad_"));
    const QString ad = frmWaiting::loaded()->webAD->LocationURL();
    EXPECT_TRUE(ad.contains("/ad/kr/")) << ad.toStdString();
    EXPECT_TRUE(ad.endsWith(".html?k1=v1.0&k2=" + demo.name + "&k3=" + UserServerPrefix)) << ad.toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());

    // The next start goes to the login window directly.
    EXPECT_FALSE(StartsWithSplash(GetGlobalSetting(GcsFirstLogin), serial()));
}

TEST_F(LoginWindowTest, LaterLoginsGoToTheRememberedPrefixHost) {
    login(demo.name, demo.password);
    ASSERT_NE(mainWindow(), nullptr);
    const QString prefix = UserServerPrefix;
    login(demo.name, demo.password);
    const auto calls = emulator().calls("LoginSoftV2");
    ASSERT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls[1].host.startsWith(QString(prefix).replace("www", "web") + ".")) << calls[1].host.toStdString();
}

TEST_F(LoginWindowTest, KeptPasswordIsOfferedAsItsTokenAndSentUnchanged) {
    login(demo.name, demo.password, true);
    ASSERT_NE(mainWindow(), nullptr);
    const QString token = LoginToken(demo.password);
    EXPECT_EQ(ReadLoginList()(0, 2), token);

    frmLogin* w = open();
    EXPECT_EQ(w->cobUser->currentText(), demo.name);
    EXPECT_TRUE(w->cheSavePsw->isChecked());
    EXPECT_EQ(w->txtPassword->text(), kMask);
    EXPECT_EQ(frmLogin::labSavePaw, token);
    w->cmdLogin_Click();
    ASSERT_NE(mainWindow(), nullptr) << prompts.messages().join("|").toStdString();
    EXPECT_EQ(emulator().calls("LoginSoftV2").last().args.value(1), token);
}

TEST_F(LoginWindowTest, TypingDropsTheTokenAndATypedNameFillsNothing) {
    StoreLoginEntry(demo.name, LoginToken(demo.password), "www1");
    StoreLoginEntry("other", QString(), "www2");
    frmLogin* w = open();
    EXPECT_EQ(w->cobUser->currentText(), "other");  // newest first
    EXPECT_TRUE(w->txtPassword->text().isEmpty());
    EXPECT_FALSE(w->cheSavePsw->isChecked());

    // Typing a listed name chooses nothing, also when Enter or leaving the box ends the typing.
    w->cobUser->setEditText(demo.name);
    EXPECT_TRUE(w->txtPassword->text().isEmpty());
    EXPECT_TRUE(frmLogin::labSavePaw.isEmpty());
    QTest::keyClick(w->cobUser->lineEdit(), Qt::Key_Return);
    emit w->cobUser->lineEdit()->editingFinished();
    EXPECT_TRUE(w->txtPassword->text().isEmpty());
    EXPECT_TRUE(frmLogin::labSavePaw.isEmpty());
    EXPECT_FALSE(w->cheSavePsw->isChecked());

    // Choosing it from the list fills the token; a typed character drops it.
    w->cobUser->setCurrentIndex(w->cobUser->findText(demo.name));
    emit w->cobUser->activated(w->cobUser->currentIndex());
    EXPECT_EQ(frmLogin::labSavePaw, LoginToken(demo.password));
    w->txtPassword->end(false);
    w->txtPassword->backspace();
    EXPECT_TRUE(frmLogin::labSavePaw.isEmpty());

    // The clicked caption toggles the box.
    const bool before = w->cheSavePsw->isChecked();
    w->labSavePsw_Click();
    EXPECT_NE(w->cheSavePsw->isChecked(), before);
}

TEST_F(LoginWindowTest, UnkeptPasswordStoresTheRowWithoutToken) {
    StoreLoginEntry(demo.name, LoginToken(demo.password), "www1");
    frmLogin* w = open();
    ASSERT_EQ(frmLogin::labSavePaw, LoginToken(demo.password));
    w->cheSavePsw->setChecked(false);
    w->cmdLogin_Click();
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_EQ(ReadLoginList()(0, 2), QString());
}

TEST_F(LoginWindowTest, RefusedRepliesReturnToInputWithTheirMessages) {
    struct Case {
        QString reply;  // empty: the real service with a wrong password
        QString message;
        int netErrors;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("用户名或密码错误！"), 0},
        {"__Login__DBFalse__", QStringLiteral("[错误:102]无法连接到Orbel网络数据库，请您稍后再试。"), 0},
        {"x__Login__Data_Error__", QStringLiteral("用户名或密码输入有误！"), 0},
        {"something else", QString(), 1},
        {" ", QString(), 1},
    };
    for (const Case& c : cases) {
        prompts.clear();
        netErrors = 0;
        if (!c.reply.isEmpty()) emulator().scriptReply("LoginSoftV2", c.reply);
        frmLogin* w = login(demo.name, c.reply.isEmpty() ? QStringLiteral("wrong1") : demo.password);
        EXPECT_EQ(prompts.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.reply.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
            EXPECT_EQ(prompts.records()[0].style, vbInformation);
        }
        EXPECT_EQ(netErrors, c.netErrors) << c.reply.toStdString();
        expectInputState(w);
        EXPECT_TRUE(w->txtPassword->hasFocus() || QApplication::focusWidget() == nullptr);
        EXPECT_FALSE(QFileInfo::exists(paths::InRoot("UserData/" + demo.name + "/u1.dat")));
    }
}

TEST_F(LoginWindowTest, UnreachableServiceOpensTheNetworkErrorWindow) {
    emulator().hideWsdl("webser001");
    frmLogin* w = login(demo.name, demo.password);
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.records().isEmpty());
    expectInputState(w);
    emulator().hideWsdl("webser001", false);

    // Nothing listens where the service should be.
    ServiceConfig dead = emulator().config();
    dead.proxy = QStringLiteral("127.0.0.1:1");
    serviceconfig::set(dead, false);
    login(demo.name, demo.password);
    EXPECT_EQ(netErrors, 2);
    EXPECT_TRUE(prompts.records().isEmpty());
    expectInputState(w);
    emulator().useConfig();

    // Any other failure of the call: the error's number and text.
    emulator().failHttp(500, "LoginSoftV2");
    login(demo.name, demo.password);
    EXPECT_EQ(netErrors, 2);
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("错误:")));
    EXPECT_TRUE(prompts.messages()[0].endsWith(QStringLiteral("\r\r遇到错误，请您稍后再试...")));
    expectInputState(w);
}

TEST_F(LoginWindowTest, UnwritableLoginFileEndsTheAttempt) {
    // A folder stands where u1.dat goes: the write fails, and nothing of the reply is used.
    const QString u1 = paths::InRoot("UserData/" + demo.name + "/u1.dat");
    QDir().mkpath(u1 + "/x");
    frmLogin* w = login(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 u1.dat。")});
    expectInputState(w);
    EXPECT_FALSE(SiteSettings.created());
    EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), QString());
    EXPECT_FALSE(QFileInfo::exists(LoginListPath()));
    EXPECT_FALSE(QFileInfo::exists(paths::InRoot("UserData/" + demo.name + "/temp/0.html")));
}

TEST_F(LoginWindowTest, RecordChecksSendTheFocusToTheMemberBox) {
    // Another edition's account: quoted exactly as typed.
    emulator().setMember(demo.name, QJsonObject{{"edition", "2"}});
    frmLogin* w = login(" TavDemo", demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{LoginEditionRefusal(" TavDemo")});
    expectInputState(w);
    emulator().setMember(demo.name, QJsonObject{{"edition", "1"}});

    // No LoginBackInfo in the reply.
    prompts.clear();
    emulator().scriptReply("LoginSoftV2", "__Login__OK__a{/F}{//R}SiteInfo{///T}");
    login(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("遇到意外错误，请您稍后再试...")});
    expectInputState(w);

    // A record shorter than 17 fields ends on the exception path.
    prompts.clear();
    QString shortRow;
    for (int i = 0; i < 16; ++i) shortRow += "1{/F}";
    emulator().scriptReply("LoginSoftV2", "__Login__OK__" + shortRow + "{//R}LoginBackInfo{///T}");
    login(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误:9Subscript out of range\r\r遇到错误，请您稍后再试...")});
    expectInputState(w);
}

TEST_F(LoginWindowTest, NameThatIsNoFolderNameIsRefusedBeforeAnyCall) {
    for (const QString& name : {QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("x\\..")}) {
        prompts.clear();
        frmLogin* w = login(name, demo.password);
        EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("用户名或密码输入有误！")});
        expectInputState(w, false);
    }
    EXPECT_TRUE(emulator().calls("LoginSoftV2").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(paths::InRoot("UserData/..")) && QFileInfo::exists(paths::InRoot("u0.dat")));
    EXPECT_FALSE(QFileInfo::exists(paths::InRoot("UserData/a")));
}

TEST_F(LoginWindowTest, InputChecksKeepTheWindowAsItIs) {
    frmLogin* w = login(QString(21, 'a'), "pw");
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("用户名太长！(不符合本软件的注册限制)")});
    prompts.clear();
    login("alice", "   ");
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("用户名或密码不能为空。")});
    expectInputState(w, false);
    EXPECT_TRUE(emulator().calls("LoginSoftV2").isEmpty());
}

TEST_F(LoginWindowTest, NoticesActInOrderAndTheQuitNoticeEndsTheProgram) {
    emulator().setNotice(2, true, QStringLiteral("今日通知"));
    emulator().setNotice(4, true, QStringLiteral("请实名"));  // the demo member has done it
    login(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("今日通知")});
    ASSERT_NE(mainWindow(), nullptr);

    prompts.clear();
    emulator().setNotice(1, true, QStringLiteral("停止服务"));
    login(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("停止服务")});
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(ReadLoginList().rows(), 1);  // from the first login only
}

TEST_F(LoginWindowTest, NoticePagesShowInTheSystemInformationWindow) {
    const QString page = "http://" + emulator().config().hostName(ServiceHost::Account) + "/notice.html";
    emulator().setNotice(3, true, page);
    QStringList shown;
    // Closes each notice window once it is up, noting the address it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* d = dynamic_cast<frmSysInfo*>(QApplication::activeModalWidget())) {
            shown.append(frmLogin::labSysInfoURL + " | " + d->windowTitle());
            d->cmdOk->click();
        }
    });
    closer.start(50);
    login(demo.name, demo.password);
    EXPECT_EQ(shown, QStringList{page + "?k1=" + demo.name + "&k2=" + UserServerPrefix + " | 系统信息 "});
    EXPECT_NE(mainWindow(), nullptr);
}

TEST_F(LoginWindowTest, WindowIsTheViewOfEveryLoginHook) {
    EXPECT_EQ(UnsetRequiredHooks(open()->loginView()).join(u' ').toStdString(), "");
}

TEST_F(LoginWindowTest, LoginButtonDoesNothingWhileALoginRuns) {
    const QString page = "http://" + emulator().config().hostName(ServiceHost::Account) + "/notice.html";
    emulator().setNotice(0, true, page);
    // While the login waits for the notice window, the button is pressed again; the notice windows
    // are closed once that press has run.
    bool pressed = false, pressRan = false, busyThen = false, enabledThen = true;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        auto* d = dynamic_cast<frmSysInfo*>(QApplication::activeModalWidget());
        if (!d) return;
        if (!pressed) {
            pressed = true;
            frmLogin* w = frmLogin::loaded();
            busyThen = w->busy();
            enabledThen = w->cmdLogin->isEnabled();
            // Pressed from the dialog's event loop, not from inside this timer's handler.
            QTimer::singleShot(0, w, [&pressRan, w] {
                pressRan = true;
                w->cmdLogin_Click();
            });
            return;
        }
        if (pressRan) d->cmdOk->click();
    });
    presser.start(50);
    login(demo.name, demo.password);
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(busyThen);
    EXPECT_FALSE(enabledThen);
    EXPECT_EQ(emulator().calls("LoginSoftV2").size(), 1);
    EXPECT_NE(mainWindow(), nullptr);
}

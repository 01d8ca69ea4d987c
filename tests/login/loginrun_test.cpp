// The login sequence against the service emulator, through a scripted view: no login window.
#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "foundation/hooks.h"
#include "foundation/machine.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "login/loginflow.h"
#include "login/loginlist.h"
#include "login/loginrun.h"
#include "state/loginwindowlabels.h"
#include "login/logintoken.h"
#include "state/loginstate.h"
#include "platform/paths.h"
#include "platform/programend.h"
#include "state/sitestate.h"
#include "login/loginchecks.h"
#include "support/emulatorfixture.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

#include <functional>

namespace {

const QString kBusyText = QStringLiteral("正在登录，请您稍候...");

class LoginRunTest : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        hooks::showNetError = [this] { events.append("net error"); };
        programend::SetHandler([this] { events.append("end"); });
        demo = emulator().demoMember();
    }
    void TearDown() override {
        hooks::showNetError = nullptr;
        programend::SetHandler(nullptr);
        EmulatorTest::TearDown();
    }

    // Every hook notes what it was asked to do; the waiting window and the main window note
    // whether the pages were written by then.
    LoginView scriptedView() {
        LoginView v;
        v.showBusy = [this] { events.append("busy"); };
        v.setProgress = [this](int p) { events.append("progress " + QString::number(p)); };
        v.setStateText = [this](const QString& t) { events.append("state " + t); };
        v.focusBox = [this](LoginBox b, bool all) { events.append("focus " + boxName(b) + (all ? " selected" : "")); };
        v.returnToInput = [this](LoginBox b) { events.append("input " + boxName(b)); };
        v.showNoticePage = [this](const QString& url) {
            events.append("notice " + url + (LoginWindowLabels::labSysInfoURL == url ? "" : " (label differs)"));
        };
        v.loadWaitingWindow = [this] { events.append(QString("waiting") + (pagesWritten() ? " after pages" : "")); };
        v.showMainWindow = [this] { events.append(QString("main") + (pagesWritten() ? "" : " before pages")); };
        return v;
    }
    static QString boxName(LoginBox b) { return b == LoginBox::Member ? "member" : "password"; }
    bool pagesWritten() const {
        return QFileInfo::exists(paths::InRoot("UserData/" + demo.name + "/temp/32.html"));
    }
    LoginInput input(const QString& name, const QString& password) const {
        LoginInput in;
        in.memberText = name;
        in.password = password;
        in.screenPixels = QSize(1920, 1080);
        return in;
    }
    void run(const LoginInput& in) {
        LoginView view = scriptedView();
        RunLogin(in, view);
    }
    void run(const QString& name, const QString& password) { run(input(name, password)); }

    QString memberFile(const QString& name) const { return paths::InRoot("UserData/" + demo.name + "/" + name); }
    // The events up to the reply: the busy state and the progress of the call.
    static QStringList untilReply() {
        return {"busy", "progress 10", "state " + kBusyText, "progress 20", "progress 30", "progress 50", "progress 80"};
    }

    QStringList events;
    emu::DemoMember demo;
};

}  // namespace

TEST_F(LoginRunTest, RightPasswordSetsUpTheMemberAndShowsTheMainWindowOnce) {
    run("  TavDemo ", demo.password);
    EXPECT_TRUE(prompts.records().isEmpty()) << prompts.messages().join("|").toStdString();
    EXPECT_EQ(events, (untilReply() + QStringList{"progress 90", "progress 100", "waiting", "main"}));

    const QString serial = QString::number(GetVolumeSerial());
    const QString code = MakeMachineCode(serial);
    const auto calls = emulator().calls("LoginSoftV2");
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args, (QStringList{demo.name, LoginToken(demo.password), GetLocalIpAddress(), code, "2.0"}));
    EXPECT_TRUE(calls[0].host.startsWith("www.")) << calls[0].host.toStdString();

    EXPECT_EQ(CurrentUserName, demo.name);
    EXPECT_EQ(UserFolder, paths::InRoot("UserData/" + demo.name));
    EXPECT_TRUE(UserServerPrefix.startsWith("www")) << UserServerPrefix.toStdString();
    EXPECT_EQ(UserServerPrefix, LoginField(6));
    EXPECT_TRUE(SiteSettings.created());
    EXPECT_FALSE(SmallScreen);

    const QString u1 = DecryptBytes(testsupport::readFile(memberFile("u1.dat")), DataFileKey);
    EXPECT_TRUE(u1.contains("LoginBackInfo<///T>"));
    EXPECT_FALSE(u1.contains("__Login__OK__"));
    EXPECT_EQ(GetUserSetting(UcsServerPrefix), UserServerPrefix);
    EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), "1{" + serial + "}");
    EXPECT_EQ(GetGlobalSetting(GcsMachineCode), code);
    EXPECT_EQ(GetGlobalSetting(GcsLastServerPrefix), UserServerPrefix);
    EXPECT_EQ(GetGlobalSetting(GcsSmallScreen), QString());
    const Table list = ReadLoginList();
    ASSERT_EQ(list.rows(), 1);
    EXPECT_EQ(list.row(0), (QStringList{code, demo.name, QString(), UserServerPrefix, QString()}));

    ExpectLoginPagesWritten(paths::InRoot("UserData/" + demo.name));
}

TEST_F(LoginRunTest, ADamagedOrStaleRememberedPrefixIsReplacedByTheLoginsOwn) {
    run(demo.name, demo.password);
    const QString own = UserServerPrefix;
    ASSERT_TRUE(IsServerPrefix(own)) << own.toStdString();
    // One changed byte, and a well-formed prefix the member no longer has.
    for (const QString& remembered : {QString(own).replace(0, 1, QStringLiteral("v")), QStringLiteral("www987")}) {
        CurrentUserName = demo.name;
        SetUserSetting(UcsServerPrefix, remembered);
        emulator().reset();
        events.clear();
        run(demo.name, demo.password);
        EXPECT_EQ(events.last(), "main") << remembered.toStdString() << ": " << events.join("|").toStdString();
        EXPECT_EQ(GetUserSetting(UcsServerPrefix), own) << remembered.toStdString();
    }
}

TEST_F(LoginRunTest, AFolderInPlaceOfALocalFileIsNamedInChineseWithoutInternals) {
    const struct {
        QString path;
        QString file;
    } cases[] = {
        {paths::InRoot("data/g0.dat"), "g0.dat"},
        {paths::InRoot("UserData/" + demo.name + "/u0.dat"), "u0.dat"},
        {paths::InRoot("UserData/" + demo.name + "/u1.dat"), "u1.dat"},
    };
    for (const auto& c : cases) {
        QFile::remove(c.path);
        ASSERT_TRUE(QDir().mkpath(c.path + "/blocker")) << c.path.toStdString();
        prompts.clear();
        events.clear();
        run(demo.name, demo.password);
        EXPECT_EQ(events.last(), "input password") << c.file.toStdString() << ": " << events.join("|").toStdString();
        ASSERT_EQ(prompts.records().size(), 1) << c.file.toStdString() << ": " << prompts.messages().join("|").toStdString();
        EXPECT_EQ(prompts.records()[0].text,
                  "遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 " + c.file + "。")
            << c.file.toStdString();
        EXPECT_EQ(prompts.records()[0].title, "提示");
        ASSERT_TRUE(QDir(c.path).removeRecursively());
    }
    run(demo.name, demo.password);
    EXPECT_EQ(events.last(), "main");
}

TEST_F(LoginRunTest, TokenSentIsKeptOnlyWhenTheBoxIsTicked) {
    // A remembered token is sent as it is, whatever the password box holds.
    const QString token = LoginToken(demo.password);
    struct Case {
        bool keep;
        QString stored;
    };
    for (const Case& c : {Case{true, token}, Case{false, QString()}}) {
        LoginInput in = input(demo.name, QStringLiteral("****************"));
        in.rememberedToken = token;
        in.keepPassword = c.keep;
        run(in);
        ASSERT_EQ(events.last(), "main") << prompts.messages().join("|").toStdString();
        EXPECT_EQ(emulator().calls("LoginSoftV2").last().args.value(1), token);
        EXPECT_EQ(ReadLoginList()(0, 2), c.stored) << c.keep;
    }
    // The second login went to the host of the prefix the first one remembered.
    const auto calls = emulator().calls("LoginSoftV2");
    ASSERT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls[1].host.startsWith(QString(UserServerPrefix).replace("www", "web") + "."))
        << calls[1].host.toStdString();
}

TEST_F(LoginRunTest, RefusedRepliesReturnToThePasswordBox) {
    struct Case {
        QString reply;  // empty: the real service with a wrong password
        QString message;
        bool netError;
    };
    const Case cases[] = {
        {QString(), kLoginWrongPassword, false},
        {"__Login__DBFalse__", kLoginDatabaseDown, false},
        {"x__Login__Data_Error__", kLoginBadInput, false},
        {"something else", QString(), true},
        {" ", QString(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        prompts.clear();
        events.clear();
        if (!c.reply.isEmpty()) emulator().scriptReply("LoginSoftV2", c.reply);
        run(demo.name, c.reply.isEmpty() ? QStringLiteral("wrong1") : demo.password);
        EXPECT_EQ(prompts.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty()) {
            EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
            EXPECT_EQ(prompts.records()[0].style, vbInformation);
        }
        QStringList expected = untilReply();
        if (c.netError) expected.append("net error");
        expected.append("input password");
        EXPECT_EQ(events, expected);
        EXPECT_FALSE(QFileInfo::exists(memberFile("u1.dat")));
        EXPECT_TRUE(UserServerPrefix.isEmpty());
    }
}

TEST_F(LoginRunTest, FailedCallsFollowTheServiceErrorConvention) {
    struct Case {
        const char* what;
        std::function<void(testsupport::Emulator&)> arrange;
        bool netError;
    };
    const Case cases[] = {
        {"no WSDL", [](testsupport::Emulator& e) { e.hideWsdl("webser001"); }, true},
        {"HTTP error on the call", [](testsupport::Emulator& e) { e.failHttp(500, "LoginSoftV2"); }, false},
        {"connection dropped", [](testsupport::Emulator& e) { e.dropConnection("LoginSoftV2"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        emulator().reset();
        prompts.clear();
        events.clear();
        c.arrange(emulator());
        run(demo.name, demo.password);
        EXPECT_EQ(events.contains("net error"), c.netError);
        EXPECT_EQ(events.last(), "input password");
        EXPECT_EQ(events.filter("progress").last(), "progress 50");
        if (c.netError) {
            EXPECT_TRUE(prompts.records().isEmpty());
        } else {
            ASSERT_EQ(prompts.records().size(), 1);
            EXPECT_TRUE(prompts.records()[0].text.startsWith(QStringLiteral("错误:"))) << prompts.records()[0].text.toStdString();
            EXPECT_TRUE(prompts.records()[0].text.endsWith(QStringLiteral("\r\r遇到错误，请您稍后再试...")));
            // No English internals of the network layer: only the method's and the protocol's names.
            QString words = prompts.records()[0].text;
            words.remove(QStringLiteral("LoginSoftV2")).remove(QStringLiteral("HTTP"));
            EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << prompts.records()[0].text.toStdString();
            EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
            EXPECT_EQ(prompts.records()[0].style, vbInformation);
        }
        EXPECT_FALSE(QFileInfo::exists(memberFile("u1.dat")));
    }
    emulator().hideWsdl("webser001", false);
}

TEST_F(LoginRunTest, UnwritableLoginFileReturnsToThePasswordBoxAndUsesNothing) {
    // A folder stands where u1.dat goes.
    QDir().mkpath(memberFile("u1.dat/x"));
    run(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 u1.dat。")});
    EXPECT_EQ(events, (untilReply() + QStringList{"input password"}));
    EXPECT_FALSE(SiteSettings.created());
    EXPECT_TRUE(UserServerPrefix.isEmpty());
    EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), QString());
    EXPECT_FALSE(QFileInfo::exists(LoginListPath()));
    EXPECT_FALSE(QFileInfo::exists(memberFile("temp/0.html")));
}

TEST_F(LoginRunTest, RecordChecksRefuseTheLogin) {
    QString shortRow;
    for (int i = 0; i < 16; ++i) shortRow += "1{/F}";
    struct Case {
        const char* what;
        QString typed;
        std::function<void(testsupport::Emulator&, const QString& member)> arrange;
        QString message;
        QString input;
    };
    const Case cases[] = {
        {"another edition's account, quoted as typed", " TavDemo",
         [](testsupport::Emulator& e, const QString& m) { e.setMember(m, QJsonObject{{"edition", "2"}}); },
         LoginEditionRefusal(" TavDemo"), "input member"},
        {"no record in the reply", "tavdemo",
         [](testsupport::Emulator& e, const QString&) {
             e.scriptReply("LoginSoftV2", "__Login__OK__a{/F}{//R}SiteInfo{///T}");
         },
         kLoginRecordMissing, "input member"},
        {"a record shorter than 17 fields", "tavdemo",
         [shortRow](testsupport::Emulator& e, const QString&) {
             e.scriptReply("LoginSoftV2", "__Login__OK__" + shortRow + "{//R}LoginBackInfo{///T}");
         },
         QStringLiteral("错误:9Subscript out of range\r\r遇到错误，请您稍后再试..."), "input password"},
    };
    ASSERT_EQ(demo.name, "tavdemo");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        emulator().reset();
        prompts.clear();
        events.clear();
        c.arrange(emulator(), demo.name);
        run(c.typed, demo.password);
        EXPECT_EQ(prompts.messages(), QStringList{c.message});
        EXPECT_EQ(events, (untilReply() + QStringList{c.input}));
        EXPECT_TRUE(UserServerPrefix.isEmpty());
        EXPECT_FALSE(SiteSettings.created());
        EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), QString());
    }
}

TEST_F(LoginRunTest, NoticesActInOrderAndTheQuitNoticeEndsTheProgram) {
    const QString page = "http://" + emulator().config().hostName(ServiceHost::Account) + "/notice.html";
    emulator().setNotice(0, true, page);
    emulator().setNotice(2, true, QStringLiteral("今日通知"));
    emulator().setNotice(3, true, page);
    run(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("今日通知")});
    EXPECT_EQ(events.filter("notice"),
              (QStringList{"notice " + page, "notice " + page + "?k1=" + demo.name + "&k2=" + UserServerPrefix}));
    EXPECT_EQ(events.last(), "main");

    // The quit notice: its message, the program's end, and nothing of the rest of the login.
    emulator().reset();
    emulator().setNotice(1, true, QStringLiteral("停止服务"));
    prompts.clear();
    events.clear();
    ASSERT_TRUE(QFile::remove(LoginListPath()));
    SetGlobalSetting(GcsMachineCode, QString());
    run(demo.name, demo.password);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("停止服务")});
    EXPECT_EQ(events, (untilReply() + QStringList{"end"}));
    EXPECT_FALSE(QFileInfo::exists(LoginListPath()));
    EXPECT_EQ(GetGlobalSetting(GcsMachineCode), QString());
}

TEST_F(LoginRunTest, InputChecksRefuseBeforeAnyCall) {
    struct Case {
        QString name, password, message, focus;
    };
    const Case cases[] = {
        {QString(21, 'a'), "pw", kLoginNameTooLong, "focus member selected"},
        {"   ", "pw", kLoginEmptyInput, "focus member"},
        {"alice", "   ", kLoginEmptyInput, "focus password"},
        {"..", "pw", kLoginBadInput, "focus member selected"},
        {"a/b", "pw", kLoginBadInput, "focus member selected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        prompts.clear();
        events.clear();
        LoginInput in = input(c.name, c.password);
        in.screenPixels = QSize(1024, 768);
        run(in);
        EXPECT_EQ(prompts.messages(), QStringList{c.message});
        EXPECT_EQ(events, QStringList{c.focus});
        EXPECT_TRUE(CurrentUserName.isEmpty());
        // The screen class is noted before the input is checked.
        EXPECT_TRUE(SmallScreen);
        EXPECT_EQ(GetGlobalSetting(GcsSmallScreen), "0");
    }
    EXPECT_TRUE(emulator().calls("LoginSoftV2").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(paths::InRoot("UserData/a")));
}

#include "login/loginrun.h"

#include "foundation/folders.h"
#include "foundation/hooks.h"
#include "foundation/machine.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "login/loginflow.h"
#include "login/loginlist.h"
#include "login/logintoken.h"
#include "state/loginwindowlabels.h"
#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/programend.h"
#include "platform/serviceconfig.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/site_api.h"

namespace {

const QString kTitle = QStringLiteral("提示");

void message(const QString& text) { MsgBox(text, vbInformation, kTitle); }

void showNetError() {
    if (hooks::showNetError) hooks::showNetError();
}

// Remembers whether this screen is a small one, for the windows that lay themselves out by it.
void NoteScreenClass(const QSize& screenPixels) {
    SmallScreen = screenPixels.isValid() && IsSmallScreen(screenPixels);
    try {
        SetGlobalSetting(GcsSmallScreen, SmallScreen ? QStringLiteral("0") : QString());
    } catch (const VbError&) {
    }
}

// False when the boxes' input is refused before any call: its message shown, the focus in the
// box to correct.
bool InputAccepted(const LoginInput& input, LoginView& view) {
    switch (CheckLoginInput(input.memberText, input.password)) {
    case LoginInputProblem::NameTooLong:
        message(kLoginNameTooLong);
        CALL_REQUIRED_HOOK(view.focusBox, LoginBox::Member, true);
        return false;
    case LoginInputProblem::NameEmpty:
        message(kLoginEmptyInput);
        CALL_REQUIRED_HOOK(view.focusBox, LoginBox::Member, false);
        return false;
    case LoginInputProblem::PasswordEmpty:
        message(kLoginEmptyInput);
        CALL_REQUIRED_HOOK(view.focusBox, LoginBox::Password, false);
        return false;
    case LoginInputProblem::NameUnsafe:
        // The name would become a folder outside the members' folder; nothing is touched.
        message(kLoginBadInput);
        CALL_REQUIRED_HOOK(view.focusBox, LoginBox::Member, true);
        return false;
    case LoginInputProblem::None: break;
    }
    return true;
}

// What the call sends besides the member name. A part that cannot be made stays empty: the login
// goes on without it.
struct Credentials {
    QString token;
    QString serial;
    QString machineCode;
};

Credentials MakeCredentials(const LoginInput& input) {
    Credentials c;
    try {
        c.token = input.rememberedToken.isEmpty() ? LoginToken(input.password) : input.rememberedToken;
    } catch (const VbError&) {
    }
    try {
        c.serial = QString::number(GetVolumeSerial(QStringLiteral("c:\\")));
        c.machineCode = MakeMachineCode(c.serial);
    } catch (const VbError&) {
    }
    return c;
}

// A refusal in the reply's tag: its message or the network-error window. False for a reply that
// carries the login.
bool ReplyRefused(const QString& reply) {
    switch (ClassifyLoginReply(reply)) {
    case LoginReplyKind::Ok: return false;
    case LoginReplyKind::WrongPassword: message(kLoginWrongPassword); return true;
    case LoginReplyKind::DatabaseDown: message(kLoginDatabaseDown); return true;
    case LoginReplyKind::BadInput: message(kLoginBadInput); return true;
    case LoginReplyKind::Unknown: showNetError(); return true;
    }
    return true;
}

// The login call: on the remembered prefix's host, else the default service host. A remembered
// prefix whose host cannot be reached (a garbled digit, a server that is gone) gets one more try
// on the default host; the reply's prefix is then remembered in its place.
QString CallLogin(const QString& rememberedPrefix, const QList<SoapArgument>& args) {
    const QString endpoint = QStringLiteral("webser001"), method = QStringLiteral("LoginSoftV2");
    std::unique_ptr<SoapClient> client;
    try {
        client = NewServiceClient(endpoint, method);
    } catch (const VbError& e) {
        if (!IsServerPrefix(rememberedPrefix)) throw;
        qWarning("tavolin: the login host of prefix %s did not answer (%s); trying the default host",
                 qUtf8Printable(rememberedPrefix), qUtf8Printable(e.description()));
        client = std::make_unique<SoapClient>();
        client->MSSoapInit(ServiceWsdlUrlOnHost(endpoint, serviceconfig::current().label(ServiceHost::Default)), QString(),
                           QString(), QString());
    }
    return client->call(method, args);
}

// The member record's own checks: a reply without a record, or an account of another edition
// (quoted as typed). LoginInfo(0, 16) raises subscript out of range for a shorter record, as the
// old record reader did.
bool RecordRefused(const QString& typedName) {
    if (LoginInfo.value(0, 0) == QLatin1String("null")) {
        message(kLoginRecordMissing);
        return true;
    }
    if (LoginInfo(0, 16) != QLatin1String("1")) {
        message(LoginEditionRefusal(typedName));
        return true;
    }
    return false;
}

// Acts on the service notices. False when the quit notice was shown: the program is to end.
bool NoticesAllowLogin(const QString& replyText, LoginView& view) {
    SysNotices = ExtractTable(replyText, QStringLiteral("SysInfo"));
    if (SysNotices.value(0, 0) == QLatin1String("null")) return true;
    SysNoticeHandlers handlers;
    handlers.showPage = [&view](const QString& url) {
        LoginWindowLabels::labSysInfoURL = url;
        CALL_REQUIRED_HOOK(view.showNoticePage, url);
    };
    handlers.message = [](const QString& t) { message(t); };
    return ProcessSysNotices(SysNotices, LoginInfo.value(0, 14), CurrentUserName, UserServerPrefix, handlers);
}

}  // namespace

void SaveLoginEntry(const QString& member, const QString& prefix, const QString& token, bool keepPassword) {
    try {
        EnsureDataFolders();
    } catch (const VbError&) {
    }
    StoreLoginEntry(member, keepPassword ? token : QString(), prefix);
    try {
        SetGlobalSetting(GcsLastServerPrefix, prefix);
    } catch (const VbError&) {
    }
}

void RunLogin(const LoginInput& input, LoginView& view) {
    NoteScreenClass(input.screenPixels);
    if (!InputAccepted(input, view)) return;

    CurrentUserName = vb::Trim(input.memberText).toLower();
    // Read before the login may store the member's first prefix.
    QString rememberedPrefix;
    try {
        rememberedPrefix = GetUserSetting(UcsServerPrefix);
    } catch (const VbError&) {
    }

    CALL_REQUIRED_HOOK(view.showBusy);
    CALL_REQUIRED_HOOK(view.setProgress, 10);
    CALL_REQUIRED_HOOK(view.setStateText, QStringLiteral("正在登录，请您稍候..."));
    const QString ip = GetLocalIpAddress();
    CALL_REQUIRED_HOOK(view.setProgress, 20);
    const Credentials sent = MakeCredentials(input);
    CALL_REQUIRED_HOOK(view.setProgress, 30);

    try {
        CALL_REQUIRED_HOOK(view.setProgress, 50);
        const QString reply = CallLogin(rememberedPrefix, {CurrentUserName, sent.token, ip, sent.machineCode, ClientVersion});
        CALL_REQUIRED_HOOK(view.setProgress, 80);
        if (ReplyRefused(reply)) {
            CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Password);
            return;
        }
        // The tables are read from the reply itself, not back from the file, which may still hold
        // the previous login when it cannot be written.
        const QString text = LoginReplyText(reply);
        EnsureDataFolders();
        UserServerPrefix.clear();
        UserFolder = MemberFolder(CurrentUserName);
        // WriteEncryptedText has told the member when the login file could not be written.
        if (!WriteEncryptedText(text, MemberPath({QStringLiteral("u1.dat")}))) {
            CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Password);
            return;
        }
        LoginInfo = ExtractTable(text, QStringLiteral("LoginBackInfo"));
        if (RecordRefused(input.memberText)) {
            CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Member);
            return;
        }
        UserServerPrefix = LoginInfo(0, 6);
        LoadSiteSettings(ExtractTable(text, QStringLiteral("SiteInfo")).row(0));
        // Every login keeps the member's prefix for the next login's host, so a damaged or stale
        // remembered prefix mends itself with the next login that works.
        // A settings file that cannot be written is the member's to mend: named in the message,
        // the detail in the log, not the service's failure text.
        try {
            if (IsServerPrefix(UserServerPrefix) && UserServerPrefix != rememberedPrefix)
                SetUserSetting(UcsServerPrefix, UserServerPrefix);
        } catch (const VbError& e) {
            ReportLocalFileWriteFailure(UserSettingsPath(), e);
            CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Password);
            return;
        }
        try {
            // The next start skips the connect splash on this machine.
            SetGlobalSetting(GcsFirstLogin, QStringLiteral("1{") + sent.serial + QLatin1Char('}'));
        } catch (const VbError& e) {
            ReportLocalFileWriteFailure(GlobalSettingsPath(), e);
            CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Password);
            return;
        }
        if (!NoticesAllowLogin(text, view)) {
            programend::End();
            return;
        }
        CALL_REQUIRED_HOOK(view.setProgress, 90);
        SaveLoginEntry(CurrentUserName, UserServerPrefix, sent.token, input.keepPassword);
        SetGlobalSetting(GcsMachineCode, sent.machineCode);
        CALL_REQUIRED_HOOK(view.setProgress, 100);
        CALL_REQUIRED_HOOK(view.loadWaitingWindow);
        WriteLoginPages();
        CALL_REQUIRED_HOOK(view.showMainWindow);
    } catch (const VbError& e) {
        ReportServiceError(e, LoginFailureMessage(e));
        CALL_REQUIRED_HOOK(view.returnToInput, LoginBox::Password);
    }
}

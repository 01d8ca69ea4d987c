#include "foundation/folders.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "mainwindow/commands.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

namespace {
const QString kTitle = QStringLiteral("提示");
const QString kCR = QStringLiteral("\r");
}  // namespace

QString TestDomainReplyMessage(const QString& reply, const QString& label) {
    if (reply == kOK_0001)
        return QStringLiteral("恭喜！恭喜！") + kCR + kCR + QStringLiteral("域名：www.") + label + QLatin1Char('.') +
               serviceconfig::current().domain + QStringLiteral(" 还没有被注册，您可以注册此域名。");
    if (reply == kError_0001)
        return QStringLiteral("抱歉！域名“") + label + QStringLiteral("”中包含关键字，不能被注册。");
    if (reply == kError_0002) return QStringLiteral("抱歉！您不能注册域名“") + label + QStringLiteral("”。");
    if (reply == kError_0003)
        return QStringLiteral("抱歉！域名“") + label + QStringLiteral("”已经被注册，您不能注册此域名。");
    return QStringLiteral("抱歉！遇到意外错误，请您稍后再试。");
}

void MainWindowCommands::cmdTestDomain_Click() {
    auto enable = [this](bool on) {
        if (view.enableTestDomain) view.enableTestDomain(on);
    };
    enable(false);
    const QString label = vb::Trim(domainBoxText()).toLower();
    CALL_REQUIRED_HOOK(view.setDomainBoxText, label);
    if (label.isEmpty()) {
        MsgBox(QStringLiteral("错误：域名不能为空。请您先在域名输入框中输入您的域名后再试。"), vbInformation, kTitle);
        enable(true);
        return;
    }
    if (const QString problem = CheckDomainName(label); !problem.isEmpty()) {
        MsgBox(problem, vbInformation, kTitle);
        enable(true);
        return;
    }
    try {
        showWait();
        const QString reply = ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"), {label});
        hideWait();
        if (reply == kOK_0001) DialogState = 99;
        MsgBox(TestDomainReplyMessage(reply, label), vbInformation, kTitle);
    } catch (const VbError& e) {
        hideWait();
        ReportServiceError(e);
    }
    enable(true);
}

void MainWindowCommands::cmdRegDomain_Click() {
    if (view.enableRegDomain) view.enableRegDomain(false);
    const QString label = vb::Trim(domainBoxText());
    CALL_REQUIRED_HOOK(windows.domainRegistration, view.window, label);
    if (view.enableRegDomain) view.enableRegDomain(true);
    // A registered domain (now or before) makes the protection available: say where it is, once.
    if (!LoginField(12).isEmpty() && GetUserSetting(UcsHintProtection) != QLatin1String("1") )
        CALL_REQUIRED_HOOK(view.showHint, UcsHintProtection,
                       QStringLiteral("提示：点击“网站首页加密”按钮可以给您的网站首页加密，这样别人在通过您的域名访问您"
                                      "的网站时会先打一个验证网页，让其正确输入您设置的问题的答案后才能访问到您的网站。"),
                       9, 400, 6855);
}

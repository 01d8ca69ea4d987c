#include "siteoptions/domainregistration.h"

#include "foundation/folders.h"
#include "foundation/servicecall.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kCR = QStringLiteral("\r");
const QString kEndpoint = QStringLiteral("wwwser001");

void Message(const QString& text) { MsgBox(text, vbInformation, kTitle); }

QString Domain() { return serviceconfig::current().domain; }

// "www.<label>.<service domain>"
QString SiteHost(const QString& label) { return QStringLiteral("www.") + label + QLatin1Char('.') + Domain(); }

// The three refusals both methods know, each under its own codes.
QString KeywordRefusal(const QString& label) {
    return QStringLiteral("抱歉！域名“") + label + QStringLiteral("”中包含系统关键字，不能被注册。");
}
QString LabelRefusal(const QString& label) { return QStringLiteral("抱歉！您不能注册域名“") + label + QStringLiteral("”。"); }
QString TakenRefusal(const QString& label) {
    return QStringLiteral("抱歉！域名“") + label + QStringLiteral("”已经被注册，您不能注册此域名。");
}

// The cell browsers whose pages show the domain.
constexpr int kDomainCells[] = {6, 11, 22, 23};

}  // namespace

QString DomainTestMessage(const QString& reply, const QString& label) {
    if (reply == kOK_0001)
        return QStringLiteral("恭喜！恭喜！") + kCR + kCR + QStringLiteral("域名：") + SiteHost(label) +
               QStringLiteral(" 还没有被注册，您可以注册此域名。");
    if (reply == kError_0001) return KeywordRefusal(label);
    if (reply == kError_0002) return LabelRefusal(label);
    if (reply == kError_0003) return TakenRefusal(label);
    return QStringLiteral("抱歉！遇到意外错误，请您稍后再试。");
}

QString DomainRegistrationRefusal(const QString& reply, const QString& label) {
    if (reply == kError_0006) return KeywordRefusal(label);
    if (reply == kError_0007 || reply == kError_0011) return LabelRefusal(label);
    if (reply == kError_0008) return TakenRefusal(label);
    if (reply == kError_0009 || reply == kError_0010)
        return QStringLiteral("抱歉！域名仅允许购买不小于 100M 网络空间的用户注册，请您购买不小于 100M 的Orbel网络空间后再注册。");
    return QStringLiteral("抱歉！遇到意外错误，请您稍后再试...");
}

QString CongratulationPage(const QString& user) {
    const ServiceConfig& config = serviceconfig::current();
    return JoinPageLines({
        QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"),
        QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"),
        QStringLiteral("<title>热烈庆祝") + user + QStringLiteral("荣升为站长</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral("body {"),
        QStringLiteral("    margin-left: 0px;"),
        QStringLiteral("    margin-top: 0px;"),
        QStringLiteral("    margin-right: 0px;"),
        QStringLiteral("}"),
        QStringLiteral("#Layer1 {"),
        QStringLiteral("    position:absolute;"),
        QStringLiteral("    left:0px;"),
        QStringLiteral("    top:0px;"),
        QStringLiteral("    width:267px;"),
        QStringLiteral("    height:407px;"),
        QStringLiteral("    z-index:1;"),
        QStringLiteral("}"),
        QStringLiteral(".STYLE1 {"),
        QStringLiteral("    color: #FFFF00;"),
        QStringLiteral("    font-family: \"华文新魏\";"),
        QStringLiteral("    font-size: 28px;"),
        QStringLiteral("}"),
        QStringLiteral("-->"),
        QStringLiteral("</style></head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<div id=\"Layer1\">"),
        QStringLiteral("  <table width=\"267\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">"),
        QStringLiteral("     <tr>"),
        QStringLiteral("     <td height=\"185\">&nbsp;</td>"),
        QStringLiteral("     </tr>"),
        QStringLiteral("     <tr>"),
        QStringLiteral("         <td height=\"50\" align=\"center\" valign=\"middle\"><span class=\"STYLE1\">") + user +
            QStringLiteral("</span></td>"),
        QStringLiteral("     </tr>"),
        QStringLiteral("     <tr>"),
        QStringLiteral("     <td>&nbsp;</td>"),
        QStringLiteral("     </tr>"),
        QStringLiteral("  </table>"),
        QStringLiteral("</div>"),
        QStringLiteral("<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"http://") +
            config.flashDownloadHost +
            QStringLiteral("/pub/shockwave/cabs/flash/swflash.cab#version=7,0,19,0\" width=\"267\" height=\"407\">"),
        QStringLiteral("  <param name=\"movie\" value=\"Congratulation.swf\" />"),
        QStringLiteral("  <param name=\"quality\" value=\"high\" />"),
        QStringLiteral("  <param name=\"wmode\" value=\"Transparent\" />"),
        QStringLiteral("  <embed src=\"Congratulation.swf\" width=\"267\" height=\"407\" quality=\"high\" pluginspage=\"http://") +
            config.flashPlayerHost +
            QStringLiteral("/go/getflashplayer\" type=\"application/x-shockwave-flash\" wmode=\"Transparent\"></embed>"),
        QStringLiteral("</object>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
}

QString CongratulationPagePath() { return paths::InRoot(QStringLiteral("data/Congratulation.html")); }

void WriteCongratulationPage(const QString& user) {
    // The safe write replaces the old page in one step.
    paths::WriteFileSafely(CongratulationPagePath(), AnsiCodec::encode(CongratulationPage(user)));
}

QString DomainAgreementUrl() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Main) +
           QStringLiteral("/dnsagreement.html") + MemberPageQuery();
}

QString DomainRegistrationController::checkedLabel() {
    const QString label = vb::Trim(AskRequiredHook(view.domainText)).toLower();
    CALL_REQUIRED_HOOK(view.setDomainText, label);
    if (label.isEmpty()) {
        Message(QStringLiteral("错误：域名不能为空。请您先在域名输入框中输入您的域名后再试。"));
        return QString();
    }
    if (const QString problem = CheckDomainName(label); !problem.isEmpty()) {
        Message(problem);
        return QString();
    }
    return label;
}

void DomainRegistrationController::cmdTestDomain_Click() {
    CALL_REQUIRED_HOOK(view.enableTest, false);
    const QString label = checkedLabel();
    if (label.isEmpty()) {
        CALL_REQUIRED_HOOK(view.enableTest, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.showWait);
    QString reply;
    try {
        reply = ServiceCall(kEndpoint, QStringLiteral("TestDomain"), {label});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        CALL_REQUIRED_HOOK(view.enableTest, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    if (reply == kOK_0001) DialogState = 99;
    Message(DomainTestMessage(reply, label));
    CALL_REQUIRED_HOOK(view.enableTest, true);
}

void DomainRegistrationController::cmdRegister_Click() {
    // One label per member, for good: nothing else is looked at once one is registered.
    if (const QString registered = LoginField(12); !registered.isEmpty()) {
        Message(QStringLiteral("抱歉！您已经注册了域名：“") + SiteHost(registered) +
                QStringLiteral("”，不能再注册其它域名了。") + kCR + kCR + kCR +
                QStringLiteral("注：每个用户名只能注册一个域名，若想拥有多个域名则可先注册多个用户名，") + kCR + kCR +
                QStringLiteral("    然后再用新注册的用户名注册新的域名，域名一旦注册成功将不能修改。"));
        return;
    }
    if (!AskRequiredHook(view.agreementTicked)) {
        Message(QStringLiteral("您必须接受“Orbel域名注册协议”才能继续注册域名。"));
        return;
    }
    const QString label = checkedLabel();
    if (label.isEmpty()) {
        CALL_REQUIRED_HOOK(view.focusDomain);
        return;
    }
    CALL_REQUIRED_HOOK(view.enableRegistration, false);
    const int answer = MsgBox(QStringLiteral("您真的确定要注册域名：“") + SiteHost(label) + QStringLiteral("”吗？") + kCR +
                                  kCR + QStringLiteral("注：域名一旦注册成功将不能修改。"),
                              vbOKCancel | vbQuestion, kTitle);
    if (answer != vbOK) {
        CALL_REQUIRED_HOOK(view.enableRegistration, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.showWait);
    QString reply;
    try {
        reply = ServiceCall(kEndpoint, QStringLiteral("RegDomainNameV2"),
                            {CurrentUserName, LoginField(5), LoginField(6), label, ClientVersion});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        CALL_REQUIRED_HOOK(view.enableRegistration, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    if (reply == kOK_0001) {
        registered(label);
        return;
    }
    Message(DomainRegistrationRefusal(reply, label));
    CALL_REQUIRED_HOOK(view.enableRegistration, true);
}

void DomainRegistrationController::registered(const QString& label) {
    DialogState = 99;
    Message(QStringLiteral("恭喜！恭喜！") + kCR + kCR + QStringLiteral("域名：") + SiteHost(label) +
            QStringLiteral(" 注册成功!。"));
    // The main window builds its domain caption from field 12, so the label is stored first.
    SetLoginField(12, label);
    CALL_REQUIRED_HOOK(view.showRegisteredDomain);
    for (int cell : kDomainCells) CALL_REQUIRED_HOOK(view.refreshCell, cell);
    CALL_REQUIRED_HOOK(view.close);
    // The domain is the member's now; a page that cannot be written leaves the certificate
    // without its page, as a failing step of its load does.
    try {
        WriteCongratulationPage(CurrentUserName);
    } catch (const VbError&) {
    }
    CALL_REQUIRED_HOOK(view.showCertificate);
}

void DomainRegistrationController::labXY_Click() {
    PageUrl = DomainAgreementUrl();
    CALL_REQUIRED_HOOK(view.showAgreement);
}

#pragma once
// The work of the domain registration dialog frm注册域名, apart from its window: the label check,
// the test and the registration on the domain service with their messages, the main window's
// change after a registration, the congratulation page and the agreement's address.
#include <QString>
#include <QStringList>

#include <functional>

// The message of a TestDomain reply about the normalised label (the dialog's own texts).
QString DomainTestMessage(const QString& reply, const QString& label);
// The message of a RegDomainNameV2 reply other than "OK_0001" about the normalised label.
QString DomainRegistrationRefusal(const QString& reply, const QString& label);

// The congratulation page of a member, as written: GBK, lines joined by "\r" alone.
QString CongratulationPage(const QString& user);
// <data root>/data/Congratulation.html
QString CongratulationPagePath();
// Replaces the congratulation page with the member's. Raises VbError when it cannot be written
// (the old page stays whole).
void WriteCongratulationPage(const QString& user);

// The agreement page on the main web host, with the member key and the server prefix.
QString DomainAgreementUrl();

// What the logic does to its window and to the main window. Every hook is required
// (platform/hookcheck.h).
struct DomainRegistrationView {
    std::function<QString()> domainText;                     // txtDomainName
    std::function<void(const QString&)> setDomainText;
    std::function<void()> focusDomain;
    std::function<bool()> agreementTicked;                   // chkXY
    std::function<void(bool)> enableTest;                    // cmdTestDomain
    std::function<void(bool)> enableRegistration;            // txtDomainName and cmdRegister
    std::function<void()> showWait;                          // picNetToService, painted at once
    std::function<void()> hideWait;
    std::function<void()> close;
    // The main window: the layout of a registered domain, and one cell browser's "Refresh".
    std::function<void()> showRegisteredDomain;
    std::function<void(int cell)> refreshCell;
    // frmWebFrame on PageUrl, and the webmaster certificate, each shown modally.
    std::function<void()> showAgreement;
    std::function<void()> showCertificate;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("domainText", bool(domainText));
        f("setDomainText", bool(setDomainText));
        f("focusDomain", bool(focusDomain));
        f("agreementTicked", bool(agreementTicked));
        f("enableTest", bool(enableTest));
        f("enableRegistration", bool(enableRegistration));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("close", bool(close));
        f("showRegisteredDomain", bool(showRegisteredDomain));
        f("refreshCell", bool(refreshCell));
        f("showAgreement", bool(showAgreement));
        f("showCertificate", bool(showCertificate));
    }
};

class DomainRegistrationController {
public:
    DomainRegistrationView view;

    // Asks the service whether the label is free; only DialogState changes.
    void cmdTestDomain_Click();
    // Registers the label after the member's confirmation; a success changes the main window and
    // LoginInfo field 12, closes the dialog and shows the certificate.
    void cmdRegister_Click();
    // The agreement page.
    void labXY_Click();

private:
    // The box's text trimmed and lower-cased, put back into the box; the empty text (after its
    // message) when the label is empty or breaks the local rules.
    QString checkedLabel();
    void registered(const QString& label);
};

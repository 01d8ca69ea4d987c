#pragma once
// The domain registration dialog: the member's one domain label, its test on the service, the
// agreement, and the registration, after which the main window shows the site's domain and the
// webmaster certificate opens. Opened by the main window's domain registration button.
#include "siteoptions/domainregistration.h"

#include <QDialog>

#include <memory>

class PleaseWait;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// No Q_OBJECT: moc cannot read the name.
class DomainRegistrationWindow : public QDialog {
public:
    explicit DomainRegistrationWindow(QWidget* parent = nullptr);
    ~DomainRegistrationWindow() override;

    QLineEdit* txtDomainName = nullptr;
    QCheckBox* chkXY = nullptr;
    QLabel* labXY = nullptr;
    QPushButton* cmdTestDomain = nullptr;
    QPushButton* cmdRegister = nullptr;
    QPushButton* cmdQuit = nullptr;
    QWidget* picNetToService = nullptr;

    // The logic, with the hooks this window set.
    DomainRegistrationController logic;

    void cmdTestDomain_Click() { logic.cmdTestDomain_Click(); }
    void cmdRegister_Click() { logic.cmdRegister_Click(); }
    void labXY_Click() { logic.labXY_Click(); }
    void cmdQuit_Click() { close(); }

private:
    // The logic's view: each hook served by the member of its name (close by closeDone), the main
    // window's by its seam.
    void wireView();
    QString domainText() const;
    void setDomainText(const QString& text);
    void focusDomain();
    bool agreementTicked() const;
    void enableTest(bool on);
    void enableRegistration(bool on);
    void showWait();
    void hideWait();
    void closeDone();
    void showAgreement();
    void showCertificate();

    std::unique_ptr<PleaseWait> m_wait;
};
using frm注册域名 = DomainRegistrationWindow;  // 注册域名 domain registration

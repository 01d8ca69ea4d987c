#include "siteoptions/ui/domainregistrationwindow.h"

#include "foundation/ui/pleasewait.h"
#include "login/ui/login_entry.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "siteoptions/ui/waitpanel.h"
#include "siteoptions/ui/webmastercertificatewindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Note(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

DomainRegistrationWindow::DomainRegistrationWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("注册网站域名"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QString domain = serviceconfig::current().domain;
    // The example label of the notes.
    const QString example = QStringLiteral("abcd.") + domain;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请输入要注册的域名："), this));
    auto* box = new QHBoxLayout;
    box->addWidget(new QLabel(QStringLiteral("www."), this));
    txtDomainName = new QLineEdit(this);
    txtDomainName->setMinimumWidth(200);
    box->addWidget(txtDomainName);
    box->addWidget(new QLabel(QLatin1Char('.') + domain, this));
    box->addStretch(1);
    layout->addLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("域名要求：") + QStringLiteral("长度为4-30个字符，只能由字母或数字组成。"), this));

    auto* agreement = new QHBoxLayout;
    chkXY = new QCheckBox(QStringLiteral("我已经阅读、理解并接受"), this);
    labXY = new QLabel(QStringLiteral("<a href=\"#\">Orbel子域名注册协议(请点击查看)</a>"), this);
    labXY->setTextFormat(Qt::RichText);
    labXY->setCursor(Qt::PointingHandCursor);
    agreement->addWidget(chkXY);
    agreement->addWidget(labXY);
    agreement->addStretch(1);
    layout->addLayout(agreement);

    auto* buttons = new QHBoxLayout;
    cmdTestDomain = new QPushButton(QStringLiteral("测试域名是否可用"), this);
    cmdRegister = new QPushButton(QStringLiteral("确定注册域名"), this);
    cmdQuit = new QPushButton(QStringLiteral("&Q.退 出"), this);
    buttons->addWidget(cmdTestDomain);
    buttons->addWidget(cmdRegister);
    buttons->addStretch(1);
    buttons->addWidget(cmdQuit);
    layout->addLayout(buttons);

    layout->addWidget(new QLabel(QStringLiteral("说明："), this));
    for (const QString& line : {
             QStringLiteral("1、每个用户名只能注册一个域名，若想拥有多个域名则可先注册多个用户名，"),
             QStringLiteral("然后再用新注册的用户名注册新的域名，域名一旦注册成功将不能修改。"),
             QStringLiteral("2、在访问域名时，前辍“www.”可以省略，如："),
             QStringLiteral("    www.") + example + QStringLiteral(" 与 ") + example + QStringLiteral(" 打开的是同一个网站。"),
             QStringLiteral("3、域名成功注册后，您同时拥有一个与域名同名的手机网站域名，其前缀是: m ，"),
             QStringLiteral("    如：m.") + example,
             QStringLiteral("注：当前版本的手机网站仅限能使用3G上网的手机能打开。"),
             QStringLiteral("4、域名是有时效性的，它与您的网络空间的时效绑定，在网络空间到期之前给网"),
             QStringLiteral("络空间续费，域名将持续生效，否则在网络空间失效后域名将失效并释放给其"),
             QStringLiteral("他用户注册，为了不给您造成损失，请您及时给网络空间续费。"),
         })
        layout->addWidget(Note(this, line));

    picNetToService = NewWaitPanel(this, QStringLiteral("正在提交域名，请您稍候..."));
    // The logic enables and disables its own controls.
    m_wait = std::make_unique<PleaseWait>(picNetToService);

    wireView();

    connect(cmdTestDomain, &QPushButton::clicked, this, [this] { cmdTestDomain_Click(); });
    connect(cmdRegister, &QPushButton::clicked, this, [this] { cmdRegister_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(labXY, &QLabel::linkActivated, this, [this] { labXY_Click(); });

    adjustSize();
    CentreWaitPanel(picNetToService);
}

DomainRegistrationWindow::~DomainRegistrationWindow() = default;

void DomainRegistrationWindow::wireView() {
    DomainRegistrationView& v = logic.view;
    v.domainText = MemberHook(this, &DomainRegistrationWindow::domainText);
    v.setDomainText = MemberHook(this, &DomainRegistrationWindow::setDomainText);
    v.focusDomain = MemberHook(this, &DomainRegistrationWindow::focusDomain);
    v.agreementTicked = MemberHook(this, &DomainRegistrationWindow::agreementTicked);
    v.enableTest = MemberHook(this, &DomainRegistrationWindow::enableTest);
    v.enableRegistration = MemberHook(this, &DomainRegistrationWindow::enableRegistration);
    v.showWait = MemberHook(this, &DomainRegistrationWindow::showWait);
    v.hideWait = MemberHook(this, &DomainRegistrationWindow::hideWait);
    v.close = MemberHook(this, &DomainRegistrationWindow::closeDone);
    v.showRegisteredDomain = mainwindowseam::ShowRegisteredDomain;
    v.refreshCell = mainwindowseam::RefreshCell;
    v.showAgreement = MemberHook(this, &DomainRegistrationWindow::showAgreement);
    v.showCertificate = MemberHook(this, &DomainRegistrationWindow::showCertificate);
}

QString DomainRegistrationWindow::domainText() const { return txtDomainName->text(); }

void DomainRegistrationWindow::setDomainText(const QString& text) { txtDomainName->setText(text); }

void DomainRegistrationWindow::focusDomain() { txtDomainName->setFocus(); }

bool DomainRegistrationWindow::agreementTicked() const { return chkXY->isChecked(); }

void DomainRegistrationWindow::enableTest(bool on) { cmdTestDomain->setEnabled(on); }

void DomainRegistrationWindow::enableRegistration(bool on) {
    txtDomainName->setEnabled(on);
    cmdRegister->setEnabled(on);
}

void DomainRegistrationWindow::showWait() { m_wait->begin(); }

void DomainRegistrationWindow::hideWait() { m_wait->end(); }

void DomainRegistrationWindow::closeDone() { accept(); }

void DomainRegistrationWindow::showAgreement() { OpenWebFrameWindow(this); }

// The dialog is closed by then: the certificate belongs to its opener.
void DomainRegistrationWindow::showCertificate() {
    WebmasterCertificateWindow certificate(parentWidget());
    certificate.exec();
}

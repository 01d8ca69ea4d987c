#pragma once
// PasswordRecoveryWindow: the service's password-recovery page in an embedded browser; the recovery itself
// happens on that page.
#include "login/memberpages.h"

#include <QDialog>
#include <QString>

class QProgressBar;
class QPushButton;
class QResizeEvent;
class StatusPanels;
class WebBrowser;

class PasswordRecoveryWindow : public QDialog {
public:
    explicit PasswordRecoveryWindow(QWidget* parent = nullptr);

    WebBrowser* webIE = nullptr;
    QProgressBar* proIE = nullptr;
    StatusPanels* staIE = nullptr;
    QPushButton* cmdBack = nullptr;

    void Form_Load();
    void webIE_ProgressChange(int progress, int progressMax);
    void cmdBack_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
};
using frmGetBackPsw = PasswordRecoveryWindow;  // 找回密码 password recovery

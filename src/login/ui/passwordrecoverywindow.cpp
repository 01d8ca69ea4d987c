#include "login/ui/passwordrecoverywindow.h"

#include "login/ui/webprogress.h"
#include "platform/serviceconfig.h"
#include "platform/ui/statuspanels.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"

#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

PasswordRecoveryWindow::PasswordRecoveryWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("找回密码"));
    resize(800, 600);
    webIE = new WebBrowser(this);
    proIE = NewWebProgressBar(this);
    staIE = NewWebStatusBar(this);
    cmdBack = new QPushButton(QStringLiteral("&B.返 回"), this);
    cmdBack->resize(twips::ToPixels(1215), twips::ToPixels(405));
    connect(webIE, &WebBrowser::progressChange, this, [this](int p, int m) { webIE_ProgressChange(p, m); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    Form_Load();
}

void PasswordRecoveryWindow::Form_Load() { webIE->Navigate(RecoveryPageAddress()); }

void PasswordRecoveryWindow::webIE_ProgressChange(int progress, int progressMax) {
    ShowWebProgress(WebProgress(progress, progressMax, QStringLiteral("完成")), proIE, staIE);
}

void PasswordRecoveryWindow::cmdBack_Click() { close(); }

void PasswordRecoveryWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    // Browser on top; below it the progress bar and the back button; the status bar at the bottom.
    const int margin = 6;
    const int sbH = staIE->height();
    const int statusTop = qMax(0, height() - sbH);
    staIE->setGeometry(0, statusTop, width(), sbH);
    const int rowTop = qMax(0, statusTop - cmdBack->height() - margin);
    cmdBack->move(qMax(0, width() - cmdBack->width() - margin), rowTop);
    proIE->move(margin, rowTop + (cmdBack->height() - proIE->height()) / 2);
    webIE->setGeometry(0, 0, width(), qMax(0, rowTop - margin));
}

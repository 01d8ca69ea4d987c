#include "login/ui/noticewindow.h"

#include "platform/ui/webbrowser.h"
#include "state/loginwindowlabels.h"

#include <QPushButton>

NoticeWindow::NoticeWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("系统信息 "));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(646, 453);  // its designed size, also on a small screen
    webSysInfo = new WebBrowser(this);  // not silent: the page's script dialogs show
    webSysInfo->setGeometry(8, 8, 630, 393);
    cmdOk = new QPushButton(QStringLiteral("&Y.确 定"), this);
    cmdOk->setGeometry(646 - 8 - 100, 411, 100, 32);
    connect(cmdOk, &QPushButton::clicked, this, [this] { accept(); });
    Form_Load();
}

void NoticeWindow::Form_Load() { webSysInfo->Navigate(frmLoginLabels::labSysInfoURL); }

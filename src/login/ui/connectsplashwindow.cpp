#include "login/ui/connectsplashwindow.h"

#include "login/ui/loginwindow.h"
#include "login/loginart.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

ConnectSplashWindow::ConnectSplashWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("正在连接Tavolin网络服务器..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(LoginArtwork(QSize(420, 150), QStringLiteral("Tavolin")));
    pbarNet = new QProgressBar(this);
    pbarNet->setRange(0, 300);
    pbarNet->setValue(0);
    pbarNet->setTextVisible(false);
    Label1 = new QLabel(QStringLiteral("正在准备连接到Orbel网络服务器，请您稍候..."), this);
    Label2 = new QLabel(QStringLiteral("[注：当前版本暂不支持Vista及Windows7系统]"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1);
    layout->addWidget(Label1);
    layout->addWidget(pbarNet);
    layout->addWidget(Label2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

void ConnectSplashWindow::Timer1_Timer() {
    ++m_ticks;
    if (m_ticks == 30) {
        Timer1->stop();
        accept();
        ShowLoginWindow();
        return;
    }
    if (pbarNet->value() + 10 <= pbarNet->maximum()) pbarNet->setValue(pbarNet->value() + 10);
}

#include "mainwindow/mainwindowstandin.h"

#include "login/frmLogin.h"
#include "login/state.h"
#include "platform/serviceconfig.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QVBoxLayout>

MainWindowStandIn::MainWindowStandIn(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tavolin 个人网站 - ") + CurrentUserName);
    resize(640, 360);
    labWelcome = new QLabel(this);
    labWelcome->setText(QStringLiteral("欢迎您，") + CurrentUserName + QStringLiteral("！"));
    QFont f = labWelcome->font();
    f.setPixelSize(24);
    labWelcome->setFont(f);
    labSite = new QLabel(this);
    labSite->setWordWrap(true);
    const QString domain = LoginField(12);
    const QString address = domain.isEmpty()
                                ? QStringLiteral("（尚未注册网站域名）")
                                : QStringLiteral("http://www.") + domain + QLatin1Char('.') + serviceconfig::current().domain;
    const int pages = static_cast<int>(QDir(UserFolder + QStringLiteral("/temp")).entryList({QStringLiteral("*.html")}, QDir::Files).size());
    labSite->setText(QStringLiteral("网站地址：") + address + QStringLiteral("\n已生成网页：") + QString::number(pages) +
                     QStringLiteral(" 个\n网页目录：") + QDir::toNativeSeparators(UserFolder + QStringLiteral("/temp")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labWelcome);
    layout->addWidget(labSite);
    layout->addStretch(1);
}

void MainWindowStandIn::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_loaded) return;
    m_loaded = true;
    // Unloaded only now that this window is on screen, so the program never has no window.
    frmLogin::unload();
}

void ShowMainWindowAfterLogin() {
    auto* w = MainWindowStandIn::loaded();
    if (!w) w = new MainWindowStandIn;
    if (QScreen* s = QGuiApplication::primaryScreen()) w->move(s->geometry().center() - w->rect().center());
    w->show();
}

#include "login/ui/waitingwindow.h"

#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "login/loginflow.h"
#include "platform/ui/webbrowser.h"
#include "state/loginstate.h"

#include <QCoreApplication>

WaitingWindow::WaitingWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("请稍候"));
    resize(480, 300);
    webAD = new WebBrowser(this);
    webAD->setGeometry(0, 0, 480, 300);
    Form_Load();
}

void WaitingWindow::Form_Load() {
    const AdPick ad = PickWaitingAd(GetGlobalSetting(GcsWaitAdIndex), [] { return int(RandomInt(5, 1)); });
    webAD->Navigate(WaitingAdUrl(ad.page, QDate::currentDate(), CurrentUserName, UserServerPrefix));
    SetGlobalSetting(GcsWaitAdIndex, ad.next);
}

WaitingWindow* LoadWaitingWindow() {
    if (WaitingWindow* w = WaitingWindow::loaded()) return w;
    auto* w = new WaitingWindow;
    // Its browser goes before the browser profile does, at the end of the run.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete WaitingWindow::loaded(); });
    return w;
}

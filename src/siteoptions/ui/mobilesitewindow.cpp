#include "siteoptions/ui/mobilesitewindow.h"

#include "platform/twips.h"
#include "platform/hookcheck.h"
#include "platform/ui/webbrowser.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using twips::ToPixels;

namespace {

QWidget* Place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    return w;
}

}  // namespace

MobileSiteWindow::MobileSiteWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("手机网站"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ToPixels(13200), ToPixels(9300));

    // The explanation: seven labels forming one sentence, right of the phone.
    int top = 2025;
    for (const char* line : {"由于手机屏幕的分辩率与计算机", "显示器分辩率的差异，您在此处查看", "到的网页效果可能会很模糊，有条件",
                             "使用3G手机上网的用户可以在手机中", "打开您的手机网站来查看效果，或者",
                             "点击下面的按钮按计算机显示器的分", "辩率来查看效果："}) {
        Place(new QLabel(QString::fromUtf8(line), this), 8900, top, 4200, 300);
        top += 300;
    }
    txtURL = new QLineEdit(this);
    txtURL->setReadOnly(true);
    Place(txtURL, 8900, 1500, 4100, 330);
    cmdViewBy53 = new QPushButton(QStringLiteral("按手机屏幕分辩率查看"), this);
    cmdViewBy100 = new QPushButton(QStringLiteral("按计算机显示器分辩率查看"), this);
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    Place(cmdViewBy53, 8900, 4350, 3000, 420);
    Place(cmdViewBy100, 8900, 4350, 3000, 420);
    Place(cmdClose, 8900, 8400, 1500, 420);
    cmdViewBy53->hide();

    picWeb = new QWidget(this);
    picWeb->setAutoFillBackground(true);
    webView = new WebBrowser(picWeb);
    webView->setSilent(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    Timer1->setSingleShot(true);

    wireView();

    connect(cmdViewBy53, &QPushButton::clicked, this, [this] { cmdViewBy53_Click(); });
    connect(cmdViewBy100, &QPushButton::clicked, this, [this] { cmdViewBy100_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(webView, &WebBrowser::progressChange, this,
            [this](int progress, int progressMax) { webView_ProgressChange(progress, progressMax); });
    connect(webView, &WebBrowser::newWindow2, this, [this](bool* cancel) { webView_NewWindow2(cancel); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    Form_Load();
}

void MobileSiteWindow::wireView() {
    MobileSiteView& v = logic.view;
    v.setAddress = MemberHook(this, &MobileSiteWindow::setAddress);
    v.navigate = MemberHook(this, &MobileSiteWindow::navigate);
    v.hasDocument = MemberHook(this, &MobileSiteWindow::hasDocument);
    v.runScript = MemberHook(this, &MobileSiteWindow::runScript);
    v.placeFrame = MemberHook(this, &MobileSiteWindow::placeFrame);
    v.sizeBrowser = MemberHook(this, &MobileSiteWindow::sizeBrowser);
    v.moveBrowser = MemberHook(this, &MobileSiteWindow::moveBrowser);
    v.showPhoneButton = MemberHook(this, &MobileSiteWindow::showPhoneButton);
    v.showMonitorButton = MemberHook(this, &MobileSiteWindow::showMonitorButton);
    v.enableTimer = MemberHook(this, &MobileSiteWindow::enableTimer);
}

void MobileSiteWindow::setAddress(const QString& address) { txtURL->setText(address); }

void MobileSiteWindow::navigate(const QString& address) { webView->Navigate(address); }

bool MobileSiteWindow::hasDocument() const { return webView->hasDocument(); }

void MobileSiteWindow::runScript(const QString& script) { webView->runScript(script); }

void MobileSiteWindow::placeFrame(int left, int top, int width, int height) { Place(picWeb, left, top, width, height); }

void MobileSiteWindow::sizeBrowser(int width, int height) { webView->resize(ToPixels(width), ToPixels(height)); }

void MobileSiteWindow::moveBrowser(int left, int top) { webView->move(ToPixels(left), ToPixels(top)); }

void MobileSiteWindow::showPhoneButton(bool on) { cmdViewBy53->setVisible(on); }

void MobileSiteWindow::showMonitorButton(bool on) { cmdViewBy100->setVisible(on); }

void MobileSiteWindow::enableTimer(bool on) {
    // Enabling a running timer does not restart its count.
    if (!on) Timer1->stop();
    else if (!Timer1->isActive()) Timer1->start();
}

#include "login/ui/webwindows.h"

#include "foundation/folders.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "login/ui/webprogress.h"
#include "platform/serviceconfig.h"
#include "platform/ui/statuspanels.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {

const QString kDone = QStringLiteral("完成");

// The designs measure W and H as the window's outer size, frame included where the window system
// draws one; the controls are placed in the client area.
QSize OuterTwips(const QWidget* w) {
    const QRect f = w->frameGeometry();
    return {twips::FromPixels(f.width()), twips::FromPixels(f.height())};
}

QPushButton* NewPictureButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& text) {
    auto* b = new QPushButton(parent->style()->standardIcon(icon), text, parent);
    b->setIconSize(QSize(24, 24));
    b->adjustSize();
    return b;
}

// The layout of WebPageWindow and WebFrameWindow: browser width W − 70, height H − status bar − 485;
// progress bar 105 below the browser; status panel 2 W − 120 wide. A window smaller than the
// margins allow keeps the bar and the status bar inside the client area.
void PlaceBrowserWindow(QWidget* form, QWidget* browser, QProgressBar* bar, StatusPanels* status) {
    const QSize outer = OuterTwips(form);
    const int W = outer.width(), H = outer.height();
    const int clientW = form->width(), clientH = form->height();
    const int sbH = status->height();
    const int statusTop = qMax(0, clientH - sbH);
    status->setGeometry(0, statusTop, clientW, sbH);
    status->setPanelWidth(2, ToPixels(W - 120));

    const int gap = ToPixels(105);
    int webH = ToPixels(H - twips::FromPixels(sbH) - 485);
    webH = qBound(0, webH, statusTop - gap - bar->height());
    const int webW = qBound(0, ToPixels(W - 70), clientW);
    browser->setGeometry(0, 0, webW, webH);
    bar->move(bar->x(), browser->y() + webH + gap);
}

}  // namespace

// ---- WebPageWindow

WebPageWindow::WebPageWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    resize(1024, 712);
    webIE = new WebBrowser(this);
    proIE = NewWebProgressBar(this);
    staIE = NewWebStatusBar(this);
    connect(webIE, &WebBrowser::progressChange, this, [this](int p, int m) { webIE_ProgressChange(p, m); });
    Form_Load();
}

void WebPageWindow::Form_Load() {
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
    webIE->setSilent(true);
    // Pages that open windows of their own get them: NewWindow2 is left unhandled here.
    webIE->Navigate(PageUrl);
}

void WebPageWindow::Form_Resize() { PlaceBrowserWindow(this, webIE, proIE, staIE); }

void WebPageWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

void WebPageWindow::webIE_ProgressChange(int progress, int progressMax) {
    ShowWebProgress(WebProgress(progress, progressMax, kDone), proIE, staIE);
}

// ---- WebFrameWindow

WebFrameWindow::WebFrameWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tavolin"));
    resize(1026, 714);
    web = new WebBrowser(this);
    proIE = NewWebProgressBar(this);
    staIE = NewWebStatusBar(this);
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    cmdClose->resize(ToPixels(1215), ToPixels(405));
    connect(web, &WebBrowser::progressChange, this, [this](int p, int m) { web_ProgressChange(p, m); });
    connect(web, &WebBrowser::newWindow2, this, [this](bool* cancel) { web_NewWindow2(cancel); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    Form_Load();
}

void WebFrameWindow::Form_Load() {
    web->Navigate(PageUrl);
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
}

void WebFrameWindow::Form_Resize() {
    PlaceBrowserWindow(this, web, proIE, staIE);
    // The close button floats over the lower right of the page.
    const int W = OuterTwips(this).width();
    const int left = ToPixels(W - twips::FromPixels(cmdClose->width()) - 450);
    const int top = proIE->y() - ToPixels(530);
    cmdClose->move(qBound(0, left, qMax(0, width() - cmdClose->width())), qMax(0, top));
    cmdClose->raise();
}

void WebFrameWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

void WebFrameWindow::web_ProgressChange(int progress, int progressMax) {
    ShowWebProgress(WebProgress(progress, progressMax, QString()), proIE, staIE);
}

void WebFrameWindow::web_NewWindow2(bool* cancel) { *cancel = true; }

void WebFrameWindow::cmdClose_Click() { close(); }

// ---- MySiteWindow

MySiteWindow::MySiteWindow(QWidget* parent) : QDialog(parent) {
    resize(1024, 712);
    Label1 = new QLabel(QStringLiteral("地址(&D)"), this);
    txtURL = new QLineEdit(this);
    Label1->setBuddy(txtURL);
    txtTX = new QLabel(QStringLiteral("若无法查看到刚才所修改的效果，请点击“刷新”->"), this);
    txtTX->adjustSize();
    cmdRefresh = NewPictureButton(this, QStyle::SP_BrowserReload, QStringLiteral("刷新"));
    cmdViewWithIE = NewPictureButton(this, QStyle::SP_DesktopIcon, QStringLiteral("在系统浏览器中查看"));
    webIE = new WebBrowser(this);
    proIE = NewWebProgressBar(this);
    staIE = NewWebStatusBar(this);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(webIE, &WebBrowser::progressChange, this, [this](int p, int m) { webIE_ProgressChange(p, m); });
    connect(webIE, &WebBrowser::newWindow2, this, [this](bool* cancel) { webIE_NewWindow2(cancel); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdViewWithIE, &QPushButton::clicked, this, [this] { cmdViewWithIE_Click(); });
    Form_Load();
}

void MySiteWindow::Form_Load() {
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
    m_siteAddress = MemberSiteAddress();
    setWindowTitle(m_siteAddress);
    txtURL->setText(QStringLiteral("   ") + m_siteAddress);
    webIE->setSilent(true);
    webIE->Navigate(m_siteAddress);
    // Enabled by the load; it runs once the window is on screen (showEvent).
    m_timer1Enabled = true;
}

void MySiteWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_timer1Enabled && !Timer1->isActive()) Timer1->start();
}

void MySiteWindow::Timer1_Timer() {
    m_timer1Enabled = false;
    Timer1->stop();
    // Before the first page arrived there is no document and the refresh does nothing.
    webIE->execCommand(QStringLiteral("Refresh"));
    if (!GetUserSetting(UcsHintRefresh).isEmpty()) return;
    RefreshHintWindow hint(this);
    hint.exec();
}

void MySiteWindow::cmdRefresh_Click() { webIE->execCommand(QStringLiteral("Refresh")); }

void MySiteWindow::cmdViewWithIE_Click() {
    const QString address = m_siteAddress;
    close();
    OpenUrlInBrowser(address);
}

void MySiteWindow::webIE_ProgressChange(int progress, int progressMax) {
    ShowWebProgress(WebProgress(progress, progressMax, kDone), proIE, staIE);
}

void MySiteWindow::webIE_NewWindow2(bool* cancel) { *cancel = true; }

void MySiteWindow::Form_Resize() {
    if (windowState() & Qt::WindowMinimized) return;
    const QSize outer = OuterTwips(this);
    const int W = outer.width(), H = outer.height();
    const int clientW = width(), clientH = height();

    Label1->move(ToPixels(60), ToPixels(120));
    Label1->adjustSize();
    txtURL->setGeometry(ToPixels(735), ToPixels(60), qMax(0, ToPixels(W - 855)), ToPixels(330));

    const int sbH = staIE->height();
    const int statusTop = qMax(0, clientH - sbH);
    staIE->setGeometry(0, statusTop, clientW, sbH);
    staIE->setPanelWidth(2, ToPixels(W - 120));

    // The bottom row: progress bar, the hint text and the two buttons.
    const int rowH = qMax(proIE->height(), cmdRefresh->height());
    int barTop = ToPixels(H - twips::FromPixels(proIE->height()) - 570);
    barTop = qBound(0, barTop, statusTop - proIE->height() - (rowH - proIE->height()) / 2);
    const int rowTop = barTop - (rowH - proIE->height()) / 2;
    proIE->move(ToPixels(60), barTop);
    // The buttons at their lefts as long as they fit there; wider ones (their captions) keep the
    // order and move left, so neither covers the other and the second stays in the window.
    const int gap = ToPixels(60);
    const int viewLeft = qMax(0, qMin(ToPixels(W - 2280), clientW - gap - cmdViewWithIE->width()));
    cmdViewWithIE->move(viewLeft, rowTop);
    cmdRefresh->move(qMax(0, qMin(ToPixels(W - 3060), viewLeft - gap - cmdRefresh->width())), rowTop);
    txtTX->move(cmdRefresh->x() - txtTX->width() - ToPixels(30), rowTop + (rowH - txtTX->height()) / 2);

    const int webTop = ToPixels(450);
    int webH = ToPixels(W >= 15480 ? H - 1005 : H - 1245);
    webH = qBound(0, webH, rowTop - webTop - 2);
    webIE->setGeometry(0, webTop, qBound(0, ToPixels(W - 60), clientW), webH);
}

void MySiteWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

void MySiteWindow::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    // Restored from minimised: the rules apply again.
    if (e->type() == QEvent::WindowStateChange) Form_Resize();
}

// ---- RefreshHintWindow

RefreshHintWindow::RefreshHintWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("提示"));
    setFixedSize(481, 174);
    auto* layout = new QVBoxLayout(this);
    for (const char* text : {"提示：1、若无法查看到刚才所修改的效果，请点击“刷新”按钮。",
                             "2、点击“刷新”按钮后仍无法查看到修改后的效果，则请",
                             "点击“在系统浏览器中查看”按钮。",
                             "（在更新swf(flash)格式的图片后可能会出现上述现象）"})
        layout->addWidget(new QLabel(QString::fromUtf8(text), this));
    layout->addStretch(1);
    auto* row = new QHBoxLayout;
    chkIKnow = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了。"), this);
    chkIKnow->setChecked(false);
    cmdYes = new QPushButton(QStringLiteral("&Y.确 定"), this);
    cmdYes->setDefault(true);
    row->addWidget(chkIKnow);
    row->addStretch(1);
    row->addWidget(cmdYes);
    layout->addLayout(row);
    connect(cmdYes, &QPushButton::clicked, this, [this] { cmdYes_Click(); });
}

void RefreshHintWindow::cmdYes_Click() {
    if (chkIKnow->isChecked()) SetUserSetting(UcsHintRefresh, QStringLiteral("1"));
    accept();
}

// ---- BuySpaceWindow

BuySpaceWindow::BuySpaceWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("购买网络空间"));
    resize(858, 601);
    web = new WebBrowser(this);
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    cmdClose->resize(ToPixels(1215), ToPixels(405));
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    Form_Load();
}

void BuySpaceWindow::Form_Load() { web->Navigate(BuySpacePageAddress()); }

void BuySpaceWindow::cmdClose_Click() { close(); }

void BuySpaceWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    const int margin = 8;
    const int buttonTop = qMax(0, height() - cmdClose->height() - margin);
    web->setGeometry(0, 0, width(), qMax(0, buttonTop - margin));
    cmdClose->move(qMax(0, width() - cmdClose->width() - margin), buttonTop);
}

#include "celleditor/ui/webcapturewindow.h"

#include "celleditor/webpicture.h"
#include "imaging/dibsection.h"
#include "imaging/ui/grabwindow.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/pagefile.h"

#include <QFile>
#include <QLabel>
#include <QTimer>

WebCaptureWindow::WebCaptureWindow(const QSize& captureSize, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_size(captureSize) {
    picBox = new QWidget(this);
    picPic = new QWidget(picBox);
    webPic = new WebBrowser(picPic);
    webPic->setSilent(true);
    labLoading = new QLabel(QStringLiteral("正在加载图片, 请您稍候..."), picPic);
    labLoading->adjustSize();
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    m_loadBound = new QTimer(this);
    m_loadBound->setSingleShot(true);
    m_loadBound->setInterval(loadBoundMs);

    connect(webPic, &WebBrowser::documentComplete, this, [this] { webPic_DocumentComplete(); });
    // A load that never ends is taken as ended, so the dialog without a close box always closes.
    connect(m_loadBound, &QTimer::timeout, this, [this] { webPic_DocumentComplete(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Form_Load();
}

void WebCaptureWindow::Form_Load() {
    m_ticks = 0;
    const int w = std::max(m_size.width(), 0), h = std::max(m_size.height(), 0);
    picBox->move(0, 0);
    picPic->setGeometry(0, 0, w, h);
    // The browser waits outside the visible part of the capture area until the page is shown.
    webPic->setGeometry(w, h, w + twips::ToPixels(600), h + twips::ToPixels(600));
    picBox->resize(picPic->size());
    labLoading->move((w - labLoading->width()) / 2, (h - labLoading->height()) / 2);
    const int margin = twips::ToPixels(450);
    setFixedSize(w + margin, h + margin);
    picBox->move((width() - picBox->width()) / 2, (height() - picBox->height()) / 2);
    m_loadBound->start();
    webPic->Navigate(QStringLiteral("about:blank"));
}

void WebCaptureWindow::webPic_DocumentComplete() {
    m_loadBound->stop();
    Timer1->start();
}

void WebCaptureWindow::Timer1_Timer() {
    const qint16 n = m_ticks++;
    Timer1->stop();
    if (n == 0) {
        // A missing page would leave the dialog waiting for ever: it closes without a capture and
        // labXZPic keeps the picture's address.
        if (!QFile::exists(SitePagePath(QStringLiteral("webpic.html")))) {
            reject();
            return;
        }
        // The page's corner at the area's corner: this browser draws no border of its own to hide.
        webPic->move(0, 0);
        labLoading->hide();
        m_loadBound->start();
        webPic->Navigate(SitePagePath(QStringLiteral("webpic.html")));
        return;
    }
    const QString target = WebPicCapturePath(labXZFlag);
    QFile::remove(target);
    const StdPicture grab = GrabWindowPicture(picBox, false, picPic->x(), picPic->y(), m_size.width(), m_size.height());
    cDIBSection1 bitmap;
    if (grab.Type() != StdPicture::vbPicTypeNone && bitmap.CreateFromHandle(grab.Handle, 0, 0, -1, -1) &&
        bitmap.SaveBitmap(target))
        labXZPic = target;
    accept();
}

#include "hostedfiles/ui/pictureviewerwindow.h"

#include "hostedfiles/viewpage.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

using twips::ToPixels;

PictureViewerWindow::PictureViewerWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("图片预览"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(ToPixels(kViewerMinWidth), ToPixels(kViewerMinHeight));
    webViewPic = new WebBrowser(this);
    // The page is written from a hosted file's address: nothing in it may run.
    webViewPic->setScriptsEnabled(false);
    webViewPic->setSilent(true);
    cmdClose = new QPushButton(QStringLiteral("&C.关闭"), this);
    cmdClose->resize(ToPixels(kViewerCloseWidth), ToPixels(kViewerCloseHeight));
    labHint = new QLabel(QStringLiteral("注：按空格键也可关闭此窗口。"), this);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    // The browser holds the focus, so the space bar is the window's shortcut, not a key event.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    space->setContext(Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, [this] { close(); });
    resize(915, 661);
    layOut();
    labHint->move(ToPixels(120), height() - ToPixels(420));
    if (QScreen* s = QApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

PictureViewerWindow::~PictureViewerWindow() { RemoveViewerPage(); }

void PictureViewerWindow::cmdClose_Click() {
    webViewPic->Stop();
    webViewPic->Navigate(QStringLiteral("about:blank"));
    close();
}

void PictureViewerWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layOut();
}

void PictureViewerWindow::layOut() {
    const ViewerLayout l = LayoutViewer(twips::FromPixels(width()), twips::FromPixels(height()));
    webViewPic->setGeometry(0, 0, ToPixels(l.browserWidth), ToPixels(l.browserHeight));
    cmdClose->move(ToPixels(l.closeLeft), ToPixels(l.closeTop));
}

#include "imaging/ui/picturepreparationwindow.h"

#include "imaging/ui/overlaywidgets.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <exception>

PicturePreparationWindow::PicturePreparationWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_view{[this](const QImage& c) { showComposition(c); }},
      m_preparation(m_view) {
    setModal(true);
    picPic = new OverlayPictureBox(false, this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

// The load runs when the window is first shown, as the caller's modal show loads it.
void PicturePreparationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_loaded) return;
    m_loaded = true;
    Form_Load();
}

void PicturePreparationWindow::Form_Load() {
    m_preparation.LoadAndOverlayPicture();
    Timer1->start();
}

void PicturePreparationWindow::showComposition(const QImage& composition) {
    picPic->setPicture(composition);
    const int margin = twips::ToPixels(kMarginTwips);
    const QSize canvas = composition.size();
    resize(canvas + QSize(margin, margin));
    picPic->move((width() - canvas.width()) / 2, (height() - canvas.height()) / 2);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

// Whatever the work gives, the tick closes the window.
void PicturePreparationWindow::Timer1_Timer() {
    Timer1->stop();
    bool written = false;
    try {
        written = m_preparation.Finish();
    } catch (const std::exception&) {
        written = false;
    }
    done(written ? QDialog::Accepted : QDialog::Rejected);
}

#include "imaging/ui/overlaywidgets.h"

#include <QPainter>

OverlayLabelBox::OverlayLabelBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(OverlayLabelSize(m_label));
}

void OverlayLabelBox::setLabel(const OverlayLabel& label) {
    m_label = label;
    resize(OverlayLabelSize(m_label));
    update();
}

void OverlayLabelBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawOverlayLabel(p, QPoint(0, 0), m_label);
}

OverlayPictureBox::OverlayPictureBox(bool stretch, QWidget* parent) : QWidget(parent), m_stretch(stretch) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    fitToPicture();
}

void OverlayPictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    fitToPicture();
    update();
}

void OverlayPictureBox::setFrame(OverlayFrame frame) {
    m_frame = frame;
    fitToPicture();
    update();
}

void OverlayPictureBox::fitToPicture() {
    if (!m_stretch) resize(FramedPictureSize(m_picture, m_frame));
}

void OverlayPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_stretch)
        DrawStretchedBorder(p, rect(), m_picture);
    else
        DrawFramedPicture(p, QPoint(0, 0), m_picture, m_frame);
}

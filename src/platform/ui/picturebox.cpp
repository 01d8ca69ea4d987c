#include "platform/ui/picturebox.h"

#include "platform/syscolors.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = QImage(qMax(width(), 1), qMax(height(), 1), QImage::Format_RGB32);
    m_image.fill(OleColorToQColor(m_backColor));
}

DeviceContext* PictureBox::hDC() {
    followSize();
    // bits() is asked for on each use: a copy shown by a paint may have shared the picture since.
    m_dc.attach(m_image.bits(), m_image.width(), m_image.height(), m_image.bytesPerLine(),
                DeviceContext::PixelFormat::Bgrx32, false);
    return &m_dc;
}

const QImage& PictureBox::Image() {
    followSize();
    return m_image;
}

void PictureBox::Cls() {
    followSize();
    m_image.fill(OleColorToQColor(m_backColor));
    update();
}

void PictureBox::setBackColor(quint32 oleColor) {
    m_backColor = oleColor;
    Cls();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent*) { followSize(); }

void PictureBox::followSize() {
    // The persistent picture grows with the box and keeps what it holds; new parts are back colour.
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (size == m_image.size()) return;
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(OleColorToQColor(m_backColor));
    QPainter p(&grown);
    p.drawImage(0, 0, m_image);
    p.end();
    m_image = grown;
}

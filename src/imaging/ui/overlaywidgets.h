#pragma once
// The layers of a picture composition as widgets that paint through the shared overlay renderer
// (imaging/overlaypainting.h): a label sized to its text, and a picture at its own size with a frame
// or stretched over its whole rectangle.
#include "imaging/overlaypainting.h"

#include <QImage>
#include <QWidget>

// A label that sizes itself to its text.
class OverlayLabelBox : public QWidget {
public:
    explicit OverlayLabelBox(QWidget* parent = nullptr);
    const OverlayLabel& label() const { return m_label; }
    // Takes the label, resizes to it and repaints.
    void setLabel(const OverlayLabel& label);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OverlayLabel m_label;
};

// A picture: at its own size plus its frame, or stretched over the widget.
class OverlayPictureBox : public QWidget {
public:
    explicit OverlayPictureBox(bool stretch, QWidget* parent = nullptr);
    const QImage& picture() const { return m_picture; }
    // An empty picture clears the box.
    void setPicture(const QImage& picture);
    OverlayFrame frame() const { return m_frame; }
    void setFrame(OverlayFrame frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToPicture();
    bool m_stretch;
    QImage m_picture;
    OverlayFrame m_frame = OverlayFrame::None;
};

#pragma once
// A label or picture with the old runtime's mouse events: Click (left button released inside),
// MouseDown and MouseUp. Pictures used as buttons and clickable captions are such labels.
#include <QLabel>
#include <QMouseEvent>

#include <functional>

class ClickableLabel : public QLabel {
public:
    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

    std::function<void()> onClick;
    std::function<void()> onMouseDown;
    std::function<void()> onMouseUp;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onMouseDown) onMouseDown();
        QLabel::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) {
            if (onMouseUp) onMouseUp();
            if (rect().contains(e->position().toPoint()) && onClick) onClick();
        }
        QLabel::mouseReleaseEvent(e);
    }
};

// A framed, centred caption that acts as a picture button.
inline ClickableLabel* NewCaptionButton(QWidget* parent, const QString& caption, const QString& tooltip = QString()) {
    auto* b = new ClickableLabel(caption, parent);
    b->setToolTip(tooltip);
    b->setFrameShape(QFrame::StyledPanel);
    b->setCursor(Qt::PointingHandCursor);
    b->setAlignment(Qt::AlignCenter);
    return b;
}

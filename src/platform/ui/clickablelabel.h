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

    // A framed caption that a layout sizes keeps half an "x" of room on each side of its text,
    // as a framed label's indent gives it, so a wider font never draws the text on the frame.
    QSize sizeHint() const override { return padded(QLabel::sizeHint()); }
    QSize minimumSizeHint() const override { return padded(QLabel::minimumSizeHint()); }

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

private:
    QSize padded(QSize s) const {
        if (frameWidth() > 0 && indent() < 0 && !text().isEmpty() && pixmap().isNull() && (alignment() & Qt::AlignHCenter))
            s.rwidth() += fontMetrics().horizontalAdvance(QLatin1Char('x'));
        return s;
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

#pragma once
// The Flash control stand-in: shows the movie of a FlashPlayback (platform/flashmovie.h), scaled
// "ShowAll" (the whole stage, aspect kept). A tutorial descriptor is drawn scene by scene: the part
// of the slide around its highlight, moving gently while the movie plays, with the caption beside
// it; a real SWF shows a neutral placeholder (a Flash sign, frame/total and a progress line).
#include "platform/flashmovie.h"

#include <QHash>
#include <QImage>
#include <QWidget>

class QTimer;

class FlashControl : public QWidget {
public:
    // The stage every movie is drawn on before it is fitted into the control, pixels: the wide
    // strip of the tutorial panels.
    static constexpr int kStageWidth = 1026;
    static constexpr int kStageHeight = 191;

    explicit FlashControl(QWidget* parent = nullptr, FlashPlayback::Clock clock = {});

    FlashPlayback& playback() { return flash; }
    // The stage as the control shows it at the current frame (for tests and the slide maker).
    QImage renderStage();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void paintStage(class QPainter& p);
    void paintTutorial(QPainter& p, const FlashMovie& movie, int frame);
    void paintPlaceholder(QPainter& p, const FlashMovie& movie, int frame);
    const QImage& slide(const FlashMovie& movie, const QString& name);
    void followPlayback();

    FlashPlayback flash;
    QTimer* repaint = nullptr;
    QHash<QString, QImage> slides;  // by full path
};

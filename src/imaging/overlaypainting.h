#pragma once
// The one renderer of what is laid over a picture: the text label (sized to its text, in its font,
// colours and frame), the picture watermark with its frame and the border stretched over the whole
// picture. The settings dialog's preview and the pictures written for upload paint through it, so
// what the member sees is what gets written.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

enum class OverlayFrame { None, Single, Sunken3D };
// The frame of a framed flag and its 3-D look (the look alone draws nothing).
OverlayFrame FrameOf(bool framed, bool threeD);
// Pixels the frame takes on each side: 0, 1 or 2.
int FrameWidth(OverlayFrame frame);

// Font size in points at the display's scale: pixel size = points × 20 / twipsPerPixel (4/3 at 96
// pixels per inch), to the nearest pixel, set explicitly so that no screen setting changes it.
// Fractional sizes (15.75) are allowed.
void SetFontPoints(QFont& font, double points, int twipsPerPixel = 15);
// A font style name: "常规" bold and italic off, "斜体" italic on, "粗体" bold on, "粗斜体" both on;
// "斜体" and "粗体" keep the other attribute, any other name changes nothing.
void ApplyFontStyle(QFont& font, const QString& style);

struct OverlayLabel {
    QString text;
    QFont font;
    QColor foreColor = Qt::white;
    QColor backColor = Qt::white;
    bool transparent = true;  // no background: the picture shows between the letters
    OverlayFrame frame = OverlayFrame::None;
    // A valid size keeps the label at it (pixels, frame included): the text wraps inside, its line
    // breaks kept, and what does not fit is cut off at the bottom. Otherwise the label is one line
    // sized to its text.
    QSize fixedSize;
};

// The label's size: its fixed size, or its one line of text in its font plus its frame.
QSize OverlayLabelSize(const OverlayLabel& label);
void DrawOverlayLabel(QPainter& painter, const QPoint& topLeft, const OverlayLabel& label);

// A picture watermark at its own size, plus its frame.
QSize FramedPictureSize(const QImage& picture, OverlayFrame frame);
void DrawFramedPicture(QPainter& painter, const QPoint& topLeft, const QImage& picture, OverlayFrame frame);
// The border picture stretched over the whole rectangle.
void DrawStretchedBorder(QPainter& painter, const QRect& rect, const QImage& border);

// Where an overlay goes along one axis, in twips, 300 twips from the edge: code 0 left or top,
// 1 centred, 2 right or bottom; any other code keeps the current position.
inline constexpr double kOverlayMarginTwips = 300;
double PlaceOverlay(int code, double panelTwips, double itemTwips, double currentTwips);

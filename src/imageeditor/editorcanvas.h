#pragma once
// The image editor's canvas and its layers: the pictures and labels laid on it in twips, the one
// painting routine that draws it (on screen and into the saved picture), loading pictures onto it,
// and the part of the editor that holds the canvas.
#include "imaging/overlaypainting.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;

// A picture laid on the canvas: its place and size in twips, shown or not. An opened JPEG holds
// only the pixels painted so far: decoded at the smallest DCT scale that covers them, from
// reducedFrom, until a paint at a larger size needs more (a 12-megapixel photo fitted into the
// frame is never decoded whole).
struct CanvasPicture {
    QImage picture;
    QRectF rect;
    bool visible = false;
    QString reducedFrom;  // the JPEG file while picture holds fewer pixels than it has
    QSize natural;        // the picture's own size while reducedFrom is set
    // The picture's own size in pixels, whatever it holds now.
    QSize pixelSize() const { return reducedFrom.isEmpty() ? picture.size() : natural; }
    // A picture of its own, held whole.
    void setPicture(const QImage& whole);
    // Decodes more of a reduced JPEG when a paint of that many pixels needs it.
    void cover(QSizeF pixels);
};

// A text label on the canvas, drawn by the shared label renderer. The renderer's font carries the
// name, style and pixel size; the label keeps what it is set in (points, the border and its 3-D
// appearance apart, its fixed size in twips).
struct CanvasLabel {
    OverlayLabel label;
    QPointF topLeft;  // twips
    bool visible = false;
    double fontPoints = 9;
    bool bordered = false;      // BorderStyle
    bool threeD = false;        // Appearance: the border drawn sunken; kept while the border is off
    bool autoSize = true;       // sized to its text; else fixedSize
    QSizeF fixedSize;           // twips
    bool sizeAllPointer = false;
    // Its size in twips at the display's scale.
    QSizeF size(double twipsPerPixel) const;
};

// The overlays that change places in the stack when one of them is laid.
enum class CanvasLayer { Border, AddPic, Mark0, Mark1, Mark2, Notice };
// What lies under a point of the canvas: an overlay, the base picture or the bare canvas.
enum class CanvasHit { None, Base, Border, AddPic, Mark0, Mark1, Mark2, Notice };

// The canvas picPic and what lies on it, in twips: the base picture at the bottom, the overlays in
// stack order above it, the frame line on top.
struct EditorCanvas {
    double width = 0;
    double height = 0;
    double top = 0;                 // inside the viewport; the scroll bar's value is minus it
    CanvasPicture imgPic;           // the base picture
    bool imgPicStretch = false;     // shown at rect's size rather than its own
    QRectF shaCut{60, 60, 7500, 7500};
    bool shaCutVisible = true;
    CanvasPicture imgBorder;        // always given the frame's rectangle
    CanvasPicture imgAddPic;
    bool imgAddPicBorder = false;   // chePicBorder: a single line around the inserted picture
    std::array<CanvasLabel, 3> labWaterMark;  // two text watermarks and the caption
    QRectF labUsePicRect{720, 4140, 900, 735};
    bool labUsePicVisible = false;
    // Bottom to top; the design's order until an overlay is brought to the front.
    std::array<CanvasLayer, 6> stack{CanvasLayer::Border, CanvasLayer::AddPic, CanvasLayer::Mark0,
                                     CanvasLayer::Mark1,  CanvasLayer::Mark2,  CanvasLayer::Notice};
    void bringToFront(CanvasLayer layer);
    // The topmost shown thing under the point (twips), as the mouse finds it.
    CanvasHit hitTest(const QPointF& point, double twipsPerPixel) const;
};

// A rectangle of that size centred on the frame.
QRectF CentredOn(const QRectF& frame, QSizeF size);

// The notice shown to a member without hosted space in place of the inserted picture.
QString UsePicNotice();
// The canvas ground: the platform's application-workspace colour.
QColor WorkspaceColor();

// Paints the canvas with its top-left corner at the painter's origin, twipsPerPixel twips to a
// pixel. The base picture is scaled only where it shows inside the painter's clip (and decoded
// further first when it holds fewer pixels than it shows).
void PaintCanvas(QPainter& painter, EditorCanvas& canvas, double twipsPerPixel, bool withFrameLine);
// The frame region as a picture, without the frame line: its left, top, width and height each
// converted at twipsPerPixel and rounded half to even. Empty for a frame of no pixels. A base
// picture holding fewer pixels than the frame shows gets its part in the frame decoded for this
// render alone (the canvas keeps what it holds).
QImage RenderFrameRegion(EditorCanvas& canvas, int twipsPerPixel);

// Loads a GIF (first frame), JPEG, BMP, PNG or ICO file as it is stored (no EXIF turn). A null
// picture for anything else, a missing or unreadable file, or one past the picture size bound.
QImage LoadEditorPicture(const QString& path);
// The same file as Open lays it on the canvas: a JPEG by its header alone, its pixels decoded when
// a paint needs them. An empty pixelSize() where LoadEditorPicture gives a null picture.
CanvasPicture OpenEditorPicture(const QString& path);

// The part of the editor that holds the canvas: the display's scale, the viewport the canvas
// scrolls in, and the base picture's size as it was laid. The other parts draw on this canvas.
class EditorLayers {
public:
    EditorCanvas canvas;
    qint16 MeasuredTwipsPerPixel = 15;
    // The viewport's height in twips; the work area's layout keeps it current.
    double viewportHeight = 8385 - 405;
    // The base picture's size in twips when it was opened, cropped or merged: the zoom slider's
    // hundred per cent.
    QString labImgW = QStringLiteral("W");
    QString labImgH = QStringLiteral("H");

    // The canvas centred up and down in the viewport.
    void centreCanvas();
    // The notice moved back inside the frame where it sticks out.
    void pullNoticeInsideFrame();
    // The frame region, with everything shown in it, becomes the base picture laid on the frame.
    void baseFromFrame();
};

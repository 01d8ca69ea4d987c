#pragma once
// The crop dialog's arithmetic, apart from its window: where the viewport, the canvas, the red
// frame and the picture are, in twips (doubles, as the controls hold them), and how the zoom,
// move, slider, fit, drag and scroll controls change them. The window places its widgets from it.
#include <QString>

#include <optional>

struct CropBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const CropBox&) const = default;
};

struct CropGeometry {
    // The designed viewport (picFrame) and canvas (picPic): 720 × 480 pixels.
    static constexpr double kViewportWidth = 10800;
    static constexpr double kViewportHeight = 7200;

    double viewportWidth = kViewportWidth;
    double viewportHeight = kViewportHeight;
    CropBox canvas{0, 0, kViewportWidth, kViewportHeight};
    bool scrWEnabled = false;
    bool scrHEnabled = false;
    int scrWMax = 0;
    int scrHMax = 0;
    CropBox frame{0, 0, 1500, 1500};
    CropBox picture;
    // Hidden labels: the base size of the slider, and the picture's place from before a fit.
    QString labImgW, labImgH;
    QString labW, labH, labL, labT;
    // imgNotAutoFit is the shown one of its pair.
    bool fitted = false;
    bool dragActive = false;

    // Opening with the frame's size and the picture's own size: the canvas widened or heightened
    // for the frame (the scroll bars then enabled), the frame centred, the shrink-only fit, the
    // base size, the picture centred.
    void load(double frameWidth, double frameHeight, double pictureWidth, double pictureHeight);
    // A new picture of its own size (a quarter turn): fitted, base size, centred.
    void takePicture(double pictureWidth, double pictureHeight);

    // Move by the millimetre text of the step list (dx, dy one of -1, 0, 1). False, nothing
    // changed, when the text is no number.
    bool move(int dx, int dy, const QString& millimetres);
    // Zoom in (multiply) or out (divide) by the factor text, then centre. False, nothing changed,
    // when the text is no number or dividing by it fails.
    bool zoom(bool in, const QString& factor);
    // The slider at -100 to 100: 0 % to 200 % of the base size, centred.
    void slide(int value);
    // The picture takes the frame's place exactly; its own place is kept in the labels.
    void fit();
    // The kept place back, each value read as a 32-bit whole number (one that is not is skipped).
    void notFit();
    // A press on the picture starts a drag unless it covers the frame exactly; true when it did.
    bool mouseDown();
    // While dragging, the picture's centre jumps to the pointer (x, y within the picture).
    void mouseMove(double x, double y);
    void mouseUp() { dragActive = false; }
    // The canvas follows its scroll bars.
    void scrollW(int value) { canvas.left = -value; }
    void scrollH(int value) { canvas.top = -value; }

    void centrePicture();
    // A control's or label's text as a number (spaces trimmed); nothing when it is none.
    static std::optional<double> numberOf(const QString& text);
    // The move distance in twips of a millimetre text, rounded down; -1 when it is no number.
    static int moveStepTwips(const QString& millimetres);
};

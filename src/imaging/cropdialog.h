#pragma once
// The logic of the crop dialog frm图像剪裁, apart from its window: what it cuts from and where the
// cut goes by CropTargetMode, the quarter turns, the cut rendered from the full-size picture under
// the frame, and what a confirmed cut records. The window fills a CropDialogView and forwards its
// handlers; the geometry of the controls is a CropGeometry.
#include "imaging/cropgeometry.h"

#include <QImage>
#include <QString>

#include <functional>

struct CropDialogView {
    // Required: the controls follow the geometry (viewport, canvas, scroll bars, frame, picture).
    std::function<void(const CropGeometry&)> place;
    // Required: the picture imgPic shows (a null picture: none).
    std::function<void(const QImage&)> showPicture;
    // Required: the unturned picture turned by a multiple of 90 degrees through the preview box,
    // as the box paints it (0: the unturned copy).
    std::function<QImage(const QImage& unturned, int degrees)> turnedPreview;
    // Optional: the red frame shown or hidden.
    std::function<void(bool)> setFrameVisible;
    // Optional: the dialog maximised with the viewport filling it, for a canvas that outgrew it.
    std::function<void()> maximise;

    template <class F>
    void forEachRequiredHook(F f) const {
        f("place", bool(place));
        f("showPicture", bool(showPicture));
        f("turnedPreview", bool(turnedPreview));
    }
};

// The picture, the frame size in twips and the output file of the current CropTargetMode: the
// open editor's imgSize (by EditorKind) and the cell's size for modes 0 and 1, the file of
// labCutPicPath and labWidth × labHeight for mode 2. A size that is no number is left at -1.
struct CropSource {
    QImage picture;
    double frameWidth = -1;
    double frameHeight = -1;
    QString output;
};
CropSource CropSourceOfMode(qint16 mode);

// The cut: frame's pixel size, white where the picture does not reach, the picture drawn at
// its place on the canvas scaled from the full-size image.
QImage RenderCropCut(const QImage& picture, const CropGeometry& geometry);

class CropDialogController {
public:
    explicit CropDialogController(CropDialogView view);

    // Opening: the source, frame and output of CropTargetMode, the picture placed and shown.
    void load();
    // A quarter turn (+1 clockwise, -1 anticlockwise) of the unturned picture, through the preview
    // box and "savepic.bmp" in the member's folder; the picture comes back fitted and centred.
    // Stops at the first failing step (false).
    bool quarterTurn(int direction);
    // The cut as a preview shows it.
    QImage preview() const { return RenderCropCut(m_shown, geometry); }
    // Confirming: the cut kept as "temp/~temp.tmp" (BMP) and written as the mode's JPEG at
    // quality 95; modes 0 and 1 then record it in CellRecord and PendingPictures and set
    // CropTargetMode to 99. A failed render or write shows the error box and records nothing.
    // True when the cut was written. The dialog unloads either way.
    bool confirm();

    const CropDialogView& view() const { return m_view; }
    qint16 quarterTurns() const { return m_quarterTurns; }
    const QImage& shownPicture() const { return m_shown; }
    const QString& outputPath() const { return m_output; }

    CropGeometry geometry;

private:
    void record() const;

    CropDialogView m_view;
    qint16 m_mode = 0;
    qint16 m_quarterTurns = 0;
    QImage m_unturned;
    QImage m_shown;
    QString m_output;
};

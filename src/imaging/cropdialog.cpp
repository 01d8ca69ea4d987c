#include "imaging/cropdialog.h"

#include "foundation/folders.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/watermarkdialog.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <cmath>
#include <limits>

namespace {

constexpr int kJpegQuality = 95;

QString recordEntry(int i) { return i < CellRecord.size() ? CellRecord.at(i) : QString(); }

// A whole number of a text, -1 when it is none (the frame then keeps its designed size).
double wholeOrNone(const QString& text) {
    const auto v = CropGeometry::numberOf(text);
    if (!v || qAbs(*v) > std::numeric_limits<qint32>::max()) return -1;
    return double(vb::RoundHalfEven(*v));
}

double cellTwips(int entry) {
    const double pixels = wholeOrNone(recordEntry(entry));
    return pixels < 0 ? -1 : pixels * twips::kPerPixel;
}

// A picture file as the old picture loader read it: by content, no orientation applied.
QImage loadPictureFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

// The number as the record's text: "150", a fraction with its decimals.
QString pixelText(double twipsValue) { return QString::number(twipsValue / twips::kPerPixel, 'g', 15); }

}  // namespace

CropSource CropSourceOfMode(qint16 mode) {
    CropSource s;
    switch (mode) {
    case CropTarget::Background:
    case CropTarget::Foreground:
        s.picture = EditorKind == 1 ? PrefaceEditorWindowLabels::imgSize : CellEditorWindowLabels::imgSize;
        s.frameWidth = cellTwips(1);
        s.frameHeight = cellTwips(2);
        s.output = CellScratchPicturePath(mode == CropTarget::Foreground);
        break;
    case CropTarget::UploadSlot:
        s.picture = loadPictureFile(vb::Trim(SiteWindowLabels::labCutPicPath));
        s.frameWidth = wholeOrNone(SiteWindowLabels::labWidth);
        s.frameHeight = wholeOrNone(SiteWindowLabels::labHeight);
        s.output = SiteWindowLabels::labCutFileName;
        break;
    default:
        break;
    }
    return s;
}

QImage RenderCropCut(const QImage& picture, const CropGeometry& g) {
    // Grab coordinates: the frame's place and size to the nearest pixel, halves to the even one.
    const auto px = [](double t) { return double(vb::RoundHalfEven(t / twips::kPerPixel)); };
    const double left = px(g.frame.left);
    const double top = px(g.frame.top);
    const int width = int(px(g.frame.width));
    const int height = int(px(g.frame.height));
    if (width <= 0 || height <= 0) return QImage();
    QImage cut(width, height, QImage::Format_RGB32);
    if (cut.isNull()) return cut;
    cut.fill(Qt::white);
    if (!picture.isNull() && g.picture.width > 0 && g.picture.height > 0) {
        QPainter p(&cut);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF target(g.picture.left / twips::kPerPixel - left, g.picture.top / twips::kPerPixel - top,
                            g.picture.width / twips::kPerPixel, g.picture.height / twips::kPerPixel);
        p.drawImage(target, picture);
    }
    return cut;
}

CropDialogController::CropDialogController(CropDialogView view) : m_view(std::move(view)) {}

void CropDialogController::load() {
    m_mode = CropTargetMode;
    CropSource s = CropSourceOfMode(m_mode);
    m_unturned = s.picture;
    m_shown = s.picture;
    m_output = s.output;
    const double frameW = s.frameWidth >= 0 ? s.frameWidth : geometry.frame.width;
    const double frameH = s.frameHeight >= 0 ? s.frameHeight : geometry.frame.height;
    // A missing picture leaves the canvas empty (nothing of its own size to place).
    geometry.load(frameW, frameH, twips::FromPixels(m_shown.width()), twips::FromPixels(m_shown.height()));
    m_quarterTurns = 0;
    CALL_REQUIRED_HOOK(m_view.showPicture, m_shown);
    CALL_REQUIRED_HOOK(m_view.place, geometry);
}

bool CropDialogController::quarterTurn(int direction) {
    REQUIRE_HOOK(m_view.turnedPreview);
    if (!m_view.turnedPreview || m_unturned.isNull()) return false;
    m_quarterTurns = qint16((m_quarterTurns + direction) % 4);
    const QImage turned = m_view.turnedPreview(m_unturned, m_quarterTurns * 90);
    if (turned.isNull()) return false;
    // The turned picture is kept as "savepic.bmp", which the upload windows read as well.
    cDIBSection1 file;
    if (!file.CreateFromHandle(turned, 0, 0, -1, -1) || !file.SaveBitmap(MemberPath({QStringLiteral("savepic.bmp")})))
        return false;
    m_shown = turned;
    CALL_REQUIRED_HOOK(m_view.showPicture, m_shown);
    geometry.takePicture(twips::FromPixels(turned.width()), twips::FromPixels(turned.height()));
    CALL_REQUIRED_HOOK(m_view.place, geometry);
    return true;
}

bool CropDialogController::confirm() {
    if (geometry.canvas.width > geometry.viewportWidth || geometry.canvas.height > geometry.viewportHeight) {
        if (m_view.maximise) m_view.maximise();
    }
    // The frame is out of the picture; the cut is rendered from the picture, not the screen.
    if (m_view.setFrameVisible) m_view.setFrameVisible(false);
    try {
        const QImage cut = preview();
        cDIBSection1 grab;
        if (!grab.CreateFromHandle(cut, 0, 0, -1, -1) || !grab.SaveBitmap(MemberTempPath(QStringLiteral("~temp.tmp"))))
            throw VbError(VbError::PathFileAccess, QStringLiteral("路径/文件访问错误"));
        if (m_view.setFrameVisible) m_view.setFrameVisible(true);
        // The sized-picture window takes whatever file is at its path afterwards, so an older
        // cut goes first there; the editors' outputs are replaced whole by the safe write, so
        // the file their records name survives a failed write.
        if (m_mode == CropTarget::UploadSlot && QFile::exists(m_output)) QFile::remove(m_output);
        cDIBSection dib;
        dib.CreateFromPicture(StdPicture{cut});
        WriteJpegFile(dib, m_output, kJpegQuality);
    } catch (const VbError& e) {
        if (m_view.setFrameVisible) m_view.setFrameVisible(true);
        ShowWatermarkError(e);
        return false;
    }
    record();
    return true;
}

void CropDialogController::record() const {
    if (m_mode != CropTarget::Background && m_mode != CropTarget::Foreground) return;
    if (CellRecord.size() < 8) CellRecord.resize(14);
    if (m_mode == CropTarget::Background) {
        CellRecord[3] = m_output;
        PendingPictures.set(PendingPicture::BackgroundRow, PendingPicture::LocalFile, m_output);
    } else {
        CellRecord[4] = m_output;
        CellRecord[5] = pixelText(geometry.frame.width);
        CellRecord[6] = pixelText(geometry.frame.height);
        CellRecord[7] = QStringLiteral("11");
        PendingPictures.set(PendingPicture::ForegroundRow, PendingPicture::LocalFile, m_output);
    }
    CropTargetMode = CropTarget::Finished;
}

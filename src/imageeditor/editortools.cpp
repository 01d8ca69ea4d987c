// The image editor's tools: moving, zooming and dragging the picture, the crop, the border and
// the inserted picture, and merging the layers.
#include "imageeditor/editortools.h"

#include "foundation/htmltext.h"
#include "imageeditor/imageeditor.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/urlopening.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <cmath>
#include <limits>

using namespace vb;

namespace {

QString PictureFilter() {
    return QStringLiteral(
        "图像文件(*.gif;*.jpg;) (*.gif *.jpg);;其他图像文件(*.bmp;*.png;*.ico) (*.bmp *.png *.ico)");
}

// The choosers load through Open's loader; what it cannot read is the runtime's invalid picture.
QImage LoadChosenPicture(const QString& path) {
    QImage picture = LoadEditorPicture(path);
    if (picture.isNull()) throw VbError(481, QStringLiteral("无效图片"));
    return picture;
}

}  // namespace

QString ShippedBorderFile() { return paths::SharedFile(QStringLiteral("边框/边框1.gif")); }

void EditorTools::MovePicture(MoveDirection direction) {
    const QString text = Trim(cobMoveStepText);
    if (!IsNumeric(text)) {
        MsgBox(QStringLiteral("每次移动距离必须是数字！"), vbInformation, QStringLiteral("提示"));
        return;
    }
    canvas.shaCutVisible = true;
    // Millimetres read in single precision, the step rounded down to whole twips.
    const double step = std::floor(double(float(Val(text))) * twips::kPerMillimetre);
    QRectF& r = canvas.imgPic.rect;
    switch (direction) {
    case MoveDirection::Up: r.moveTop(r.top() - step); break;
    case MoveDirection::Down: r.moveTop(r.top() + step); break;
    case MoveDirection::Left: r.moveLeft(r.left() - step); break;
    case MoveDirection::Right: r.moveLeft(r.left() + step); break;
    }
    refresh();
}

void EditorTools::imgZoomIn_Click() { zoom(true); }
void EditorTools::imgZoomOut_Click() { zoom(false); }

void EditorTools::zoom(bool in) {
    const QString text = Trim(cobStepText);
    const float f = IsNumeric(text) ? float(Val(text)) : 0.0f;
    if (!(f > 0)) {
        MsgBox(QStringLiteral("每次缩放倍数必须是大于0的数字！"), vbInformation, QStringLiteral("提示"));
        return;
    }
    canvas.shaCutVisible = true;
    canvas.imgPicStretch = true;
    // Sizes in single precision, as the picture's own size is kept.
    float w = float(canvas.imgPic.rect.width());
    float h = float(canvas.imgPic.rect.height());
    w = in ? w * f : w / f;
    h = in ? h * f : h / f;
    canvas.imgPic.rect.setSize(QSizeF(w, h));
    centrePicture();
}

void EditorTools::sli1_Scroll(int value) {
    sli1 = value;
    // Before a picture is opened there is no base size to scale from.
    const EditorLayers& layers = editor.layers;
    if (!IsNumeric(layers.labImgW) || !IsNumeric(layers.labImgH)) return;
    const qint64 baseW = RoundHalfEven(Val(layers.labImgW));
    const qint64 baseH = RoundHalfEven(Val(layers.labImgH));
    const qint64 w = qint64(value + 100) * baseW;
    const qint64 h = qint64(value + 100) * baseH;
    // The products are 32-bit: a size past them cannot be shown, so the picture stays.
    if (std::abs(w) > std::numeric_limits<qint32>::max() || std::abs(h) > std::numeric_limits<qint32>::max()) return;
    canvas.shaCutVisible = true;
    canvas.imgPicStretch = true;
    canvas.imgPic.rect.setSize(QSizeF(double(w) / 100, double(h) / 100));
    centrePicture();
}

// Centred on the canvas in one move and shown once.
void EditorTools::centrePicture() {
    QRectF& r = canvas.imgPic.rect;
    r.moveTo((canvas.width - r.width()) / 2, (canvas.height - r.height()) / 2);
    canvas.imgPic.visible = true;
    refresh();
}

void EditorTools::imgPic_MouseDown() {
    // A picture that exactly fills the frame stays put (the move tools still move it).
    if (canvas.imgPic.rect == canvas.shaCut) return;
    PictureDragging = true;
    refresh();
}

void EditorTools::imgPic_MouseMove(double x, double y) {
    if (!PictureDragging) return;
    QRectF& r = canvas.imgPic.rect;
    r.translate(x - r.width() / 2, y - r.height() / 2);
    refresh();
}

void EditorTools::imgPic_MouseUp() {
    PictureDragging = false;
    refresh();
}

void EditorTools::imgCutPic_Click() {
    CropInProgress = true;
    editor.layout.EnlargeWorkArea();
    // The overlays stay out of the new base picture; a shown notice goes into it.
    canvas.imgAddPic.visible = false;
    for (CanvasLabel& l : canvas.labWaterMark) l.visible = false;
    canvas.imgBorder.visible = false;
    editor.layers.baseFromFrame();
    CropInProgress = false;
    editor.layout.RestoreWorkArea();
    editor.text.showAfterCrop();
    if (labBorder == QLatin1String("0")) canvas.imgBorder.visible = true;
    canvas.imgAddPic.visible = true;  // shows nothing while no picture is inserted
    refresh();
}

void EditorTools::imgSetBorder_Click() {
    if (labBorder != QLatin1String("1")) {
        canvas.imgBorder.picture = QImage();
        canvas.imgBorder.visible = false;
        imgSetBorderKey = QStringLiteral("AddBorder");
        labBorder = QStringLiteral("1");
        refresh();
        return;
    }
    const QString chosen = prompts::current().openFile(QStringLiteral("打开"), QStringLiteral("边框文件 (*.gif) (*.gif)"),
                                                       labBorderPath.isEmpty() ? ShippedBorderFile() : labBorderPath);
    if (chosen.isEmpty()) return;
    editor.files.dia1FileName = chosen;
    labBorderPath = chosen;
    canvas.imgBorder.rect = canvas.shaCut;
    try {
        canvas.imgBorder.picture = LoadChosenPicture(chosen);
    } catch (const VbError&) {
        // The border chooser ends silently, the failed name kept for the next chooser.
        refresh();
        return;
    }
    canvas.imgBorder.visible = true;
    for (CanvasLayer layer : {CanvasLayer::Border, CanvasLayer::AddPic, CanvasLayer::Mark0, CanvasLayer::Mark1,
                              CanvasLayer::Notice})
        canvas.bringToFront(layer);
    imgSetBorderKey = QStringLiteral("RemoveBorder");
    labBorder = QStringLiteral("0");
    refresh();
}

void EditorTools::imgSetAddPic_Click() {
    if (labPicture != QLatin1String("1")) {
        canvas.imgAddPic.picture = QImage();
        canvas.imgAddPic.visible = false;
        imgSetAddPicKey = QStringLiteral("AddPicture");
        labPicture = QStringLiteral("1");
        chePicBorderVisible = false;
        chePicBorder_Click(false);  // unticking the box runs its handler: no line around the picture
        canvas.labUsePicVisible = false;
        refresh();
        return;
    }
    const QString chosen = prompts::current().openFile(QStringLiteral("打开"), PictureFilter(), editor.files.dia1FileName);
    if (chosen.isEmpty()) return;
    editor.files.dia1FileName = chosen;
    QImage picture;
    try {
        picture = LoadChosenPicture(chosen);
    } catch (const VbError& e) {
        MsgBox(QStringLiteral("错误：") + QString::number(e.number()) + QStringLiteral("\r\r") + e.description(),
               vbInformation, QStringLiteral("错误提示"));
        return;
    }
    canvas.imgAddPic.picture = picture;
    canvas.imgAddPic.rect = CentredOn(
        canvas.shaCut, QSizeF(double(picture.width()) * MeasuredTwipsPerPixel, double(picture.height()) * MeasuredTwipsPerPixel));
    canvas.imgAddPic.visible = true;
    for (CanvasLayer layer : {CanvasLayer::AddPic, CanvasLayer::Mark0, CanvasLayer::Mark1}) canvas.bringToFront(layer);
    if (!HasHostedSpace) {
        canvas.labUsePicRect = CentredOn(canvas.shaCut, canvas.labUsePicRect.size());
        canvas.labUsePicVisible = true;
        canvas.bringToFront(CanvasLayer::Notice);
        // The resource table is empty today; an address it gives goes to the desktop's opener.
        const QString url = ResolveResourceUrl(QStringLiteral("133"));
        if (!url.isEmpty()) urlopening::current().openWithDesktop(url);
    }
    imgSetAddPicKey = QStringLiteral("RemovePicture");
    labPicture = QStringLiteral("0");
    chePicBorderVisible = true;
    refresh();
}

void EditorTools::chePicBorder_Click(bool ticked) {
    chePicBorder = ticked;
    canvas.imgAddPicBorder = ticked;
    refresh();
}

void EditorTools::imgAddPic_MouseDown() { InsertDragging = true; }

void EditorTools::imgAddPic_MouseMove(double x, double y) {
    if (!InsertDragging) return;
    QRectF& r = canvas.imgAddPic.rect;
    r.translate(x - r.width() / 2, y - r.height() / 2);
    refresh();
}

void EditorTools::imgAddPic_MouseUp() {
    InsertDragging = false;
    // The notice follows the picture, as far as the frame allows.
    canvas.labUsePicRect = CentredOn(canvas.imgAddPic.rect, canvas.labUsePicRect.size());
    editor.layers.pullNoticeInsideFrame();
    refresh();
}

void EditorTools::imgHBPic_Click() {
    editor.layout.EnlargeWorkArea();
    // Everything visible inside the frame goes into the picture, the notice included.
    editor.layers.baseFromFrame();
    editor.layout.RestoreWorkArea();
    editor.text.clearWatermarksAfterMerge();
    editor.layout.picHelpVisible = false;
    canvas.imgBorder.picture = QImage();
    canvas.imgBorder.visible = false;
    imgSetBorderKey = QStringLiteral("AddBorder");
    labBorder = QStringLiteral("1");
    canvas.imgAddPic.picture = QImage();
    canvas.imgAddPic.visible = false;
    imgSetAddPicKey = QStringLiteral("AddPicture");
    labPicture = QStringLiteral("1");
    chePicBorderVisible = false;
    chePicBorder_Click(false);  // unticking the box runs its handler
    editor.text.removeCaptionAfterMerge();
    refresh();
}

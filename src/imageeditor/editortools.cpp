// The image editor's tools: the work area's layout, moving, zooming and dragging the picture, the
// crop, the border and the inserted picture, the advertisement strips and the help panel.
#include "imageeditor/imageeditor.h"

#include "foundation/htmltext.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/urlopening.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "state/loginstate.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace vb;

namespace {

constexpr double kScrollBarWidth = 255;  // vscr1

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

QRectF CentredOn(const QRectF& frame, QSizeF size) {
    return QRectF(frame.left() + (frame.width() - size.width()) / 2, frame.top() + (frame.height() - size.height()) / 2,
                  size.width(), size.height());
}

}  // namespace

QString ShippedBorderFile() { return paths::SharedFile(QStringLiteral("边框/边框1.gif")); }

QString EditorAdAddress(const QString& page, const QDate& today) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
           QStringLiteral("/pwtd/") + WeeklyFolderName(today) + QLatin1Char('/') + page + AdvertisementPageQuery();
}

const std::array<HelpLine, 13>& HelpLines() {
    static const std::array<HelpLine, 13> lines{{
        {QStringLiteral("超级简单的图像编辑方式：缩放、剪裁、加水印、加边框、加小图片、插入文字"), false},
        {QStringLiteral("第一步：点击打开“    ”按钮，打开要编辑的图像。"), false},
        {QStringLiteral("说明：图像打开后是按原始尺寸显示，您可以点击左侧的“缩小”、“放大”按钮对图"), true},
        {QStringLiteral("像进行缩放操作，也可以用鼠标拖动按钮下面的滑块进行快速缩放操作。"), true},
        {QStringLiteral("第二步：设置要保存的图像大小（宽度和高度）。"), false},
        {QStringLiteral("说明：白色虚线框是默认的图像大小，您也可以设置成其它的大小。"), true},
        {QStringLiteral("第三步：用鼠标拖拽图像，使您希望保留的部份套在白色虚线框内（您也可以点击向上、"), false},
        {QStringLiteral("下、左、右按钮来完成这个操作），然后点击“剪裁图像”按钮即可。"), false},
        {QStringLiteral("第四步：点击“设置水印”、“插入边框”、“插入图片”、“插入文字说明”按钮可以"), false},
        {QStringLiteral("弹出相关界面让您进行操作。"), false},
        {QStringLiteral("说明：所插入的水印、图片、文字说明都可以用鼠标拖拽到图像中的其它位置。"), true},
        {QStringLiteral("若想插入更多的水印、图片、文字说明可以点击“合并图层”按钮后继续操作。"), true},
        {QStringLiteral("第五步：点击保存“    ”按钮把编辑好的图像保存到您的计算机中。"), false},
    }};
    return lines;
}

void EditorCanvas::bringToFront(CanvasLayer layer) {
    auto it = std::find(stack.begin(), stack.end(), layer);
    std::rotate(it, it + 1, stack.end());
}

CanvasHit EditorCanvas::hitTest(const QPointF& point, double twipsPerPixel) const {
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        switch (*it) {
        case CanvasLayer::Border:
            if (imgBorder.visible && imgBorder.rect.contains(point)) return CanvasHit::Border;
            break;
        case CanvasLayer::AddPic:
            if (imgAddPic.visible && !imgAddPic.picture.isNull() && imgAddPic.rect.contains(point))
                return CanvasHit::AddPic;
            break;
        case CanvasLayer::Mark0:
        case CanvasLayer::Mark1:
        case CanvasLayer::Mark2: {
            const int i = int(*it) - int(CanvasLayer::Mark0);
            const CanvasLabel& l = labWaterMark[size_t(i)];
            if (!l.visible) break;
            if (QRectF(l.topLeft, l.size(twipsPerPixel)).contains(point))
                return CanvasHit(int(CanvasHit::Mark0) + i);
            break;
        }
        case CanvasLayer::Notice:
            if (labUsePicVisible && labUsePicRect.contains(point)) return CanvasHit::Notice;
            break;
        }
    }
    if (imgPic.visible && imgPic.rect.contains(point)) return CanvasHit::Base;
    return CanvasHit::None;
}

void ImageEditorController::picFrame_Resize(double width, double height) {
    if (LayoutSuspended) return;
    work.viewportHeight = height - 465;
    work.viewportWidth = width - 2235;
    viewportHeight = work.viewportHeight;
    canvas.width = work.viewportWidth - 240;
    work.vscr1Left = work.viewportWidth - kScrollBarWidth - 30;
    work.vscr1Max = qint16(std::clamp<qint64>(RoundHalfEven(canvas.height - work.viewportHeight),
                                              std::numeric_limits<qint16>::min(),
                                              std::numeric_limits<qint16>::max()));
    work.tooPicWidth = width - 75;
    canvas.shaCut.moveLeft((canvas.width - canvas.shaCut.width()) / 2);
    // A resize while a crop grabs leaves the picture for the crop to lay on the frame.
    if (CropInProgress)
        CropInProgress = false;
    else
        canvas.imgPic.rect.moveLeft((canvas.width - canvas.imgPic.rect.width()) / 2);
    canvas.imgBorder.rect.moveTopLeft(canvas.shaCut.topLeft());
    canvas.labUsePicRect = CentredOn(canvas.shaCut, canvas.labUsePicRect.size());
    work.picAD1Height = windowHeight - 900;
    work.Picture8Top = work.picAD1Height - 405;
    work.webAD1Height = work.picAD1Height + 45;
    work.picAD2Width = width;
    work.Picture9Left = work.picAD2Width - 405;
    work.webAD2Width = work.picAD2Width + 45;
    refresh();
}

void ImageEditorController::MovePicture(MoveDirection direction) {
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

void ImageEditorController::imgZoomIn_Click() { zoom(true); }
void ImageEditorController::imgZoomOut_Click() { zoom(false); }

void ImageEditorController::zoom(bool in) {
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

void ImageEditorController::sli1_Scroll(int value) {
    sli1 = value;
    // Before a picture is opened there is no base size to scale from.
    if (!IsNumeric(labImgW) || !IsNumeric(labImgH)) return;
    const qint64 baseW = RoundHalfEven(Val(labImgW));
    const qint64 baseH = RoundHalfEven(Val(labImgH));
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
void ImageEditorController::centrePicture() {
    QRectF& r = canvas.imgPic.rect;
    r.moveTo((canvas.width - r.width()) / 2, (canvas.height - r.height()) / 2);
    canvas.imgPic.visible = true;
    refresh();
}

void ImageEditorController::imgPic_MouseDown() {
    // A picture that exactly fills the frame stays put (the move tools still move it).
    if (canvas.imgPic.rect == canvas.shaCut) return;
    PictureDragging = true;
    refresh();
}

void ImageEditorController::imgPic_MouseMove(double x, double y) {
    if (!PictureDragging) return;
    QRectF& r = canvas.imgPic.rect;
    r.translate(x - r.width() / 2, y - r.height() / 2);
    refresh();
}

void ImageEditorController::imgPic_MouseUp() {
    PictureDragging = false;
    refresh();
}

void ImageEditorController::imgCutPic_Click() {
    CropInProgress = true;
    EnlargeWorkArea();
    // The overlays stay out of the new base picture; a shown notice goes into it.
    canvas.imgAddPic.visible = false;
    for (CanvasLabel& l : canvas.labWaterMark) l.visible = false;
    canvas.imgBorder.visible = false;
    const QImage region = RenderFrameRegion(canvas, MeasuredTwipsPerPixel);
    canvas.imgPic.setPicture(region);
    canvas.imgPic.visible = true;
    CropInProgress = false;
    canvas.imgPic.rect = canvas.shaCut;
    labImgH = QString::number(canvas.shaCut.height());
    labImgW = QString::number(canvas.shaCut.width());
    RestoreWorkArea();
    if (labTemp == QLatin1String("1")) picSetWaterMarkVisible = true;
    for (int i = 0; i < 2; ++i) {
        CanvasLabel& l = canvas.labWaterMark[size_t(i)];
        if (!l.label.text.isEmpty()) l.visible = true;
    }
    if (labBorder == QLatin1String("0")) canvas.imgBorder.visible = true;
    if (labMyText == QLatin1String("0")) {
        canvas.labWaterMark[2].visible = true;
        picAddTextVisible = true;
    }
    canvas.imgAddPic.visible = true;  // shows nothing while no picture is inserted
    refresh();
}

void ImageEditorController::picBack_Click() { CALL_REQUIRED_HOOK(view.unload); }

void ImageEditorController::imgSetBorder_Click() {
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
    dia1FileName = chosen;
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

void ImageEditorController::imgSetAddPic_Click() {
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
    const QString chosen = prompts::current().openFile(QStringLiteral("打开"), PictureFilter(), dia1FileName);
    if (chosen.isEmpty()) return;
    dia1FileName = chosen;
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

void ImageEditorController::chePicBorder_Click(bool ticked) {
    chePicBorder = ticked;
    canvas.imgAddPicBorder = ticked;
    refresh();
}

void ImageEditorController::imgAddPic_MouseDown() { InsertDragging = true; }

void ImageEditorController::imgAddPic_MouseMove(double x, double y) {
    if (!InsertDragging) return;
    QRectF& r = canvas.imgAddPic.rect;
    r.translate(x - r.width() / 2, y - r.height() / 2);
    refresh();
}

void ImageEditorController::imgAddPic_MouseUp() {
    InsertDragging = false;
    // The notice follows the picture, as far as the frame allows.
    canvas.labUsePicRect = CentredOn(canvas.imgAddPic.rect, canvas.labUsePicRect.size());
    pullNoticeInsideFrame();
    refresh();
}

void ImageEditorController::pullNoticeInsideFrame() {
    const QRectF& cut = canvas.shaCut;
    QRectF& notice = canvas.labUsePicRect;
    if (notice.left() < cut.left()) notice.moveLeft(cut.left());
    if (notice.left() > cut.left() + cut.width() - notice.width()) notice.moveLeft(cut.left() + cut.width() - notice.width());
    if (notice.top() < cut.top()) notice.moveTop(cut.top());
    if (notice.top() > cut.top() + cut.height() - notice.height()) notice.moveTop(cut.top() + cut.height() - notice.height());
}

void ImageEditorController::TimerAD_Timer() {
    adLeft.tick();
    adTop.tick();
    refresh();
}

void ImageEditorController::imgAD_Click(int index) {
    if (index < 2)
        adLeft.step(index == 1);
    else
        adTop.step(index == 3);
    refresh();
}

void ImageEditorController::cmdHelp_Click() {
    picHelpVisible = true;
    refresh();
}

void ImageEditorController::cmdCloseHelp_Click() {
    picHelpVisible = false;
    refresh();
}

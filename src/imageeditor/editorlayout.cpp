// The image editor's window around the canvas: the work area's layout, the advertisement strips,
// the help panel and the close picture.
#include "imageeditor/editorlayout.h"

#include "foundation/htmltext.h"
#include "imageeditor/imageeditor.h"
#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"

#include <algorithm>
#include <limits>

using namespace vb;

namespace {

constexpr double kScrollBarWidth = 255;  // vscr1

}  // namespace

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

void EditorLayout::navigateAds() {
    const QDate today = QDate::currentDate();
    CALL_REQUIRED_HOOK(editor.view.navigateAd, 1, EditorAdAddress(QStringLiteral("picedit1.html"), today));
    CALL_REQUIRED_HOOK(editor.view.navigateAd, 2, EditorAdAddress(QStringLiteral("picedit2.html"), today));
}

void EditorLayout::EnlargeWorkArea() {
    editor.text.picAddTextVisible = false;
    editor.text.picSetWaterMarkVisible = false;
    editor.output.picSetSizeVisible = false;
    picHelpVisible = false;
}

void EditorLayout::RestoreWorkArea() { refresh(); }

void EditorLayout::picFrame_Resize(double width, double height) {
    if (LayoutSuspended) return;
    work.viewportHeight = height - 465;
    work.viewportWidth = width - 2235;
    editor.layers.viewportHeight = work.viewportHeight;
    canvas.width = work.viewportWidth - 240;
    work.vscr1Left = work.viewportWidth - kScrollBarWidth - 30;
    work.vscr1Max = qint16(std::clamp<qint64>(RoundHalfEven(canvas.height - work.viewportHeight),
                                              std::numeric_limits<qint16>::min(),
                                              std::numeric_limits<qint16>::max()));
    work.tooPicWidth = width - 75;
    canvas.shaCut.moveLeft((canvas.width - canvas.shaCut.width()) / 2);
    // A resize while a crop grabs leaves the picture for the crop to lay on the frame.
    if (editor.tools.CropInProgress)
        editor.tools.CropInProgress = false;
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

void EditorLayout::picBack_Click() { CALL_REQUIRED_HOOK(editor.view.unload); }

void EditorLayout::TimerAD_Timer() {
    adLeft.tick();
    adTop.tick();
    refresh();
}

void EditorLayout::imgAD_Click(int index) {
    if (index < 2)
        adLeft.step(index == 1);
    else
        adTop.step(index == 3);
    refresh();
}

void EditorLayout::cmdHelp_Click() {
    picHelpVisible = true;
    refresh();
}

void EditorLayout::cmdCloseHelp_Click() {
    picHelpVisible = false;
    refresh();
}

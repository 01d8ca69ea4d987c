// The image editor's text layers: the two text watermarks with their panel, and the caption with
// its panel and size rules.
#include "imageeditor/textlayers.h"

#include "imageeditor/imageeditor.h"
#include "imaging/watermarkdialog.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/syscolors.h"
#include "platform/twips.h"
#include "platform/vbtext.h"

#include <algorithm>
#include <cmath>

using namespace vb;

namespace {

// The caption's sliders hold twips up to 158.66 millimetres; the boxes take whole millimetres.
constexpr int kSliderMax = 8996;
constexpr int kMaxMillimetres = 158;
// A wider range is refused by the font system as the old runtime refused it.
constexpr double kMaxFontPoints = 2160;

constexpr quint32 vbWindowBackground = 0x80000005;
constexpr quint32 vbWindowText = 0x80000008;

int SliderValue(double twips) { return int(std::clamp(std::floor(twips), 0.0, double(kSliderMax))); }

// A check box's value set in code runs its click handler, when the value changes.
void SetCheck(bool& box, bool value, const std::function<void(bool)>& click) {
    if (box == value) return;
    box = value;
    click(value);
}

QString StyleName(const QFont& f) {
    if (f.bold() && f.italic()) return QStringLiteral("粗斜体");
    if (f.italic()) return QStringLiteral("斜体");
    if (f.bold()) return QStringLiteral("粗体");
    return QStringLiteral("常规");
}

}  // namespace

QStringList EditorFontNames() { return WatermarkFontNames(); }

QString FontSizeText(double points) { return QString::number(points, 'g', 7); }

void SetInitialTextLook(CanvasLabel& l, int index, int twipsPerPixel) {
    l = CanvasLabel{};
    OverlayLabel& look = l.label;
    switch (index) {
    case 0:
        look.font = QFont(QStringLiteral("华文彩云"));
        l.fontPoints = 15.75;
        look.foreColor = QColor(255, 255, 128);
        look.backColor = OleColorToQColor(vbWindowBackground);
        l.sizeAllPointer = true;
        break;
    case 1:
        look.font = QFont(QStringLiteral("Arial Black"));
        look.font.setWeight(QFont::Black);
        l.fontPoints = 12;
        look.foreColor = Qt::white;
        look.backColor = QColor(188, 252, 101);
        l.sizeAllPointer = true;
        break;
    default:
        look.font = QFont(QStringLiteral("宋体"));
        l.fontPoints = 9;
        look.foreColor = OleColorToQColor(vbWindowText);
        look.backColor = Qt::white;
        look.transparent = false;
        l.bordered = true;
        l.autoSize = false;
        break;
    }
    SetFontPoints(look.font, l.fontPoints, twipsPerPixel);
    look.frame = FrameOf(l.bordered, l.threeD);
}

void EditorTextLayers::setInitialLooks() {
    for (int i = 0; i < 3; ++i) SetInitialTextLook(canvas.labWaterMark[size_t(i)], i, MeasuredTwipsPerPixel);
    txtWaterMark2Font = canvas.labWaterMark[2].label.font;
}

void EditorTextLayers::reopenWatermarkPanel() {
    if (labTemp == QLatin1String("1")) picSetWaterMarkVisible = true;
}

void EditorTextLayers::showAfterCrop() {
    reopenWatermarkPanel();
    for (int i = 0; i < 2; ++i) {
        CanvasLabel& l = canvas.labWaterMark[size_t(i)];
        if (!l.label.text.isEmpty()) l.visible = true;
    }
    if (labMyText == QLatin1String("0")) {
        canvas.labWaterMark[2].visible = true;
        picAddTextVisible = true;
    }
}

void EditorTextLayers::clearWatermarksAfterMerge() {
    reopenWatermarkPanel();
    for (int i = 0; i < 2; ++i) txtWaterMark_Change(i, QString());
    placeWatermark(0);
    placeWatermark(1);
}

void EditorTextLayers::removeCaptionAfterMerge() {
    if (labMyText != QLatin1String("0")) return;
    txtWaterMark_Change(2, QString());
    canvas.labWaterMark[2].visible = false;
    picAddTextVisible = false;
    imgTextKey = QStringLiteral("AddText");
    labMyText = QStringLiteral("1");
}

// ---- text watermarks

void EditorTextLayers::placeWatermark(int i) {
    // Single precision, not rounded, as the places were computed.
    const QRectF& cut = canvas.shaCut;
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    if (i == 0) {
        l.topLeft = QPointF(float(cut.left()) + float(cut.width()) / 4, float(cut.top()) + float(cut.height()) / 2);
    } else {
        const CanvasLabel& first = canvas.labWaterMark[0];
        l.topLeft = QPointF(float(cut.left()) + float(cut.width()) / 5,
                            float(first.topLeft.y()) + float(first.size(MeasuredTwipsPerPixel).height()) + 60);
    }
}

void EditorTextLayers::imgAddWaterMark_Click() {
    if (picSetWaterMarkVisible) {
        picSetWaterMarkVisible = false;
        refresh();
        return;
    }
    picSetWaterMarkVisible = true;
    // A watermark with text keeps its place, style and controls.
    for (int i = 0; i < 2; ++i) {
        if (!Trim(controls[size_t(i)].txtWaterMark).isEmpty()) continue;
        placeWatermark(i);
        ReadTextStyle(i);
    }
    canvas.bringToFront(CanvasLayer::Mark0);
    canvas.bringToFront(CanvasLayer::Mark1);
    refresh();
    CALL_REQUIRED_HOOK(editor.view.focusWatermarkBox);
    labTemp = QStringLiteral("1");
}

void EditorTextLayers::cmdCloseWaterMark_Click() {
    picSetWaterMarkVisible = false;
    labTemp = QStringLiteral("0");
    refresh();
}

void EditorTextLayers::ReadTextStyle(int i) {
    TextLayerControls& c = controls[size_t(i)];
    const CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    SetCheck(c.cheBorder, l.bordered, [this, i](bool v) { cheBorder_Click(i, v); });
    SetCheck(c.che3DBorder, l.threeD, [this, i](bool v) { che3DBorder_Click(i, v); });
    c.cobFont = l.label.font.family();
    c.cobFontSize = FontSizeText(l.fontPoints);
    SetCheck(c.cheUnderline, l.label.font.underline(), [this, i](bool v) { cheUnderline_Click(i, v); });
    SetCheck(c.cheStrikethru, l.label.font.strikeOut(), [this, i](bool v) { cheStrikethru_Click(i, v); });
    SetCheck(c.cheBackStyle, l.label.transparent, [this, i](bool v) { cheBackStyle_Click(i, v); });
    c.cobFontType = StyleName(l.label.font);
    refresh();
}

void EditorTextLayers::txtWaterMark_Change(int i, const QString& value) {
    controls[size_t(i)].txtWaterMark = value;
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    l.label.text = Trim(value);
    // The caption's visibility is its tool's.
    if (i < 2) l.visible = !l.label.text.isEmpty();
    refresh();
}

void EditorTextLayers::cmdClearText_Click(int i) {
    txtWaterMark_Change(i, QString());
    const QRectF& cut = canvas.shaCut;
    canvas.labWaterMark[size_t(i)].topLeft =
        QPointF(float(cut.left()) + float(cut.width()) / 4 + 100, float(cut.top()) + float(cut.height()) / 2 + 100);
    refresh();
}

void EditorTextLayers::applyTextFont(int i, const std::function<void(QFont&)>& change) {
    change(canvas.labWaterMark[size_t(i)].label.font);
    if (i == 2) change(txtWaterMark2Font);
    refresh();
}

void EditorTextLayers::cobFont_Click(int i, const QString& chosen) {
    controls[size_t(i)].cobFont = chosen;
    const QString name = Trim(chosen);
    if (name.isEmpty()) return;
    applyTextFont(i, [&name](QFont& f) { f.setFamily(name); });
}

void EditorTextLayers::cobFontSize_Click(int i, const QString& chosen) {
    controls[size_t(i)].cobFontSize = chosen;
    const QString t = Trim(chosen);
    // A size that is no number, or none a font takes, changes nothing.
    if (!IsNumeric(t)) return;
    const double points = Val(t);
    if (!(points > 0 && points <= kMaxFontPoints)) return;
    canvas.labWaterMark[size_t(i)].fontPoints = points;
    applyTextFont(i, [this, points](QFont& f) { SetFontPoints(f, points, MeasuredTwipsPerPixel); });
}

void EditorTextLayers::cobFontType_Click(int i, const QString& chosen) {
    controls[size_t(i)].cobFontType = chosen;
    const QString t = Trim(chosen);
    bool bold = false;
    bool italic = false;
    if (t == QStringLiteral("常规")) {
    } else if (t == QStringLiteral("斜体")) {
        italic = true;
    } else if (t == QStringLiteral("粗体")) {
        bold = true;
    } else if (t == QStringLiteral("粗斜体")) {
        bold = italic = true;
    } else {
        return;
    }
    applyTextFont(i, [bold, italic](QFont& f) {
        f.setBold(bold);
        f.setItalic(italic);
    });
}

// A cancelled colour dialog changes nothing, as every colour dialog of the program.
void EditorTextLayers::cmdSetFontColor_Click(int i) {
    const QColor chosen = prompts::current().chooseColor(dia1Color, QStringLiteral("颜色"));
    if (!chosen.isValid()) return;
    dia1Color = chosen;
    canvas.labWaterMark[size_t(i)].label.foreColor = chosen;
    refresh();
}

void EditorTextLayers::cmdSetBackColor_Click(int i) {
    const QColor chosen = prompts::current().chooseColor(dia1Color, QStringLiteral("颜色"));
    if (!chosen.isValid()) return;
    dia1Color = chosen;
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    l.label.transparent = false;
    SetCheck(controls[size_t(i)].cheBackStyle, false, [this, i](bool v) { cheBackStyle_Click(i, v); });
    l.label.backColor = chosen;
    refresh();
}

void EditorTextLayers::cheBackStyle_Click(int i, bool ticked) {
    controls[size_t(i)].cheBackStyle = ticked;
    canvas.labWaterMark[size_t(i)].label.transparent = ticked;
    refresh();
}

void EditorTextLayers::cheBorder_Click(int i, bool ticked) {
    TextLayerControls& c = controls[size_t(i)];
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    c.cheBorder = ticked;
    l.bordered = ticked;
    // The 3-D look stays set while the border is off, and comes back with it.
    l.label.frame = FrameOf(l.bordered, l.threeD);
    c.che3DBorderEnabled = ticked;
    refresh();
}

void EditorTextLayers::che3DBorder_Click(int i, bool ticked) {
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    controls[size_t(i)].che3DBorder = ticked;
    // Only the appearance changes: the colours and the underline stay.
    l.threeD = ticked;
    l.label.frame = FrameOf(l.bordered, l.threeD);
    refresh();
}

void EditorTextLayers::cheUnderline_Click(int i, bool ticked) {
    controls[size_t(i)].cheUnderline = ticked;
    applyTextFont(i, [ticked](QFont& f) { f.setUnderline(ticked); });
}

void EditorTextLayers::cheStrikethru_Click(int i, bool ticked) {
    controls[size_t(i)].cheStrikethru = ticked;
    applyTextFont(i, [ticked](QFont& f) { f.setStrikeOut(ticked); });
}

void EditorTextLayers::labWaterMark_MouseDown(int i) {
    TextDragging[size_t(i)] = true;
    canvas.labWaterMark[size_t(i)].sizeAllPointer = true;
}

void EditorTextLayers::labWaterMark_MouseMove(int i, double x, double y) {
    if (!TextDragging[size_t(i)]) return;
    // The label's centre follows the pointer, with no bound.
    CanvasLabel& l = canvas.labWaterMark[size_t(i)];
    const QSizeF s = l.size(MeasuredTwipsPerPixel);
    l.topLeft += QPointF(x - s.width() / 2, y - s.height() / 2);
    refresh();
}

void EditorTextLayers::labWaterMark_MouseUp(int i) {
    TextDragging[size_t(i)] = false;
    canvas.labWaterMark[size_t(i)].sizeAllPointer = false;
    refresh();
}

// ---- the caption

void EditorTextLayers::imgText_Click() {
    CanvasLabel& l = canvas.labWaterMark[2];
    if (labMyText != QLatin1String("1")) {
        // Text, style and size stay for the next insertion.
        l.visible = false;
        picAddTextVisible = false;
        imgTextKey = QStringLiteral("AddText");
        labMyText = QStringLiteral("1");
        refresh();
        return;
    }
    const QRectF& cut = canvas.shaCut;
    l.autoSize = false;
    // Two thirds of the frame wide and a fifth high, each made whole millimetres by its box.
    l.fixedSize.setWidth(std::floor(cut.width() * 2 / 3));
    sliWidth = SliderValue(l.fixedSize.width());
    txtWidth_Change(QString::number(qint64(std::floor(sliWidth / twips::kPerMillimetre))));
    txtWaterMark2Width = l.fixedSize.width() + 255;
    l.fixedSize.setHeight(std::floor(cut.height() / 5));
    sliHeight = SliderValue(l.fixedSize.height());
    txtHeight_Change(QString::number(qint64(std::floor(sliHeight / twips::kPerMillimetre))));
    // The bottom-right corner, 30 twips inside the frame's.
    l.topLeft = QPointF(cut.left() + cut.width() - l.fixedSize.width() - 30,
                        cut.top() + cut.height() - l.fixedSize.height() - 30);
    l.visible = true;
    ReadTextStyle(2);
    canvas.bringToFront(CanvasLayer::Mark2);
    picAddTextVisible = true;
    imgTextKey = QStringLiteral("RemoveText");
    labMyText = QStringLiteral("0");
    refresh();
}

void EditorTextLayers::cmdCloseAddText_Click() {
    // The caption stays on the picture; the tool inserts it anew.
    picAddTextVisible = false;
    imgTextKey = QStringLiteral("AddText");
    labMyText = QStringLiteral("1");
    refresh();
}

void EditorTextLayers::txtWidth_Change(const QString& value) { captionSize(true, value); }
void EditorTextLayers::txtHeight_Change(const QString& value) { captionSize(false, value); }

void EditorTextLayers::captionSize(bool width, const QString& value) {
    QString& box = width ? txtWidth : txtHeight;
    // Each offending last character is removed, which is a change of its own: one message each.
    for (box = value; !box.isEmpty(); box.chop(1)) {
        const QString t = Trim(box);
        QString message;
        if (!IsNumeric(t)) {
            message = width ? QStringLiteral("宽度必须是数字！") : QStringLiteral("高度必须是数字！");
        } else {
            const double n = std::nearbyint(Val(t));
            if (n > kMaxMillimetres) {
                message = width ? QStringLiteral("宽度不能大于158毫米。") : QStringLiteral("高度不能大于158毫米。");
            } else {
                // A negative size holds the slider at its end, 0.
                int& slider = width ? sliWidth : sliHeight;
                slider = SliderValue(std::max(n, -1.0) * twips::kPerMillimetre);
                QSizeF& size = canvas.labWaterMark[2].fixedSize;
                if (width)
                    size.setWidth(slider);
                else
                    size.setHeight(slider);
                break;
            }
        }
        MsgBox(message, vbInformation | vbOKOnly, QStringLiteral("提示"));
    }
    refresh();
}

void EditorTextLayers::sliWidth_Scroll(int value) { captionSlider(true, value); }
void EditorTextLayers::sliHeight_Scroll(int value) { captionSlider(false, value); }

void EditorTextLayers::captionSlider(bool width, int value) {
    (width ? sliWidth : sliHeight) = value;
    // The box takes the millimetre under the thumb, and its rule snaps the slider to it.
    captionSize(width, QString::number(qint64(std::floor(value / twips::kPerMillimetre))));
    if (width) txtWaterMark2Width = canvas.labWaterMark[2].fixedSize.width() + 255;
    refresh();
}

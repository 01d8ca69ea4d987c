#include "imageeditor/outputsize.h"

#include "imageeditor/imageeditor.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vbtext.h"

using namespace vb;

namespace {

struct SizePreset {
    int width;
    int height;
};
constexpr SizePreset kPresets[] = {{600, 600}, {600, 450}, {450, 600}, {500, 500}, {500, 375},
                                   {375, 500}, {500, 250}, {350, 210}, {300, 300}, {250, 185},
                                   {150, 115}, {139, 120}, {115, 150}, {100, 100}, {80, 80}};

QString PresetText(const SizePreset& p) {
    return QString::number(p.width) + QStringLiteral("×") + QString::number(p.height) + QStringLiteral(" (像素)");
}

// The runtime's text of a single-precision number: at most seven significant digits, no trailing
// zeros.
QString SingleText(float value) { return QString::number(double(value), 'g', 7); }

constexpr int kCustomTwipsPerPixel = 15;  // a typed size converts at 15 whatever the display

QString ErrorText(const QString& message) {
    return QStringLiteral("错误：") + message.left(message.size() - 1) + QStringLiteral("，请您重新输入。");
}

}  // namespace

QStringList SizeListEntries() {
    QStringList entries;
    for (const SizePreset& p : kPresets) entries << PresetText(p);
    entries << kOtherSizeEntry;
    return entries;
}

void EditorOutputSize::SelectSizeEntry(const QString& entry) {
    cobSetSizeText = entry;
    cobSetSize_Click();  // the old runtime ran the click handler when code chose an entry
}

void EditorOutputSize::cobSetSize_Click() {
    if (!EditorLoaded) return;
    canvas.shaCutVisible = false;
    if (cobSetSizeText != kOtherSizeEntry) labOtherSize.clear();
    bool focusScroll = false;
    bool focusHeight = false;
    for (const SizePreset& p : kPresets) {
        if (cobSetSizeText == PresetText(p)) {
            canvas.shaCut.setWidth(qint16(p.width * MeasuredTwipsPerPixel));
            canvas.shaCut.setHeight(qint16(p.height * MeasuredTwipsPerPixel));
            focusScroll = true;
        }
    }
    if (cobSetSizeText == kOtherSizeEntry) {
        showMaxSizes();
        picSetSizeVisible = true;
        focusHeight = true;
    }
    placeFrame(false);
    if (focusScroll) CALL_REQUIRED_HOOK(editor.view.focusScrollBar);
    if (focusHeight) CALL_REQUIRED_HOOK(editor.view.focusHeightBox);
}

void EditorOutputSize::showMaxSizes() {
    labMaxWidth = SingleText(float(editor.layout.windowWidth - 330) / 15.0f);
    labMaxHeight = SingleText(float(editor.layout.windowHeight - 885) / 15.0f);
}

void EditorOutputSize::cmdOtherSize_Click() {
    canvas.shaCutVisible = false;
    showMaxSizes();
    picSetSizeVisible = true;
    refresh();
    CALL_REQUIRED_HOOK(editor.view.focusWidthBox);
}

void EditorOutputSize::cmdSetSizeYes_Click(const QString& txtSizeW, const QString& txtSizeH) {
    const QString w = Trim(txtSizeW);
    const QString h = Trim(txtSizeH);
    QString message;
    if (!IsNumeric(w)) message = QStringLiteral("宽度必须是数字；");
    if (!IsNumeric(h)) message += QStringLiteral("高度必须是数字；");
    if (message.isEmpty()) {
        const qint64 width = RoundHalfEven(Val(w));
        const qint64 height = RoundHalfEven(Val(h));
        // A frame of no pixels cannot be saved; such a size is refused like one too large.
        if (width <= 0)
            message = QStringLiteral("宽度必须大于0；");
        else if (RoundHalfEven(Val(labMaxWidth)) < width)
            message = QStringLiteral("宽度不能大于") + labMaxWidth + QStringLiteral("；");
        if (height <= 0)
            message += QStringLiteral("高度必须大于0；");
        else if (RoundHalfEven(Val(labMaxHeight)) < height)
            message += QStringLiteral("高度不能大于") + labMaxHeight + QStringLiteral("；");
    }
    if (!message.isEmpty()) {
        MsgBox(ErrorText(message), vbExclamation, QStringLiteral("错误提示"));
        return;
    }
    canvas.shaCutVisible = false;
    labOtherSize = w + QStringLiteral("×") + h + QStringLiteral(" (像素)");
    SelectSizeEntry(kOtherSizeEntry);
    picSetSizeVisible = false;
    labW = w;
    labH = h;
    canvas.shaCut.setHeight(double(RoundHalfEven(Val(h)) * kCustomTwipsPerPixel));
    canvas.shaCut.setWidth(double(RoundHalfEven(Val(w)) * kCustomTwipsPerPixel));
    placeFrame(true);
}

void EditorOutputSize::cmdSetSizeCancel_Click() {
    picSetSizeVisible = false;
    canvas.shaCutVisible = true;
    refresh();
}

void EditorOutputSize::placeFrame(bool raiseNegative) {
    QRectF& cut = canvas.shaCut;
    cut.moveLeft((canvas.width - cut.width()) / 2);
    cut.moveTop((canvas.height - cut.height()) / 2);
    if (raiseNegative) {
        if (cut.left() < 0) cut.moveLeft(0);
        if (cut.top() < 0) cut.moveTop(0);
    }
    canvas.imgBorder.rect = cut;
    editor.layers.centreCanvas();
    canvas.shaCutVisible = true;
    editor.layers.pullNoticeInsideFrame();
    refresh();
}

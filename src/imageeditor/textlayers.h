#pragma once
// The image editor's text layers: the two text watermarks with their panel, and the caption with
// its panel and size rules.
#include "imageeditor/editorpart.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

struct CanvasLabel;

// The font lists' names: the screen fonts less those whose upper-case name holds "CPI" or "POINT".
QStringList EditorFontNames();

// The controls of one index of the text-layer panels: 0 and 1 the watermarks' rows, 2 the caption's.
struct TextLayerControls {
    QString txtWaterMark;
    QString cobFont;
    QString cobFontSize;
    QString cobFontType;
    bool cheBackStyle = true;  // "无背景色"
    bool cheBorder = false;
    bool che3DBorder = false;
    bool che3DBorderEnabled = false;
    bool cheUnderline = false;
    bool cheStrikethru = false;
};

// The text layers' initial looks: the watermarks' and the caption's labels as each load sets them.
void SetInitialTextLook(CanvasLabel& label, int index, int twipsPerPixel);
// A font size as the lists write it: a decimal number without trailing zeros.
QString FontSizeText(double points);

class EditorTextLayers : public ImageEditorPart {
public:
    explicit EditorTextLayers(ImageEditorController& owner) : ImageEditorPart(owner) {}

    // The panels' controls by index (2: the caption's) and the caption's size controls.
    std::array<TextLayerControls, 3> controls;
    std::array<bool, 3> TextDragging{};
    QFont txtWaterMark2Font;          // the caption's text box types in the caption's font
    double txtWaterMark2Width = 4800;  // twips
    QString txtWidth = QStringLiteral("0");
    QString txtHeight = QStringLiteral("0");
    int sliWidth = 0;
    int sliHeight = 0;
    // The colour dialog's colour: the last one chosen in it.
    QColor dia1Color = Qt::black;
    // The panels, hidden at design.
    bool picAddTextVisible = false;
    bool picSetWaterMarkVisible = false;
    // The caption tool's imgButton key: the action of its next click.
    QString imgTextKey = QStringLiteral("AddText");
    // Hidden labels with their values at load.
    QString labTemp = QStringLiteral("Temp");
    QString labMyText = QStringLiteral("1");

    // Start-up: each label's initial look, the caption's text box in the caption's font.
    void setInitialLooks();
    // The watermark panel shows again after a save, crop or merge when the member left it open.
    void reopenWatermarkPanel();
    // After a crop the watermarks with text show again, and the caption with its panel when it
    // was inserted.
    void showAfterCrop();
    // After a merge the watermarks lose their texts, keep their styles and go back to their
    // starting places; the caption, when inserted, is cleared and removed.
    void clearWatermarksAfterMerge();
    void removeCaptionAfterMerge();

    // The text watermarks and the caption share the handlers of one index each (0 to 2). A text or
    // check box set in code runs its handler at once; a slider set in code runs nothing; a
    // drop-down acts on a choice from its list only.
    void imgAddWaterMark_Click();
    void cmdCloseWaterMark_Click();
    void ReadTextStyle(int i);
    void txtWaterMark_Change(int i, const QString& value);
    void cmdClearText_Click(int i);
    void cobFont_Click(int i, const QString& chosen);
    void cobFontSize_Click(int i, const QString& chosen);
    void cobFontType_Click(int i, const QString& chosen);
    void cmdSetFontColor_Click(int i);
    void cmdSetBackColor_Click(int i);
    void cheBackStyle_Click(int i, bool ticked);
    void cheBorder_Click(int i, bool ticked);
    void che3DBorder_Click(int i, bool ticked);
    void cheUnderline_Click(int i, bool ticked);
    void cheStrikethru_Click(int i, bool ticked);
    // Positions are twips from the label's top-left corner.
    void labWaterMark_MouseDown(int i);
    void labWaterMark_MouseMove(int i, double x, double y);
    void labWaterMark_MouseUp(int i);
    // The caption.
    void imgText_Click();
    void cmdCloseAddText_Click();
    void txtWidth_Change(const QString& value);
    void txtHeight_Change(const QString& value);
    void sliWidth_Scroll(int value);
    void sliHeight_Scroll(int value);

private:
    void captionSize(bool width, const QString& value);
    void captionSlider(bool width, int value);
    void applyTextFont(int i, const std::function<void(QFont&)>& change);
    void placeWatermark(int i);
};

#pragma once
// The image editor frm图像编辑 apart from its window: one editor made of parts that each hold one
// concern (the canvas and its layers, the window around it, the output size, the tools, the text
// layers, loading and saving). The window talks to the editor alone, which hands each call to
// the part that holds it; the window only shows this state and passes the member's input in.
#include "imageeditor/editorcanvas.h"
#include "imageeditor/editorfiles.h"
#include "imageeditor/editorlayout.h"
#include "imageeditor/editortools.h"
#include "imageeditor/outputsize.h"
#include "imageeditor/textlayers.h"

#include <QString>

#include <functional>

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct ImageEditorView {
    // Shows the controller's state: caption, list and labels, panels, scroll bar, canvas.
    std::function<void()> refresh;
    // Focus with the whole text selected.
    std::function<void()> focusWidthBox;   // txtSizeW
    std::function<void()> focusHeightBox;  // txtSizeH
    std::function<void()> focusScrollBar;  // vscr1
    std::function<void()> focusWatermarkBox;  // txtWaterMark(0)
    // The width of img500p in twips: a picture 500 pixels wide shown unstretched.
    std::function<double()> measureImg500p;
    // The close picture's click: the window unloads.
    std::function<void()> unload;
    // Start-up sends the left (1) and the top (2) strip's browser to its page.
    std::function<void(int strip, const QString& address)> navigateAd;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("refresh", bool(refresh));
        f("focusWidthBox", bool(focusWidthBox));
        f("focusHeightBox", bool(focusHeightBox));
        f("focusScrollBar", bool(focusScrollBar));
        f("focusWatermarkBox", bool(focusWatermarkBox));
        f("measureImg500p", bool(measureImg500p));
        f("unload", bool(unload));
        f("navigateAd", bool(navigateAd));
    }
};

class ImageEditorController {
public:
    ImageEditorController() = default;
    // The parts belong to the editor that made them: an editor is assigned, never copied.
    ImageEditorController(const ImageEditorController&) = delete;
    ImageEditorController& operator=(const ImageEditorController&) = default;

    ImageEditorView view;
    // The canvas first: the other parts hold its canvas from their start.
    EditorLayers layers;
    EditorLayout layout{*this};
    EditorOutputSize output{*this};
    EditorTools tools{*this};
    EditorTextLayers text{*this};
    EditorFiles files{*this};

    // Start-up after the window has its size: the measured scale, the hosted-space flag, the canvas
    // height, the 600 × 450 frame centred, the canvas centred, the list on its second entry.
    void Form_Load();

    // What the window calls, each handed to the part that holds it.
    void tooPic_ButtonClick(const QString& key) { files.tooPic_ButtonClick(key); }

    void cobSetSize_Click() { output.cobSetSize_Click(); }
    void cmdOtherSize_Click() { output.cmdOtherSize_Click(); }
    void cmdSetSizeYes_Click(const QString& txtSizeW, const QString& txtSizeH) {
        output.cmdSetSizeYes_Click(txtSizeW, txtSizeH);
    }
    void cmdSetSizeCancel_Click() { output.cmdSetSizeCancel_Click(); }

    void picFrame_Resize(double width, double height) { layout.picFrame_Resize(width, height); }
    void picBack_Click() { layout.picBack_Click(); }
    void TimerAD_Timer() { layout.TimerAD_Timer(); }
    void imgAD_Click(int index) { layout.imgAD_Click(index); }
    void cmdHelp_Click() { layout.cmdHelp_Click(); }
    void cmdCloseHelp_Click() { layout.cmdCloseHelp_Click(); }

    void MovePicture(MoveDirection direction) { tools.MovePicture(direction); }
    void imgZoomIn_Click() { tools.imgZoomIn_Click(); }
    void imgZoomOut_Click() { tools.imgZoomOut_Click(); }
    void sli1_Scroll(int value) { tools.sli1_Scroll(value); }
    void imgPic_MouseDown() { tools.imgPic_MouseDown(); }
    void imgPic_MouseMove(double x, double y) { tools.imgPic_MouseMove(x, y); }
    void imgPic_MouseUp() { tools.imgPic_MouseUp(); }
    void imgCutPic_Click() { tools.imgCutPic_Click(); }
    void imgSetBorder_Click() { tools.imgSetBorder_Click(); }
    void imgSetAddPic_Click() { tools.imgSetAddPic_Click(); }
    void chePicBorder_Click(bool ticked) { tools.chePicBorder_Click(ticked); }
    void imgAddPic_MouseDown() { tools.imgAddPic_MouseDown(); }
    void imgAddPic_MouseMove(double x, double y) { tools.imgAddPic_MouseMove(x, y); }
    void imgAddPic_MouseUp() { tools.imgAddPic_MouseUp(); }
    void imgHBPic_Click() { tools.imgHBPic_Click(); }

    void imgAddWaterMark_Click() { text.imgAddWaterMark_Click(); }
    void cmdCloseWaterMark_Click() { text.cmdCloseWaterMark_Click(); }
    void txtWaterMark_Change(int i, const QString& value) { text.txtWaterMark_Change(i, value); }
    void cmdClearText_Click(int i) { text.cmdClearText_Click(i); }
    void cobFont_Click(int i, const QString& chosen) { text.cobFont_Click(i, chosen); }
    void cobFontSize_Click(int i, const QString& chosen) { text.cobFontSize_Click(i, chosen); }
    void cobFontType_Click(int i, const QString& chosen) { text.cobFontType_Click(i, chosen); }
    void cmdSetFontColor_Click(int i) { text.cmdSetFontColor_Click(i); }
    void cmdSetBackColor_Click(int i) { text.cmdSetBackColor_Click(i); }
    void cheBackStyle_Click(int i, bool ticked) { text.cheBackStyle_Click(i, ticked); }
    void cheBorder_Click(int i, bool ticked) { text.cheBorder_Click(i, ticked); }
    void che3DBorder_Click(int i, bool ticked) { text.che3DBorder_Click(i, ticked); }
    void cheUnderline_Click(int i, bool ticked) { text.cheUnderline_Click(i, ticked); }
    void cheStrikethru_Click(int i, bool ticked) { text.cheStrikethru_Click(i, ticked); }
    void labWaterMark_MouseDown(int i) { text.labWaterMark_MouseDown(i); }
    void labWaterMark_MouseMove(int i, double x, double y) { text.labWaterMark_MouseMove(i, x, y); }
    void labWaterMark_MouseUp(int i) { text.labWaterMark_MouseUp(i); }
    void imgText_Click() { text.imgText_Click(); }
    void cmdCloseAddText_Click() { text.cmdCloseAddText_Click(); }
    void txtWidth_Change(const QString& value) { text.txtWidth_Change(value); }
    void txtHeight_Change(const QString& value) { text.txtHeight_Change(value); }
    void sliWidth_Scroll(int value) { text.sliWidth_Scroll(value); }
    void sliHeight_Scroll(int value) { text.sliHeight_Scroll(value); }
};

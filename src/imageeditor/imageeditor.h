#pragma once
// The image editor frm图像编辑 apart from its window: the canvas in twips with its layers, the one
// painting routine that draws it (on screen and into the saved picture), start-up, Open, Save and
// the output-size frame. The window only shows this state and passes the member's input in.
#include "foundation/adcarousel.h"
#include "imaging/overlaypainting.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class QPainter;

// A picture laid on the canvas: its place and size in twips, shown or not. An opened JPEG holds
// only the pixels painted so far: decoded at the smallest DCT scale that covers them, from
// reducedFrom, until a paint at a larger size needs more (a 12-megapixel photo fitted into the
// frame is never decoded whole).
struct CanvasPicture {
    QImage picture;
    QRectF rect;
    bool visible = false;
    QString reducedFrom;  // the JPEG file while picture holds fewer pixels than it has
    QSize natural;        // the picture's own size while reducedFrom is set
    // The picture's own size in pixels, whatever it holds now.
    QSize pixelSize() const { return reducedFrom.isEmpty() ? picture.size() : natural; }
    // A picture of its own, held whole.
    void setPicture(const QImage& whole);
    // Decodes more of a reduced JPEG when a paint of that many pixels needs it.
    void cover(QSizeF pixels);
};

// A text label on the canvas, drawn by the shared label renderer. The renderer's font carries the
// name, style and pixel size; the label keeps what it is set in (points, the border and its 3-D
// appearance apart, its fixed size in twips).
struct CanvasLabel {
    OverlayLabel label;
    QPointF topLeft;  // twips
    bool visible = false;
    double fontPoints = 9;
    bool bordered = false;      // BorderStyle
    bool threeD = false;        // Appearance: the border drawn sunken; kept while the border is off
    bool autoSize = true;       // sized to its text; else fixedSize
    QSizeF fixedSize;           // twips
    bool sizeAllPointer = false;
    // Its size in twips at the display's scale.
    QSizeF size(double twipsPerPixel) const;
};

// The overlays that change places in the stack when one of them is laid.
enum class CanvasLayer { Border, AddPic, Mark0, Mark1, Mark2, Notice };
// What lies under a point of the canvas: an overlay, the base picture or the bare canvas.
enum class CanvasHit { None, Base, Border, AddPic, Mark0, Mark1, Mark2, Notice };

// The canvas picPic and what lies on it, in twips: the base picture at the bottom, the overlays in
// stack order above it, the frame line on top.
struct EditorCanvas {
    double width = 0;
    double height = 0;
    double top = 0;                 // inside the viewport; the scroll bar's value is minus it
    CanvasPicture imgPic;           // the base picture
    bool imgPicStretch = false;     // shown at rect's size rather than its own
    QRectF shaCut{60, 60, 7500, 7500};
    bool shaCutVisible = true;
    CanvasPicture imgBorder;        // always given the frame's rectangle
    CanvasPicture imgAddPic;
    bool imgAddPicBorder = false;   // chePicBorder: a single line around the inserted picture
    std::array<CanvasLabel, 3> labWaterMark;  // two text watermarks and the caption
    QRectF labUsePicRect{720, 4140, 900, 735};
    bool labUsePicVisible = false;
    // Bottom to top; the design's order until an overlay is brought to the front.
    std::array<CanvasLayer, 6> stack{CanvasLayer::Border, CanvasLayer::AddPic, CanvasLayer::Mark0,
                                     CanvasLayer::Mark1,  CanvasLayer::Mark2,  CanvasLayer::Notice};
    void bringToFront(CanvasLayer layer);
    // The topmost shown thing under the point (twips), as the mouse finds it.
    CanvasHit hitTest(const QPointF& point, double twipsPerPixel) const;
};

// The notice shown to a member without hosted space in place of the inserted picture.
QString UsePicNotice();
// The canvas ground: the platform's application-workspace colour.
QColor WorkspaceColor();

// Paints the canvas with its top-left corner at the painter's origin, twipsPerPixel twips to a
// pixel. The base picture is scaled only where it shows inside the painter's clip (and decoded
// further first when it holds fewer pixels than it shows).
void PaintCanvas(QPainter& painter, EditorCanvas& canvas, double twipsPerPixel, bool withFrameLine);
// The frame region as a picture, without the frame line: its left, top, width and height each
// converted at twipsPerPixel and rounded half to even. Empty for a frame of no pixels. A base
// picture holding fewer pixels than the frame shows gets its part in the frame decoded for this
// render alone (the canvas keeps what it holds).
QImage RenderFrameRegion(EditorCanvas& canvas, int twipsPerPixel);

// The fifteen presets and the custom entry of cobSetSize, in list order.
QStringList SizeListEntries();
inline const QString kOtherSizeEntry = QStringLiteral("其它大小");

// The font lists' names: the screen fonts less those whose upper-case name holds "CPI" or "POINT".
QStringList EditorFontNames();

// Loads a GIF (first frame), JPEG, BMP, PNG or ICO file as it is stored (no EXIF turn). A null
// picture for anything else, a missing or unreadable file, or one past the picture size bound.
QImage LoadEditorPicture(const QString& path);
// The same file as Open lays it on the canvas: a JPEG by its header alone, its pixels decoded when
// a paint needs them. An empty pixelSize() where LoadEditorPicture gives a null picture.
CanvasPicture OpenEditorPicture(const QString& path);

// The shipped border the border chooser starts from.
QString ShippedBorderFile();

// The address of an advertisement page of the editor ("picedit1.html", "picedit2.html") in the
// week's folder on the advertisement host, with the member's keys and the client version.
QString EditorAdAddress(const QString& page, const QDate& today);

// The help panel's lines, top to bottom: the title, then steps and notes (notes are red).
struct HelpLine {
    QString text;
    bool note = false;
};
const std::array<HelpLine, 13>& HelpLines();

// Where the work area's resize puts things (twips); the window shows it.
struct WorkAreaLayout {
    double viewportWidth = 0;   // picPic1
    double viewportHeight = 0;
    double vscr1Left = 0;       // in the viewport
    qint16 vscr1Max = 0;
    double tooPicWidth = 0;
    // The advertisement strips follow the work area.
    double picAD1Height = 0;
    double Picture8Top = 0;
    double webAD1Height = 0;
    double picAD2Width = 0;
    double Picture9Left = 0;
    double webAD2Width = 0;
};

enum class MoveDirection { Up, Down, Left, Right };

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
    ImageEditorView view;
    EditorCanvas canvas;

    // The window's outer size and the viewport's size, in twips; the window keeps them current.
    double windowWidth = 15480;
    double windowHeight = 11190;
    double viewportHeight = 8385 - 405;

    qint16 MeasuredTwipsPerPixel = 15;
    bool HasHostedSpace = true;
    bool EditorLoaded = false;
    // The grab renders offscreen, so nothing moves around it: these stay idle, and the layout
    // still honours the first.
    bool LayoutSuspended = false;
    std::array<std::array<qint32, 2>, 7> SavedWorkAreaLayout{};

    QString caption = QStringLiteral("图像编辑");
    QString cobSetSizeText;
    int sli1 = 0;  // the zoom slider's value
    // The panels, hidden at design.
    bool picSetSizeVisible = false;
    bool picAddTextVisible = false;
    bool picSetWaterMarkVisible = false;
    bool picHelpVisible = false;
    // Hidden labels with their values at load.
    QString labTemp = QStringLiteral("Temp");
    QString labBorder = QStringLiteral("1");
    QString labMyText = QStringLiteral("1");
    QString labPicture = QStringLiteral("1");
    QString labOpenPath;
    QString labSavePath;
    QString labImgW = QStringLiteral("W");
    QString labImgH = QStringLiteral("H");
    QString labOtherSize;
    QString labW;
    QString labH;
    QString labMaxWidth = QStringLiteral("600");
    QString labMaxHeight = QStringLiteral("600");
    QString labBorderPath;

    // The tools' own state.
    QString cobMoveStepText = QStringLiteral("2");  // millimetres
    QString cobStepText = QStringLiteral("1.1");    // the zoom factor
    bool PictureDragging = false;
    bool CropInProgress = false;
    bool InsertDragging = false;
    bool chePicBorderVisible = false;
    bool chePicBorder = false;
    // The imgButton keys the tools show: the action of their next click.
    QString imgSetBorderKey = QStringLiteral("AddBorder");
    QString imgSetAddPicKey = QStringLiteral("AddPicture");
    QString imgTextKey = QStringLiteral("AddText");
    // The text layers' panels (index 2: the caption's controls) and the caption's size controls.
    std::array<TextLayerControls, 3> text;
    std::array<bool, 3> TextDragging{};
    QFont txtWaterMark2Font;          // the caption's text box types in the caption's font
    double txtWaterMark2Width = 4800;  // twips
    QString txtWidth = QStringLiteral("0");
    QString txtHeight = QStringLiteral("0");
    int sliWidth = 0;
    int sliHeight = 0;
    // The colour dialog's colour: the last one chosen in it.
    QColor dia1Color = Qt::black;
    // The name the file chooser dia1 holds last: Open and both picture choosers share it.
    QString dia1FileName;

    WorkAreaLayout work;
    // The advertisement strips: the left one pages sideways, the top one downwards.
    AdCarousel adLeft{2115, -30};
    AdCarousel adTop{1830, -30};

    // Start-up after the window has its size: the measured scale, the hosted-space flag, the canvas
    // height, the 600 × 450 frame centred, the canvas centred, the list on its second entry.
    void Form_Load();

    // The toolbar: "Open" and "Save"; any other key does nothing.
    void tooPic_ButtonClick(const QString& key);
    void Open();
    void Save();

    // The size list's choice (its current text in cobSetSizeText), as the member's click.
    void cobSetSize_Click();
    void SelectSizeEntry(const QString& entry);
    void cmdOtherSize_Click();
    void cmdSetSizeYes_Click(const QString& txtSizeW, const QString& txtSizeH);
    void cmdSetSizeCancel_Click();

    // What enlarging the work area for a grab leaves behind: the caption, text-watermark,
    // custom-size and help panels end hidden. Restoring shows the rest as it was.
    void EnlargeWorkArea();
    void RestoreWorkArea();
    // The frame region with every visible overlay, as the grab gives it (between the two above).
    QImage GrabFrameRegion();

    // The work area's resize (picFrame_Resize): viewport, scroll bar, toolbar, the frame and the
    // picture centred across, the border and notice on the frame, the strips.
    void picFrame_Resize(double width, double height);
    // The move tools: one step of cobMoveStep millimetres.
    void MovePicture(MoveDirection direction);
    void imgZoomIn_Click();
    void imgZoomOut_Click();
    // The member's move of the zoom slider (a value set in code runs nothing).
    void sli1_Scroll(int value);
    // Dragging the base picture; positions are twips from the picture's top-left corner.
    void imgPic_MouseDown();
    void imgPic_MouseMove(double x, double y);
    void imgPic_MouseUp();
    void imgCutPic_Click();
    void picBack_Click();

    void imgSetBorder_Click();
    void imgSetAddPic_Click();
    void chePicBorder_Click(bool ticked);
    void imgAddPic_MouseDown();
    void imgAddPic_MouseMove(double x, double y);
    void imgAddPic_MouseUp();

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
    // Merging the layers into the base picture.
    void imgHBPic_Click();

    // The advertisement strips and the help panel.
    void TimerAD_Timer();
    void imgAD_Click(int index);
    void cmdHelp_Click();
    void cmdCloseHelp_Click();

private:
    void captionSize(bool width, const QString& value);
    void captionSlider(bool width, int value);
    void applyTextFont(int i, const std::function<void(QFont&)>& change);
    void placeWatermark(int i);
    void zoom(bool in);
    void centrePicture();
    void pullNoticeInsideFrame();
    void placeFrame(bool raiseNegative);
    void centreCanvas();
    void showMaxSizes();
    void refresh();
};

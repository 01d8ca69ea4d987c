#pragma once
// The image editor window: advertisement strips, the work area with its toolbar, tool column and
// canvas, the panels, the status bar. Everything it shows is the controller's state.
#include "imageeditor/imageeditor.h"
#include "platform/defaultinstance.h"

#include <QDialog>

#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QAction;
class QMouseEvent;
class QCheckBox;
class QPlainTextEdit;
class QSlider;
class QTimer;
class ClickableLabel;
class WebBrowser;

// The canvas picPic: paints the controller's canvas and passes the mouse to what lies under it
// (the base picture, the inserted picture); the pressed one keeps the mouse until the release.
class EditorCanvasWidget : public QWidget {
public:
    EditorCanvasWidget(ImageEditorController& editor, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF twipsAt(const QMouseEvent* event) const;
    void showPointer(const QPointF& at);
    ImageEditorController& m_editor;
    CanvasHit m_pressed = CanvasHit::None;
};

// No Q_OBJECT: moc cannot read the alias below.
class ImageEditorWindow : public QDialog, public DefaultInstance<ImageEditorWindow> {
public:
    explicit ImageEditorWindow(QWidget* parent = nullptr);

    ImageEditorController editor;

    QWidget* picAD1 = nullptr;
    QWidget* picAD2 = nullptr;
    WebBrowser* webAD1 = nullptr;
    WebBrowser* webAD2 = nullptr;
    QWidget* Picture8 = nullptr;
    QWidget* Picture9 = nullptr;
    std::array<ClickableLabel*, 4> imgAD{};  // previous and next of the left strip, then of the top
    QLabel* labADPage1 = nullptr;
    QLabel* labADPage2 = nullptr;
    QTimer* TimerAD = nullptr;
    QWidget* picFrame = nullptr;
    QGroupBox* fraWebTools = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cobSetSize = nullptr;
    QPushButton* cmdOtherSize = nullptr;
    QLabel* labOtherSize = nullptr;
    // The tools: pictures used as buttons, most with a caption beside them that acts as the button.
    ClickableLabel* imgUp = nullptr;
    ClickableLabel* imgDown = nullptr;
    ClickableLabel* imgLeft = nullptr;
    ClickableLabel* imgRight = nullptr;
    QComboBox* cobMoveStep = nullptr;
    ClickableLabel* imgZoomIn = nullptr;
    ClickableLabel* imgZoomOut = nullptr;
    QComboBox* cobStep = nullptr;
    QSlider* sli1 = nullptr;
    ClickableLabel* imgCutPic = nullptr;
    ClickableLabel* imgSetBorder = nullptr;
    ClickableLabel* imgSetAddPic = nullptr;
    QCheckBox* chePicBorder = nullptr;
    ClickableLabel* imgAddWaterMark = nullptr;
    ClickableLabel* imgText = nullptr;
    ClickableLabel* imgHBPic = nullptr;
    QToolBar* tooPic = nullptr;
    QAction* tooPicOpen = nullptr;  // key "Open"
    QAction* tooPicSave = nullptr;  // key "Save"
    ClickableLabel* cmdHelp = nullptr;
    ClickableLabel* picBack = nullptr;
    QWidget* picPic1 = nullptr;
    EditorCanvasWidget* picPic = nullptr;
    QScrollBar* vscr1 = nullptr;
    QFrame* picSetSize = nullptr;
    QLineEdit* txtSizeW = nullptr;
    QLineEdit* txtSizeH = nullptr;
    QLabel* labMaxWidth = nullptr;
    QLabel* labMaxHeight = nullptr;
    QPushButton* cmdSetSizeYes = nullptr;
    QPushButton* cmdSetSizeCancel = nullptr;
    QFrame* picAddText = nullptr;
    QFrame* picSetWaterMark = nullptr;
    QFrame* picHelp = nullptr;
    std::array<QLabel*, 13> Label10{};
    QLabel* Image1 = nullptr;  // the Open picture beside the help's first step
    QLabel* Image2 = nullptr;  // the Save picture beside its last
    QPushButton* cmdCloseHelp = nullptr;
    ClickableLabel* picCloseHelp = nullptr;
    // The text layers' controls by index: 0 and 1 in the watermark panel, 2 in the caption panel
    // (no title, clear button or text box of one line there).
    std::array<QLabel*, 2> Label19{};
    std::array<QLineEdit*, 2> txtWaterMarkLine{};  // txtWaterMark(0), txtWaterMark(1)
    QPlainTextEdit* txtWaterMark2 = nullptr;        // txtWaterMark(2)
    std::array<QPushButton*, 2> cmdClearText{};
    std::array<QComboBox*, 3> cobFont{};
    std::array<QComboBox*, 3> cobFontSize{};
    std::array<QComboBox*, 3> cobFontType{};
    std::array<QPushButton*, 3> cmdSetFontColor{};
    std::array<QPushButton*, 3> cmdSetBackColor{};
    std::array<QCheckBox*, 3> cheBackStyle{};
    std::array<QCheckBox*, 3> cheBorder{};
    std::array<QCheckBox*, 3> che3DBorder{};
    std::array<QCheckBox*, 3> cheUnderline{};
    std::array<QCheckBox*, 3> cheStrikethru{};
    QLabel* labWaterMarkHint = nullptr;
    QPushButton* cmdCloseWaterMark = nullptr;
    QLabel* Label21 = nullptr;
    QLineEdit* txtWidth = nullptr;
    QLineEdit* txtHeight = nullptr;
    QSlider* sliWidth = nullptr;
    QSlider* sliHeight = nullptr;
    QPushButton* cmdCloseAddText = nullptr;
    QStatusBar* staPicInfo = nullptr;

    // The window's outer size in twips: its client area plus the design's border and caption bar.
    double outerWidthTwips() const;
    double outerHeightTwips() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void cobSetSize_Click();
    void cmdSetSizeYes_Click();
    void vscr1_Change(int value);
    // The controls, built to the design.
    void buildAdStrips();
    void buildWorkArea();
    void buildSizePanel();
    void buildTools();
    void buildHelp();
    void buildTextPanels();
    void buildStyleControls(int i, QWidget* panel, int left, int top, int checksLeft, int checksTop);
    // The view's hooks, one member function each.
    void wireView();
    void focusWidthBox();
    void focusHeightBox();
    void focusScrollBar();
    void focusWatermarkBox();
    double measureImg500p() const;
    void navigateAd(int strip, const QString& address);
    // The controls' events, each handed to the editor.
    void wireWorkArea();
    void wireTools();
    void wireTextPanels();
    void wireStyleControls(int i);
    void showTextLayers();
    void showState();
    bool m_showing = false;
};
using frm图像编辑 = ImageEditorWindow;  // 图像编辑 image editor

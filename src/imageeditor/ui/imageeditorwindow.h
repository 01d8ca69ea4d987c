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

// The canvas picPic: paints the controller's canvas.
class EditorCanvasWidget : public QWidget {
public:
    EditorCanvasWidget(const ImageEditorController& editor, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ImageEditorController& m_editor;
};

// No Q_OBJECT: moc cannot read the alias below.
class ImageEditorWindow : public QDialog, public DefaultInstance<ImageEditorWindow> {
public:
    explicit ImageEditorWindow(QWidget* parent = nullptr);

    ImageEditorController editor;

    QWidget* picAD1 = nullptr;
    QWidget* picAD2 = nullptr;
    QWidget* picFrame = nullptr;
    QGroupBox* fraWebTools = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cobSetSize = nullptr;
    QPushButton* cmdOtherSize = nullptr;
    QLabel* labOtherSize = nullptr;
    QToolBar* tooPic = nullptr;
    QAction* tooPicOpen = nullptr;  // key "Open"
    QAction* tooPicSave = nullptr;  // key "Save"
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
    std::array<QComboBox*, 3> cobFont{};
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
    void vscr1_Change(int value);
    void showState();
    bool m_showing = false;
};
using frm图像编辑 = ImageEditorWindow;  // 图像编辑 image editor

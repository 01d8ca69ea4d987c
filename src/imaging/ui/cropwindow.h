#pragma once
// CropWindow: cuts a rectangle of a fixed size out of a larger picture. The member zooms, moves
// and turns the picture under a fixed red dashed frame, may preview the cut, and confirms. Its
// logic and arithmetic live in imaging/cropdialog.h and imaging/cropgeometry.h.
#include "imaging/cropdialog.h"

#include <QDialog>
#include <QImage>

class ClickableLabel;
class PreviewBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;

// The picture on the canvas, stretched to its own size; repaints from a scaled copy cached for
// the current size, so dragging and zooming never rescale the full-size source.
class CropPicture : public QWidget {
public:
    explicit CropPicture(QWidget* parent) : QWidget(parent) {}
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    std::function<void(QMouseEvent*)> onMouseDown, onMouseMove, onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QImage m_picture;
    QImage m_scaled;
};

// The red dashed crop frame; clicks go through it to the picture.
class CropFrame : public QWidget {
public:
    explicit CropFrame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// No Q_OBJECT: no signals or slots of its own.
class CropWindow : public QDialog {
public:
    explicit CropWindow(QWidget* parent = nullptr);

    QWidget* picFrame = nullptr;
    QWidget* picPic = nullptr;
    CropPicture* imgPic = nullptr;
    CropFrame* shaCut = nullptr;
    QLabel* imgViewSelect = nullptr;
    QScrollBar* scrW = nullptr;
    QScrollBar* scrH = nullptr;
    QComboBox* cobStep = nullptr;
    QComboBox* cobMoveStep = nullptr;
    QSlider* sli1 = nullptr;
    ClickableLabel* imgZoomIn = nullptr;
    ClickableLabel* imgZoomOut = nullptr;
    ClickableLabel* imgLeft = nullptr;
    ClickableLabel* imgRight = nullptr;
    ClickableLabel* imgUp = nullptr;
    ClickableLabel* imgDown = nullptr;
    ClickableLabel* imgAutoFit = nullptr;
    ClickableLabel* imgNotAutoFit = nullptr;
    ClickableLabel* imgView = nullptr;
    ClickableLabel* imgCancelView = nullptr;
    QPushButton* cmdLeft = nullptr;
    QPushButton* cmdRight = nullptr;
    QPushButton* cmdOK = nullptr;
    QWidget* picWaiting = nullptr;
    QLabel* labInstruction = nullptr;
    // The scratch preview box (picPreview, picBackColor) the quarter turns go through; hidden.
    PreviewBox* previewBox = nullptr;

    CropDialogController& logic() { return m_logic; }

    void Form_Load();
    void cmdOK_Click();
    void cmdLeft_Click();
    void cmdRight_Click();
    void imgZoomIn_Click();
    void imgZoomOut_Click();
    void imgLeft_Click();
    void imgRight_Click();
    void imgUp_Click();
    void imgDown_Click();
    void imgAutoFit_Click();
    void imgNotAutoFit_Click();
    void imgView_Click();
    void imgCancelView_Click();
    // X and Y in twips within the picture.
    void imgPic_MouseDown(double X, double Y);
    void imgPic_MouseMove(double X, double Y);
    void imgPic_MouseUp();
    void scrW_Change();
    void scrH_Change();
    void sli1_Scroll();

private:
    void buildControls();
    void connectHandlers();
    CropDialogView makeView();
    // The view's hooks.
    void place(const CropGeometry& g);
    void showPicture(const QImage& picture);
    QImage turnedPreview(const QImage& unturned, int degrees);
    void setFrameVisible(bool shown);
    void maximise();
    void move(int dx, int dy);
    void zoom(bool in);
    void quarterTurn(QPushButton* button, int direction);

    CropDialogController m_logic;
};
using frm图像剪裁 = CropWindow;  // 图像剪裁 crop dialog

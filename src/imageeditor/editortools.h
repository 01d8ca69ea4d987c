#pragma once
// The image editor's tool column: moving, zooming and dragging the picture, the crop, the border,
// the inserted picture and merging the layers into the base picture.
#include "imageeditor/editorpart.h"

#include <QString>

// The shipped border the border chooser starts from.
QString ShippedBorderFile();

enum class MoveDirection { Up, Down, Left, Right };

class EditorTools : public ImageEditorPart {
public:
    explicit EditorTools(ImageEditorController& owner) : ImageEditorPart(owner) {}

    bool HasHostedSpace = true;
    QString cobMoveStepText = QStringLiteral("2");  // millimetres
    QString cobStepText = QStringLiteral("1.1");    // the zoom factor
    int sli1 = 0;  // the zoom slider's value
    bool PictureDragging = false;
    bool CropInProgress = false;
    bool InsertDragging = false;
    bool chePicBorderVisible = false;
    bool chePicBorder = false;
    // The imgButton keys the tools show: the action of their next click.
    QString imgSetBorderKey = QStringLiteral("AddBorder");
    QString imgSetAddPicKey = QStringLiteral("AddPicture");
    // Hidden labels with their values at load.
    QString labBorder = QStringLiteral("1");
    QString labPicture = QStringLiteral("1");
    QString labBorderPath;

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

    void imgSetBorder_Click();
    void imgSetAddPic_Click();
    void chePicBorder_Click(bool ticked);
    void imgAddPic_MouseDown();
    void imgAddPic_MouseMove(double x, double y);
    void imgAddPic_MouseUp();
    // Merging the layers into the base picture.
    void imgHBPic_Click();

private:
    void zoom(bool in);
    void centrePicture();
};

#pragma once
// PicturePreparationWindow: the borderless worker that turns the picture the main window's labels
// name into the member's temp.jpg. It shows the laid-out composition while it works, writes the
// files on its one timer tick and closes itself; the modal result says whether temp.jpg was
// written. Its logic lives in imaging/picturepreparation.h.
#include "imaging/picturepreparation.h"

#include <QDialog>

class OverlayPictureBox;
class QTimer;

// No Q_OBJECT: no signals or slots of its own.
class PicturePreparationWindow : public QDialog {
public:
    explicit PicturePreparationWindow(QWidget* parent = nullptr);

    // The margin around the canvas, in twips.
    static constexpr int kMarginTwips = 150;

    OverlayPictureBox* picPic = nullptr;
    QTimer* Timer1 = nullptr;

    const PicturePreparationView& view() const { return m_view; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void showComposition(const QImage& composition);

    PicturePreparationView m_view;
    PicturePreparationController m_preparation;
    bool m_loaded = false;
};
using frm图像压缩 = PicturePreparationWindow;  // 图像压缩 picture-preparation worker

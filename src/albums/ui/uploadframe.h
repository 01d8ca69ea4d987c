#pragma once
// What both upload windows carry: the top band's place, the viewport with its scroll bar and
// canvas, the feature lines, the frame with the ten slot rows over the slot table, the titles
// and notes, the buttons, the recent-upload ring, the hint boxes, the status panels and the
// watermark option. The windows add their own parts and wire the logic; sizes are kept in twips
// and converted here.
#include <QDialog>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
struct UploadLayout;

// One hint box picOpeMsg(k) with its text, its do-not-show-again box and its two closers.
struct UploadHintBox {
    QFrame* picOpeMsg = nullptr;
    QLabel* labOpeMsg = nullptr;
    QCheckBox* chkIKnowOpe = nullptr;
    QPushButton* cmdClosOpeMsg = nullptr;
    QPushButton* imgCloseOpe = nullptr;
};

class UploadFrame : public QDialog {
public:
    explicit UploadFrame(QWidget* parent = nullptr);

    QFrame* picAD = nullptr;        // the top band's strip
    QWidget* picBox = nullptr;      // the viewport
    QScrollBar* vscPicBox = nullptr;
    QWidget* picFrame = nullptr;    // the canvas the scroll bar moves
    QFrame* Picture3 = nullptr;
    std::array<QLabel*, 3> labCoolUpload{};
    QFrame* frmUpload = nullptr;
    QTableWidget* grdUpLoad = nullptr;  // 11 x 6: slot numbers in column 0, status in column 5
    std::array<QLineEdit*, 10> txtPath{};
    std::array<QLineEdit*, 10> txtMemo{};
    std::array<QPushButton*, 10> cmdSearch{};
    std::array<QLabel*, 10> imgView{};  // the thumbnail, in picView(i)
    std::array<QPushButton*, 10> cmdLeft{};
    std::array<QPushButton*, 10> cmdRight{};
    std::array<QPushButton*, 10> cmdOperation{};
    QLabel* labHowToSelect = nullptr;
    QPushButton* cmdUploadFiles = nullptr;
    QPushButton* cmdReSelect = nullptr;
    QPushButton* cmdEditPic = nullptr;
    QPushButton* cmdViewPhoto = nullptr;
    QPushButton* cmdSetWaterMark = nullptr;
    QPushButton* cmdCloseUpload = nullptr;
    QPushButton* cmdOpenTeach = nullptr;
    QPushButton* cmdCloseTeach = nullptr;
    QCheckBox* cheWatermarkAndBorder = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 10> imgUpload{};  // the recent-upload ring, in picUpload(i)
    std::array<UploadHintBox, 3> hintBoxes{};
    QFrame* picMsg = nullptr;
    QFrame* picNetToService = nullptr;
    QFrame* picWait = nullptr;
    QPushButton* cmdUploadOK = nullptr;
    QPushButton* cmdUploadAgain = nullptr;
    QLabel* labUploadFinish = nullptr;
    QFrame* picBigView = nullptr;
    QFrame* picLoadInfo = nullptr;

    // Places a widget in its container by twips.
    static void place(QWidget* w, int left, int top, int width, int height);
    // The viewport at a top and the scroll bar as the layout says.
    void layOutViewport(int top, const UploadLayout& layout);
    void showHintBox(int box, const QString& text, int top, int left);

protected:
    void resizeEvent(QResizeEvent* e) override;
    // Runs the window's layout for the current size.
    virtual void relayOut() {}
};

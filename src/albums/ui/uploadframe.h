#pragma once
// What both upload windows carry: the top band's place, the viewport with its scroll bar and
// canvas, the feature lines, the frame with the ten slot rows over the slot table, the titles
// and notes, the buttons, the recent-upload ring, the hint boxes, the status panels and the
// watermark option; it wires the frame's controller, which both windows' controllers extend. The
// windows add their own parts and wire their own hooks; sizes are kept in twips and converted here.
#include "albums/uploadframecontroller.h"
#include "platform/ui/windowgeometry.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class PleaseWait;
class QCheckBox;
class QPoint;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class PreviewBox;
class QProgressBar;

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
    ~UploadFrame() override;

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
    std::array<QWidget*, 10> picView{};  // the thumbnail's box
    std::array<QLabel*, 10> imgView{};   // the thumbnail, in picView(i)
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
    std::array<QWidget*, 10> picUpload{};  // the recent-upload ring's boxes
    std::array<QLabel*, 10> imgUpload{};   // their thumbnails
    std::array<UploadHintBox, 3> hintBoxes{};
    QFrame* picMsg = nullptr;
    QFrame* picNetToService = nullptr;
    QFrame* picWait = nullptr;
    QPushButton* cmdUploadOK = nullptr;
    QPushButton* cmdUploadAgain = nullptr;
    QLabel* labUploadFinish = nullptr;
    QLabel* labUploadNow = nullptr;
    QLabel* imgWait = nullptr;
    QProgressBar* barWait = nullptr;  // slots done of the run
    QFrame* picBigView = nullptr;
    QLabel* imgBigView = nullptr;
    QPushButton* picCloseBigView = nullptr;
    QFrame* picLoadInfo = nullptr;
    QLabel* txtUploadInfo = nullptr;
    QLabel* txtUploadInfo1 = nullptr;
    // The fitted (300-pixel) preview box the quarter turns go through; hidden.
    PreviewBox* previewBox = nullptr;

    // The slot handlers, forwarded to the slots' logic.
    void cmdSearch_Click(int index);
    void cmdLeft_Click(int index);
    void cmdRight_Click(int index);
    void cmdOperation_Click(int index);
    void cmdReSelect_Click();
    void cmdUploadFiles_Click();
    void cmdUploadOK_Click();
    void cmdUploadAgain_Click();
    void imgView_MouseMove(int index);
    void imgUpload_MouseMove(int index);
    void picCloseBigView_Click();
    void grdUpLoad_MouseMove() { picCloseBigView_Click(); }
    void txtPath_MouseMove() { picCloseBigView_Click(); }
    // While a selection is checked or a run sends, the window does not close.
    bool busy() const;
    // The picture of the window's image list under a key ("swf1", "png1", "swf2", "png2").
    static QImage ListPicture(const QString& key);

    // Places a widget in its container by twips.
    static void place(QWidget* w, int left, int top, int width, int height);
    // The viewport at a top and the scroll bar as the layout says.
    void layOutViewport(int top, const UploadLayout& layout);
    void showHintBox(int box, const QString& text, int top, int left);
    void hideHintBox(int box);

protected:
    // Sets the frame's hooks and the slots' and the run's shared ones, and connects the frame's
    // controls; the window sets its own.
    void wireFrame(UploadFrameController& controller);
    // The frame's hooks, which the album window's new-album command shares.
    void maximise();
    void showWait();
    void hideWait();
    void openFileManager();
    void openImageEditor();
    void openWatermarkSettings();
    void showMainHint(int id, const QString& text, int pointSize, int top, int left);
    // The control a name in the run's panel means; null for one the frame does not hold.
    virtual QWidget* namedControl(const QString& name);
    // picWait drawn from the run's panel.
    virtual void showRunPanel();
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs the window's layout for the current size.
    virtual void relayOut() {}
    // The control a hint box explains, which it is shown beside; null to keep it where it is put.
    virtual QWidget* hintTarget(int box);

private:
    void wireSlots();
    void wireRun();
    void connectFrame();
    // The slots' and the run's shared hooks.
    void showSlot(int i);
    void setBusy(bool busy);
    void showUploadInfo(bool shown);
    QImage turnedPreview(const QImage& source, int degrees);
    void showUploadReady();
    void showScreenshotWarning();
    void prepare();
    bool watermarkTicked() const;
    void showBigView();
    // A place (window coordinates) on the big view itself, a slot's thumbnail, its turn buttons or
    // a ring thumbnail, which open the big view.
    bool opensBigView(const QPoint& pos) const;
    void showRing();
    // Beside the control it explains (hintTarget), off every other control: where the window has
    // no such place, the canvas makes room for the box above or below its content.
    void placeHintBox(int box, int top, int left);
    void placeShownHints();
    // Room (pixels) above and below the canvas's content; the viewport is laid out again.
    void setHintRoom(int above, int below);
    // Scrolls the viewport as little as shows w, a widget of the canvas.
    void scrollToShow(const QWidget* w);

    UploadSlotsController* m_slots = nullptr;
    UploadRunController* m_run = nullptr;
    std::unique_ptr<PleaseWait> m_wait;
    bool m_busy = false;
    HintBoxQueue m_hints;
    std::array<std::function<void()>, 3> m_hintPlace{};
    bool m_placing = false;
    int m_roomAbove = 0;
    int m_roomBelow = 0;
    int m_layoutTop = 0;  // the last layout, laid out again when the room changes
    UploadLayout m_layout{};
};

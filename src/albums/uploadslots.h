#pragma once
// The ten upload slots that both upload windows carry, apart from their widgets: choosing files
// into them, the check pass that accepts or refuses each file and shows it, clearing, quarter
// turns of a slot's picture, the big view and the recent-upload ring. The album window and the
// sized-picture window differ in a few rules (UploadVariant). Sizes are twips unless named pixels.
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class UploadWindowController;

// Which window the slots belong to: frm上传 (overflow into groups of ten, the conversion option,
// Flash files while the album choice shows, hint 28) or frm上传特定 (overflow dropped, pictures
// larger than the asked size cut first).
enum class UploadVariant { Album, Sized };

// The window-level variables of an upload window's slots.
struct UploadSlots {
    std::array<int, 11> SlotRotation{};  // quarter turns of each slot's picture (0 to 9 used)
    QStringList GroupFiles;              // paths waiting to go into the slots ten at a time
    int GroupFileCount = 0;
    int LastGroupIndex = 0;              // ceil(GroupFileCount / 10) - 1
    int CurrentGroupIndex = 0;           // the group now in the slots
    bool MoreGroupsPending = false;      // a list of more than one group was loaded
    // The sized window's cut copies of the slots' pictures; empty where a picture was not cut.
    std::array<QString, 11> SlotCutFile{};

    // What each opening starts from: no turns, and no group left over from an earlier opening.
    void reset() { *this = UploadSlots{}; }
};

// The rule that fits a picture of natural size w × h into a square of side L without enlarging
// it: the longer side becomes L, the other keeps the proportion, halves rounded to even.
QSize FitIntoSquare(double w, double h, int L);

// A file's size value: bytes / 1024 - 1, rounded half to even; over 500 is too large.
int SlotSizeValue(qint64 bytes);
// The slot type of a path: its last four characters in lower case (".jpg", ".gif", ".bmp",
// ".png", ".swf"), or the empty text for any other ending.
QString SlotFileType(const QString& path);

// Where a slot stands in an upload run, drawn in its status cell as a mark and a bar.
enum class SlotProgress { None, Waiting, Preparing, Uploading, Done, Failed };

// One slot's controls as data; the window draws a slot from it.
struct UploadSlot {
    QString txtPath;   // empty: an empty slot
    QString txtMemo;
    bool picViewVisible = false;  // the slot shows its file
    // What imgView shows: a picture (at most 300 pixels a side, enough for the big view), or an
    // icon of the window's image list ("swf1", "png1") when iconKey is set.
    QImage picture;
    QString iconKey;
    QSize natural;        // the natural size of that picture, twips
    QSize thumb{600, 600};  // imgView's size, and its place in picView
    double thumbLeft = 0;
    double thumbTop = 0;
    bool cmdLeftEnabled = false;
    bool cmdRightEnabled = false;
    bool cmdOperationEnabled = false;
    QString cmdOperationCaption = QStringLiteral("取 消");
    bool cmdSearchEnabled = true;
    QString status;  // grdUpLoad row i + 1, column 5
    SlotProgress progress = SlotProgress::None;
    qint64 bytesSent = 0;  // while uploading: of bytesTotal
    qint64 bytesTotal = 0;
    // A failed slot whose button sends it again.
    bool retryPossible() const { return progress == SlotProgress::Failed && cmdOperationEnabled && cmdOperationCaption != QStringLiteral("取 消"); }
};

// picBigView with imgBigView.
struct BigView {
    bool visible = false;
    bool imageVisible = false;
    QImage picture;
    QString iconKey;  // "swf2" or "png2" instead of a picture
    QSize size;       // imgBigView, centred in the 4,500-twip box
    double left = 0;
    double top = 0;
};

// One box of the recent-upload ring.
struct RingBox {
    int left = 0;  // picUpload(i) in the frame
    bool imageVisible = false;
    QImage picture;
    QString iconKey;
    QSize natural;
    QSize size;
    double imageLeft = 0;
    double imageTop = 0;
};

// What the check pass asks of the disk. Tests give sizes or lengths that files cannot have.
struct SlotProbe {
    std::function<bool(const QString&)> exists;
    std::function<qint64(const QString&)> length;
    // The picture's size in pixels, read from its header; invalid when it is no picture.
    std::function<QSize(const QString&)> pictureSize;
    // The picture decoded with its longer side at most maxSide pixels; null when unreadable.
    std::function<QImage(const QString&, int maxSide)> decode;
};
SlotProbe DiskProbe();

// A picture decoded at its own size, or, when its longer side exceeds maxSide, straight at the
// size whose longer side is maxSide (the preview box's fitted size), so a camera photo never
// decodes whole. Null when it cannot be read.
QImage DecodeScaled(const QString& path, int maxSide);

struct UploadSlotsView {
    // Required: slot i drawn from the model (path, thumbnail, buttons, status).
    std::function<void(int slot)> showSlot;
    // Required: the frame's contents disabled with picMsg shown, or enabled with picMsg hidden.
    // Never the top-level window: the crop dialog opens inside the pass and takes input.
    std::function<void(bool busy)> setBusy;
    // Required: txtUploadInfo shown and txtUploadInfo1 at 750, or hidden and at 900.
    std::function<void(bool shown)> showUploadInfo;
    // Required: picBigView drawn from the model.
    std::function<void()> showBigView;
    // Required: the ring drawn from the model.
    std::function<void()> showRing;
    // Required: the picture turned by a multiple of 90 degrees through the fitted (300-pixel)
    // preview box, as the box paints it; null on failure.
    std::function<QImage(const QImage& source, int degrees)> turnedPreview;
    // Required: cmdUploadFiles shows its start picture "upload1" and picWait hides.
    std::function<void()> showUploadReady;
    // Album window, required there: chkPicZIP is ticked.
    std::function<bool()> picZipTicked;
    // Album window, required there: hint 28 in hint box 1.
    std::function<void()> showStartHint;
    // Sized window, required there: the crop dialog frm图像剪裁, modal.
    std::function<void()> openCropDialog;

    UploadVariant variant = UploadVariant::Album;

    // Every hook set to draw nothing (pictures turn unchanged, the conversion option ticked, no
    // crop): the slots worked without a window, as the upload benchmark does.
    static UploadSlotsView Windowless(UploadVariant variant) {
        UploadSlotsView v;
        v.variant = variant;
        v.showSlot = [](int) {};
        v.setBusy = [](bool) {};
        v.showUploadInfo = [](bool) {};
        v.showBigView = [] {};
        v.showRing = [] {};
        v.turnedPreview = [](const QImage& s, int) { return s; };
        v.showUploadReady = [] {};
        v.picZipTicked = [] { return true; };
        v.showStartHint = [] {};
        v.openCropDialog = [] {};
        return v;
    }

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showSlot", bool(showSlot));
        f("setBusy", bool(setBusy));
        f("showUploadInfo", bool(showUploadInfo));
        f("showBigView", bool(showBigView));
        f("showRing", bool(showRing));
        f("turnedPreview", bool(turnedPreview));
        f("showUploadReady", bool(showUploadReady));
        if (variant == UploadVariant::Album) {
            f("picZipTicked", bool(picZipTicked));
            f("showStartHint", bool(showStartHint));
        } else {
            f("openCropDialog", bool(openCropDialog));
        }
    }
};

namespace uploadslots {
inline constexpr int kThumbSide = 600;      // picView(i)
inline constexpr int kBigViewSide = 4500;   // picBigView
inline constexpr int kPreviewPixels = 300;  // the turned preview's longer side
inline constexpr int kIconSide = 1500;      // the big view's placeholders
inline constexpr int kRingLeft = 120;
inline constexpr int kRingStep = 750;
inline constexpr int kRingBox = 630;
// The file dialog's filters, in the runtime's "text|patterns|…" form.
QString FilterWithFlash();
QString PicturesFilter();
QString MissingMessage(const QString& path);
QString TooLargeMessage(const QString& path);     // .swf and .png
QString EditFirstMessage(const QString& path);    // .jpg, .bmp and .gif
QString ConversionNote();
QString GroupsMessage(int chosen, int placed, int groups);
QString DroppedMessage(int chosen, int placed);
}  // namespace uploadslots

// The slots of one upload window and what the member does with them.
class UploadSlotsController {
public:
    explicit UploadSlotsController(UploadVariant variant) { view.variant = variant; }

    UploadSlotsView view;
    SlotProbe probe = DiskProbe();
    UploadSlots data;
    std::array<UploadSlot, 10> slot{};
    BigView bigView;
    std::array<RingBox, 10> ring = InitialRing();
    QString labPX = QStringLiteral("0");     // next place in the ring
    QString labUpload = QStringLiteral("1");  // upload state (the upload run's)

    UploadVariant variant() const { return view.variant; }
    static std::array<RingBox, 10> InitialRing();

    // The browse button of a slot: the file dialog, one file into that slot or several into the
    // free slots, the overflow, the check pass and the hint.
    void cmdSearch_Click(int index);
    // Puts paths into the free slots, slot 0 first, and handles what does not fit; returns how
    // many were placed.
    int PlaceFiles(const QStringList& paths);
    // The check pass over the slots that hold a path and show nothing yet. False when an error
    // stopped it (its message shown). With perSlotErrors (the group loader) an error puts its
    // description into the slot's status cell, empties the slot's path and the pass goes on.
    bool CheckAndShowSlots(bool perSlotErrors = false);
    // Deletes the sized window's cut pictures (a new batch, or the window closing).
    void DeleteCutFiles();
    // "取 消": one slot back to empty.
    void ClearSlot(int index);
    // All ten slots back to the selection state.
    void cmdReSelect_Click();

    // A quarter turn anticlockwise (-1) or clockwise (+1) of a slot's picture, through
    // "savepic.bmp". False when it failed, which changes nothing.
    bool Turn(int index, int direction);
    // The big view of a slot's thumbnail or of a ring thumbnail; hiding it.
    void imgView_MouseMove(int index);
    void imgUpload_MouseMove(int index);
    void HideBigView();
    // The slot's thumbnail into the ring after its upload.
    void AddRecentUploadThumb(int slotIndex);

    // Slots whose trimmed path is not empty.
    int FilledSlots() const;

private:
    void showSlot(int i);
    void checkSlot(int i);
    bool showPicture(int i, const QString& file, QSize pixels);
    static void setThumbnail(UploadSlot& s, const QImage& picture, QSize natural);
    void emptySlot(int i);
    void showBig(const QImage& picture, const QString& iconKey, QSize natural);
};

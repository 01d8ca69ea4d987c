#pragma once
// What both upload windows' frame does alike, apart from its widgets: the frame's design sizes,
// the viewport's layout, the ten slots with the run that sends them, and the commands and hooks
// the two windows share. Sizes are twips.
#include "albums/uploadrun.h"
#include "albums/uploadslots.h"

#include <QString>

#include <functional>

// The frame both upload windows carry, at its design size.
namespace uploadframe {
inline constexpr int kClientWidth = 15360;
inline constexpr int kClientHeight = 10680;
inline constexpr int kBandHeight = 1050;       // picAD; the tutorial panel is higher
inline constexpr int kFrameHeight = 9630;      // picFrame, the canvas
inline constexpr int kScrollWidth = 255;       // vscPicBox
inline constexpr int kHintWidth = 4500;        // picOpeMsg(0..2)
inline constexpr int kHintHeight = 1875;
inline constexpr int kScrollHintBelow = 7900;  // hint 27 shows in a viewport lower than this
inline constexpr int kSlotCount = 10;
inline constexpr int kUploadButtonLeft = 13020;  // cmdUploadFiles in frmUpload
}  // namespace uploadframe

// The viewport under the top band and the scroll bar that moves the canvas inside it.
struct UploadLayout {
    int viewportHeight = 0;  // picBox
    bool scrollVisible = false;
    int scrollLeft = 0;      // vscPicBox, inside the viewport
    int scrollHeight = 0;
    int scrollMax = 0;
};
// The viewport takes the client height under the band (never below 0); the scroll bar shows
// while the canvas is higher than the viewport.
UploadLayout LayOutUploadViewport(int clientHeight, int bandHeight, int viewportWidth, int frameHeight);

namespace uploadhints {
QString CloseHint();  // hint 11, in the main window's box, as either upload window closes
}  // namespace uploadhints

// What the frame's controller does to the window that carries the frame. Every hook is required
// (platform/hookcheck.h).
struct UploadFrameView {
    std::function<void()> maximise;
    std::function<void()> showWait;  // picNetToService, shown and painted at once
    std::function<void()> hideWait;
    std::function<void()> openFileManager;
    std::function<void()> openImageEditor;
    std::function<void()> openWatermarkSettings;
    // The main window's hint box (mainwindowseam::ShowHint).
    std::function<void(int id, const QString& text, int pointSize, int top, int left)> showMainHint;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("maximise", bool(maximise));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("openFileManager", bool(openFileManager));
        f("openImageEditor", bool(openImageEditor));
        f("openWatermarkSettings", bool(openWatermarkSettings));
        f("showMainHint", bool(showMainHint));
    }
};

// The part both upload windows' controllers share: the slots, the run over them, and the commands
// of the frame's buttons.
class UploadFrameController {
public:
    explicit UploadFrameController(UploadVariant variant) : frame(variant) {}

    UploadFrameView frameView;
    // The ten slots with their window-level variables, the ring and the big view.
    UploadSlotsController frame;
    // The upload run over those slots, the retry and the album window's folder upload.
    UploadRunController run{frame};

    // The file manager, opened on the album list refreshed first where the service allows.
    void cmdViewPhoto_Click();
    void cmdEditPic_Click();
    void cmdSetWaterMark_Click();

protected:
    // Hint 11 on the main window, unless the member switched it off; the same setting for both
    // windows.
    void showCloseHint();
};

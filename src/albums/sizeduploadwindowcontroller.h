#pragma once
// The work of the sized-picture upload window frm上传特定 apart from its window: the load, the
// layout under its title band, the closing hint and the small commands. The slots are the shared
// slots' logic in its sized variant. Sizes are twips.
#include "albums/uploadrun.h"
#include "albums/uploadslots.h"
#include "albums/uploadwindowcontroller.h"

#include <QString>

#include <functional>

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct SizedUploadWindowView {
    std::function<void()> maximise;
    // The slot numbers in the slot table's column 0.
    std::function<void()> numberSlots;
    // cmdSetWaterMark and cheWatermarkAndBorder hidden.
    std::function<void()> hideWatermarkControls;
    // frmUpload at top -60, left 30, and picFrame at the canvas's origin.
    std::function<void()> placeFrame;
    std::function<void(const UploadLayout&)> layOut;
    std::function<void()> showWait;  // picNetToService, painted at once
    std::function<void()> hideWait;
    std::function<void()> openFileManager;
    std::function<void()> openImageEditor;
    std::function<void()> openWatermarkSettings;
    // The main window's hint box (mainwindowseam::ShowHint).
    std::function<void(int id, const QString& text, int pointSize, int top, int left)> showMainHint;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("maximise", bool(maximise));
        f("numberSlots", bool(numberSlots));
        f("hideWatermarkControls", bool(hideWatermarkControls));
        f("placeFrame", bool(placeFrame));
        f("layOut", bool(layOut));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("openFileManager", bool(openFileManager));
        f("openImageEditor", bool(openImageEditor));
        f("openWatermarkSettings", bool(openWatermarkSettings));
        f("showMainHint", bool(showMainHint));
    }
};

class SizedUploadWindowLogic {
public:
    SizedUploadWindowView view;
    // The ten slots, with their cut copies, and the run that sends them.
    UploadSlotsLogic frame{UploadVariant::Sized};
    UploadRunLogic run{frame};

    // The load: small screen, slot numbers, no turn or cut copy of an earlier opening, the
    // watermark controls only while the opener asks for them, the frame's place.
    void Form_Load();
    // The viewport under the title band, whatever the window's height.
    void Form_Resize(int clientHeight, int viewportWidth);
    // The closing: hint 11 on the main window, the cut copies deleted, and the window's parameters
    // back at their design values.
    void Form_QueryUnload();

    void cmdViewPhoto_Click();
    void cmdEditPic_Click();
    void cmdSetWaterMark_Click();
};

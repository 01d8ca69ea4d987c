#pragma once
// The work of the sized-picture upload window frm上传特定 apart from its window: the load, the
// layout under its title band and the closing, over the frame both upload windows share
// (uploadframecontroller.h), whose slots run in their sized variant. Sizes are twips.
#include "albums/uploadframecontroller.h"

#include <functional>

// What the controller does to its window. Every hook is required (platform/hookcheck.h).
struct SizedUploadWindowView {
    // The slot numbers in the slot table's column 0.
    std::function<void()> numberSlots;
    // cmdSetWaterMark and cheWatermarkAndBorder hidden.
    std::function<void()> hideWatermarkControls;
    // frmUpload at top -60, left 30, and picFrame at the canvas's origin.
    std::function<void()> placeFrame;
    std::function<void(const UploadLayout&)> layOut;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("numberSlots", bool(numberSlots));
        f("hideWatermarkControls", bool(hideWatermarkControls));
        f("placeFrame", bool(placeFrame));
        f("layOut", bool(layOut));
    }
};

class SizedUploadWindowController : public UploadFrameController {
public:
    SizedUploadWindowController() : UploadFrameController(UploadVariant::Sized) {}

    SizedUploadWindowView view;

    // The load: small screen, slot numbers, no turn or cut copy of an earlier opening, the
    // watermark controls only while the opener asks for them, the frame's place.
    void Form_Load();
    // The viewport under the title band, whatever the window's height.
    void Form_Resize(int clientHeight, int viewportWidth);
    // The closing: hint 11 on the main window, the cut copies deleted, and the window's parameters
    // back at their design values.
    void Form_QueryUnload();
};

#include "albums/sizeduploadwindowcontroller.h"

#include "state/sizeduploadwindowlabels.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"

#include <exception>

void SizedUploadWindowController::Form_Load() {
    try {
        if (SmallScreen) CALL_REQUIRED_HOOK(frameView.maximise);
        CALL_REQUIRED_HOOK(view.numberSlots);
        // No turn and no cut copy of an earlier opening is reused.
        frame.data.reset();
        if (frm个人网站Labels::labAddWatermark == QLatin1String("0")) CALL_REQUIRED_HOOK(view.hideWatermarkControls);
        CALL_REQUIRED_HOOK(view.placeFrame);
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("读取相册信息失败！请您稍后再试..."), vbInformation, QStringLiteral("提示"));
    }
}

void SizedUploadWindowController::Form_Resize(int clientHeight, int viewportWidth) {
    CALL_REQUIRED_HOOK(view.layOut, LayOutUploadViewport(clientHeight, uploadframe::kBandHeight, viewportWidth,
                                                         uploadframe::kFrameHeight));
}

void SizedUploadWindowController::Form_QueryUnload() {
    showCloseHint();
    // The cut copies were kept for a retry; the next opening starts without them.
    frame.DeleteCutFiles();
    frm上传特定Labels::resetLabels();
}

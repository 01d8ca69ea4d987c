#include "albums/sizeduploadwindow.h"

#include "albums/loadalbumlist.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/sizeduploadwindowlabels.h"

#include <exception>

void SizedUploadWindowLogic::Form_Load() {
    try {
        if (SmallScreen) CALL_REQUIRED_HOOK(view.maximise);
        CALL_REQUIRED_HOOK(view.numberSlots);
        // No turn and no cut copy of an earlier opening is reused.
        frame.data.reset();
        if (frm个人网站Labels::labAddWatermark == QLatin1String("0")) CALL_REQUIRED_HOOK(view.hideWatermarkControls);
        CALL_REQUIRED_HOOK(view.placeFrame);
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("读取相册信息失败！请您稍后再试..."), vbInformation, QStringLiteral("提示"));
    }
}

void SizedUploadWindowLogic::Form_Resize(int clientHeight, int viewportWidth) {
    CALL_REQUIRED_HOOK(view.layOut, LayOutUploadViewport(clientHeight, uploadframe::kBandHeight, viewportWidth,
                                                         uploadframe::kFrameHeight));
}

void SizedUploadWindowLogic::Form_QueryUnload() {
    // The same closing hint as the album window's, under the same setting.
    if (GetUserSetting(UcsHintUploadClose) != QLatin1String("1"))
        CALL_REQUIRED_HOOK(view.showMainHint, UcsHintUploadClose, uploadhints::CloseHint(), 10, 900, 10605);
    // The cut copies were kept for a retry; the next opening starts without them.
    frame.DeleteCutFiles();
    frm上传特定Labels::resetLabels();
}

void SizedUploadWindowLogic::cmdViewPhoto_Click() {
    CALL_REQUIRED_HOOK(view.showWait);
    LoadAlbumList();  // the manager opens whether or not the list could be refreshed
    CALL_REQUIRED_HOOK(view.hideWait);
    frm个人网站Labels::labViewType = QStringLiteral("0");
    CALL_REQUIRED_HOOK(view.openFileManager);
}

void SizedUploadWindowLogic::cmdEditPic_Click() { CALL_REQUIRED_HOOK(view.openImageEditor); }
void SizedUploadWindowLogic::cmdSetWaterMark_Click() { CALL_REQUIRED_HOOK(view.openWatermarkSettings); }

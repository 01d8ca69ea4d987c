#include "albums/uploadframecontroller.h"

#include "albums/loadalbumlist.h"
#include "foundation/settings.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"

#include <algorithm>

UploadLayout LayOutUploadViewport(int clientHeight, int bandHeight, int viewportWidth, int frameHeight) {
    UploadLayout l;
    l.viewportHeight = std::max(0, clientHeight - bandHeight);
    if (l.viewportHeight < frameHeight) {
        l.scrollVisible = true;
        l.scrollLeft = viewportWidth - uploadframe::kScrollWidth;
        l.scrollHeight = l.viewportHeight;
        l.scrollMax = frameHeight - l.viewportHeight;
    }
    return l;
}

namespace uploadhints {
QString CloseHint() {
    return QStringLiteral("提示：") + QLatin1Char('\r') + QStringLiteral("    您可以在“图片管理”功能中删除已经上传的图片。");
}
}  // namespace uploadhints

void UploadFrameController::cmdViewPhoto_Click() {
    CALL_REQUIRED_HOOK(frameView.showWait);
    LoadAlbumList();  // a refused read has shown its message; the manager opens on the cached list
    CALL_REQUIRED_HOOK(frameView.hideWait);
    frm个人网站Labels::labViewType = QStringLiteral("0");
    CALL_REQUIRED_HOOK(frameView.openFileManager);
}

void UploadFrameController::cmdEditPic_Click() { CALL_REQUIRED_HOOK(frameView.openImageEditor); }
void UploadFrameController::cmdSetWaterMark_Click() { CALL_REQUIRED_HOOK(frameView.openWatermarkSettings); }

void UploadFrameController::showCloseHint() {
    if (GetUserSetting(UcsHintUploadClose) != QLatin1String("1"))
        CALL_REQUIRED_HOOK(frameView.showMainHint, UcsHintUploadClose, uploadhints::CloseHint(), 10, 900, 10605);
}

#include "siteoptions/mobilesite.h"

#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "state/loginstate.h"

QString MobileSiteAddress() {
    return QStringLiteral("http://m.") + LoginField(12) + QLatin1Char('.') + serviceconfig::current().domain;
}

QString PageZoomScript(int percent) {
    return QStringLiteral("document.body.style.zoom='") + QString::number(percent) + QStringLiteral("%'");
}

void MobileSiteController::Form_Load() {
    const QString address = MobileSiteAddress();
    CALL_REQUIRED_HOOK(view.setAddress, address);
    CALL_REQUIRED_HOOK(view.navigate, address);
    CALL_REQUIRED_HOOK(view.placeFrame, kPhoneView.frameLeft, kPhoneView.frameTop, kPhoneView.frameWidth,
                       kPhoneView.frameHeight);
    CALL_REQUIRED_HOOK(view.sizeBrowser, kPhoneView.browserWidth, kPhoneView.browserHeight);
}

void MobileSiteController::applyView(const MobileSiteGeometry& g) {
    CALL_REQUIRED_HOOK(view.placeFrame, g.frameLeft, g.frameTop, g.frameWidth, g.frameHeight);
    CALL_REQUIRED_HOOK(view.sizeBrowser, g.browserWidth, g.browserHeight);
    CALL_REQUIRED_HOOK(view.moveBrowser, g.browserLeft, g.browserTop);
    SetPageZoom(g.zoom);
}

void MobileSiteController::cmdViewBy53_Click() {
    applyView(kPhoneView);
    CALL_REQUIRED_HOOK(view.showPhoneButton, false);
    CALL_REQUIRED_HOOK(view.showMonitorButton, true);
}

void MobileSiteController::cmdViewBy100_Click() {
    applyView(kMonitorView);
    CALL_REQUIRED_HOOK(view.showPhoneButton, true);
    CALL_REQUIRED_HOOK(view.showMonitorButton, false);
}

void MobileSiteController::webView_ProgressChange(int progress, int progressMax) {
    if (progress <= 0 || progress >= progressMax) CALL_REQUIRED_HOOK(view.enableTimer, true);
}

void MobileSiteController::Timer1_Timer() {
    CALL_REQUIRED_HOOK(view.enableTimer, false);
    SetPageZoom(kPhoneView.zoom);
    CALL_REQUIRED_HOOK(view.moveBrowser, kPhoneView.browserLeft, kPhoneView.browserTop);
}

void MobileSiteController::SetPageZoom(int percent) {
    if (!AskRequiredHook(view.hasDocument)) return;
    CALL_REQUIRED_HOOK(view.runScript, PageZoomScript(percent));
}

#pragma once
// The work of the mobile-site preview frm手机网站, apart from its window: the address of the
// member's mobile site, the two views (phone and monitor) with their geometry in twips and page
// zoom, and the phone zoom that follows every finished load.
#include <QString>

#include <functional>

// One view: the frame picWeb in the window, the browser webView in the frame, the page zoom.
struct MobileSiteGeometry {
    int frameLeft, frameTop, frameWidth, frameHeight;
    int browserLeft, browserTop, browserWidth, browserHeight;
    int zoom;  // percent
};
// In the phone view the browser overlaps the frame, which cuts its border away.
inline constexpr MobileSiteGeometry kPhoneView{690, 2025, 3915, 5385, -30, -30, 3960, 5445, 53};
inline constexpr MobileSiteGeometry kMonitorView{270, 210, 8460, 8625, 450, 30, 7530, 8595, 100};

// "http://m." + LoginInfo field 12 + "." + the service domain, nothing trimmed or changed.
QString MobileSiteAddress();
// The script that zooms the shown page's body: document.body.style.zoom='53%'.
QString PageZoomScript(int percent);

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct MobileSiteView {
    std::function<void(const QString&)> setAddress;                     // txtURL
    std::function<void(const QString&)> navigate;                       // webView
    std::function<bool()> hasDocument;                                  // webView shows a page
    std::function<void(const QString&)> runScript;                      // in webView's page
    std::function<void(int left, int top, int width, int height)> placeFrame;  // picWeb, twips
    std::function<void(int width, int height)> sizeBrowser;             // webView, twips
    std::function<void(int left, int top)> moveBrowser;                 // webView within picWeb
    std::function<void(bool)> showPhoneButton;                          // cmdViewBy53
    std::function<void(bool)> showMonitorButton;                        // cmdViewBy100
    std::function<void(bool)> enableTimer;                              // Timer1, 500 ms

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("setAddress", bool(setAddress));
        f("navigate", bool(navigate));
        f("hasDocument", bool(hasDocument));
        f("runScript", bool(runScript));
        f("placeFrame", bool(placeFrame));
        f("sizeBrowser", bool(sizeBrowser));
        f("moveBrowser", bool(moveBrowser));
        f("showPhoneButton", bool(showPhoneButton));
        f("showMonitorButton", bool(showMonitorButton));
        f("enableTimer", bool(enableTimer));
    }
};

class MobileSiteController {
public:
    MobileSiteView view;

    // The address shown and opened, the frame and the browser at the phone view's sizes; the
    // zoom waits for the end of the load.
    void Form_Load();
    void cmdViewBy53_Click();
    void cmdViewBy100_Click();
    // The end of a load (progress outside 0 < p < max) starts the one-shot timer.
    void webView_ProgressChange(int progress, int progressMax);
    // The phone zoom and the phone offset, also while the monitor view is shown.
    void Timer1_Timer();
    // Links meant for a new window open nothing.
    void webView_NewWindow2(bool* cancel) { *cancel = true; }

    // Runs the zoom script in the shown page; without a document there is nothing to zoom.
    void SetPageZoom(int percent);

private:
    void applyView(const MobileSiteGeometry& g);
};

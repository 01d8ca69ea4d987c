#pragma once
// How other windows open the main window frm个人网站 (the shape platform/hookcheck.h names), and
// what they do with the open window beyond its hidden labels (state/sitewindowlabels.h): read its
// position and the places of a few of its controls, refresh its browsers, colour its canvas, give
// its domain row the layout of a registered domain and show a hint in its hint box. Every
// operation does nothing while no main window is open; without one the geometry of its design
// holds. Include this header, not the window's. Its geometry provider is an optional hook
// (platform/hookcheck.h): unset while no main window is open.
#include <functional>

class QColor;
class QString;

// Loads the main window after a successful login and shows it modelessly; its load unloads the
// login window.
void ShowMainWindowAfterLogin();

// Twips, as the main window's design gives them.
struct MainWindowGeometry {
    int left = 0;                   // the window's outer left edge on the screen
    int top = 0;                    // the window's outer top edge on the screen
    int width = 15465;              // the window's outer width
    int picToolsTop = 1035;         // the tools bar's top in the window
    int picToolsFrameLeft = 0;      // the tool frame's left inside the tools bar
    int cmdSetUserInfoLeft = 9870;  // the member-information button's left inside the tool frame
    int picFrameTop = 2295;         // the page viewport's top in the window
};

namespace mainwindowseam {
// Installed by the main window while it is open; empty otherwise.
inline std::function<MainWindowGeometry()> geometryProvider;

inline MainWindowGeometry Geometry() {
    return geometryProvider ? geometryProvider() : MainWindowGeometry{};
}

// The document command "Refresh" on one cell browser webPage(cell), 0 to 32: the page file is
// read again from disk.
void RefreshCell(int cell);
// Every cell browser, 0 to 32 in order, then webBack, webMidBack, webPhotoBack and webBlogBack.
void RefreshSiteBrowsers();
// webBack, webMidBack, webPhotoBack and webBlogBack, in this order.
void RefreshBackgroundBrowsers();
// One of them, by its page: "b" webBack, "b1" webMidBack, "b2" webPhotoBack, "b3" webBlogBack.
void RefreshBackgroundBrowser(const QString& page);
// The back colour of the canvas picWeb and of its viewport picFrame (the home-page colour).
void SetCanvasColor(const QColor& color);
// The domain row of a member with a registered domain (LoginInfo field 12): the label shows the
// whole domain in bold red, the domain box and its test button are hidden, the site view and
// protection buttons shown and the buttons re-spaced; the domain flag
// frm个人网站Labels::txtDomainNameVisible becomes false.
void ShowRegisteredDomain();
// Shows a hint in the hint box: its HintFlag id, its text ("\r" between lines), the text's point
// size, and the box's place in twips: top below the tools bar's top, left from the tool frame's
// left. The caller has checked that the member did not switch this hint off.
void ShowHint(int hintId, const QString& text, int pointSize, int topFromTools, int leftFromToolsFrame);
}  // namespace mainwindowseam


#pragma once
// The work of the area colour dialog frm颜色设置, apart from its window: the two preview pages,
// the handlers' effects on the colour record and the apply, which writes the area's row,
// publishes the site and regenerates and refreshes what shows the colour.
#include "site/publishsite.h"

#include <QString>

#include <functional>

class QColor;

// CellRecord of the colour dialog (the main window's colour buttons fill it).
namespace ColorRecord {
inline constexpr int Row = 0;           // "301", "303", "304" or "306"
inline constexpr int NewColor = 1;      // the colour that is applied; starts as the LocalColumn value
inline constexpr int CurrentColor = 2;  // the row's PublishColumn value, never changed
inline constexpr int Caption = 3;
}  // namespace ColorRecord

// The background page of a colour row: "b" (301), "b1" (303), "b2" (304), "b3" (306); "" for
// any other row.
QString AreaBackgroundPage(int row);

// The preview page of the new colour: an empty page coloured by CellRecord 1; while that is empty
// a cleared sub-area shows the home-page colour (LocalColumn row 301), and the home page itself
// no colour at all.
QString ColorPreviewPage();

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct ColorSettingsView {
    // "Refresh" on the current-colour preview webOldColor (setpic.html) and on the new-colour
    // preview webNewColor (viewcolor.html).
    std::function<void()> refreshOldPreview;
    std::function<void()> refreshNewPreview;
    std::function<void(bool)> enableOK;            // cmdOK
    std::function<void(bool)> enableDel;           // cmdDel
    std::function<void(bool)> showCurrentCode;     // txtOldColor
    // Shows a colour code in txtNewColor without running its change handler.
    std::function<void(const QString&)> setNewCode;
    std::function<void()> showWait;                // picNetToService, shown and painted at once
    std::function<void()> hideWait;
    std::function<void()> close;
    // The main window: one background browser by its page ("b", "b1", "b2", "b3"), one cell
    // browser, the canvas colour.
    std::function<void(const QString& page)> refreshBackground;
    std::function<void(int cell)> refreshCell;
    std::function<void(const QColor&)> setCanvasColor;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("refreshOldPreview", bool(refreshOldPreview));
        f("refreshNewPreview", bool(refreshNewPreview));
        f("enableOK", bool(enableOK));
        f("enableDel", bool(enableDel));
        f("showCurrentCode", bool(showCurrentCode));
        f("setNewCode", bool(setNewCode));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("close", bool(close));
        f("refreshBackground", bool(refreshBackground));
        f("refreshCell", bool(refreshCell));
        f("setCanvasColor", bool(setCanvasColor));
    }
};

class ColorSettingsController {
public:
    ColorSettingsView view;

    // Writes a preview page from CellRecord 1 and refreshes its browser: mode 0 setpic.html (the
    // current-colour swatch), any other mode viewcolor.html (the new-colour swatch). A page that
    // cannot be written leaves the preview as it was.
    void CreateViewColor(int mode);

    // Ticked: the area is to lose its own colour; unticked: the current colour again.
    void chkDel_Click(bool ticked);
    // The platform colour dialog on the preset grey; a cancelled dialog changes nothing.
    void cmdSetColor_Click();
    // Every change of the colour code box, typed, pasted or set.
    void txtNewColor_Change(const QString& text);
    // cmdOK and cmdDel: apply CellRecord 1 when a domain is registered.
    void cmdOK_Click();
    void cmdDel_Click() { cmdOK_Click(); }

    // Writes CellRecord 1 into the row, publishes the site and, when the service accepts, shows
    // the colour in the main window and closes the dialog; a refusal puts the row back.
    PublishOutcome ApplyColorSetting();

private:
    void showAppliedColor(int row);
};

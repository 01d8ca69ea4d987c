#pragma once
// The work of the album upload window frm上传 apart from its window: the slots' window-level
// state, the album choice, the viewport layout, the hint boxes and the closing, over the frame
// both upload windows share (uploadframecontroller.h); and the screenshot warning that the upload
// runs ask for. Sizes are twips.
#include "albums/uploadframecontroller.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class Table;

// The albums the chooser offers: every album name of the list (field 0) but the system albums,
// whose first three characters are "www" in any case; none for a "null" list.
QStringList ChooserAlbums(const Table& albums);

// The week's advertisement page of the upload window, with the member key, the server prefix and
// the client version as k1, k2 and k3.
QString UploadAdvertisementAddress(const QDate& today);

// The member setting that the screenshot warning stores for the main window's labUploadJM:
// "1" 5, "2" 6, "3" 7; 0 for any other value.
int ScreenshotWarningSetting(const QString& labUploadJM);
// True while the window that labUploadJM names has not had the warning switched off.
bool ScreenshotWarningWanted();
// The warning's confirm command: a ticked box switches the warning off for the window that
// labUploadJM names.
void ScreenshotWarningConfirmed(bool ticked);

// The hint texts of the upload window's boxes.
namespace uploadhints {
QString ScrollHint();  // hint 27, in box 0
QString StartHint();   // hint 28, in box 1
QString AlbumHint();   // hint 29, in box 2
}  // namespace uploadhints

// What the controller does to its window. Every hook is required (platform/hookcheck.h).
struct UploadWindowView {
    // The tutorial panel's first-run opening: its movie loaded, the play flag "1", then the
    // window's cmdOpenTeach_Click.
    std::function<void()> openTutorial;
    std::function<void(const QString& url)> navigateAd;  // webAD
    // Adds the entries to cobAlbum and sets its text.
    std::function<void(const QStringList& items, const QString& text)> fillChooser;
    std::function<void(const QString& caption, bool visible)> showUploadToAlbum;
    // Hint box 0, 1 or 2 with its text (point size 11) at a place in its container.
    std::function<void(int box, const QString& text, int top, int left)> showHint;
    std::function<void(int box)> hideHint;
    std::function<void(const UploadLayout&)> layOut;
    // chkPicZIP's lock: ticked and locked with the first caption, or unlocked with the second.
    std::function<void(bool locked, const QString& caption)> lockPicZip;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("openTutorial", bool(openTutorial));
        f("navigateAd", bool(navigateAd));
        f("fillChooser", bool(fillChooser));
        f("showUploadToAlbum", bool(showUploadToAlbum));
        f("showHint", bool(showHint));
        f("hideHint", bool(hideHint));
        f("layOut", bool(layOut));
        f("lockPicZip", bool(lockPicZip));
    }
};

class UploadWindowController : public UploadFrameController {
public:
    UploadWindowController() : UploadFrameController(UploadVariant::Album) {}

    UploadWindowView view;
    UploadSlots& uploadSlots = frame.data;
    bool WindowLoaded = false;
    QString labMsgSN = QStringLiteral("0");  // the hint shown last

    // The load: small screen, slots, tutorial or advertisement, and in album-choice mode (the
    // main window's labUPloadType "0") the chooser filled from AlbumList.
    void Form_Load();
    // Lays the viewport out under a band of the given height and shows hint 27 in a low one.
    void Form_Resize(int clientHeight, int bandHeight, int viewportWidth);
    // The closing: hint 11 on the main window, and the upload window's parameters back at their
    // design values, so the next opener starts from them.
    void Form_QueryUnload();

    void cheWatermarkAndBorder_Click(bool ticked);
    void cobAlbum_Click(const QString& text);
    // A hint box closed by its button or its image; a ticked box switches its own hint off.
    void cmdClosOpeMsg_Click(int box, bool ticked);

    // Hint 28 in box 1, left of the upload button, after slots were filled.
    void ShowStartHint();
    // Hint 29 in box 2, by the album chooser, when a run finds no album chosen.
    void ShowAlbumHint();
    // Shows a hint in one of the three boxes unless the member switched it off.
    void ShowHint(int box, int hintId, const QString& text, int top, int left);
    // The hint each box shows now; 0 for none.
    int hintShownIn(int box) const { return (box >= 0 && box < 3) ? m_hintIds[size_t(box)] : 0; }

private:
    void fillChooser();
    std::array<int, 3> m_hintIds{};
};

#pragma once
// The album creation of the upload window frm上传 (its cmdNewAlbum): a name asked for, tested
// against the album-name rules, the album created on the service and chosen as the upload's
// target.
#include <QString>

#include <functional>

// What the creation does to the upload window. Every hook is required (platform/hookcheck.h).
struct UploadNewAlbumView {
    std::function<void(bool)> enableNewAlbum;                            // cmdNewAlbum
    std::function<void(const QString& album)> addChosenAlbum;           // to cobAlbum's end, and its text
    std::function<void(const QString& caption)> showUploadToAlbum;      // labUploadToAlbum, shown
    // The album settings window the upload window was opened from, if it is open: the new
    // album's row on top of its grid.
    std::function<void(const QString& album, const QString& stamp)> addAlbumSettingsRow;
    std::function<void()> showWait;                                     // picNetToService, painted at once
    std::function<void()> hideWait;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("enableNewAlbum", bool(enableNewAlbum));
        f("addChosenAlbum", bool(addChosenAlbum));
        f("showUploadToAlbum", bool(showUploadToAlbum));
        f("addAlbumSettingsRow", bool(addAlbumSettingsRow));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
    }
};

// cmdNewAlbum_Click: the button is disabled while it runs and enabled again afterwards.
void CreateAlbumFromUploadWindow(const UploadNewAlbumView& view);

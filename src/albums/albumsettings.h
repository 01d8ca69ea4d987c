#pragma once
// The work of the album settings window frm相册设置 apart from its window: the album grid with
// creation, deletion and the upload hand-off, the home-page album frame with its moves, and the
// one step that stores the frame on the service. Positions are twips.
#include "albums/albumgrid.h"
#include "albums/homealbumframe.h"

#include <QString>

#include <functional>

// The grid's mouse pointer: the hand over the move-in column and the upload and delete columns,
// below the header row; x and y inside the grid.
bool AlbumGridPointerHot(int x, int y);

// Which command stored the frame: each says a refusal in its own words.
enum class FrameStoreCommand { AddAlbum, Move, Save };
// The message (title "提示") of a refused store.
QString FrameStoreRefusal(FrameStoreCommand command, const QString& reply);

// What the controller does to its window. Every hook is required (platform/hookcheck.h).
struct AlbumSettingsView {
    std::function<void(const AlbumGrid&)> showGrid;             // grdAlbum
    std::function<void(const HomeAlbumFrame&)> showFrame;       // labAlbum(0..14), captions and colours
    std::function<void(bool)> showSaveMarker;                   // cmdSave and labSave
    std::function<QString()> nameText;                          // txtAddAlbum
    // Sets txtAddAlbum's text without running its change handler (the controller runs it itself).
    std::function<void(const QString&)> setNameText;
    std::function<void(const QString&)> setLen;                 // labLen
    // Focus to txtAddAlbum, its whole text selected, or the caret at its end.
    std::function<void(bool selectAll)> focusName;
    std::function<bool()> addToFrame;                           // chkAdd ticked
    std::function<void()> showWait;                             // picNetToService, painted at once
    std::function<void()> hideWait;
    std::function<void()> openUploadWindow;                     // frm上传, modally

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showGrid", bool(showGrid));
        f("showFrame", bool(showFrame));
        f("showSaveMarker", bool(showSaveMarker));
        f("nameText", bool(nameText));
        f("setNameText", bool(setNameText));
        f("setLen", bool(setLen));
        f("focusName", bool(focusName));
        f("addToFrame", bool(addToFrame));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("openUploadWindow", bool(openUploadWindow));
    }
};

class AlbumSettingsController {
public:
    AlbumSettingsView view;
    AlbumGrid grid;
    HomeAlbumFrame frame;

    // The frame from HomeAlbums, the grid from AlbumList.
    void Form_Load();
    // Creates the album named in the box, with the frame store when chkAdd is ticked.
    void cmdAddAlbum_Click();
    // A click in the grid's cell (row from 1, as the grid counts): move in, upload or delete.
    void grdAlbum_Click(int row, int col);
    // The box's text changed: its byte count, and a text above the limit shortened.
    void txtAddAlbum_Change(const QString& text);

    void imgMoveUp_Click(int k);
    void imgMoveDown_Click(int k);
    // Moves the slot's album out of the frame and stores the frame at once.
    void cmdMoveOut_Click(int k);
    void cmdUpload_Click(int k);
    void cmdSave_Click();
    // The window closes: unsaved moves are offered for saving first.
    void Form_QueryUnload();

    // The upload window's album creation, while it was opened from here: the new album's row.
    void albumCreatedElsewhere(const QString& name, const QString& stamp);

    // The frame holds moves the service does not have (cmdSave and labSave shown).
    bool unsaved() const { return m_unsaved; }

private:
    enum class Stored { Yes, Refused, Failed };
    // Sends the 15 slots (SetHomeAlbum); on success HomeAlbums, the cache, labSaveHomeAlbum and
    // DialogState follow. A failed call has been reported; a refusal's reply is left in `reply`.
    Stored storeFrame(QString& reply);
    // Stores the frame as it stands now; when that fails, the frame and grid go back to what was
    // saved before the change, and a refusal is said in the command's words.
    bool storeOrPutBack(FrameStoreCommand command, const HomeAlbumFrame& before, const AlbumGrid& gridBefore,
                        bool unsavedBefore);
    void deleteAlbum(int row);
    void uploadInto(const QString& album);
    void setUnsaved(bool unsaved);
    void show();

    bool m_unsaved = false;
};

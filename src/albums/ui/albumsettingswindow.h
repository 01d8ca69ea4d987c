#pragma once
// The album settings window: the member's albums in a grid (create, delete, upload into, move into
// the home-page frame) and the home-page album frame of fifteen slots (reorder, move out, upload
// into, save). Opened modally by OpenAlbumSettings (albums_entry.h) after the main window loaded
// the album list; the upload window reaches the open instance to list an album it created.
#include "albums/albumsettings.h"
#include "platform/defaultinstance.h"

#include <QDialog>

#include <array>
#include <memory>

class ClickableLabel;
class FlexGrid;
class PleaseWait;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// No Q_OBJECT: moc cannot read the name.
class AlbumSettingsWindow : public QDialog, public DefaultInstance<AlbumSettingsWindow> {
public:
    explicit AlbumSettingsWindow(QWidget* parent = nullptr);
    ~AlbumSettingsWindow() override;

    QGroupBox* fraAddAlbum = nullptr;
    QLineEdit* txtAddAlbum = nullptr;
    QLabel* labLen = nullptr;
    QPushButton* cmdAddAlbum = nullptr;
    QCheckBox* chkAdd = nullptr;
    QGroupBox* fraAlbums = nullptr;
    FlexGrid* grdAlbum = nullptr;
    QGroupBox* fraHomeAlbums = nullptr;
    std::array<QLabel*, HomeAlbumFrame::kSlots> labSN{};
    std::array<QLabel*, HomeAlbumFrame::kSlots> labAlbum{};
    std::array<ClickableLabel*, HomeAlbumFrame::kSlots> imgMoveUp{};
    std::array<ClickableLabel*, HomeAlbumFrame::kSlots> imgMoveDown{};
    std::array<QPushButton*, HomeAlbumFrame::kSlots> cmdUpload{};
    std::array<QPushButton*, HomeAlbumFrame::kSlots> cmdMoveOut{};
    QPushButton* cmdSave = nullptr;
    QLabel* labSave = nullptr;
    QWidget* picNetToService = nullptr;
    QPushButton* cmdQuit = nullptr;

    // The controller, with the hooks this window set.
    AlbumSettingsController logic;

    void Form_Load() { logic.Form_Load(); }
    void cmdAddAlbum_Click() { logic.cmdAddAlbum_Click(); }
    void grdAlbum_Click(int row, int col) { logic.grdAlbum_Click(row, col); }
    // The hand over the grid's action bands; pos in pixels inside the grid.
    bool grdAlbum_MouseMove(const QPoint& pos) const;
    void txtAddAlbum_Change();
    void imgMoveUp_Click(int k) { logic.imgMoveUp_Click(k); }
    void imgMoveDown_Click(int k) { logic.imgMoveDown_Click(k); }
    void cmdMoveOut_Click(int k) { logic.cmdMoveOut_Click(k); }
    void cmdUpload_Click(int k) { logic.cmdUpload_Click(k); }
    void cmdSave_Click() { logic.cmdSave_Click(); }
    void cmdQuit_Click() { reject(); }

    void done(int result) override;

private:
    void wireView();
    void showGrid(const AlbumGrid& grid);
    void showFrame(const HomeAlbumFrame& frame);
    void showSaveMarker(bool shown);
    QString nameText() const;
    void setNameText(const QString& text);
    void setLen(const QString& text);
    void focusName(bool selectAll);
    bool addToFrame() const;
    void showWait();
    void hideWait();
    void openUploadWindow();

    std::unique_ptr<PleaseWait> m_wait;
    bool m_unloading = false;
};
using frm相册设置 = AlbumSettingsWindow;  // 相册设置 album settings

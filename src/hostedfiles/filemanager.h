#pragma once
// The work of the file manager frmMyUploadFiles, apart from its window: the album tree, opening
// an album into the list grid, the mode, the hint boxes, the copy target and the advertisement
// page. The window reaches it through FileManagerView.
#include "foundation/table.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// ---- album tree
inline const QString kSysBootKey = QStringLiteral("SysBoot");
inline const QString kMyBootKey = QStringLiteral("MyBoot");
inline const QString kNoMyAlbumKey = QStringLiteral("My");
inline const QString kNoSysAlbumKey = QStringLiteral("Sys");

struct AlbumTreeNode {
    QString parentKey;  // empty for the two roots
    QString key;
    QString text;
    bool operator==(const AlbumTreeNode&) const = default;
};
// The nodes of the tree in the order they are added: the roots "系统相册" and "我创建的相册", one
// node "ML<k>" per album row (system albums are those whose name starts with "www" in any case),
// and a "(无)" node under a root that got no album.
std::vector<AlbumTreeNode> AlbumTreeNodes(const Table& albums);
// <UserFolder>/UpLoadPicture/<album>, or empty when the name can be no folder name.
QString AlbumThumbnailFolder(const QString& album);

// ---- list grid
// The header of grdFile: 13 columns, column 0 and columns 5 to 12 without text.
inline const QString kFileListFormat = QStringLiteral(
    "|^[   上  传  时  间   ]|<[     描     述     ]|>[ 大小(K) ]|<[                 网                  址    "
    "                 ]");
inline constexpr int kFileListColumns = 13;
// The data rows of grdFile (row 1 on), each of 13 columns, from a FileInfo table: one row per
// file, or one empty row for an album without files. Missing fields read as empty text.
QList<QStringList> FileListRows(const Table& files);

// ---- advertisement page
QString FileManagerAdAddress(const QDate& today);

// ---- hint boxes
struct FileManagerHint {
    int setting;  // the member setting that turns it off, also its number
    int box;      // picOpeMsg(box)
    int left, top;
    QString text;
};
// The hint of member setting 13 to 16.
const FileManagerHint& FileManagerHintFor(int setting);

// Back colours of the info box picFileInfo (0xBBGGRR) for the two copy targets.
inline constexpr unsigned kInfoColourOriginal = 0xC0FFC0;
inline constexpr unsigned kInfoColourThumbnail = 0xC0E0FF;

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct FileManagerView {
    std::function<void()> clearTree;                                              // tvwDir
    std::function<void(const AlbumTreeNode&)> addTreeNode;                        // tvwDir
    std::function<void(const QString&)> setAlbumName;                             // labDir, labPicDir
    std::function<void(bool)> showNetToService;                                   // painted at once
    std::function<void(const QList<QStringList>& rows)> fillFileList;             // grdFile, header + rows
    std::function<bool()> listTabShown;                                           // tabFile on tab 1
    std::function<void()> selectFirstListRow;                                     // top and current row 1
    std::function<void()> hideInsertButtons;                                      // manage mode layout
    std::function<void(int box, const QString& text, int left, int top)> showHintBox;
    std::function<void(int box)> hideHintBox;
    std::function<bool(int box)> hintTicked;                                      // chkIKnowOpe(box)
    std::function<void(int box)> clearHintTick;
    std::function<void(const QString&)> setMsgSN;                                 // labMsgSN
    std::function<bool()> pageDownVisible;                                        // labPageDown
    std::function<void(const QString&)> navigateAd;                               // webAD
    std::function<void(unsigned colour)> setInfoBackColour;                       // picFileInfo
    std::function<void()> hideInfoBox;                                            // picFileInfo

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("clearTree", bool(clearTree));
        f("addTreeNode", bool(addTreeNode));
        f("setAlbumName", bool(setAlbumName));
        f("showNetToService", bool(showNetToService));
        f("fillFileList", bool(fillFileList));
        f("listTabShown", bool(listTabShown));
        f("selectFirstListRow", bool(selectFirstListRow));
        f("hideInsertButtons", bool(hideInsertButtons));
        f("showHintBox", bool(showHintBox));
        f("hideHintBox", bool(hideHintBox));
        f("hintTicked", bool(hintTicked));
        f("clearHintTick", bool(clearHintTick));
        f("setMsgSN", bool(setMsgSN));
        f("pageDownVisible", bool(pageDownVisible));
        f("navigateAd", bool(navigateAd));
        f("setInfoBackColour", bool(setInfoBackColour));
        f("hideInfoBox", bool(hideInfoBox));
    }
};

class FileManagerController {
public:
    FileManagerView view;
    // Reads an album's file list into AlbumFiles; LoadAlbumFileList unless a test replaces it.
    std::function<bool(const QString&)> loadFileList;

    FileManagerController();

    int FilesPerPage = 0;
    int SelectAllArmed = 0;

    void Form_Load(const QDate& today);
    void LoadAlbumTree();
    void tvwDir_NodeClick(const QString& key, const QString& text);
    // Rebuilds grdFile from AlbumFiles.
    void FillFileList();
    // The thumbnail page from the file of the index on; filled by the paging of the next window part.
    void ShowFilePage(int firstIndex);
    void tabFile_Click(int tab);

    // Shows the hint of the setting unless the member turned it off.
    void ShowHint(int setting);
    void HideAllHints();
    // cmdClosOpeMsg(box) and imgCloseOpe(box).
    void CloseHintBox(int box);
    // The hint each box shows, 0 for none.
    int HintInBox(int box) const { return box >= 0 && box < 3 ? m_hintInBox[box] : 0; }

    void optYT_Click();
    void optSLT_Click();
    // tvwDir_MouseMove, txtMemo(k)_MouseMove and labCloss.
    void HideInfoBox();

    // The open album, empty before the first album click.
    const QString& OpenAlbum() const { return m_openAlbum; }

private:
    bool m_albumOpened = false;
    QString m_openAlbum;
    int m_hintInBox[3] = {0, 0, 0};
};

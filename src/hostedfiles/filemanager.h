#pragma once
// The work of the file manager frmMyUploadFiles, apart from its window: the album tree, opening
// an album into the list grid, the mode, the hint boxes, the copy target and the advertisement
// page. The window reaches it through FileManagerView.
#include "foundation/table.h"

#include <QDate>
#include <QImage>
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
// <UserFolder>/UpLoadPicture/<album>, the album made one safe folder name as the thumbnail cache
// makes it.
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

// ---- thumbnail pages
inline constexpr int kCellsPerPage = 15;

// The hidden labels of a thumbnail cell: which file it holds, read by the operations on one file.
struct FileCell {
    bool shown = false;        // picPicInfo(k) visible
    QString labUpLoadDay;      // grid column 1
    QString labFileName;       // grid column 12, the stored name with its extension
    QString labURL;            // grid column 4
    QString labSize;           // grid column 3
};

// Which paging controls show: the four links, and labGoto with cobPage and cmdGotoPage.
struct PagingLinks {
    bool goTop = false, pageUp = false, pageDown = false, goEnd = false, goTo = false;
    bool operator==(const PagingLinks&) const = default;
};

// The page holding a grid row (1-based pages; the old runtime's Int and Mod).
int PageOfRow(int firstIndex);
// The number of pages of n files.
int PageCount(int files);

class DownloadProgress;

// ---- file links
// What the information box picFileInfo shows of one file.
struct InfoBoxTexts {
    QString upLoadDay, fileName, size;  // labShowUpLoadDay, labShowFileName, labShowSize
    QString url, code;                  // txtShowURL, txtShowCode
};
inline constexpr int kInfoBoxWidth = 4440;
// The box's place (twips, in picFile) beside cell k: to the left of the two right-hand cells of a
// row, to the right of the others, overlapping the cell by 278.
int InfoBoxLeft(int k);
int InfoBoxTop(int k);
// The labels the description editor is opened with.
struct DescriptionParams {
    QString labIndex, labMemo, labWebDir, labFileName, labWebPath;
};

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
    // ---- thumbnail pages
    std::function<void(int k)> clearCell;             // picPicInfo(k) hidden, cheSelect(k) clear, no picture
    // Cell k shows its description and the picture (none when null), centred in picView(k).
    std::function<void(int k, const QString& memo, const QImage& picture)> fillCell;
    std::function<void(int k)> hideCell;              // picPicInfo(k) hidden, txtMemo(k) empty
    std::function<void(int page, int pages)> setPageLine;  // labPS, labAllPS, laid out in a line
    std::function<void(const PagingLinks&)> setPagingLinks;
    std::function<void(int pages, const QString& text)> fillPageCombo;  // cobPage "1".."pages"
    std::function<void()> scrollToTop;                // srcFile value 0
    std::function<void(bool)> showLoadInfo;           // picLoadInfo, painted at once
    std::function<DownloadProgress*()> loadProgress;  // proDL
    // ---- list tab preview
    std::function<int()> currentListRow;              // grdFile Row
    std::function<void(const QString&)> setGridMemo;  // txtGridMemo
    std::function<void(const QImage&)> setGridPicture;  // imgFileView centred in picGrdView; null: none
    std::function<void(bool url, bool putIn)> showGridButtons;  // imgGridURL, imgGridPutIn
    // ---- deletion
    std::function<bool(int k)> cellTicked;            // cheSelect(k)
    std::function<void(int k, bool)> setCellTicked;
    std::function<bool()> selectAllTicked;            // cheSelectAll
    std::function<void(bool)> setSelectAll;           // without running its click handler
    std::function<void(int row)> removeListRow;       // grdFile
    // ---- replacing a file
    // The replacement window shown modally, its preview taking the picture and place of cell k's
    // imgView(k), or of imgFileView for the list tab (15).
    std::function<void(int k)> openReplacement;
    // ---- file links
    std::function<bool()> thumbnailChosen;            // optSLT
    std::function<QString(int k)> cellMemo;           // txtMemo(k)
    std::function<void(int left, int top, const InfoBoxTexts&)> showInfoBox;
    std::function<void(int box)> selectFromSecond;    // 0 txtShowURL, 1 txtShowCode: selection from index 1
    std::function<void(const QString&)> viewThroughPage;  // the viewer on VievPhoto.html of the address
    std::function<void(const QString&)> viewAddress;      // the viewer sent to the address itself
    // Shows frm修改描述信息 modally for cell k with the labels (its picture from imgView(k)).
    std::function<void(int k, const DescriptionParams&)> openDescriptionEditor;
    // ---- handing a picture to the writer that opened the window
    // The open micro-blog writer takes the picture of cell k's imgView(k) (of imgFileView for the
    // list tab, 15) and the address; the open blog writer inserts a picture of the address. A
    // writer that is not open takes nothing.
    std::function<void(int k, const QString& address)> handToMicroBlogWriter;
    std::function<void(const QString& address)> handToBlogWriter;
    std::function<void()> closeWindow;

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
        f("clearCell", bool(clearCell));
        f("fillCell", bool(fillCell));
        f("hideCell", bool(hideCell));
        f("setPageLine", bool(setPageLine));
        f("setPagingLinks", bool(setPagingLinks));
        f("fillPageCombo", bool(fillPageCombo));
        f("scrollToTop", bool(scrollToTop));
        f("showLoadInfo", bool(showLoadInfo));
        f("loadProgress", bool(loadProgress));
        f("currentListRow", bool(currentListRow));
        f("setGridMemo", bool(setGridMemo));
        f("setGridPicture", bool(setGridPicture));
        f("showGridButtons", bool(showGridButtons));
        f("cellTicked", bool(cellTicked));
        f("setCellTicked", bool(setCellTicked));
        f("selectAllTicked", bool(selectAllTicked));
        f("setSelectAll", bool(setSelectAll));
        f("removeListRow", bool(removeListRow));
        f("openReplacement", bool(openReplacement));
        f("thumbnailChosen", bool(thumbnailChosen));
        f("cellMemo", bool(cellMemo));
        f("showInfoBox", bool(showInfoBox));
        f("selectFromSecond", bool(selectFromSecond));
        f("viewThroughPage", bool(viewThroughPage));
        f("viewAddress", bool(viewAddress));
        f("openDescriptionEditor", bool(openDescriptionEditor));
        f("handToMicroBlogWriter", bool(handToMicroBlogWriter));
        f("handToBlogWriter", bool(handToBlogWriter));
        f("closeWindow", bool(closeWindow));
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
    void tabFile_Click(int tab);

    // ---- thumbnail pages (filepages.cpp)
    // Shows the page holding grid row firstIndex: cells from the cache, the missing or stale
    // thumbnails fetched in one pass, the page line, the paging controls and the hints.
    void ShowFilePage(int firstIndex);
    void labGoTop_Click();
    void labPageUp_Click();
    void labPageDown_Click();
    void labGoEnd_Click();
    // cobPage's text: a page number from 1 whose first row stays within 32767 shows that page.
    void cmdGotoPage_Click(const QString& pageText);
    // Shows the current list row in the preview strip.
    void grdFile_Click();
    // labPS, labAllPS.
    int CurrentPage() const { return m_page; }
    int PageCountShown() const { return m_pages; }
    const PagingLinks& Links() const { return m_links; }
    // What cell k holds.
    const FileCell& Cell(int k) const;
    // The address of cell k's file, or of list row r's, as it is fetched, shown, copied and
    // inserted (HostedFileAddress); the labels and grid keep the service's own, by which the
    // service and the album's cache know the file.
    QString CellAddress(int k) const;
    QString ListAddress(int row) const;
    // The list grid as the window shows it: grid row r from 1, column c; empty outside.
    QString ListCell(int row, int col) const;
    // Grid rows, the header included.
    int ListRows() const { return int(m_rows.size()) + 1; }

    // ---- file links and descriptions (filelinks.cpp)
    void imgView_MouseMove(int k);
    // cmdCopyURL (box 0) and cmdCopyCode (box 1) with the box's text.
    void CopyInfoText(int box, const QString& text);
    void imgURL_Click(int k);
    void imgGridURL_Click();
    void imgView_Click(int k);
    // grdFile's double click and imgFileView's click.
    void ViewListRow();
    void picEdit_Click(int k);
    // imgPutIn(k) and imgGridPutIn: the file handed to the writer that opened the window (by
    // labViewType), which then closes; a Flash file is refused and the window stays.
    void imgPutIn_Click(int k);
    void imgGridPutIn_Click();

    // ---- deletion (filedeletion.cpp)
    void cheSelect_Click(int k);
    void cheSelectAll_Click();
    void cmdDelSelectFiles_Click();

    // ---- replacing a file (singlefileupload.cpp)
    // imgRenew(k) and imgGridRenew (15): the replacement window for cell k's file or the current
    // list row's; when it replaced the file, the list grid is rebuilt from AlbumFiles.
    void ReplaceFile(int k);

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
    // The number of files: the rows up to the first with an empty upload time.
    int FileCount() const;
    void FillCellFromRow(int k, int row, const QImage& picture);
    // Fetches the download list behind picLoadInfo with its bar.
    void RunDownloadPass();
    void SetSelectAll(bool ticked);
    void CopyAddress(const QString& address, bool listTab);
    // k: the cell, or 15 for the list tab.
    void PutIn(const QString& address, int k);

    QList<QStringList> m_rows;  // grdFile's data rows, each of kFileListColumns columns
    FileCell m_cells[kCellsPerPage];
    int m_page = 0;
    int m_pages = 0;
    PagingLinks m_links;
    bool m_insertShown = true;  // imgPutIn(0) visible: a picking mode
    bool m_albumOpened = false;
    QString m_openAlbum;
    int m_hintInBox[3] = {0, 0, 0};
};

#pragma once
// The hosted file manager: the album tree on the left, the open album as thumbnail pages or as a
// list on the right, the upload button, the copy target and the hint boxes. Made anew at each
// opening; others reach the open window through its default instance.
#include "foundation/ui/progressbarprogress.h"
#include "hostedfiles/filemanager.h"
#include "platform/defaultinstance.h"
#include "platform/ui/windowgeometry.h"

#include <QDialog>

#include <memory>

class ClickableLabel;
class FlexGrid;
class PictureBox;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class WebBrowser;

// No Q_OBJECT: moc cannot read the alias's name, and the window needs no signals of its own.
class FileManagerWindow : public QDialog, public DefaultInstance<FileManagerWindow> {
public:
    explicit FileManagerWindow(QWidget* parent = nullptr);

    // Closes and deletes the open window, as DefaultInstance's does; while the upload window
    // opened from this one is open (its child: it would go too) the window closes only once the
    // upload window has closed, and then asks its opener for a fresh one (reopenWanted).
    static void unload();
    bool reopenWanted() const { return m_reopen; }

    FileManagerController logic;

    QFrame* picAD = nullptr;
    WebBrowser* webAD = nullptr;
    QTreeWidget* tvwDir = nullptr;
    QTabWidget* tabFile = nullptr;
    QFrame* picTitle = nullptr;
    QLabel* labPicDir = nullptr;
    ClickableLabel* labGoTop = nullptr;
    ClickableLabel* labPageUp = nullptr;
    ClickableLabel* labPageDown = nullptr;
    ClickableLabel* labGoEnd = nullptr;
    QLabel* labP1 = nullptr;
    QLabel* labPS = nullptr;
    QLabel* labP2 = nullptr;
    QLabel* labAllPS = nullptr;
    QLabel* labP3 = nullptr;
    QLabel* labGoto = nullptr;
    QComboBox* cobPage = nullptr;
    QPushButton* cmdGotoPage = nullptr;
    QCheckBox* cheSelectAll = nullptr;
    QPushButton* cmdDelSelectFiles = nullptr;
    QFrame* Picture1 = nullptr;
    QFrame* picFile = nullptr;
    QScrollBar* srcFile = nullptr;
    // The 15 thumbnail cells, laid out empty and hidden.
    QFrame* picPicInfo[15] = {};
    QFrame* picView[15] = {};
    QLabel* imgView[15] = {};
    QLineEdit* txtMemo[15] = {};
    QCheckBox* cheSelect[15] = {};
    ClickableLabel* imgPutIn[15] = {};
    ClickableLabel* imgURL[15] = {};
    ClickableLabel* imgRenew[15] = {};
    ClickableLabel* picEdit[15] = {};
    QFrame* linRow[2] = {};  // the dotted lines between the cell rows
    QFrame* picFileInfo = nullptr;
    QLabel* labShowUpLoadDay = nullptr;
    QLabel* labShowFileName = nullptr;
    QLabel* labShowSize = nullptr;
    QLineEdit* txtShowURL = nullptr;
    QLineEdit* txtShowCode = nullptr;
    QPushButton* cmdCopyURL = nullptr;
    QPushButton* cmdCopyCode = nullptr;
    ClickableLabel* labCloss = nullptr;
    FlexGrid* grdFile = nullptr;
    QFrame* picGridPicInfo = nullptr;
    QGroupBox* fraDir = nullptr;
    QLabel* labDir = nullptr;
    QFrame* picGrdView = nullptr;
    QLabel* imgFileView = nullptr;
    QLineEdit* txtGridMemo = nullptr;
    ClickableLabel* imgGridURL = nullptr;
    ClickableLabel* imgGridRenew = nullptr;
    ClickableLabel* imgGridPutIn = nullptr;
    ClickableLabel* picUpLoadPicture = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Label4 = nullptr;
    QRadioButton* optYT = nullptr;
    QRadioButton* optSLT = nullptr;
    QFrame* picNetToService = nullptr;
    QFrame* picLoadInfo = nullptr;
    QProgressBar* proDL = nullptr;
    QLabel* labState = nullptr;
    QFrame* picOpeMsg[3] = {};
    QLabel* labOpeMsg[3] = {};
    QCheckBox* chkIKnowOpe[3] = {};
    QPushButton* cmdClosOpeMsg[3] = {};
    ClickableLabel* imgCloseOpe[3] = {};
    QLabel* labMsgSN = nullptr;

    void Form_Load();
    void tvwDir_NodeClick(QTreeWidgetItem* node);
    void tabFile_Click();
    void picUpLoadPicture_Click();
    void cmdClose_Click() { close(); }
    void cmdGotoPage_Click();
    // Opens frm修改描述信息 for cell k with the labels; its picture is the cell's.
    void OpenDescriptionEditor(int k, const DescriptionParams& p);
    // Shows a picture at its own size, centred in its frame; a null image removes it.
    static void ShowCentred(QLabel* image, QWidget* frame, const QImage& picture);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildCell(int k);
    void buildHintBox(int i, QWidget* parent);
    // The control a hint's text explains.
    QWidget* hintTarget(const QString& text) const;
    // The controls' events, the fifteen cells' apart.
    void connectHandlers();
    void connectCellHandlers();
    void srcFile_Change(int value);

    // The logic's view, wired one concern at a time.
    void wireView();
    void wireTree();
    void wireHints();
    void wireThumbnails();
    void wireFileList();
    void wireInfoBox();
    void wireOtherWindows();

    // ---- the view's hooks: the album tree, the window and its manage mode
    void clearTree();
    void addTreeNode(const AlbumTreeNode& n);
    void setAlbumName(const QString& name);
    void showNetToService(bool on);
    void showLoadInfo(bool on);
    DownloadProgress* loadProgress();
    void navigateAd(const QString& address);
    void hideInsertButtons();
    // ---- hint boxes
    void showHintBox(int box, const QString& text, int left, int top);
    void hideHintBox(int box);
    bool hintTicked(int box) const;
    void clearHintTick(int box);
    void setMsgSN(const QString& s);
    // ---- thumbnail pages
    void clearCell(int k);
    void fillCell(int k, const QString& memo, const QImage& picture);
    void hideCell(int k);
    QString cellMemo(int k) const;
    bool cellTicked(int k) const;
    void setCellTicked(int k, bool on);
    bool selectAllTicked() const;
    void setSelectAll(bool on);
    void setPageLine(int page, int pages);
    void setPagingLinks(const PagingLinks& l);
    bool pageDownVisible() const;
    void fillPageCombo(int pages, const QString& text);
    void scrollToTop();
    // ---- the list tab
    void fillFileList(const QList<QStringList>& rows);
    bool listTabShown() const;
    void selectFirstListRow();
    int currentListRow() const;
    void removeListRow(int row);
    void setGridMemo(const QString& s);
    void setGridPicture(const QImage& picture);
    void showGridButtons(bool url, bool putIn);
    // ---- the information box
    void setInfoBackColour(unsigned colour);
    void hideInfoBox();
    void showInfoBox(int left, int top, const InfoBoxTexts& t);
    void selectFromSecond(int box);
    bool thumbnailChosen() const;
    // ---- other windows
    void openReplacement(int k);
    void viewThroughPage(const QString& address);
    void viewAddress(const QString& address);
    void handToMicroBlogWriter(int k, const QString& address);
    static void handToBlogWriter(const QString& address);

    std::unique_ptr<ProgressBarProgress> m_progress;
    HintBoxQueue m_hints;
    bool m_loaded = false;
    bool m_uploadOpen = false;
    bool m_unloadAsked = false;
    bool m_reopen = false;
};
using frmMyUploadFiles = FileManagerWindow;  // 图像管理 hosted file manager

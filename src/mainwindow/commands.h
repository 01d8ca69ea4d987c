#pragma once
// The main window's commands: each prepares the parameters of its window, shows it modally and
// afterwards refreshes the cell browsers that show what the window changed; the domain box, the
// protection button and the home-page album panel talk to the service themselves. The window
// wires its buttons to a MainWindowCommands. What the commands need of the window comes in
// through SiteWindowView, and the windows they open through CommandWindows, so that both can be
// replaced. Required and optional hooks as platform/hookcheck.h says.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// What the commands do to the main window.
struct SiteWindowView {
    QWidget* window = nullptr;  // parent of the windows the commands open (none while null)

    // Required.
    std::function<void(int cell)> refreshCell;  // "Refresh" on the cell browser webPage(cell)
    std::function<void()> refreshAreaBackgrounds;  // webMidBack, webPhotoBack and webBlogBack
    // The domain box's text, read and written back trimmed.
    std::function<QString()> domainBoxText;
    std::function<void(const QString&)> setDomainBoxText;
    // The hint box: id, text, point size, top below the tools bar's top, left from the tool frame's
    // left (twips).
    std::function<void(int, const QString&, int, int, int)> showHint;
    // The home-page album panel fraSetMainAlbum: its album list, its album box (the window sets
    // the text and then runs the box's change handler itself, since setting the same text again
    // signals nothing), and the panel itself.
    std::function<void(const QStringList&)> fillAlbumList;
    std::function<QString()> homeAlbumText;
    std::function<void(const QString&)> setHomeAlbumText;
    std::function<void()> showHomeAlbumPanel;
    std::function<void()> hideHomeAlbumPanel;

    // Optional: unset, each does nothing.
    std::function<void()> showWait;  // the please-wait box picNetToService, shown and painted at once
    std::function<void()> hideWait;
    std::function<void(bool)> enableMusicButton;  // cmdSetMusic, off while its editor is open
    std::function<void()> focusDomainBox;
    std::function<void(bool)> enableTestDomain;  // cmdTestDomain, off while its test runs
    std::function<void(bool)> enableRegDomain;   // cmdRegDomain, off while its window is open

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("refreshCell", bool(refreshCell));
        f("refreshAreaBackgrounds", bool(refreshAreaBackgrounds));
        f("domainBoxText", bool(domainBoxText));
        f("setDomainBoxText", bool(setDomainBoxText));
        f("showHint", bool(showHint));
        f("fillAlbumList", bool(fillAlbumList));
        f("homeAlbumText", bool(homeAlbumText));
        f("setHomeAlbumText", bool(setHomeAlbumText));
        f("showHomeAlbumPanel", bool(showHomeAlbumPanel));
        f("hideHomeAlbumPanel", bool(hideHomeAlbumPanel));
    }
};

// The windows the commands open, each shown modally; the call returns when it is closed. program()
// (in the windows layer) gives the program's windows, through the openers of their subsystems.
// Every one is required (a window of a later subsystem has an opener that returns at once).
struct CommandWindows {
    std::function<void(QWidget*)> cellEditor;       // frm图片设置
    std::function<void(QWidget*)> prefaceEditor;    // frm卷首语设置
    std::function<void(QWidget*)> colorDialog;      // frm颜色设置
    std::function<void(QWidget*)> musicEditor;      // frm背景音乐设置
    std::function<void(QWidget*)> uploadWindow;     // frm上传
    std::function<void(QWidget*)> sizedUpload;      // frm上传特定
    std::function<void(QWidget*)> albumSettings;    // frm相册设置
    std::function<void(QWidget*)> blogList;         // frm博客维护
    std::function<void(QWidget*)> blogWriter;       // frm编写博客
    std::function<void(QWidget*)> microBlogList;    // frm微博维护
    std::function<void(QWidget*)> microBlogWriter;  // frm编写微博
    std::function<void(QWidget*)> fileManager;      // frmMyUploadFiles
    std::function<void(QWidget*)> imageEditor;      // frm图像编辑
    std::function<void(QWidget*)> templateChooser;  // frm网站模板
    std::function<void(QWidget*)> webIE;            // frmIE, on PageUrl
    std::function<void(QWidget*)> webFrame;         // frmWebFrame, on PageUrl
    std::function<void(QWidget*)> mySite;           // frmIE2, the member's published site
    std::function<void(QWidget*)> mobileSite;       // frm手机网站
    std::function<void(QWidget*)> userInfo;         // frmSetUserInfo
    std::function<void(QWidget*)> buySpace;         // frmBuySpace
    std::function<void(QWidget*, const QString& label)> domainRegistration;  // frm注册域名
    std::function<void(QWidget*)> protection;       // frm网站加密

    static CommandWindows program();

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("cellEditor", bool(cellEditor));
        f("prefaceEditor", bool(prefaceEditor));
        f("colorDialog", bool(colorDialog));
        f("musicEditor", bool(musicEditor));
        f("uploadWindow", bool(uploadWindow));
        f("sizedUpload", bool(sizedUpload));
        f("albumSettings", bool(albumSettings));
        f("blogList", bool(blogList));
        f("blogWriter", bool(blogWriter));
        f("microBlogList", bool(microBlogList));
        f("microBlogWriter", bool(microBlogWriter));
        f("fileManager", bool(fileManager));
        f("imageEditor", bool(imageEditor));
        f("templateChooser", bool(templateChooser));
        f("webIE", bool(webIE));
        f("webFrame", bool(webFrame));
        f("mySite", bool(mySite));
        f("mobileSite", bool(mobileSite));
        f("userInfo", bool(userInfo));
        f("buySpace", bool(buySpace));
        f("domainRegistration", bool(domainRegistration));
        f("protection", bool(protection));
    }
};

// ---- records and rules of the commands, without a window
// The edit buttons: cells 0 to 25, 27, 28, 30 and 31 (27 and 30 edit the blocks of 25 and 28)
// and the colour buttons 35 to 38.
bool IsEditButton(int index);
// The cell an edit button edits: 27 gives 25, 30 gives 28, any other its own number.
int EditedCell(int index);
// The cells whose browsers show an edited cell's page: 25 with its copies 26 and 27, 28 with 29
// and 30, any other cell itself.
QList<int> CellsShowingEdit(int cell);
// The colour record of a colour button (35 to 38): CellRecord 0 to 4 := the row, its LocalColumn
// and PublishColumn colours, the dialog's caption, empty. Returns the area page's name ("b1.html"…).
QString FillColorRecord(int index);
// The music record: CellRecord 0 to 14 from the LocalColumn music rows.
void FillMusicRecord();
// The address of a plain command's service page: the guestbook and message pages on the member's
// frame host, the suggestion page on the account host.
QString GuestbookPageAddress();
QString MessagePageAddress();
QString SuggestionPageAddress();

// ---- the domain box
// The message for a reply of TestDomain about the (trimmed, lower-cased) label.
QString TestDomainReplyMessage(const QString& reply, const QString& label);

// ---- the protection record
// The record was read in this run: the protection grid frmDB::grdDB[13] has its 11 columns.
bool ProtectionRecordRead();
// Takes a WebsiteEncryptionInfo reply that opens with "{OK_0001}" (any letter case) into the
// grid: 11 columns, and, when the reply holds a record, row 1 := the server prefix and the
// record's fields 0 to 6.
void StoreProtectionReply(const QString& reply);

// ---- the home-page album panel
// The albums the panel offers: the names of AlbumList's rows, without the service's own albums
// (names beginning with "www" in any letter case); none while the list is the "null" table.
QStringList HomeAlbumChoices();
// The save button is enabled while the chosen album differs from the published one.
bool HomeAlbumSaveEnabled(const QString& chosen);

// The parameters of a widget album's upload button (index 0 to 3, cells 1, 5, 9 and 12), shared by
// the main window and the cell editor: for 0 to 2 the main window's size and watermark labels and
// the sized-picture upload window's labels (true: that window opens); for 3 the album upload
// window fixed on the ten-picture album (false: the album upload window opens). Nothing for
// another index.
std::optional<bool> SetUploadAreaLabels(int index);
// The cell whose page shows the widget album of the button.
int UploadAreaCell(int index);

class MainWindowCommands {
public:
    SiteWindowView view;
    CommandWindows windows;  // the main window sets CommandWindows::program()

    // Edit and option buttons.
    void cmdEdit_Click(int index);
    void cmdSetMusic_Click();
    void cmdUploadAreaPic_Click(int index);
    // Plain commands.
    void cmdBlogMag_Click();
    void cmdWriteBlog_Click();
    void cmdTblogMag_Click();
    void cmdWriteTBlog_Click();
    void cmdSetPhotoBox_Click();
    void cmdUploadPic_Click();
    void cmdPicManage_Click();
    void cmdPicEdit_Click();
    void cmdTemplate_Click();
    void cmdLYB_Click();
    void cmdMsg_Click();
    void cmdSuggest_Click();
    void cmdViewMySite_Click();
    void cmdViewMyMBSite_Click();
    void cmdSetUserInfo_Click();
    void cmdBuySpace_Click();
    // The domain box and the protection button.
    void cmdTestDomain_Click();
    void cmdRegDomain_Click();
    void cmdEncrypt_Click();
    // The home-page album panel.
    void cmdSetHomePhoto_Click();
    void cmdSaveHomeAlbum_Click();
    void cmdSetAlbum_Click();
    void cmdCloseMainAlbum_Click();
    // Publishes the site with the chosen home album (the album box's text).
    void UploadHomeAlbumSettings();

private:
    void showWait();
    void hideWait();
    void refresh(int cell);
    // The required text hooks, read empty while unset in a release build.
    QString domainBoxText();
    QString homeAlbumText();
    // Refuses a site preview while no domain is registered; true when refused.
    bool refusePreview();
    // DialogState := 0, the window, then the cell refreshed when DialogState is 99.
    void openAndRefreshOnChange(const std::function<void(QWidget*)>& open, int cell);
    // LoadAlbumList with the please-wait box around it.
    void loadAlbumListWaiting();
};

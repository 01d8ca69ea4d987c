#pragma once
// The main window: the member's site at its real size, a canvas of 33 cell boxes each with its
// own browser on the cell's page file over four background browsers, in a scrolling viewport;
// above it the weekly advertisement strip (or the tutorial panel), the tools bar with the domain
// row, the command buttons and the fee line; the hint box and the please-wait box. Its timer
// places the browsers, tests the space's expiry once and turns the strip's pages. Closing it asks
// once, empties the member's temp folder and ends the program.
#include "foundation/adcarousel.h"
#include "platform/defaultinstance.h"
#include "state/sitewindowlabels.h"

#include <QMap>
#include <QWidget>

#include <array>

class ClickableLabel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;
class TeachPanel;
class WebBrowser;
struct MainWindowGeometry;

class SiteWindow : public QWidget, public frm个人网站Labels, public DefaultInstance<SiteWindow> {
public:
    static constexpr int kCells = 33;
    // The canvas, twips.
    static constexpr int kCanvasWidth = 15030;
    static constexpr int kCanvasHeight = 41550;
    // One page of the advertisement strip, twips.
    static constexpr int kAdPage = 1050;
    // The window's frame, twips: the Part's sizes are outer sizes, Qt's are inner ones.
    static constexpr int kFrameWidth = 105;
    static constexpr int kFrameHeight = 510;

    explicit SiteWindow(QWidget* parent = nullptr);
    ~SiteWindow() override;

    // Closes and deletes the open window without the closing question: the program's code (and
    // the tests) unload it, only the member is asked.
    static void unload();

    // ---- handlers (public: other windows and the tests drive the window as the runtime did)
    // Runs once, when the window is first shown.
    void Form_Load();
    void Form_Resize();
    // The closing question; true cancels the close.
    bool Form_QueryUnload();
    void Timer1_Timer();
    void vscWeb_Change();
    void vscWeb_Scroll() { vscWeb_Change(); }
    void imgAD_Click(int index);
    void cmdQuit_Click();
    void cmdClosOpeMsg_Click();
    void imgCloseOpe_Click() { cmdClosOpeMsg_Click(); }
    void cmdOpenTeach_Click();
    void cmdCloseTeach_Click();
    void imgMF_Click();
    void imgXF_Click();
    void imgXF_MouseDown();
    void imgXF_MouseUp();

    // ---- what other windows do with the open window (mainwindow_entry.h)
    void ShowHint(int hintId, const QString& text, int pointSize, int topFromTools, int leftFromToolsFrame);
    void ShowRegisteredDomain();
    void SetCanvasColor(const QColor& color);

    // True once the first timer tick ran.
    bool firstTickDone() const { return m_firstTick; }
    // How many of the 37 site browsers (33 cells, 4 backgrounds) have finished their first load.
    int siteBrowsersLoaded() const { return m_siteBrowsersLoaded; }
    // Top of a control in its container, and the like, in twips.
    static int Twips(int pixels);

    // ---- advertisement strip
    QWidget* picAD = nullptr;
    WebBrowser* webAD = nullptr;
    QWidget* picADPage = nullptr;
    std::array<ClickableLabel*, 2> imgAD{};  // 0 previous page, 1 next page
    QLabel* labADPage = nullptr;
    AdCarousel adStrip{kAdPage, -30};  // the browser's resting top is its -30 twip frame

    // ---- tools bar
    QWidget* picTools = nullptr;
    QWidget* picToolsFrame = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* labDomainName = nullptr;
    QLineEdit* txtDomainName = nullptr;
    QPushButton* cmdTestDomain = nullptr;
    QPushButton* cmdRegDomain = nullptr;
    QPushButton* cmdViewMySite = nullptr;
    QPushButton* cmdEncrypt = nullptr;
    QPushButton* cmdOpenTeach = nullptr;
    QPushButton* cmdCloseTeach = nullptr;
    QPushButton* cmdSetUserInfo = nullptr;
    QPushButton* cmdTemplate = nullptr;
    QPushButton* cmdSetMusic = nullptr;
    QPushButton* cmdViewMyMBSite = nullptr;
    QPushButton* cmdPicEdit = nullptr;
    QPushButton* cmdBuySpace = nullptr;
    QPushButton* cmdSuggest = nullptr;
    QPushButton* cmdUploadPic = nullptr;
    QPushButton* cmdPicManage = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* labSpaceInfo = nullptr;
    ClickableLabel* imgMF = nullptr;
    ClickableLabel* imgXF = nullptr;
    WebBrowser* webAD2 = nullptr;

    // ---- viewport and canvas
    QWidget* picFrame = nullptr;
    QWidget* picWeb = nullptr;
    QScrollBar* vscWeb = nullptr;
    WebBrowser* webBack = nullptr;
    QWidget* picMidBack = nullptr;
    WebBrowser* webMidBack = nullptr;
    QWidget* picPhotoBack = nullptr;
    WebBrowser* webPhotoBack = nullptr;
    QWidget* picBlogBack = nullptr;
    WebBrowser* webBlogBack = nullptr;
    std::array<QWidget*, kCells> picPage{};
    std::array<WebBrowser*, kCells> webPage{};
    // The cell buttons, by the index their click handler gets: 0 to 25, 27, 28, 30 and 31 in the
    // cell boxes (box 25 carries 27 and box 27 carries 25; likewise 28 and 30); 35 to 38 the colour
    // buttons on the canvas.
    QMap<int, QToolButton*> cmdEdit;
    std::array<QToolButton*, 4> cmdUploadAreaPic{};  // in boxes 1, 5, 9 and 12
    QToolButton* cmdLYB = nullptr;
    QToolButton* cmdMsg = nullptr;
    QToolButton* cmdWriteTBlog = nullptr;
    QToolButton* cmdTblogMag = nullptr;
    QToolButton* cmdSetPhotoBox = nullptr;
    QToolButton* cmdBlogMag = nullptr;
    QToolButton* cmdWriteBlog = nullptr;

    // ---- hint box
    QFrame* picOpeMsg = nullptr;
    QLabel* labOpeMsg = nullptr;
    QLabel* labMsgSN = nullptr;
    QCheckBox* chkIKnowOpe = nullptr;
    QPushButton* cmdClosOpeMsg = nullptr;
    ClickableLabel* imgCloseOpe = nullptr;

    // ---- please-wait box
    QFrame* picNetToService = nullptr;
    QLabel* Label8 = nullptr;

    // ---- tutorial panel (its player is the tutorial subsystem's, teachpanel.h)
    TeachPanel* teachpicTeach = nullptr;

    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildAdStrip();
    void buildToolsBar();
    void buildCanvas();
    void buildCellButtons();
    void buildHintBox();
    void buildPleaseWaitBox();
    // The maximised state once more, after the web views replaced the native window.
    void maximiseAgain();
    void placeDomainRowForDomain();
    // Places the strip's browser and shows its arrows and page number from adStrip.
    void showAdStrip();
    void showHint10();
    void placeBrowsersInBoxes();
    void countSiteBrowserLoad(WebBrowser* browser);
    // The geometry other windows read through mainwindowseam.
    MainWindowGeometry geometryForOtherWindows() const;

    bool m_loaded = false;
    bool m_unloading = false;   // closed by unload(): no question
    bool m_firstTick = false;   // the first tick's work is done or under way
    qint16 m_tickCount = 0;
    int m_siteBrowsersLoaded = 0;
};
using frm个人网站 = SiteWindow;  // 个人网站 main window


#include "hostedfiles/ui/filemanagerwindow.h"

#include "albums/ui/albums_entry.h"
#include "blogs/ui/blogs_entry.h"
#include "hostedfiles/ui/singlefileuploadwindow.h"
#include "hostedfiles/ui/descriptioneditorwindow.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/windowgeometry.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/webbrowser.h"

#include <QApplication>
#include <QPointer>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

using twips::ToPixels;

namespace {

const QString kCopyTip = QStringLiteral("把此文件的网络地址复制到剪贴板中");
const QString kRenewTip = QStringLiteral("重新上传此文件");

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}
void moveTo(QWidget* w, int left, int top) { w->move(ToPixels(left), ToPixels(top)); }

QColor FromOleColour(unsigned c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void SetBackColour(QWidget* w, unsigned c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, FromOleColour(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

enum { kNodeKeyRole = Qt::UserRole + 1 };

// The width a row of a tab page has in the design, kept to fit it to its page.
constexpr char kDesignWidth[] = "designWidth";

}  // namespace

FileManagerWindow::FileManagerWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("图像管理"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ToPixels(13620), ToPixels(8175));

    picAD = new QFrame(this);
    place(picAD, 0, 0, 13620, 1215);
    webAD = new WebBrowser(picAD);
    place(webAD, -30, -30, 13875, 2490);

    tvwDir = new QTreeWidget(this);
    place(tvwDir, 0, 1230, 2730, 6480);
    tvwDir->setHeaderHidden(true);
    tvwDir->setMouseTracking(true);
    tvwDir->viewport()->installEventFilter(this);

    tabFile = new QTabWidget(this);
    place(tabFile, 2745, 1215, 10860, 6480);
    auto* tab0 = new QWidget;
    auto* tab1 = new QWidget;
    tabFile->addTab(tab0, QStringLiteral("缩略图"));
    tabFile->addTab(tab1, QStringLiteral("列 表"));
    // The tab pages start below the tab bar; the design's tops count from the control's top.
    const int tabBar = twips::FromPixels(tabFile->tabBar()->sizeHint().height());
    auto onTab = [tabBar](QWidget* w, int left, int top, int width, int height) {
        place(w, left, qMax(0, top - tabBar), width, height);
        w->setProperty(kDesignWidth, w->width());
    };
    // The pages are what the tab control's frame leaves of it, which the style decides: rows end
    // at their page's edge when it is narrower than the design's (see eventFilter).
    tab0->installEventFilter(this);
    tab1->installEventFilter(this);

    picTitle = new QFrame(tab0);
    onTab(picTitle, 60, 345, 10755, 345);
    auto* labTitle = new QLabel(QStringLiteral("当前相册："), picTitle);
    moveTo(labTitle, 60, 75);
    labPicDir = new QLabel(picTitle);
    place(labPicDir, 990, 75, 1380, 225);
    const struct {
        ClickableLabel** label;
        const char* caption;
        int left;
    } paging[] = {{&labGoTop, "首页", 2385}, {&labPageUp, "上一页", 2805}, {&labPageDown, "下一页", 3390},
                  {&labGoEnd, "末页", 3975}};
    for (const auto& p : paging) {
        *p.label = new ClickableLabel(QString::fromUtf8(p.caption), picTitle);
        moveTo(*p.label, p.left, 75);
        (*p.label)->hide();
    }
    // The page line 第1页/共0页, its parts placed one after another.
    int lineLeft = 4440;
    for (QLabel** part : {&labP1, &labPS, &labP2, &labAllPS, &labP3}) {
        const QString text = part == &labP1 ? QStringLiteral("第")
                             : part == &labP2 ? QStringLiteral("页/共")
                             : part == &labP3 ? QStringLiteral("页")
                                              : QStringLiteral("0");
        *part = new QLabel(text, picTitle);
        moveTo(*part, lineLeft, 75);
        (*part)->adjustSize();
        lineLeft += twips::FromPixels((*part)->width());
    }
    labGoto = new QLabel(QStringLiteral("转到第      页"), picTitle);
    moveTo(labGoto, 6060, 75);
    cobPage = new QComboBox(picTitle);
    cobPage->setEditable(true);
    place(cobPage, 6630, 15, 510, 315);
    cmdGotoPage = new QPushButton(QStringLiteral("确定"), picTitle);
    place(cmdGotoPage, 7350, 15, 495, 315);
    labGoto->hide();
    cobPage->hide();
    cmdGotoPage->hide();
    cheSelectAll = new QCheckBox(QStringLiteral("全选"), picTitle);
    moveTo(cheSelectAll, 7950, 45);
    cmdDelSelectFiles = new QPushButton(QStringLiteral("删除选定的文件"), picTitle);
    place(cmdDelSelectFiles, 8790, 15, 1800, 315);

    Picture1 = new QFrame(tab0);
    onTab(Picture1, 60, 690, 10755, 5760);
    picFile = new QFrame(Picture1);
    place(picFile, 0, 0, 10530, 6945);
    picFile->setMouseTracking(true);
    picFile->installEventFilter(this);
    srcFile = new QScrollBar(Qt::Vertical, Picture1);
    place(srcFile, 10455, 0, 255, 5715);
    srcFile->setRange(0, 1500);
    srcFile->setSingleStep(1500);
    srcFile->setPageStep(1500);
    for (int k = 0; k < 15; ++k) buildCell(k);
    for (int i = 0; i < 2; ++i) {
        linRow[i] = new QFrame(picFile);
        place(linRow[i], 0, i == 0 ? 2265 : 4500, 10530, 15);
        linRow[i]->setStyleSheet(QStringLiteral("border: none; border-top: 1px dotted #808080;"));
    }
    picFileInfo = new QFrame(picFile);
    picFileInfo->setFrameShape(QFrame::Box);
    place(picFileInfo, 0, 0, kInfoBoxWidth, 1500);
    SetBackColour(picFileInfo, kInfoColourOriginal);
    labShowFileName = new QLabel(picFileInfo);
    place(labShowFileName, 90, 60, 2100, 225);
    labShowSize = new QLabel(picFileInfo);
    place(labShowSize, 2250, 60, 900, 225);
    labShowUpLoadDay = new QLabel(picFileInfo);
    place(labShowUpLoadDay, 90, 330, 3300, 225);
    auto* urlCaption = new QLabel(QStringLiteral("网址："), picFileInfo);
    moveTo(urlCaption, 90, 660);
    txtShowURL = new QLineEdit(picFileInfo);
    txtShowURL->setReadOnly(true);
    place(txtShowURL, 630, 630, 2940, 285);
    cmdCopyURL = new QPushButton(QStringLiteral("复制"), picFileInfo);
    place(cmdCopyURL, 3660, 615, 690, 315);
    auto* codeCaption = new QLabel(QStringLiteral("代码："), picFileInfo);
    moveTo(codeCaption, 90, 1065);
    txtShowCode = new QLineEdit(picFileInfo);
    txtShowCode->setReadOnly(true);
    place(txtShowCode, 630, 1035, 2940, 285);
    cmdCopyCode = new QPushButton(QStringLiteral("复制"), picFileInfo);
    place(cmdCopyCode, 3660, 1020, 690, 315);
    labCloss = new ClickableLabel(QStringLiteral("×关闭"), picFileInfo);
    moveTo(labCloss, 3750, 60);
    picFileInfo->hide();

    grdFile = new FlexGrid(tab1);
    onTab(grdFile, 60, 345, 10740, 4515);
    grdFile->setFormatString(kFileListFormat);
    grdFile->setCols(kFileListColumns);
    grdFile->setRows(2);
    picGridPicInfo = new QFrame(tab1);
    onTab(picGridPicInfo, 45, 4875, 10740, 1545);
    fraDir = new QGroupBox(QStringLiteral("当前目录"), picGridPicInfo);
    place(fraDir, 60, 30, 2250, 1500);
    labDir = new QLabel(QStringLiteral("根目录"), fraDir);
    place(labDir, 120, 600, 2000, 300);
    picGrdView = new QFrame(picGridPicInfo);
    picGrdView->setFrameShape(QFrame::Box);
    place(picGrdView, 2430, 30, 1500, 1500);
    imgFileView = new QLabel(picGrdView);
    txtGridMemo = new QLineEdit(QStringLiteral("------------------------"), picGridPicInfo);
    place(txtGridMemo, 4185, 630, 2385, 225);
    imgGridURL = NewCaptionButton(picGridPicInfo, QStringLiteral("复制"), kCopyTip);
    place(imgGridURL, 4155, 915, 600, 330);
    imgGridRenew = NewCaptionButton(picGridPicInfo, QStringLiteral("替换"), kRenewTip);
    place(imgGridRenew, 4860, 915, 600, 330);
    imgGridPutIn = NewCaptionButton(picGridPicInfo, QStringLiteral("插入"), QStringLiteral("点击把图片插入到模板中"));
    place(imgGridPutIn, 5505, 915, 600, 330);

    picUpLoadPicture = NewCaptionButton(this, QStringLiteral("上传图片"), QStringLiteral("把图片上传到网络服务器中"));
    place(picUpLoadPicture, 6390, 1200, 1515, 345);
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    place(cmdClose, 12480, 1200, 930, 315);

    Label4 = new QLabel(QStringLiteral("复制网址、代码或插入时的操作对象："), this);
    moveTo(Label4, 690, 7830);
    optYT = new QRadioButton(QStringLiteral("原图"), this);
    moveTo(optYT, 3690, 7800);
    optYT->setToolTip(QStringLiteral("插入或复制网址的图像的大小为原图的实际大小。"));
    optYT->setChecked(true);
    optSLT = new QRadioButton(QStringLiteral("缩略图"), this);
    moveTo(optSLT, 4530, 7800);
    optSLT->setToolTip(QStringLiteral("插入或复制网址的图像的大小为缩略图的大小。"));

    picNetToService = new QFrame(this);
    picNetToService->setFrameShape(QFrame::Box);
    place(picNetToService, 4410, 2490, 6075, 870);
    SetBackColour(picNetToService, 0xFFFFFF);
    auto* wait = new QLabel(QStringLiteral("正在处理数据，请您稍候..."), picNetToService);
    place(wait, 1200, 300, 4500, 300);
    picNetToService->hide();

    picLoadInfo = new QFrame(this);
    picLoadInfo->setFrameShape(QFrame::Box);
    place(picLoadInfo, 3435, 2460, 6825, 885);
    SetBackColour(picLoadInfo, 0xFFFFFF);
    labState = new QLabel(QStringLiteral("正在加载数据，请您稍候..."), picLoadInfo);
    place(labState, 240, 90, 6300, 255);
    proDL = new QProgressBar(picLoadInfo);
    place(proDL, 240, 435, 6300, 255);
    proDL->setRange(0, 100);
    proDL->setTextVisible(false);
    m_progress = std::make_unique<ProgressBarProgress>(proDL);
    picLoadInfo->hide();

    buildHintBox(0, picFile);
    buildHintBox(1, this);
    buildHintBox(2, this);
    labMsgSN = new QLabel(QStringLiteral("0"), picOpeMsg[0]);
    labMsgSN->hide();

    connectHandlers();
    wireView();

    if (QScreen* s = QApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void FileManagerWindow::buildCell(int k) {
    QFrame* cell = picPicInfo[k] = new QFrame(picFile);
    place(cell, 30 + 2085 * (k % 5), 75 + 2295 * (k / 5), 2055, 2100);
    picView[k] = new QFrame(cell);
    picView[k]->setFrameShape(QFrame::Box);
    place(picView[k], 277, 15, 1500, 1500);
    imgView[k] = new QLabel(picView[k]);
    imgView[k]->setMouseTracking(true);
    imgView[k]->installEventFilter(this);
    imgView[k]->setCursor(Qt::PointingHandCursor);
    picView[k]->setMouseTracking(true);
    cell->setMouseTracking(true);
    cell->installEventFilter(this);
    txtMemo[k] = new QLineEdit(cell);
    place(txtMemo[k], 30, 1545, 1995, 225);
    txtMemo[k]->installEventFilter(this);
    txtMemo[k]->setMouseTracking(true);
    cheSelect[k] = new QCheckBox(cell);
    place(cheSelect[k], 30, 1845, 195, 195);
    imgPutIn[k] = NewCaptionButton(cell, QStringLiteral("插入"), QStringLiteral("点击把图片插入到模板中"));
    place(imgPutIn[k], 270, 1800, 555, 270);
    imgURL[k] = NewCaptionButton(cell, QStringLiteral("复制"), kCopyTip);
    place(imgURL[k], 885, 1800, 555, 270);
    imgRenew[k] = NewCaptionButton(cell, QStringLiteral("替换"), kRenewTip);
    place(imgRenew[k], 1500, 1800, 525, 270);
    picEdit[k] = NewCaptionButton(cell, QStringLiteral("✎"), QStringLiteral("编辑图片描述信息"));
    place(picEdit[k], 1830, 1530, 210, 195);
    cell->hide();
}

QWidget* FileManagerWindow::hintTarget(const QString& text) const {
    const std::pair<int, QWidget*> targets[] = {
        {13, tvwDir}, {14, cmdDelSelectFiles}, {15, labPageDown}, {16, imgPutIn[0]}};
    for (const auto& [setting, control] : targets)
        if (FileManagerHintFor(setting).text == text) return control;
    return nullptr;
}

void FileManagerWindow::buildHintBox(int i, QWidget* parent) {
    QFrame* box = picOpeMsg[i] = new QFrame(parent);
    box->setObjectName(QStringLiteral("hintBox"));
    box->setFrameShape(QFrame::Box);
    place(box, 0, 0, 4500, 1875);
    SetBackColour(box, 0xE1FFFF);
    labOpeMsg[i] = new QLabel(QStringLiteral("提示："), box);
    labOpeMsg[i]->setWordWrap(true);
    place(labOpeMsg[i], 120, 120, 4260, 1080);
    chkIKnowOpe[i] = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了"), box);
    moveTo(chkIKnowOpe[i], 120, 1320);
    cmdClosOpeMsg[i] = new QPushButton(QStringLiteral("&C.关闭"), box);
    place(cmdClosOpeMsg[i], 3420, 1320, 900, 375);
    imgCloseOpe[i] = new ClickableLabel(QStringLiteral("×"), box);
    imgCloseOpe[i]->setToolTip(QStringLiteral("关闭"));
    moveTo(imgCloseOpe[i], 4260, 30);
    box->hide();
}

void FileManagerWindow::connectHandlers() {
    connect(tvwDir, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { tvwDir_NodeClick(node); });
    connect(tabFile, &QTabWidget::currentChanged, this, [this] { tabFile_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    // Queued: the upload window may unload this window (a new album), and the label's own mouse
    // handler must not run on after it.
    picUpLoadPicture->onClick = [this] { QTimer::singleShot(0, this, [this] { picUpLoadPicture_Click(); }); };
    connect(optYT, &QRadioButton::clicked, this, [this] { logic.optYT_Click(); });
    connect(optSLT, &QRadioButton::clicked, this, [this] { logic.optSLT_Click(); });
    labCloss->onClick = [this] { logic.HideInfoBox(); };
    connect(srcFile, &QScrollBar::valueChanged, this, &FileManagerWindow::srcFile_Change);
    labGoTop->onClick = [this] { logic.labGoTop_Click(); };
    labPageUp->onClick = [this] { logic.labPageUp_Click(); };
    labPageDown->onClick = [this] { logic.labPageDown_Click(); };
    labGoEnd->onClick = [this] { logic.labGoEnd_Click(); };
    connect(cmdGotoPage, &QPushButton::clicked, this, [this] { cmdGotoPage_Click(); });
    connect(grdFile, &QTableWidget::cellClicked, this, [this] { logic.grdFile_Click(); });
    connect(cheSelectAll, &QCheckBox::clicked, this, [this] { logic.cheSelectAll_Click(); });
    connect(cmdDelSelectFiles, &QPushButton::clicked, this, [this] { logic.cmdDelSelectFiles_Click(); });
    connectCellHandlers();
    imgGridURL->onClick = [this] { logic.imgGridURL_Click(); };
    imgGridPutIn->onClick = [this] { logic.imgGridPutIn_Click(); };
    connect(grdFile, &QTableWidget::cellDoubleClicked, this, [this] { logic.ViewListRow(); });
    connect(cmdCopyURL, &QPushButton::clicked, this, [this] { logic.CopyInfoText(0, txtShowURL->text()); });
    connect(cmdCopyCode, &QPushButton::clicked, this, [this] { logic.CopyInfoText(1, txtShowCode->text()); });
    imgFileView->installEventFilter(this);
    imgGridRenew->onClick = [this] { logic.ReplaceFile(15); };
    for (int i = 0; i < 3; ++i) {
        connect(cmdClosOpeMsg[i], &QPushButton::clicked, this, [this, i] { logic.CloseHintBox(i); });
        imgCloseOpe[i]->onClick = [this, i] { logic.CloseHintBox(i); };
    }
}

void FileManagerWindow::connectCellHandlers() {
    for (int k = 0; k < 15; ++k) {
        connect(cheSelect[k], &QCheckBox::clicked, this, [this, k] { logic.cheSelect_Click(k); });
        imgURL[k]->onClick = [this, k] { logic.imgURL_Click(k); };
        picEdit[k]->onClick = [this, k] { logic.picEdit_Click(k); };
        imgPutIn[k]->onClick = [this, k] { logic.imgPutIn_Click(k); };
        imgRenew[k]->onClick = [this, k] { logic.ReplaceFile(k); };
    }
}

void FileManagerWindow::srcFile_Change(int value) { picFile->move(0, -ToPixels(value)); }

void FileManagerWindow::wireView() {
    wireTree();
    wireHints();
    wireThumbnails();
    wireFileList();
    wireInfoBox();
    wireOtherWindows();
}

void FileManagerWindow::wireTree() {
    FileManagerView& v = logic.view;
    v.clearTree = MemberHook(this, &FileManagerWindow::clearTree);
    v.addTreeNode = MemberHook(this, &FileManagerWindow::addTreeNode);
    v.setAlbumName = MemberHook(this, &FileManagerWindow::setAlbumName);
    v.showNetToService = MemberHook(this, &FileManagerWindow::showNetToService);
    v.showLoadInfo = MemberHook(this, &FileManagerWindow::showLoadInfo);
    v.loadProgress = MemberHook(this, &FileManagerWindow::loadProgress);
    v.navigateAd = MemberHook(this, &FileManagerWindow::navigateAd);
    v.hideInsertButtons = MemberHook(this, &FileManagerWindow::hideInsertButtons);
    v.closeWindow = [this] { close(); };
}

void FileManagerWindow::wireHints() {
    FileManagerView& v = logic.view;
    v.showHintBox = MemberHook(this, &FileManagerWindow::showHintBox);
    v.hideHintBox = MemberHook(this, &FileManagerWindow::hideHintBox);
    v.hintTicked = MemberHook(this, &FileManagerWindow::hintTicked);
    v.clearHintTick = MemberHook(this, &FileManagerWindow::clearHintTick);
    v.setMsgSN = MemberHook(this, &FileManagerWindow::setMsgSN);
}

void FileManagerWindow::wireThumbnails() {
    FileManagerView& v = logic.view;
    v.clearCell = MemberHook(this, &FileManagerWindow::clearCell);
    v.fillCell = MemberHook(this, &FileManagerWindow::fillCell);
    v.hideCell = MemberHook(this, &FileManagerWindow::hideCell);
    v.cellMemo = MemberHook(this, &FileManagerWindow::cellMemo);
    v.cellTicked = MemberHook(this, &FileManagerWindow::cellTicked);
    v.setCellTicked = MemberHook(this, &FileManagerWindow::setCellTicked);
    v.selectAllTicked = MemberHook(this, &FileManagerWindow::selectAllTicked);
    v.setSelectAll = MemberHook(this, &FileManagerWindow::setSelectAll);
    v.setPageLine = MemberHook(this, &FileManagerWindow::setPageLine);
    v.setPagingLinks = MemberHook(this, &FileManagerWindow::setPagingLinks);
    v.pageDownVisible = MemberHook(this, &FileManagerWindow::pageDownVisible);
    v.fillPageCombo = MemberHook(this, &FileManagerWindow::fillPageCombo);
    v.scrollToTop = MemberHook(this, &FileManagerWindow::scrollToTop);
}

void FileManagerWindow::wireFileList() {
    FileManagerView& v = logic.view;
    v.fillFileList = MemberHook(this, &FileManagerWindow::fillFileList);
    v.listTabShown = MemberHook(this, &FileManagerWindow::listTabShown);
    v.selectFirstListRow = MemberHook(this, &FileManagerWindow::selectFirstListRow);
    v.currentListRow = MemberHook(this, &FileManagerWindow::currentListRow);
    v.removeListRow = MemberHook(this, &FileManagerWindow::removeListRow);
    v.setGridMemo = MemberHook(this, &FileManagerWindow::setGridMemo);
    v.setGridPicture = MemberHook(this, &FileManagerWindow::setGridPicture);
    v.showGridButtons = MemberHook(this, &FileManagerWindow::showGridButtons);
}

void FileManagerWindow::wireInfoBox() {
    FileManagerView& v = logic.view;
    v.setInfoBackColour = MemberHook(this, &FileManagerWindow::setInfoBackColour);
    v.hideInfoBox = MemberHook(this, &FileManagerWindow::hideInfoBox);
    v.showInfoBox = MemberHook(this, &FileManagerWindow::showInfoBox);
    v.selectFromSecond = MemberHook(this, &FileManagerWindow::selectFromSecond);
    v.thumbnailChosen = MemberHook(this, &FileManagerWindow::thumbnailChosen);
}

void FileManagerWindow::wireOtherWindows() {
    FileManagerView& v = logic.view;
    v.openReplacement = MemberHook(this, &FileManagerWindow::openReplacement);
    v.viewThroughPage = MemberHook(this, &FileManagerWindow::viewThroughPage);
    v.viewAddress = MemberHook(this, &FileManagerWindow::viewAddress);
    v.openDescriptionEditor = MemberHook(this, &FileManagerWindow::OpenDescriptionEditor);
    v.handToMicroBlogWriter = MemberHook(this, &FileManagerWindow::handToMicroBlogWriter);
    v.handToBlogWriter = &FileManagerWindow::handToBlogWriter;
}

void FileManagerWindow::clearTree() { tvwDir->clear(); }

void FileManagerWindow::addTreeNode(const AlbumTreeNode& n) {
    QTreeWidgetItem* item = nullptr;
    if (n.parentKey.isEmpty()) {
        item = new QTreeWidgetItem(tvwDir, QStringList{n.text});
        item->setForeground(0, QColor(255, 0, 0));
    } else {
        const auto roots = tvwDir->findItems(QStringLiteral("*"), Qt::MatchWildcard);
        for (QTreeWidgetItem* root : roots)
            if (root->data(0, kNodeKeyRole).toString() == n.parentKey) item = new QTreeWidgetItem(root, QStringList{n.text});
    }
    if (!item) return;
    item->setData(0, kNodeKeyRole, n.key);
    if (n.parentKey.isEmpty()) item->setExpanded(true);
    if (item->parent()) item->parent()->setExpanded(true);
}

void FileManagerWindow::setAlbumName(const QString& name) {
    labDir->setText(name);
    labPicDir->setText(name);
}

void FileManagerWindow::showNetToService(bool on) {
    picNetToService->setVisible(on);
    picNetToService->raise();
    if (on) picNetToService->repaint();
}

void FileManagerWindow::showLoadInfo(bool on) {
    picLoadInfo->setVisible(on);
    picLoadInfo->raise();
    if (on) picLoadInfo->repaint();
}

DownloadProgress* FileManagerWindow::loadProgress() { return m_progress.get(); }

void FileManagerWindow::navigateAd(const QString& address) { webAD->Navigate(address); }

void FileManagerWindow::hideInsertButtons() {
    for (int k = 0; k < 15; ++k) {
        imgPutIn[k]->hide();
        moveTo(imgURL[k], 465, 1800);
        moveTo(imgRenew[k], 1230, 1800);
    }
    imgGridPutIn->hide();
}

void FileManagerWindow::showHintBox(int box, const QString& text, int left, int top) {
    labOpeMsg[box]->setText(text);
    // One at a time, beside the control the hint names and off every other control.
    m_hints.show(picOpeMsg[box], [this, box, text, left, top] {
        moveTo(picOpeMsg[box], left, top);
        if (QWidget* target = hintTarget(text)) windowgeometry::PlaceBeside(picOpeMsg[box], target);
    });
}

void FileManagerWindow::hideHintBox(int box) { m_hints.hide(picOpeMsg[box]); }

bool FileManagerWindow::hintTicked(int box) const { return chkIKnowOpe[box]->isChecked(); }

void FileManagerWindow::clearHintTick(int box) { chkIKnowOpe[box]->setChecked(false); }

void FileManagerWindow::setMsgSN(const QString& s) { labMsgSN->setText(s); }

void FileManagerWindow::clearCell(int k) {
    picPicInfo[k]->hide();
    cheSelect[k]->setChecked(false);
    ShowCentred(imgView[k], picView[k], QImage());
}

void FileManagerWindow::fillCell(int k, const QString& memo, const QImage& picture) {
    ShowCentred(imgView[k], picView[k], picture);
    txtMemo[k]->setText(memo);
    picPicInfo[k]->show();
}

void FileManagerWindow::hideCell(int k) {
    picPicInfo[k]->hide();
    txtMemo[k]->clear();
}

QString FileManagerWindow::cellMemo(int k) const { return txtMemo[k]->text(); }

bool FileManagerWindow::cellTicked(int k) const { return cheSelect[k]->isChecked(); }

void FileManagerWindow::setCellTicked(int k, bool on) { cheSelect[k]->setChecked(on); }

bool FileManagerWindow::selectAllTicked() const { return cheSelectAll->isChecked(); }

void FileManagerWindow::setSelectAll(bool on) { cheSelectAll->setChecked(on); }

void FileManagerWindow::setPageLine(int page, int pages) {
    labPS->setText(QString::number(page));
    labAllPS->setText(QString::number(pages));
    QLabel* line[] = {labP1, labPS, labP2, labAllPS, labP3};
    for (int i = 1; i < 5; ++i) {
        line[i]->adjustSize();
        line[i]->move(line[i - 1]->x() + line[i - 1]->width(), line[i - 1]->y());
    }
}

void FileManagerWindow::setPagingLinks(const PagingLinks& l) {
    labGoTop->setVisible(l.goTop);
    labPageUp->setVisible(l.pageUp);
    labPageDown->setVisible(l.pageDown);
    labGoEnd->setVisible(l.goEnd);
    labGoto->setVisible(l.goTo);
    cobPage->setVisible(l.goTo);
    cmdGotoPage->setVisible(l.goTo);
}

// Visible within its window, as the old runtime's Visible reads while the window is loaded.
bool FileManagerWindow::pageDownVisible() const { return labPageDown->isVisibleTo(this); }

void FileManagerWindow::fillPageCombo(int pages, const QString& text) {
    cobPage->clear();
    for (int i = 1; i <= pages; ++i) cobPage->addItem(QString::number(i));
    cobPage->setEditText(text);
}

void FileManagerWindow::scrollToTop() { srcFile->setValue(0); }

void FileManagerWindow::fillFileList(const QList<QStringList>& rows) {
    grdFile->clearGrid();
    grdFile->setFormatString(kFileListFormat);
    grdFile->setRows(2);
    grdFile->setCols(kFileListColumns);
    grdFile->setRows(int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 1; c < kFileListColumns && c < rows[r].size(); ++c) grdFile->setTextMatrix(r + 1, c, rows[r][c]);
}

bool FileManagerWindow::listTabShown() const { return tabFile->currentIndex() == 1; }

void FileManagerWindow::selectFirstListRow() {
    grdFile->setTopRow(1);
    grdFile->setRow(1);
}

int FileManagerWindow::currentListRow() const { return grdFile->row(); }

void FileManagerWindow::removeListRow(int row) { grdFile->removeItem(row); }

void FileManagerWindow::setGridMemo(const QString& s) { txtGridMemo->setText(s); }

void FileManagerWindow::setGridPicture(const QImage& picture) { ShowCentred(imgFileView, picGrdView, picture); }

void FileManagerWindow::showGridButtons(bool url, bool putIn) {
    imgGridURL->setVisible(url);
    imgGridPutIn->setVisible(putIn);
}

void FileManagerWindow::setInfoBackColour(unsigned colour) { SetBackColour(picFileInfo, colour); }

void FileManagerWindow::hideInfoBox() { picFileInfo->hide(); }

void FileManagerWindow::showInfoBox(int left, int top, const InfoBoxTexts& t) {
    moveTo(picFileInfo, left, top);
    labShowUpLoadDay->setText(t.upLoadDay);
    labShowFileName->setText(t.fileName);
    labShowSize->setText(t.size);
    txtShowURL->setText(t.url);
    txtShowCode->setText(t.code);
    picFileInfo->show();
    picFileInfo->raise();
}

void FileManagerWindow::selectFromSecond(int box) {
    QLineEdit* e = box == 0 ? txtShowURL : txtShowCode;
    e->setSelection(1, int(e->text().size()) - 1);
}

bool FileManagerWindow::thumbnailChosen() const { return optSLT->isChecked(); }

void FileManagerWindow::openReplacement(int k) {
    const QLabel* shown = k == 15 ? imgFileView : imgView[k];
    OpenSingleFileUpload(this, shown->pixmap().toImage(), shown->geometry());
}

void FileManagerWindow::viewThroughPage(const QString& address) { ShowFileInViewer(this, address); }

void FileManagerWindow::viewAddress(const QString& address) { ShowAddressInViewer(this, address); }

void FileManagerWindow::handToMicroBlogWriter(int k, const QString& address) {
    const QLabel* shown = k == 15 ? imgFileView : imgView[k];
    AttachToMicroBlogWriter(shown->pixmap().toImage(), address);
}

void FileManagerWindow::handToBlogWriter(const QString& address) { InsertIntoBlogWriter(address); }

void FileManagerWindow::OpenDescriptionEditor(int k, const DescriptionParams& p) {
    DescriptionEditorWindow::unload();
    QPointer<DescriptionEditorWindow> editor = new DescriptionEditorWindow(this);
    editor->logic.labIndex = p.labIndex;
    editor->logic.labWebDir = p.labWebDir;
    editor->logic.labFileName = p.labFileName;
    editor->logic.labWebPath = p.labWebPath;
    editor->labMemo->setText(p.labMemo);
    // The cell's thumbnail at its size and place.
    editor->imgView->setPixmap(imgView[k]->pixmap());
    editor->imgView->setGeometry(imgView[k]->geometry());
    editor->exec();
    if (editor) delete editor.data();
}

void FileManagerWindow::ShowCentred(QLabel* image, QWidget* frame, const QImage& picture) {
    if (picture.isNull()) {
        image->clear();
        image->resize(0, 0);
        return;
    }
    image->setPixmap(QPixmap::fromImage(picture));
    image->resize(picture.size());
    image->move((frame->width() - picture.width()) / 2, (frame->height() - picture.height()) / 2);
}

void FileManagerWindow::cmdGotoPage_Click() { logic.cmdGotoPage_Click(cobPage->currentText()); }

void FileManagerWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_loaded) Form_Load();
}

void FileManagerWindow::Form_Load() {
    m_loaded = true;
    logic.Form_Load(QDate::currentDate());
}

bool FileManagerWindow::eventFilter(QObject* watched, QEvent* e) {
    for (int k = 0; k < 15; ++k) {
        if (watched != imgView[k]) continue;
        // Taken here: passed on to the cell beneath, the move would hide the box again.
        if (e->type() == QEvent::MouseMove) {
            logic.imgView_MouseMove(k);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            logic.imgView_Click(k);
            return true;
        }
        return QDialog::eventFilter(watched, e);
    }
    if (e->type() == QEvent::Resize && tabFile && tabFile->indexOf(qobject_cast<QWidget*>(watched)) >= 0) {
        const auto* page = static_cast<QWidget*>(watched);
        for (QWidget* row : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QVariant design = row->property(kDesignWidth);
            if (design.isValid()) row->resize(std::min(design.toInt(), page->width() - row->x()), row->height());
        }
    }
    if (watched == imgFileView && e->type() == QEvent::MouseButtonRelease) logic.ViewListRow();
    if (e->type() == QEvent::MouseMove && picFileInfo && picFileInfo->isVisibleTo(this)) logic.HideInfoBox();
    return QDialog::eventFilter(watched, e);
}

void FileManagerWindow::tvwDir_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    logic.tvwDir_NodeClick(node->data(0, kNodeKeyRole).toString(), node->text(0));
}

void FileManagerWindow::tabFile_Click() { logic.tabFile_Click(tabFile->currentIndex()); }

void FileManagerWindow::picUpLoadPicture_Click() {
    m_uploadOpen = true;
    const bool opened = OpenUploadWindow(this);
    m_uploadOpen = false;
    // Opened from the upload window, this window would only hide it: the member goes back there.
    if (!opened)
        MsgBox(QStringLiteral("“上传文件”窗口已经打开，请关闭本窗口后在该窗口中上传图片。"), vbInformation,
               QStringLiteral("提示"));
    if (m_unloadAsked) {
        m_reopen = true;
        reject();
    }
}

void FileManagerWindow::unload() {
    if (FileManagerWindow* w = loaded(); w && w->m_uploadOpen) {
        w->m_unloadAsked = true;
        return;
    }
    DefaultInstance<FileManagerWindow>::unload();
}

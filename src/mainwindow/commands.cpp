#include "mainwindow/commands.h"

#include "state/uploadwindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "albums/albums_api.h"
#include "foundation/folders.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "site/templateload.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"

#include <QFile>

namespace {

const QString kCR = QStringLiteral("\r");

// The preview page(s) of an editor: removed, then a copy of the page it starts from, when that
// page exists.
void PreparePreviewPages(const QString& sourcePage, const QStringList& previewPages) {
    for (const QString& p : previewPages) QFile::remove(MemberTempPath(p));
    if (!QFile::exists(MemberTempPath(sourcePage))) return;
    for (const QString& p : previewPages) QFile::copy(MemberTempPath(sourcePage), MemberTempPath(p));
}

struct ColorButton {
    int index;
    int row;
    const char* caption;
    const char* page;
};
const ColorButton kColorButtons[] = {
    {35, MiddleBackColorRow, "[网站中栏空白处背景色设置]", "b1.html"},
    {36, AlbumBackColorRow, "[相册围框颜色设置]", "b2.html"},
    {37, BlogBackColorRow, "[博客围框颜色设置]", "b3.html"},
    {38, HomeBackColorRow, "[网站首页背景色设置]", "b.html"},
};

const ColorButton* FindColorButton(int index) {
    for (const ColorButton& b : kColorButtons)
        if (b.index == index) return &b;
    return nullptr;
}

// The fixed widget albums of the upload buttons in cells 1, 5 and 9.
struct WidgetAlbum {
    int cell;
    const char* width;
    const char* height;
    const char* album;
    const char* title;
    const char* help;
};
const WidgetAlbum kWidgetAlbums[] = {
    {1, "2250", "2250", "www个人主页时钟", "时钟设置(上传图像到时钟里)",
     "说明：您可以向时钟里上传12张图片，在不同的小时打开您的网站可看到不同的图片，若上传的的图片多于12张则显示最后上"
     "传的12张，若少于12张则循环显示。若上传的图像大于150×150(像素)，则上传时会弹出操作界面让您选择缩小和剪载成150×"
     "150(像素)的图像。"},
    {5, "5250", "3150", "www个人主页三图滚动", "首页三图滚动设置",
     "说明：您可以上传 3 张图片，3张图片在此区域连续滚动显示，若上传的图片多于 3 张则滚动显示最后上传的3张。若上传的"
     "图像大于350×210(像素)，则上传时会弹出操作界面让您选择缩小和剪载成350×210(像素)的图像。"},
    {9, "2250", "5400", "www个人主页日历", "日历设置(上传图像到日历里)",
     "说明：您可以向日历里上传31张图片，在不同的日期打开您的网站可看到不同的图片，若上传的的图片多于31张则显示最后上"
     "传的31张，若少于31张则循环显示。若上传的图像大于150×360(像素)，则上传时会弹出操作界面让您选择缩小和剪载成150×"
     "360(像素)的图像。"},
};
constexpr int kTenPictureCell = 12;

}  // namespace

// ---- records and rules

bool IsEditButton(int index) {
    if (index >= 0 && index <= 25) return true;
    return index == 27 || index == 28 || index == 30 || index == 31 || FindColorButton(index);
}

int EditedCell(int index) {
    if (index == 27) return 25;
    if (index == 30) return 28;
    return index;
}

QList<int> CellsShowingEdit(int cell) {
    if (cell == 25) return {25, 26, 27};
    if (cell == 28) return {28, 29, 30};
    return {cell};
}

QString FillColorRecord(int index) {
    const ColorButton* b = FindColorButton(index);
    if (!b) return QString();
    RedimCellRecord(4);
    CellRecord[0] = QString::number(b->row);
    CellRecord[1] = SiteSettings(LocalColumn, b->row);
    CellRecord[2] = SiteSettings(PublishColumn, b->row);
    CellRecord[3] = QString::fromUtf8(b->caption);
    return QString::fromLatin1(b->page);
}

void FillMusicRecord() {
    RedimCellRecord(14);
    const QString row = SiteSettings(LocalColumn, MusicBoxStyleRow);
    if (row.isEmpty()) {
        const QStringList none{QStringLiteral("-1"), QStringLiteral("50"), QStringLiteral("0"), QStringLiteral("#FFFF80"),
                               QString(), QStringLiteral("0"), QStringLiteral("3000"), QStringLiteral("0"),
                               QStringLiteral("1")};
        for (int i = 0; i < none.size(); ++i) CellRecord[i] = none[i];
    } else {
        // Entries 4 (lyrics background) and 8 (lyrics hint) have no default.
        static const char* const defaults[] = {"1", "50", "0", "#FFFF80", "", "0", "3000", "0", ""};
        const QStringList fields = ReadMusicBoxFields(row);
        for (int i = 0; i < 9; ++i) {
            const QString f = fields.value(i);
            CellRecord[i] = f.isEmpty() ? QString::fromUtf8(defaults[i]) : f;
        }
    }
    CellRecord[9] = SiteSettings(LocalColumn, MusicUrlRow);
    CellRecord[10] = SiteSettings(LocalColumn, MusicOffRow);
    CellRecord[11] = SiteSettings(LocalColumn, MusicPlayerShownRow);
    CellRecord[12] = SiteSettings(LocalColumn, MusicLyricsShownRow);
    CellRecord[13] = SiteSettings(LocalColumn, MusicLyricsRow);
}

QString GuestbookPageAddress() {
    return QStringLiteral("http://") + MemberFrameHost() + QStringLiteral("/leaveword_manage.aspx") + MemberPageQuery();
}

QString MessagePageAddress() {
    return QStringLiteral("http://") + MemberFrameHost() + QStringLiteral("/msg_manage.aspx") + MemberPageQuery();
}

QString SuggestionPageAddress() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Account) +
           QStringLiteral("/suggest.aspx") + MemberPageQuery();
}

// ---- the command frame

void MainWindowCommands::showWait() {
    if (view.showWait) view.showWait();
}

void MainWindowCommands::hideWait() {
    if (view.hideWait) view.hideWait();
}

QString MainWindowCommands::domainBoxText() {
    REQUIRE_HOOK(view.domainBoxText);
    return view.domainBoxText ? view.domainBoxText() : QString();
}

QString MainWindowCommands::homeAlbumText() {
    REQUIRE_HOOK(view.homeAlbumText);
    return view.homeAlbumText ? view.homeAlbumText() : QString();
}

void MainWindowCommands::refresh(int cell) {
    CALL_REQUIRED_HOOK(view.refreshCell, cell);
}

bool MainWindowCommands::refusePreview() {
    if (!LoginField(12).isEmpty()) return false;
    MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站预览。"), vbInformation,
           QStringLiteral("提示"));
    return true;
}

void MainWindowCommands::openAndRefreshOnChange(const std::function<void(QWidget*)>& open, int cell) {
    DialogState = 0;
    if (open) open(view.window);
    if (DialogState == 99) refresh(cell);
}

void MainWindowCommands::loadAlbumListWaiting() {
    showWait();
    LoadAlbumList();
    hideWait();
}

// ---- edit and option buttons

void MainWindowCommands::cmdEdit_Click(int index) {
    if (!IsEditButton(index)) return;
    DialogState = 0;
    const int cell = EditedCell(index);

    if (FindColorButton(index)) {
        const QString page = FillColorRecord(index);
        PreparePreviewPages(page, {QStringLiteral("setpic.html"), QStringLiteral("viewcolor.html")});
        CALL_REQUIRED_HOOK(windows.colorDialog, view.window);
        // The dialog refreshes what it changed itself; a new page colour also shows through the
        // three areas that fall back on it.
        if (index == 38 && DialogState == 99) {
            for (const char* name : {"b1", "b2", "b3"}) CreateBackgroundHtml(QString::fromLatin1(name), PublishColumn);
            CALL_REQUIRED_HOOK(view.refreshAreaBackgrounds);
        }
        return;
    }

    PreparePreviewPages(QString::number(cell) + QStringLiteral(".html"), {QStringLiteral("setpic.html")});
    LoadCellRecord(static_cast<qint16>(cell));
    if (cell == 10) {
        EditorKind = 1;
        CALL_REQUIRED_HOOK(windows.prefaceEditor, view.window);
    } else {
        EditorKind = 0;
        CALL_REQUIRED_HOOK(windows.cellEditor, view.window);
    }
    if (DialogState == 99)
        for (int c : CellsShowingEdit(cell)) refresh(c);
}

void MainWindowCommands::cmdSetMusic_Click() {
    if (view.enableMusicButton) view.enableMusicButton(false);
    PreparePreviewPages(QStringLiteral("4.html"), {QStringLiteral("setpic.html")});
    FillMusicRecord();
    CALL_REQUIRED_HOOK(windows.musicEditor, view.window);
    refresh(MusicCell);
    if (view.enableMusicButton) view.enableMusicButton(true);
}

std::optional<bool> SetUploadAreaLabels(int index) {
    if (index < 0 || index > 3) return std::nullopt;
    if (index < 3) {
        const WidgetAlbum& a = kWidgetAlbums[index];
        frm个人网站Labels::labWidth = QString::fromLatin1(a.width);
        frm个人网站Labels::labHeight = QString::fromLatin1(a.height);
        frm个人网站Labels::labAddWatermark = QStringLiteral("1");
        const QString album = QString::fromUtf8(a.album);
        frm上传特定Labels::labWebDir = album;
        frm上传特定Labels::labDirInfo = QStringLiteral("上传到相册 [") + album + QStringLiteral("]");
        frm上传特定Labels::labUploadToAlbum = frm上传特定Labels::labDirInfo;
        frm上传特定Labels::labUploadInfo = QString::fromUtf8(a.title) + kCR + kCR + QString::fromUtf8(a.help);
        return true;
    }
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    frm上传Labels::picAlbumVisible = false;
    frm上传Labels::labDirInfo =
        QStringLiteral("上传文件到相册[www个人主页十图滚动](若上传的图片多于10张则显示最后上传的10张)");
    frm上传Labels::labWebDir = QStringLiteral("www个人主页十图滚动");
    return false;
}

int UploadAreaCell(int index) { return index >= 0 && index < 3 ? kWidgetAlbums[index].cell : kTenPictureCell; }

void MainWindowCommands::cmdUploadAreaPic_Click(int index) {
    const std::optional<bool> sized = SetUploadAreaLabels(index);
    if (!sized) return;
    if (*sized) CALL_REQUIRED_HOOK(windows.sizedUpload, view.window);
    else CALL_REQUIRED_HOOK(windows.uploadWindow, view.window);
    refresh(UploadAreaCell(index));
}

// ---- plain commands

void MainWindowCommands::cmdBlogMag_Click() {
    REQUIRE_HOOK(windows.blogList);
    openAndRefreshOnChange(windows.blogList, 22);
}
void MainWindowCommands::cmdWriteBlog_Click() {
    REQUIRE_HOOK(windows.blogWriter);
    openAndRefreshOnChange(windows.blogWriter, 23);
}
void MainWindowCommands::cmdTblogMag_Click() {
    REQUIRE_HOOK(windows.microBlogList);
    openAndRefreshOnChange(windows.microBlogList, 11);
}
void MainWindowCommands::cmdWriteTBlog_Click() {
    REQUIRE_HOOK(windows.microBlogWriter);
    openAndRefreshOnChange(windows.microBlogWriter, 11);
}

void MainWindowCommands::cmdSetPhotoBox_Click() {
    DialogState = 0;
    loadAlbumListWaiting();
    CALL_REQUIRED_HOOK(windows.albumSettings, view.window);
    if (frm个人网站Labels::labSaveHomeAlbum == QLatin1String("1")) frm个人网站Labels::labSaveHomeAlbum = QStringLiteral("0");
    if (DialogState == 99) refresh(17);
}

void MainWindowCommands::cmdUploadPic_Click() {
    frm个人网站Labels::labUPloadType = QStringLiteral("0");
    // A window in album-choice mode starts from its design values, whatever an earlier opener set.
    frm上传Labels::resetLabels();
    loadAlbumListWaiting();
    CALL_REQUIRED_HOOK(windows.uploadWindow, view.window);
}

void MainWindowCommands::cmdPicManage_Click() {
    loadAlbumListWaiting();
    frm个人网站Labels::labViewType = QStringLiteral("0");
    CALL_REQUIRED_HOOK(windows.fileManager, view.window);
}

void MainWindowCommands::cmdPicEdit_Click() {
    CALL_REQUIRED_HOOK(windows.imageEditor, view.window);
}

void MainWindowCommands::cmdTemplate_Click() {
    frm个人网站Labels::labMBURL = TemplateGalleryAddress();
    CALL_REQUIRED_HOOK(windows.templateChooser, view.window);
}

void MainWindowCommands::cmdLYB_Click() {
    PageUrl = GuestbookPageAddress();
    CALL_REQUIRED_HOOK(windows.webIE, view.window);
    refresh(6);
}

void MainWindowCommands::cmdMsg_Click() {
    PageUrl = MessagePageAddress();
    CALL_REQUIRED_HOOK(windows.webIE, view.window);
}

void MainWindowCommands::cmdSuggest_Click() {
    PageUrl = SuggestionPageAddress();
    CALL_REQUIRED_HOOK(windows.webFrame, view.window);
}

void MainWindowCommands::cmdViewMySite_Click() {
    if (refusePreview()) return;
    CALL_REQUIRED_HOOK(windows.mySite, view.window);
}

void MainWindowCommands::cmdViewMyMBSite_Click() {
    if (refusePreview()) return;
    CALL_REQUIRED_HOOK(windows.mobileSite, view.window);
}

void MainWindowCommands::cmdSetUserInfo_Click() {
    CALL_REQUIRED_HOOK(windows.userInfo, view.window);
}

void MainWindowCommands::cmdBuySpace_Click() {
    CALL_REQUIRED_HOOK(windows.buySpace, view.window);
}

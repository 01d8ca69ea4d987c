#include "albums/uploadwindowcontroller.h"

#include "albums/loadalbumlist.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"

#include <exception>
#include <optional>

namespace {
const QString kPicZipCaption = QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。");
const QString kPicZipLockedCaption = QStringLiteral("jpg、bmp图像在上传时转换成 600×600(像素)以内的图像。");

QString UploadToAlbumCaption(const QString& album) {
    return QStringLiteral("上传到相册[") + album + QLatin1Char(']');
}
}  // namespace

QStringList ChooserAlbums(const Table& albums) {
    QStringList names;
    if (albums.value(0, AlbumListField::Name) == QLatin1String("null")) return names;
    for (int r = 0; r < albums.rows(); ++r) {
        const QString name = albums.value(r, AlbumListField::Name);
        if (name.left(3).toLower() != QLatin1String("www")) names << name;
    }
    return names;
}

QString UploadAdvertisementAddress(const QDate& today) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) + QStringLiteral("/pwtd/") +
           WeeklyFolderName(today) + QStringLiteral("/upload.html") + AdvertisementPageQuery();
}

int ScreenshotWarningSetting(const QString& labUploadJM) {
    if (labUploadJM == QLatin1String("1")) return UcsHintScreenshotUpload;
    if (labUploadJM == QLatin1String("2")) return UcsHintScreenshotSized;
    if (labUploadJM == QLatin1String("3")) return UcsHintScreenshotSingle;
    return 0;
}

bool ScreenshotWarningWanted() {
    const int id = ScreenshotWarningSetting(frm个人网站Labels::labUploadJM);
    return id != 0 && GetUserSetting(id).isEmpty();
}

void ScreenshotWarningConfirmed(bool ticked) {
    const int id = ScreenshotWarningSetting(frm个人网站Labels::labUploadJM);
    if (ticked && id != 0) SetUserSetting(id, QStringLiteral("1"));
}

namespace uploadhints {
QString ScrollHint() { return QStringLiteral("提示：用鼠标向下拽动此右侧的滚动滑块可查看到底部更多的操作按钮。"); }
QString StartHint() { return QStringLiteral("提示：请点击此处的“上传”按钮开始上传文件。"); }
QString AlbumHint() { return QStringLiteral("提示：请点击此处的“新建相册”按钮可创建一个新的相册。"); }
}  // namespace uploadhints

void UploadWindowController::Form_Load() {
    try {
        WindowLoaded = false;
        if (SmallScreen) CALL_REQUIRED_HOOK(frameView.maximise);
        // Nothing of an earlier opening carries over: a left-over group would be offered by the
        // next run and hide the usual buttons.
        uploadSlots.reset();
        TeachOpenAtFirstLoads(UcsTeachUpload, [this] { CALL_REQUIRED_HOOK(view.openTutorial); });
        CALL_REQUIRED_HOOK(view.navigateAd, UploadAdvertisementAddress(QDate::currentDate()));
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("读取相册信息失败！请您稍后再试..."), vbInformation, QStringLiteral("提示"));
        return;
    }
    fillChooser();
    WindowLoaded = true;
}

void UploadWindowController::fillChooser() {
    if (frm个人网站Labels::labUPloadType != QLatin1String("0")) return;
    if (AlbumList.value(0, AlbumListField::Name) == QLatin1String("null")) return;
    QStringList items = frm上传Labels::cobAlbumItems;
    const QStringList added = ChooserAlbums(AlbumList);
    items += added;
    const QString text = items.isEmpty() ? QString() : items.first();
    frm上传Labels::cobAlbumItems = items;
    frm上传Labels::cobAlbumText = text;
    frm上传Labels::labUploadToAlbum = UploadToAlbumCaption(text);
    frm上传Labels::labUploadToAlbumVisible = true;
    CALL_REQUIRED_HOOK(view.fillChooser, added, text);
    CALL_REQUIRED_HOOK(view.showUploadToAlbum, frm上传Labels::labUploadToAlbum, true);
}

void UploadWindowController::Form_Resize(int clientHeight, int bandHeight, int viewportWidth) {
    const UploadLayout l = LayOutUploadViewport(clientHeight, bandHeight, viewportWidth, uploadframe::kFrameHeight);
    CALL_REQUIRED_HOOK(view.layOut, l);
    if (l.viewportHeight < uploadframe::kScrollHintBelow) {
        const int scrollLeft = l.scrollVisible ? l.scrollLeft : viewportWidth - uploadframe::kScrollWidth;
        ShowHint(0, UcsHintUploadScroll, uploadhints::ScrollHint(), 1680, scrollLeft - uploadframe::kHintWidth);
    }
}

void UploadWindowController::ShowHint(int box, int hintId, const QString& text, int top, int left) {
    if (box < 0 || box > 2) return;
    if (GetUserSetting(hintId) == QLatin1String("1")) return;
    labMsgSN = QString::number(hintId);
    m_hintIds[size_t(box)] = hintId;
    CALL_REQUIRED_HOOK(view.showHint, box, text, top, left);
}

void UploadWindowController::ShowStartHint() {
    ShowHint(1, UcsHintUploadStart, uploadhints::StartHint(), 5835, uploadframe::kUploadButtonLeft - 3795);
}

void UploadWindowController::ShowAlbumHint() { ShowHint(2, UcsHintNewAlbum, uploadhints::AlbumHint(), 585, 6375); }

void UploadWindowController::cmdClosOpeMsg_Click(int box, bool ticked) {
    if (box < 0 || box > 2) return;
    // The box's own hint: labMsgSN names the hint shown last, which may sit in another box.
    const int id = m_hintIds[size_t(box)];
    if (ticked && id != 0) SetUserSetting(id, QStringLiteral("1"));
    m_hintIds[size_t(box)] = 0;
    CALL_REQUIRED_HOOK(view.hideHint, box);
}

void UploadWindowController::Form_QueryUnload() {
    showCloseHint();
    // An opener that does not set the parameters (the file manager's upload button) finds the
    // album choice again, not an album a former opener fixed.
    frm个人网站Labels::labUPloadType = QStringLiteral("0");
    frm上传Labels::resetLabels();
}

void UploadWindowController::cheWatermarkAndBorder_Click(bool ticked) {
    CALL_REQUIRED_HOOK(view.lockPicZip, ticked, ticked ? kPicZipLockedCaption : kPicZipCaption);
}

void UploadWindowController::cobAlbum_Click(const QString& text) {
    frm上传Labels::cobAlbumText = text;
    frm上传Labels::labUploadToAlbum = UploadToAlbumCaption(text);
    CALL_REQUIRED_HOOK(view.showUploadToAlbum, frm上传Labels::labUploadToAlbum, frm上传Labels::labUploadToAlbumVisible);
}

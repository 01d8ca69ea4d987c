#include "albums/uploadrun.h"

#include "albums/albumcache.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "state/uploadwindowlabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kSlots = 10;
constexpr int kSizeLimit = 500;
const QChar CR(QLatin1Char('\r'));

QString TempPicture() { return MemberPath({QStringLiteral("temp.jpg")}); }

bool IsPicture(const QString& file) {
    const QString ext = file.right(4).toLower();
    return ext == QLatin1String(".jpg") || ext == QLatin1String(".bmp");
}

// The album-list stamp changed: the next album-list load reads the service, whatever F02.dat
// holds and whether or not the list was read in this login.
void ForgetAlbumListStamp(const QString& value) {
    SetLoginField(7, value);
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
}
}  // namespace

namespace uploadrun {
QString TooLargeText() {
    return QStringLiteral("上传失败！文件的大小超出500K，请先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再试。");
}
QString NoAlbumMessage() {
    return QStringLiteral("请您先选一个相册后再上传。") + CR + CR + QStringLiteral("注：若您没有可选择的相册，可先点“新建相册”按钮创建一个新相册。");
}
QString ResultLine(int successes, int failures) {
    return QStringLiteral("上传完成，成功：%1 个，失败：%2 个。").arg(successes).arg(failures);
}
QString FolderTitle() {
    return QStringLiteral("请选择要上传图片所在的文件夹：") + CR + QStringLiteral("注：可上传的图片格式：.jpg;.gif;.png;.swf;.bmp");
}
QString NoFilesMessage() { return QStringLiteral("抱歉！您所选择的文件夹中没有可支持上传的文件。"); }
QString FolderGroupsMessage(int files, int groups) {
    return QStringLiteral("您所选择的文件夹中包含有%1个可上传的文件，将分为%2组（每组最多10个文件）来上传。").arg(files).arg(groups);
}

ReplyOutcome OutcomeOf(const QString& reply) {
    if (ReplyStartsWith(reply, kOK_0001Stamp, Qt::CaseInsensitive)) return {true, kSent, false};
    static const struct {
        const QString& reply;
        const char* status;
        bool retry;
    } table[] = {
        {kError_0000, "错误 0000，上传失败：网络中断，请稍候再试。", true},
        {kError_0001, "错误 0001，上传失败。", true},
        {kError_0002, "错误 0002，上传失败。", true},
        {kError_0003, "错误 0003，上传失败。", true},
        {kError_0004, "错误 0004：上传失败！网络空间已满，请您删除部份文件或扩容后再试。", false},
        {kError_0005, "错误 0005：上传失败！网络空间已过期，请您给网络空间继费后再试。", false},
        {kUploadNoFile, "文件不存在，上传失败！", false},
        {kUploadWrongType, "不支持此文件类型上传，上传失败！", false},
    };
    for (const auto& row : table)
        if (reply == row.reply) return {false, QString::fromUtf8(row.status), row.retry};
    return {false, QStringLiteral("错误 0006：上传失败！意外错误，请您重新登录本软件再试。"), true};
}
}  // namespace uploadrun

QString& UploadRunController::labWebDir() const {
    return m_slots.variant() == UploadVariant::Album ? frm上传Labels::labWebDir : frm上传特定Labels::labWebDir;
}

void UploadRunController::showPanel() { CALL_REQUIRED_HOOK(view.showPanel); }

void UploadRunController::HidePanel() {
    panel.visible = false;
    showPanel();
}

void UploadRunController::cmdUploadFiles_Click() {
    if (m_running) return;
    if (m_slots.labUpload != QLatin1String("1")) {
        newBatch();
        panel.focus = QStringLiteral("cmdSearch0");
        showPanel();
        return;
    }
    run();
}

void UploadRunController::newBatch() {
    m_slots.cmdReSelect_Click();
    panel.uploadPicture = QStringLiteral("upload1");
    panel.visible = false;
}

void UploadRunController::cmdUploadAgain_Click() {
    if (m_running) return;
    newBatch();
    showPanel();
}

void UploadRunController::cmdUploadOK_Click() { HidePanel(); }

void UploadRunController::beginSending() {
    m_running = true;
    panel.running = true;
    panel.labUploadFinish = QStringLiteral("正在上传，请您稍候...");
    panel.cmdUploadAgainVisible = false;
    panel.cmdUploadOKVisible = false;
    panel.cmdUploadFilesEnabled = false;
    panel.visible = true;
    panel.focus.clear();
    showPanel();
}

void UploadRunController::run() {
    CALL_REQUIRED_HOOK(m_slots.view.showUploadInfo, false);
    const bool album = m_slots.variant() == UploadVariant::Album;
    if (album && frm上传Labels::picAlbumVisible) {
        const QString chosen = vb::Trim(AskRequiredHook(view.chooserText));
        if (chosen.isEmpty()) {
            MsgBox(uploadrun::NoAlbumMessage(), vbInformation, QStringLiteral("提示"));
            CALL_REQUIRED_HOOK(view.showAlbumHint);
            panel.focus = QStringLiteral("cobAlbum");
            showPanel();
            return;
        }
        frm上传Labels::labWebDir = chosen;
    }
    frm个人网站Labels::labUploadJM = album ? QStringLiteral("1") : QStringLiteral("2");
    if (GetUserSetting(album ? UcsHintScreenshotUpload : UcsHintScreenshotSized).isEmpty())
        CALL_REQUIRED_HOOK(view.showScreenshotWarning);

    for (int i = 0; i < kSlots; ++i) {
        UploadSlot& s = m_slots.slot[size_t(i)];
        s.cmdSearchEnabled = false;
        if (!vb::Trim(s.txtPath).isEmpty()) s.progress = SlotProgress::Waiting;
        CALL_REQUIRED_HOOK(m_slots.view.showSlot, i);
    }
    panel.slotsTotal = m_slots.FilledSlots();
    panel.slotsDone = 0;
    beginSending();

    int successes = 0, failures = 0;
    for (int i = 0; i < kSlots; ++i) {
        if (vb::Trim(m_slots.slot[size_t(i)].txtPath).isEmpty()) continue;
        (sendSlot(i, false) ? successes : failures) += 1;
        ++panel.slotsDone;
        showPanel();
    }

    if (successes > 0) {
        ForgetAlbumListStamp(QString());
        if (!album) UnloadFileManager();
    }
    const UploadSlots& groups = m_slots.data;
    const bool nextGroup = album && groups.MoreGroupsPending && groups.CurrentGroupIndex < groups.LastGroupIndex;
    panel.cmdUploadNextPageVisible = nextGroup;
    finishSending(successes, failures, nextGroup);
}

void UploadRunController::finishSending(int successes, int failures, bool nextGroup) {
    panel.running = false;
    panel.labUploadFinish = uploadrun::ResultLine(successes, failures);
    panel.cmdUploadAgainVisible = panel.cmdUploadOKVisible = !nextGroup;
    panel.focus = nextGroup ? QStringLiteral("cmdUploadNextPage") : QStringLiteral("cmdUploadAgain");
    panel.labUploadNow.clear();
    panel.cmdUploadFilesEnabled = true;
    panel.uploadPicture = QStringLiteral("upload2");
    m_slots.labUpload = QStringLiteral("2");
    m_running = false;
    showPanel();
}

QString UploadRunController::slotFile(int i) const {
    const QString& cut = m_slots.data.SlotCutFile[size_t(i)];
    if (m_slots.variant() == UploadVariant::Sized && !cut.isEmpty()) return cut;
    return vb::Trim(m_slots.slot[size_t(i)].txtPath);
}

UploadRunController::Case UploadRunController::caseOf(int i, const QString& file) const {
    const bool picture = IsPicture(file);
    if (picture && AskRequiredHook(view.watermarkTicked)) return Case::Watermark;
    // A missing file measures 0 bytes: the send reports it missing.
    const int size = SlotSizeValue(QFileInfo(file).size());
    if (size <= kSizeLimit) {
        // A turned picture goes through the composer, so it arrives as its thumbnail shows it.
        return picture && m_slots.data.SlotRotation[size_t(i)] != 0 ? Case::Convert : Case::Direct;
    }
    if (m_slots.variant() == UploadVariant::Album && picture && AskRequiredHook(m_slots.view.picZipTicked))
        return Case::Convert;
    return Case::TooLarge;
}

bool UploadRunController::sendSlot(int i, bool retry) {
    UploadSlot& s = m_slots.slot[size_t(i)];
    auto show = [&] { CALL_REQUIRED_HOOK(m_slots.view.showSlot, i); };
    const QString path = vb::Trim(s.txtPath);
    const QString file = slotFile(i);
    panel.labUploadNow = path;
    showPanel();
    s.status = uploadrun::kSending;
    s.progress = SlotProgress::Preparing;
    s.bytesSent = s.bytesTotal = 0;
    show();

    const Case c = caseOf(i, file);
    if (c == Case::TooLarge) {
        s.status = uploadrun::TooLargeText();
        if (!retry) s.cmdOperationCaption = uploadrun::kRetryCaption;
        s.progress = SlotProgress::Failed;
        show();
        return false;
    }
    if (s.txtMemo.isEmpty()) s.txtMemo = GetFileNameFromPath(path);
    QString sent = file;
    const bool composed = c == Case::Watermark || c == Case::Convert;
    if (composed) {
        // Whatever the composer leaves is what is sent; an older output is never taken.
        QFile::remove(TempPicture());
        frm个人网站Labels::labZipPicPath = file;
        frm个人网站Labels::labUploadWatermarkBorder = c == Case::Watermark ? QStringLiteral("1") : QStringLiteral("0");
        frm个人网站Labels::labRotation = QString::number(m_slots.data.SlotRotation[size_t(i)]);
        CALL_REQUIRED_HOOK(view.prepare);
        sent = TempPicture();
    }
    s.progress = SlotProgress::Uploading;
    s.bytesTotal = QFileInfo(sent).size();
    show();
    const auto progress = [&](qint64 done, qint64 total) {
        s.bytesSent = done;
        if (total > 0) s.bytesTotal = total;
        show();
    };
    const QString reply = view.send ? view.send(sent, labWebDir(), s.txtMemo, progress)
                                    : UploadPictureFile(sent, labWebDir(), QStringLiteral("0"), QStringLiteral("www"),
                                                        s.txtMemo, progress);
    if (composed) QFile::remove(TempPicture());

    const uploadrun::ReplyOutcome outcome = uploadrun::OutcomeOf(reply);
    s.status = outcome.status;
    if (outcome.success) {
        if (retry) {
            ForgetAlbumListStamp(uploadrun::kRetryStamp);
        } else {
            recordStamp(QString(reply).remove(kOK_0001Stamp));
        }
        DialogState = 99;
        s.cmdOperationEnabled = false;
        s.progress = SlotProgress::Done;
        show();
        m_slots.AddRecentUploadThumb(i);
        return true;
    }
    if (outcome.retry) s.cmdOperationCaption = uploadrun::kRetryCaption;
    s.progress = SlotProgress::Failed;
    show();
    return false;
}

void UploadRunController::recordStamp(const QString& stamp) {
    // The sized window writes the stamp only into a list read from the service in this login.
    if (m_slots.variant() == UploadVariant::Sized && frm个人网站Labels::labDownDirFlag != QLatin1String("1")) return;
    try {
        RecordAlbumStamp(labWebDir(), stamp);
    } catch (const VbError&) {
        // The picture is on the service; the cached list is not current, so the next load reads it.
        frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    }
}

void UploadRunController::cmdOperation_Click(int index) {
    if (index < 0 || index >= kSlots || m_running) return;
    UploadSlot& s = m_slots.slot[size_t(index)];
    if (s.cmdOperationCaption == QStringLiteral("取 消")) {
        m_slots.ClearSlot(index);
        return;
    }
    // The retry prepares the slot as the run did: its watermark, fitting and turn stay.
    panel.slotsTotal = 1;
    panel.slotsDone = 0;
    beginSending();
    int successes = 0, failures = 0;
    if (!vb::Trim(s.txtPath).isEmpty()) (sendSlot(index, true) ? successes : failures) = 1;
    panel.slotsDone = 1;
    finishSending(successes, failures, false);  // the next-group button stays as it was
}

void UploadRunController::ChooseUploadFolder() {
    const QString folder = prompts::current().browseFolder(uploadrun::FolderTitle(), QString());
    if (folder.isEmpty()) return;
    const QFileInfo info(folder);
    QStringList names;
    try {
        if (!info.isDir()) throw VbError(VbError::PathNotFound, QStringLiteral("路径未找到"));
        QDir dir(folder);
        if (!info.isReadable() || !dir.isReadable()) throw VbError(VbError::PermissionDenied, QStringLiteral("拒绝的权限"));
        // Name patterns match without case; hidden files and folders are left out.
        names = dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.gif"), QStringLiteral("*.png"), QStringLiteral("*.bmp"),
                               QStringLiteral("*.swf")},
                              QDir::Files, QDir::Name | QDir::IgnoreCase);
    } catch (const VbError& e) {
        MsgBox(QStringLiteral("错误！ ") + e.description(), vbInformation, QStringLiteral("提示"));
        return;
    }
    UploadSlots& g = m_slots.data;
    g.GroupFileCount = 0;
    if (names.isEmpty()) {
        MsgBox(uploadrun::NoFilesMessage(), vbInformation, QStringLiteral("提示"));
        return;
    }
    g.GroupFileCount = int(names.size());
    g.GroupFiles = QStringList(g.GroupFileCount + 1);
    g.LastGroupIndex = g.GroupFileCount % kSlots == 0 ? g.GroupFileCount / kSlots - 1 : g.GroupFileCount / kSlots;
    const QString base = QDir(folder).absolutePath();
    for (int k = 0; k < g.GroupFileCount; ++k) g.GroupFiles[k] = base + QLatin1Char('/') + names[k];
    if (g.LastGroupIndex > 0) {
        g.MoreGroupsPending = true;
        MsgBox(uploadrun::FolderGroupsMessage(g.GroupFileCount, g.LastGroupIndex + 1), vbInformation, QStringLiteral("提示"));
    }
    g.CurrentGroupIndex = 0;
    LoadUploadGroup(0);
}

void UploadRunController::LoadUploadGroup(int g) {
    UploadSlots& groups = m_slots.data;
    if (g < 0 || g > groups.LastGroupIndex || g * kSlots >= groups.GroupFileCount) return;
    newBatch();
    showPanel();
    const int n = (g + 1) * kSlots < groups.GroupFileCount ? kSlots : groups.GroupFileCount - g * kSlots;
    for (int i = 0; i < n; ++i) {
        m_slots.slot[size_t(i)].txtPath = groups.GroupFiles.value(g * kSlots + i);
        CALL_REQUIRED_HOOK(m_slots.view.showSlot, i);
    }
    CALL_REQUIRED_HOOK(m_slots.view.setBusy, true);
    m_slots.CheckAndShowSlots(true);
    if (m_slots.FilledSlots() > 0 && m_slots.variant() == UploadVariant::Album)
        CALL_REQUIRED_HOOK(m_slots.view.showStartHint);
    CALL_REQUIRED_HOOK(m_slots.view.setBusy, false);
}

void UploadRunController::cmdUploadNextPage_Click() {
    panel.cmdUploadNextPageVisible = false;
    showPanel();
    ++m_slots.data.CurrentGroupIndex;
    LoadUploadGroup(m_slots.data.CurrentGroupIndex);
}

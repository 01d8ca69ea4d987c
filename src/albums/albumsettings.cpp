#include "albums/albumsettings.h"

#include "albums/albumcache.h"
#include "albums/albumname.h"
#include "albums/imageservice.h"
#include "foundation/servicecall.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"

namespace {
const QString kHint = QStringLiteral("提示");
// The stamp that makes the next album-list load read the service.
const QString kStaleListStamp = QStringLiteral("1900-01-01 01:01:01");

void Say(const QString& text, const QString& title) { MsgBox(text, vbInformation, title); }
void Say(const AlbumMessage& m) { Say(m.text, m.title); }

// The numbered refusals Error_0001 to Error_0003 name their number; any other reply is unexpected.
QString NumberedRefusal(const QString& reply, const QString& numbered, const QString& unexpected) {
    for (int n = 1; n <= 3; ++n)
        if (reply == ErrorCode(n)) return QStringLiteral("错误 000%1，").arg(n) + numbered;
    return unexpected;
}

// A refused deletion says what a refused save says.
QString DeletionRefusal(const QString& reply) { return FrameStoreRefusal(FrameStoreCommand::Save, reply); }
}  // namespace

bool AlbumGridPointerHot(int x, int y) {
    return y > 375 && y < 5835 && ((x > 90 && x < 1200) || (x > 5190 && x < 7000));
}

QString FrameStoreRefusal(FrameStoreCommand command, const QString& reply) {
    switch (command) {
    case FrameStoreCommand::AddAlbum:
        return NumberedRefusal(reply, QStringLiteral("保存到首页相册框失败，您可以把此相册手工移入到首页相册中。"),
                               QStringLiteral("意外错误，保存到首页相册框失败，您可以把此相册手工移入到首页相册中。"));
    case FrameStoreCommand::Move:
        return NumberedRefusal(reply, QStringLiteral("保存失败，请您稍后再试。"),
                               QStringLiteral("意外错误，请您稍后或重新登录本软件再试。"));
    case FrameStoreCommand::Save:
        return NumberedRefusal(reply, QStringLiteral("保存失败，请您稍候或重新登录本软件再试。"),
                               QStringLiteral("意外错误，请您稍候或重新登录本软件再试。"));
    }
    return QString();
}

void AlbumSettingsController::show() {
    CALL_REQUIRED_HOOK(view.showGrid, grid);
    CALL_REQUIRED_HOOK(view.showFrame, frame);
}

void AlbumSettingsController::setUnsaved(bool unsaved) {
    m_unsaved = unsaved;
    CALL_REQUIRED_HOOK(view.showSaveMarker, unsaved);
}

void AlbumSettingsController::Form_Load() {
    frame.load(HomeAlbums);
    // Every album in a slot counts as in the frame, wherever it stands: a frame stored with a
    // gap would otherwise offer its later albums for moving in a second time.
    grid.load(AlbumList, frame.albums());
    show();
    setUnsaved(false);
}

void AlbumSettingsController::txtAddAlbum_Change(const QString& text) {
    const int bytes = AnsiCodec::byteLength(text);
    CALL_REQUIRED_HOOK(view.setLen, QString::number(bytes));
    if (bytes <= kAlbumNameMaxBytes) return;
    QString shorter = text;
    shorter.chop(shorter.size() > 1 && shorter.back().isLowSurrogate() ? 2 : 1);  // a whole character
    // Setting the text raised this handler again in the old runtime: it runs here explicitly,
    // so a pasted text loses one character per round, each with the message.
    CALL_REQUIRED_HOOK(view.setNameText, shorter);
    txtAddAlbum_Change(shorter);
    Say(AlbumNameLengthMessage());
    CALL_REQUIRED_HOOK(view.focusName, false);
}

void AlbumSettingsController::cmdAddAlbum_Click() {
    const QString name = vb::Trim(AskRequiredHook(view.nameText));
    CALL_REQUIRED_HOOK(view.setNameText, name);
    txtAddAlbum_Change(name);  // the byte count follows the trimmed text
    // Nothing to create: an empty name is not sent.
    if (name.isEmpty()) {
        CALL_REQUIRED_HOOK(view.focusName, false);
        return;
    }
    using R = AlbumNameRule;
    if (const auto refusal = CheckAlbumName(name, grid.names(), {R::NotListed, R::NoSpace, R::NoPlus})) {
        Say(*refusal);
        return;
    }
    const bool addToFrame = AskRequiredHook(view.addToFrame);
    if (addToFrame && frame.full()) {
        Say(QStringLiteral("创建相册失败：首页相册框已满（最多15个），请您先移出其他相册或者\r\r"
                           "把“添加到首页相册框”前面的“√”去掉再试。"),
            QString());
        return;
    }
    if (const auto refusal = CheckAlbumName(name, {}, {R::NotRoot, R::NotSystem, R::NotNull, R::ShortEnough})) {
        Say(*refusal);
        return;
    }

    const std::optional<QString> reply = CallImageService(QStringLiteral("BuildAlbumDir"), {name}, view.showWait, view.hideWait);
    if (!reply) return;
    if (!ReplyStartsWith(*reply, kOK_0001)) {
        Say(AlbumCreationRefusal(*reply, name));
        return;
    }
    const QString stamp = CreatedAlbumStamp(*reply);
    SetLoginField(7, stamp);
    grid.insertAlbum(name, stamp);
    CALL_REQUIRED_HOOK(view.showGrid, grid);
    Say(QStringLiteral("相册创建成功！"), kHint);
    CALL_REQUIRED_HOOK(view.focusName, true);
    if (!addToFrame) return;

    const HomeAlbumFrame before = frame;
    const AlbumGrid gridBefore = grid;
    const int k = frame.firstEmptySlot();
    frame.setCaption(k, name);
    frame.markFilled(k);
    CALL_REQUIRED_HOOK(view.showFrame, frame);
    if (storeOrPutBack(FrameStoreCommand::AddAlbum, before, gridBefore, m_unsaved)) {
        grid.setText(1, AlbumGrid::MarkColumn, QString());
        CALL_REQUIRED_HOOK(view.showGrid, grid);
    }
}

AlbumSettingsController::Stored AlbumSettingsController::storeFrame(QString& reply) {
    const std::optional<QString> answer =
        CallImageService(QStringLiteral("SetHomeAlbum"), frame.captions(), view.showWait, view.hideWait);
    if (!answer) return Stored::Failed;
    reply = *answer;
    if (!ReplyStartsWith(reply, kOK_0001)) return Stored::Refused;

    Table stored(1, HomeAlbumFrame::kSlots);
    for (int k = 0; k < HomeAlbumFrame::kSlots; ++k) stored.set(0, k, frame.caption(k));
    HomeAlbums = stored;
    try {
        RewriteHomeAlbumFile();
    } catch (const VbError&) {
        // The cache no longer shows the stored frame: the next load reads the service instead.
        frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    }
    frm个人网站Labels::labSaveHomeAlbum = QStringLiteral("1");
    DialogState = 99;
    return Stored::Yes;
}

bool AlbumSettingsController::storeOrPutBack(FrameStoreCommand command, const HomeAlbumFrame& before,
                                        const AlbumGrid& gridBefore, bool unsavedBefore) {
    QString reply;
    const Stored result = storeFrame(reply);
    if (result == Stored::Yes) return true;
    // The window shows what the service holds, and moves not yet saved stay offered for saving.
    frame = before;
    grid = gridBefore;
    show();
    setUnsaved(unsavedBefore);
    if (result == Stored::Refused) Say(FrameStoreRefusal(command, reply), kHint);
    return false;
}

void AlbumSettingsController::grdAlbum_Click(int row, int col) {
    if (row < 1 || row >= grid.rows()) return;
    const QString name = grid.name(row);
    switch (col) {
    case AlbumGrid::MarkColumn: {
        if (grid.text(row, col).isEmpty()) return;
        if (frame.full()) {
            Say(QStringLiteral("首页相框已满（最多15个），请您先移出其他相册后再试。"), QString());
            return;
        }
        const HomeAlbumFrame before = frame;
        const AlbumGrid gridBefore = grid;
        const int k = frame.firstEmptySlot();
        frame.setCaption(k, name);
        frame.markFilled(k);
        grid.setText(row, AlbumGrid::MarkColumn, QString());
        show();
        storeOrPutBack(FrameStoreCommand::Move, before, gridBefore, m_unsaved);
        return;
    }
    case AlbumGrid::UploadColumn:
        if (!name.isEmpty()) uploadInto(name);
        return;
    case AlbumGrid::DeleteColumn:
        // The grid's empty row names no album.
        if (!name.isEmpty()) deleteAlbum(row);
        return;
    default:
        return;
    }
}

void AlbumSettingsController::deleteAlbum(int row) {
    const QString name = grid.name(row);
    if (grid.text(row, AlbumGrid::MarkColumn).isEmpty()) {
        Say(QStringLiteral("相册“") + name + QStringLiteral("”已经加入到首页相册框中，请您先将其移出后再删除。"), kHint);
        return;
    }
    if (m_unsaved) {
        Say(QStringLiteral("请您先点击“保存相册设置”按钮，把刚才的操作保存后再删除相册。"), kHint);
        return;
    }
    if (MsgBox(QStringLiteral("您真的确认要删除相册“") + name + QStringLiteral("”及其里面所有的文件？\r\r注：一但删除将无法恢复。"),
               vbQuestion | vbYesNo, kHint) != vbYes)
        return;
    const std::optional<QString> reply = CallImageService(QStringLiteral("DelDir"), {name}, view.showWait, view.hideWait);
    if (!reply) return;
    if (*reply != kOK_0001) {
        Say(DeletionRefusal(*reply), kHint);
        return;
    }
    DialogState = 99;
    SetLoginField(7, kStaleListStamp);
    // The stale stamp alone is not enough: once the cache was written under it, a second
    // deletion in the same login would find the cache current and keep offering the album.
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    Say(QStringLiteral("相册“") + name + QStringLiteral("”删除成功！"), kHint);
    grid.removeRow(row);
    CALL_REQUIRED_HOOK(view.showGrid, grid);
}

void AlbumSettingsController::uploadInto(const QString& album) {
    frm个人网站Labels::labUPloadType = QStringLiteral("1");
    frm上传Labels::labUploadToAlbum = QStringLiteral("上传文件到相册[") + album + QLatin1Char(']');
    frm上传Labels::labUploadToAlbumVisible = true;
    frm上传Labels::labWebDir = album;
    frm上传Labels::cobAlbumItems = grid.uploadChoices();
    frm上传Labels::cobAlbumText = album;
    CALL_REQUIRED_HOOK(view.openUploadWindow);
}

void AlbumSettingsController::imgMoveUp_Click(int k) {
    if (!frame.moveUp(k)) return;
    CALL_REQUIRED_HOOK(view.showFrame, frame);
    setUnsaved(true);
}

void AlbumSettingsController::imgMoveDown_Click(int k) {
    if (!frame.moveDown(k)) return;
    CALL_REQUIRED_HOOK(view.showFrame, frame);
    setUnsaved(true);
}

void AlbumSettingsController::cmdMoveOut_Click(int k) {
    const QString album = frame.caption(k);
    // An empty slot has nothing to move out: marking the grid's row of that name would mark the
    // grid's empty row and offer an album without a name.
    if (album.isEmpty()) return;
    const HomeAlbumFrame before = frame;
    const AlbumGrid gridBefore = grid;
    const bool unsavedBefore = m_unsaved;
    const int row = grid.rowOf(album);
    if (row > 0) grid.setText(row, AlbumGrid::MarkColumn, AlbumGrid::kMoveInMark);
    frame.moveOut(k);
    show();
    setUnsaved(false);
    storeOrPutBack(FrameStoreCommand::Move, before, gridBefore, unsavedBefore);
}

void AlbumSettingsController::cmdUpload_Click(int k) {
    const QString album = frame.caption(k);
    if (!album.isEmpty()) uploadInto(album);
}

void AlbumSettingsController::cmdSave_Click() {
    QString reply;
    switch (storeFrame(reply)) {
    case Stored::Yes:
        Say(QStringLiteral("保存成功！"), kHint);
        setUnsaved(false);
        return;
    case Stored::Refused:
        Say(FrameStoreRefusal(FrameStoreCommand::Save, reply), kHint);
        return;
    case Stored::Failed:
        return;
    }
}

void AlbumSettingsController::Form_QueryUnload() {
    if (!m_unsaved) return;
    if (MsgBox(QStringLiteral("是否要保存首页相册框的设置？"), vbInformation | vbYesNo, kHint) == vbYes) cmdSave_Click();
}

void AlbumSettingsController::albumCreatedElsewhere(const QString& name, const QString& stamp) {
    grid.insertAlbum(name, stamp);
    CALL_REQUIRED_HOOK(view.showGrid, grid);
}

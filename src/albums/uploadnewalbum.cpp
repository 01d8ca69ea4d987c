#include "albums/uploadnewalbum.h"

#include "albums/albumcache.h"
#include "albums/albumname.h"
#include "albums/imageservice.h"
#include "foundation/servicecall.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vbtext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"

namespace {
// The names AlbumNameRule::NotListed compares with: every album of the cached list.
QStringList ListedAlbums() {
    QStringList names;
    if (AlbumList.isNull()) return names;
    for (int r = 0; r < AlbumList.rows(); ++r) names << AlbumList.value(r, AlbumListField::Name);
    return names;
}

void Say(const AlbumMessage& m) { MsgBox(m.text, vbInformation, m.title); }

// The creation itself; the caller enables the button again whatever happens here.
void CreateAlbum(const UploadNewAlbumView& view) {
    const QString name = vb::Trim(prompts::current().inputBox(
        QStringLiteral("请输入相册的名称：\r\r（注：若要把创建的相册显示在网站首页中则请在网站设置主界面中点击“20.相册设置”按钮进行设置）"),
        QStringLiteral("新建相册"), QString()));
    if (name.isEmpty()) return;
    using R = AlbumNameRule;
    // The name's length is checked last, after the rules the service has always been asked with.
    if (const auto refusal = CheckAlbumName(name, ListedAlbums(), {R::NoSpace, R::NoPlus, R::NotListed, R::NotRoot,
                                                                   R::NotSystem, R::NotNull, R::ShortEnough})) {
        Say(*refusal);
        return;
    }
    const std::optional<QString> reply = CallImageService(QStringLiteral("BuildAlbumDir"), {name}, view.showWait, view.hideWait);
    if (!reply) return;
    if (!ReplyStartsWith(*reply, kOK_0001Stamp)) {
        Say(AlbumCreationRefusal(*reply, name));
        return;
    }
    // The new stamp makes the next album-list load read the service, which then lists the album.
    const QString stamp = CreatedAlbumStamp(*reply);
    SetLoginField(7, stamp);
    frm上传Labels::cobAlbumItems << name;
    frm上传Labels::cobAlbumText = name;
    CALL_REQUIRED_HOOK(view.addChosenAlbum, name);
    frm上传Labels::labUploadToAlbum = QStringLiteral("上传到相册[") + name + QLatin1Char(']');
    frm上传Labels::labUploadToAlbumVisible = true;
    CALL_REQUIRED_HOOK(view.showUploadToAlbum, frm上传Labels::labUploadToAlbum);
    if (frm个人网站Labels::labUPloadType == QLatin1String("1")) CALL_REQUIRED_HOOK(view.addAlbumSettingsRow, name, stamp);
    MsgBox(QStringLiteral("相册创建成功！"), vbInformation, QStringLiteral("提示"));
    UnloadFileManager();
}
}  // namespace

void CreateAlbumFromUploadWindow(const UploadNewAlbumView& view) {
    CALL_REQUIRED_HOOK(view.enableNewAlbum, false);
    CreateAlbum(view);
    // Enabled again whatever the answer: a refused name asks for another one.
    CALL_REQUIRED_HOOK(view.enableNewAlbum, true);
}

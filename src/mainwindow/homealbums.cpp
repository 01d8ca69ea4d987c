#include "albums/albums_api.h"
#include "foundation/servicecall.h"
#include "mainwindow/commands.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/publishsite.h"
#include "site/sitemodel.h"
#include "state/albumsstate.h"
#include "state/sitestate.h"

namespace {
const QString kTitle = QStringLiteral("提示");
const QString kUpdated = QStringLiteral("网站首页相册更新完成 ！");
constexpr int kHomeAlbumCell = 18;
}  // namespace

QStringList HomeAlbumChoices() {
    QStringList out;
    if (AlbumList.value(0, AlbumListField::Name) == QLatin1String("null")) return out;
    for (int r = 0; r < AlbumList.rows(); ++r) {
        const QString name = AlbumList.value(r, AlbumListField::Name);
        if (name.left(3).toLower() != QLatin1String("www")) out.append(name);
    }
    return out;
}

bool HomeAlbumSaveEnabled(const QString& chosen) { return chosen != SiteSettings(PublishColumn, HomeAlbumRow); }

void MainWindowCommands::cmdSetHomePhoto_Click() {
    DialogState = 0;
    loadAlbumListWaiting();
    CALL_REQUIRED_HOOK(view.fillAlbumList, HomeAlbumChoices());
    CALL_REQUIRED_HOOK(view.showHomeAlbumPanel);
    CALL_REQUIRED_HOOK(view.setHomeAlbumText, SiteSettings(PublishColumn, HomeAlbumRow));
}

void MainWindowCommands::cmdCloseMainAlbum_Click() {
    CALL_REQUIRED_HOOK(view.hideHomeAlbumPanel);
}

void MainWindowCommands::cmdSetAlbum_Click() {
    cmdCloseMainAlbum_Click();
    cmdSetPhotoBox_Click();
}

void MainWindowCommands::cmdSaveHomeAlbum_Click() {
    const QString album = homeAlbumText();
    if (album.isEmpty()) return;
    SiteSettings(LocalColumn, HomeAlbumRow) = album;
    SiteSettings(PublishColumn, HomeAlbumRow) = album;
    DialogState = 0;
    UploadHomeAlbumSettings();
    if (DialogState != 99) return;
    CreateWidgetHtml(kHomeAlbumCell, PublishColumn);
    refresh(kHomeAlbumCell);
}

void MainWindowCommands::UploadHomeAlbumSettings() {
    PublishVariant v;
    v.argument11 = vb::Trim(homeAlbumText());
    v.noDomain = [this] {
        MsgBox(QStringLiteral("抱歉！您尚未注册您的网站域名，请您先注册域名后再上传您的网站。"), vbInformation, kTitle);
        if (view.focusDomainBox) view.focusDomainBox();
    };
    // Nothing to send: the message alone; DialogState stays, so the caller regenerates nothing.
    v.noChange = [] { MsgBox(kUpdated, vbInformation, kTitle); };
    v.showWait = [this] { showWait(); };
    v.hideWait = [this] { hideWait(); };
    v.accepts = [](const QString& reply) { return reply == kOK_0001 || reply == kOK_0002; };
    v.accepted = [this](const QString&) {
        MsgBox(kUpdated, vbInformation, kTitle);
        CopyPublishColumnToPublished();
        cmdCloseMainAlbum_Click();
    };
    // No rollback: the choice stays in both columns and goes out with the next publish.
    v.refused = [](const QString&) { MsgBox(QStringLiteral("抱歉！网站首页相册更新失败，请您稍后再试...")); };
    PublishSiteSettings(v);
}

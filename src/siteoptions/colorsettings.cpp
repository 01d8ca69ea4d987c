#include "siteoptions/colorsettings.h"

#include "foundation/htmltext.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

#include <QColor>

namespace {

const QString kTitle = QStringLiteral("提示");

QString RecordEntry(int entry) { return CellRecord.value(entry); }

void SetRecordEntry(int entry, const QString& value) {
    if (entry < CellRecord.size()) CellRecord[entry] = value;
}

// The platform form of a colour (red in the lowest byte) as a QColor.
QColor FromColorValue(qint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace

QString AreaBackgroundPage(int row) {
    switch (row) {
    case HomeBackColorRow: return QStringLiteral("b");
    case MiddleBackColorRow: return QStringLiteral("b1");
    case AlbumBackColorRow: return QStringLiteral("b2");
    case BlogBackColorRow: return QStringLiteral("b3");
    default: return QString();
    }
}

QString ColorPreviewPage() {
    QString colour = RecordEntry(ColorRecord::NewColor);
    if (colour.isEmpty() && RecordEntry(ColorRecord::Row) != QLatin1String("301"))
        colour = SiteSettings.value(LocalColumn, HomeBackColorRow);
    return ColorPageText(colour);
}

void ColorSettingsController::CreateViewColor(int mode) {
    const QString file = mode == 0 ? QStringLiteral("setpic.html") : QStringLiteral("viewcolor.html");
    try {
        WritePageFile(file, ColorPreviewPage());
    } catch (const VbError&) {
        // Only the swatch misses the change; the apply writes the real pages and reports there.
        return;
    }
    if (mode == 0) CALL_REQUIRED_HOOK(view.refreshOldPreview);
    else CALL_REQUIRED_HOOK(view.refreshNewPreview);
}

void ColorSettingsController::chkDel_Click(bool ticked) {
    SetRecordEntry(ColorRecord::NewColor, ticked ? QString() : RecordEntry(ColorRecord::CurrentColor));
    CALL_REQUIRED_HOOK(view.enableDel, ticked);
    CALL_REQUIRED_HOOK(view.showCurrentCode, !ticked);
    // A ticked box shows the area as it will look without its own colour.
    CreateViewColor(0);
}

void ColorSettingsController::cmdSetColor_Click() {
    const QColor chosen = prompts::current().chooseColor(QColor(128, 128, 128), QStringLiteral("颜色"));
    if (!chosen.isValid()) return;  // cancelled: the colour, its preview and cmdOK stay as they were
    const QString code = ColorToHtml(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
    CALL_REQUIRED_HOOK(view.setNewCode, code);
    txtNewColor_Change(code);
}

void ColorSettingsController::txtNewColor_Change(const QString& text) {
    SetRecordEntry(ColorRecord::NewColor, text);
    CreateViewColor(1);
    CALL_REQUIRED_HOOK(view.enableOK, true);
}

void ColorSettingsController::cmdOK_Click() {
    if (LoginField(12).isEmpty()) {
        MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"),
               vbInformation, kTitle);
        return;
    }
    ApplyColorSetting();
}

PublishOutcome ColorSettingsController::ApplyColorSetting() {
    REQUIRE_HOOK(view.showWait);
    REQUIRE_HOOK(view.hideWait);
    const int row = RecordEntry(ColorRecord::Row).toInt();
    QString saved;

    PublishVariant v;
    v.writeChanges = [row, &saved] {
        saved = SiteSettings(PublishColumn, row);
        SiteSettings(LocalColumn, row) = RecordEntry(ColorRecord::NewColor);
        SiteSettings(PublishColumn, row) = RecordEntry(ColorRecord::NewColor);
    };
    v.noChange = [this] {
        CALL_REQUIRED_HOOK(view.close);
        ShowSiteUpdatedMessage();
    };
    v.showWait = view.showWait;
    v.hideWait = view.hideWait;
    v.refused = [row, &saved](const QString&) {
        SiteSettings(LocalColumn, row) = saved;
        SiteSettings(PublishColumn, row) = saved;
        MsgBox(QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
    };
    v.accepted = [this, row](const QString&) {
        showAppliedColor(row);
        CALL_REQUIRED_HOOK(view.close);
        ShowSiteUpdatedMessage();
        CopyPublishColumnToPublished();
    };
    return PublishSiteSettings(v);
}

void ColorSettingsController::showAppliedColor(int row) {
    const QString page = AreaBackgroundPage(row);
    if (page.isEmpty()) return;
    CreateBackgroundHtml(page, PublishColumn);
    CALL_REQUIRED_HOOK(view.refreshBackground, page);
    if (row != HomeBackColorRow) return;

    // The page colour also shows in the footer and around the side and bottom cells.
    CreateFooterHtml(32, PublishColumn);
    CALL_REQUIRED_HOOK(view.refreshCell, 32);
    for (qint16 cell : {25, 27, 28, 30, 31}) CreateCellHtml(cell, PublishColumn);
    for (int cell = 25; cell <= 31; ++cell)
        CALL_REQUIRED_HOOK(view.refreshCell, cell);
    // HtmlToColor takes the "#" off the row's cell itself, so the PublishColumn (and, by the copy
    // that follows, the PublishedColumn) keep the bare digits.
    QString& home = SiteSettings(PublishColumn, HomeBackColorRow);
    const QColor canvas = home.isEmpty() ? QColor(Qt::white) : FromColorValue(HtmlToColor(home));
    CALL_REQUIRED_HOOK(view.setCanvasColor, canvas);
}

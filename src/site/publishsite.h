#pragma once
// The one step by which the member's whole site reaches the service: every row of the
// PublishColumn as a settings text and the whole-site page built from that column, in one call.
// The windows that publish differ only in the hooks of a PublishVariant: the rows they write and
// restore, their messages and wait indication, the method and endpoint, arguments 11 and 12 and
// the replies they accept. Every hook of a variant is optional (platform/hookcheck.h): unset, it
// does nothing or the common behaviour its comment names holds.
#include <QString>

#include <functional>
#include <optional>

struct PublishVariant {
    // Refuse while the main window's domain box is shown (the member has no registered domain).
    bool domainTest = true;
    // Make no call while the PublishColumn equals the PublishedColumn.
    bool changeTest = true;
    // On an accepted reply, DialogState := 99 and the LocalColumn's publish state := "2" before
    // the variant's own success effects.
    bool markPublished = true;

    QString endpoint = QStringLiteral("wwwser002");
    QString method = QStringLiteral("UploadWebsite2");
    QString argument11;                 // the home album (home-album publish), else empty
    std::optional<QString> argument12;  // ClientVersion unless set

    // No registered domain. Unset: the common message.
    std::function<void()> noDomain;
    // Saves the rows the variant may restore, then writes its changes into SiteSettings.
    std::function<void()> writeChanges;
    // Nothing differs from what the service holds. Unset: the common "网站更新成功！" message.
    std::function<void()> noChange;
    // The wait indication: shown before the payload is built, hidden when the reply or an error
    // arrived.
    std::function<void()> showWait;
    std::function<void()> hideWait;
    // The replies that count as success. Unset: exactly "OK_0001".
    std::function<bool(const QString& reply)> accepts;
    // The success effects (the copy into the PublishedColumn among them).
    std::function<void(const QString& reply)> accepted;
    // Any other reply.
    std::function<void(const QString& reply)> refused;
    // No reply: the error was reported (network-error window or the common message).
    std::function<void()> failed;
    // The request went out but its reply did not come in time: the service may have applied it.
    // The member was told the result is unknown; nothing counts as published, so the next publish
    // sends the site again. Unset: nothing more.
    std::function<void()> unconfirmed;
};

enum class PublishOutcome { NoDomain, NoChange, Accepted, Refused, Failed, Unconfirmed };

// What the member is told when a publish got no reply in time.
inline const QString kPublishUnconfirmedMessage =
    QStringLiteral("服务器没有及时回答，网站是否已经更新尚不能确定。请您稍后再更新一次网站。");

// Runs the step: the domain test, the variant's writes, the change test, the publish state
// "2" in the PublishColumn, the payload, the call, and the hook for the reply. The page files are
// rewritten from the PublishColumn only once the service accepted it (before the variant's success
// effects): a refused or unanswered publish leaves the local pages as they were.
PublishOutcome PublishSiteSettings(const PublishVariant& variant);

// ---- the payload, each value as it is sent
// Every PublishColumn row from 0 to 332 followed by "{/F}", then "<" written "&x_;" and ">"
// written "&d_;".
QString PublishSettingsText();
// The site page text escaped the same way.
QString EscapePublishText(QString text);
// "1" when the LocalColumn's publish state is "2", else "0".
QString PublishedFlag();

// ---- pieces the variants share
// The common no-domain message (information icon, title "提示").
void ShowNoDomainMessage();
// The common no-change and success message "网站更新成功！".
void ShowSiteUpdatedMessage();
// Every row's PublishedColumn := its PublishColumn.
void CopyPublishColumnToPublished();

// ---- the template apply
// What the apply needs of the template chooser (required and optional hooks as
// platform/hookcheck.h says).
struct TemplateChooserWindowView {
    // Required.
    std::function<void()> refreshMainWindow;  // each cell browser, then the four backgrounds
    std::function<void()> close;              // unloads the chooser after a success
    // Optional: unset, each does nothing.
    std::function<void()> showWait;  // the chooser's please-wait panel
    std::function<void()> hideWait;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("refreshMainWindow", bool(refreshMainWindow));
        f("close", bool(close));
    }
};
// The TemplateColumn becomes the whole PublishColumn and is published. On success it becomes the
// local state too, every page file is regenerated, the main window repainted and the chooser
// closed; a refusal, and also a call that got no reply, restore the PublishColumn as it was. A
// call whose reply came too late keeps the template (the service may show it already) in the
// PublishColumn and the LocalColumn, not in the PublishedColumn, so the next publish sends it again.
PublishOutcome ApplyTemplateToSite(const TemplateChooserWindowView& view);

#include "site/publishsite.h"

#include "foundation/servicecall.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/soapclient.h"
#include "platform/vberror.h"
#include "site/publishcheck.h"
#include "site/site_api.h"
#include "site/sitemodel.h"
#include "site/siteview.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QList>

namespace {
const QString kTitle = QStringLiteral("提示");

// The whole-site page of the column, with the page files left as they are: they follow only a
// publish the service took.
QString SitePageWithoutPageFiles(qint16 column) {
    const qint16 before = PreviewOnly;
    PreviewOnly = -1;
    try {
        QString page = CreateSiteViewHtml(column);
        PreviewOnly = before;
        return page;
    } catch (...) {
        PreviewOnly = before;
        throw;
    }
}
}  // namespace

QString EscapePublishText(QString text) {
    text.replace(QLatin1Char('<'), QStringLiteral("&x_;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&d_;"));
    return text;
}

QString PublishSettingsText() {
    QString text;
    for (int r = 0; r < SiteSettingsTable::Rows; ++r) {
        text += SiteSettings(PublishColumn, r);
        text += QStringLiteral("{/F}");
    }
    return EscapePublishText(text);
}

QString PublishedFlag() {
    return SiteSettings(LocalColumn, PublishStateRow) == QLatin1String("2") ? QStringLiteral("1") : QStringLiteral("0");
}

void ShowNoDomainMessage() {
    MsgBox(QStringLiteral("抱歉！您尚未注册Orbel网站域名，请您先注册域名后再设置您的网站。"), vbInformation, kTitle);
}

void ShowSiteUpdatedMessage() { MsgBox(QStringLiteral("网站更新成功！"), vbInformation, kTitle); }

void CopyPublishColumnToPublished() { SiteSettings.copyColumn(PublishColumn, PublishedColumn); }

PublishOutcome PublishSiteSettings(const PublishVariant& v) {
    if (v.domainTest && frm个人网站Labels::txtDomainNameVisible) {
        if (v.noDomain) v.noDomain();
        else ShowNoDomainMessage();
        return PublishOutcome::NoDomain;
    }
    if (v.writeChanges) v.writeChanges();
    if (v.changeTest && !SiteHasUnpublishedChanges()) {
        if (v.noChange) v.noChange();
        else ShowSiteUpdatedMessage();
        return PublishOutcome::NoChange;
    }

    if (v.showWait) v.showWait();
    QString reply;
    try {
        SiteSettings(PublishColumn, PublishStateRow) = QStringLiteral("2");
        const QString settingsText = PublishSettingsText();
        const QString page = EscapePublishText(SitePageWithoutPageFiles(PublishColumn));
        const QString flag = PublishedFlag();
        const QString checkCode = PublishCheckCode(page);
        const QList<SoapArgument> args{
            CurrentUserName, QStringLiteral("K2"), LoginField(5), checkCode, LoginField(6), LoginField(12),
            LoginField(15),  flag,                 settingsText,  page,      v.argument11,
            v.argument12.value_or(ClientVersion)};
        reply = ServiceCall(v.endpoint, v.method, args);
    } catch (const VbError& e) {
        if (v.hideWait) v.hideWait();
        if (SoapClient::Unanswered(e)) {
            // Neither a success nor a failure: the rows stay unpublished and go out again.
            qWarning("tavolin: publish unconfirmed: %s", qUtf8Printable(e.description()));
            MsgBox(kPublishUnconfirmedMessage, vbInformation, kTitle);
            if (v.unconfirmed) v.unconfirmed();
            return PublishOutcome::Unconfirmed;
        }
        // No reply: nothing is rolled back unless the variant says so; the written rows and the
        // publish state "2" count as a change at the next attempt.
        ReportServiceError(e);
        if (v.failed) v.failed();
        return PublishOutcome::Failed;
    }
    if (v.hideWait) v.hideWait();

    const bool ok = v.accepts ? v.accepts(reply) : reply == kOK_0001;
    try {
        if (ok) {
            if (v.markPublished) {
                DialogState = 99;
                SiteSettings(LocalColumn, PublishStateRow) = QStringLiteral("2");
            }
            // Now the page files show what was sent; a page that cannot be written is reported and
            // the success effects still run.
            try {
                CreateSiteViewHtml(PublishColumn);
            } catch (const VbError& e) {
                ReportServiceError(e);
            }
            if (v.accepted) v.accepted(reply);
        } else if (v.refused) {
            v.refused(reply);
        }
    } catch (const VbError& e) {
        // The service has answered; a local step after it failed (a page that cannot be written).
        ReportServiceError(e);
    }
    return ok ? PublishOutcome::Accepted : PublishOutcome::Refused;
}

// ---- the template apply

PublishOutcome ApplyTemplateToSite(const TemplateChooserWindowView& view) {
    QStringList saved;
    auto restore = [&saved] {
        for (int r = 0; r < SiteSettingsTable::Rows; ++r) SiteSettings(PublishColumn, r) = saved.at(r);
    };
    PublishVariant v;
    v.writeChanges = [&saved] {
        saved = SiteSettings.column(PublishColumn);
        SiteSettings.copyColumn(TemplateColumn, PublishColumn);
    };
    v.showWait = view.showWait;
    v.hideWait = view.hideWait;
    v.accepted = [&view](const QString&) {
        for (int r = 0; r < SiteSettingsTable::Rows; ++r) {
            SiteSettings(PublishedColumn, r) = SiteSettings(PublishColumn, r);
            SiteSettings(LocalColumn, r) = SiteSettings(PublishColumn, r);
        }
        // Every page file again, in the order and from the columns the login writes them (the
        // LocalColumn now equals the PublishColumn).
        WriteLoginPages();
        CALL_REQUIRED_HOOK(view.refreshMainWindow);
        MsgBox(QStringLiteral("模板成功应用到网站！"), vbInformation, kTitle);
        CALL_REQUIRED_HOOK(view.close);
    };
    v.refused = [&restore](const QString&) {
        restore();
        MsgBox(QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
    };
    // Without a reply the template would stay in the PublishColumn and go out with the next
    // unrelated publish; the member did not see it applied, so it is taken back as after a refusal.
    v.failed = restore;
    v.unconfirmed = [&view] {
        // What the service may show already is what the member sees; only the PublishedColumn
        // keeps the old site, so the next publish sends the template again.
        SiteSettings.copyColumn(PublishColumn, LocalColumn);
        try {
            WriteLoginPages();
        } catch (const VbError& e) {
            ReportServiceError(e);
        }
        CALL_REQUIRED_HOOK(view.refreshMainWindow);
    };
    return PublishSiteSettings(v);
}

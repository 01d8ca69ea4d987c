// A login reply of any text as the service (or anything posing as it) may send it, through what the
// login does with it: the tag, the table text, the member record's checks, the notices, the fee
// line and the expiry reminder, the site settings and every page the login writes from them.
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "login/loginflow.h"
#include "login/memberpages.h"
#include "mainwindow/spacenotices.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/statereset.h"
#include "platform/vberror.h"
#include "site/site_api.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>

namespace {

void Consume(const QString& reply) {
    ResetAllState();
    CurrentUserName = QStringLiteral("fuzzer");
    UserFolder = paths::InRoot(QStringLiteral("UserData/fuzzer"));
    QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    (void)ClassifyLoginReply(reply);
    const QString text = LoginReplyText(reply);
    LoginInfo = ExtractTable(text, QStringLiteral("LoginBackInfo"));
    SysNotices = ExtractTable(text, QStringLiteral("SysInfo"));
    try {
        (void)LoginInfo(0, 16);  // the edition check reads past a short record with an error
    } catch (const VbError&) {
    }
    UserServerPrefix = LoginInfo.value(0, 6);
    (void)IsServerPrefix(UserServerPrefix);
    SysNoticeHandlers quiet;
    quiet.showPage = [](const QString&) {};
    quiet.message = [](const QString&) {};
    try {
        (void)ProcessSysNotices(SysNotices, LoginInfo.value(0, 14), CurrentUserName, UserServerPrefix, quiet);
    } catch (const VbError&) {
    }
    (void)SpaceQuotaText(LoginInfo.value(0, 17));
    (void)UsedSpaceText(LoginInfo.value(0, 18));
    (void)SpaceEndDateText(LoginInfo.value(0, 20));
    (void)RealNamePageAddress();
    (void)MemberInfoPageAddress();
    (void)BuySpacePageAddress();
    (void)BuildFeeLine(ExtractTable(text, QStringLiteral("SpacePric")), LoginInfo.value(0, 17), LoginInfo.value(0, 20),
                       LoginInfo.value(0, 3));
    (void)CheckSpaceExpiry(CurrentUserName, LoginInfo.value(0, 20), LoginInfo.value(0, 3), QStringLiteral("www"));
    try {
        LoadSiteSettings(ExtractTable(text, QStringLiteral("SiteInfo")).row(0));
        WriteLoginPages();
    } catch (const VbError&) {
        // The login reports what the generators raise.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where there is such a folder: every page is a synced safe write, and syncs on a
    // disk would make this target a thousand times slower.
    static QTemporaryDir root(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/fuzz_loginreply-XXXXXX")
                                                                        : QDir::tempPath() + QStringLiteral("/fuzz_loginreply-XXXXXX"));
    static const bool ready = [] {
        paths::SetDataRoot(root.path());
        serviceconfig::reload();
        return root.isValid();
    }();
    if (!ready) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The reply's text arrives decoded from the envelope; a service of the old code page too.
    Consume(QString::fromUtf8(bytes));
    Consume(AnsiCodec::decode(bytes));
    return 0;
}

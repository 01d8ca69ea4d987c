#include "login/loginflow.h"

#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

namespace {
QString checked(const Table& t, int row, int col) {
    if (row < 0 || col < 0 || row >= t.rows() || col >= t.cols())
        throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return t(row, col);
}

int toNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok) throw VbError(13, QStringLiteral("Type mismatch"));
    return n;
}

QString advertisingBase() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising);
}
}  // namespace

QString LoginEditionRefusal(const QString& typedName) {
    return QStringLiteral("抱歉！“") + typedName + QStringLiteral("”不是 Tavolin Pellion的注册用户，\r\r") +
           QStringLiteral("请您使用TavolinPellion的注册用户名登录和使用本软件。");
}

QString LoginFailureMessage(const VbError& e) {
    return QStringLiteral("错误:") + QString::number(e.number()) + e.description() +
           QStringLiteral("\r\r遇到错误，请您稍后再试...");
}

bool IsSmallScreen(const QSize& screenPixels) {
    return screenPixels.width() * 15 <= 15360 || screenPixels.height() * 15 <= 11520;
}

LoginInputProblem CheckLoginInput(const QString& name, const QString& password) {
    const QString n = vb::Trim(name);
    if (n.size() > 20) return LoginInputProblem::NameTooLong;
    if (n.isEmpty()) return LoginInputProblem::NameEmpty;
    if (vb::Trim(password).isEmpty()) return LoginInputProblem::PasswordEmpty;
    // The name becomes the member's folder name.
    if (!paths::IsSafeComponent(n.toLower())) return LoginInputProblem::NameUnsafe;
    return LoginInputProblem::None;
}

LoginReplyKind ClassifyLoginReply(const QString& reply) {
    if (reply.contains(kLoginOk)) return LoginReplyKind::Ok;
    if (reply.contains(kLoginFalse)) return LoginReplyKind::WrongPassword;
    if (reply.contains(kLoginDbFalse)) return LoginReplyKind::DatabaseDown;
    if (reply.contains(kLoginDataError)) return LoginReplyKind::BadInput;
    return LoginReplyKind::Unknown;
}

QString LoginReplyText(const QString& reply) {
    QString text = reply;
    text.remove(kLoginOk);
    return UnescapeTableSeparators(text);
}

bool ProcessSysNotices(const Table& notices, const QString& realNameDone, const QString& member,
                       const QString& prefix, const SysNoticeHandlers& handlers) {
    const QString on = QStringLiteral("1");
    if (checked(notices, 0, 1) == on) handlers.showPage(checked(notices, 0, 2));
    if (checked(notices, 1, 1) == on) {
        handlers.message(checked(notices, 1, 2));
        return false;
    }
    if (checked(notices, 2, 1) == on) handlers.message(checked(notices, 2, 2));
    if (checked(notices, 3, 1) == on)
        handlers.showPage(checked(notices, 3, 2) + QStringLiteral("?k1=") + EncodeQueryValue(member) +
                          QStringLiteral("&k2=") + EncodeQueryValue(prefix));
    if (checked(notices, 4, 1) == on && realNameDone != on) handlers.message(checked(notices, 4, 2));
    return true;
}

AdPick PickLoginAd(const QString& stored, const std::function<int()>& draw1to5) {
    QString s = stored;
    if (s == QLatin1String("0")) s = QString::number(draw1to5());
    if (s.isEmpty()) s = QStringLiteral("-1");
    const int n = toNumber(s);
    const QString page = n < 0 ? QStringLiteral("0") : s;
    return {page, QString::number(n + 1 > 5 ? 1 : n + 1)};
}

QString LoginAdUrl(const QString& page, const QDate& today) {
    return advertisingBase() + QStringLiteral("/pwtd/") + WeeklyFolderName(today) + QStringLiteral("/loginad_") + page +
           QStringLiteral(".html?k1=") + EncodeQueryValue(ClientVersion);
}

AdPick PickWaitingAd(const QString& stored, const std::function<int()>& draw1to5) {
    const int n = (stored.isEmpty() || stored == QLatin1String("0")) ? draw1to5() : toNumber(stored);
    return {QString::number(n), QString::number(n + 1 > 5 ? 1 : n + 1)};
}

QString WaitingAdUrl(const QString& page, const QDate& today, const QString& member, const QString& prefix) {
    return advertisingBase() + QStringLiteral("/ad/kr/") + WeeklyFolderName(today) + QStringLiteral("/loginad_") + page +
           QStringLiteral(".html?k1=v1.0&k2=") + EncodeQueryValue(member) + QStringLiteral("&k3=") +
           EncodeQueryValue(prefix);
}

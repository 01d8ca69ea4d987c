#include "login/memberpages.h"

#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/vbdate.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

QString SpaceQuotaText(const QString& kilobytes) {
    if (!vb::IsNumeric(kilobytes)) return QStringLiteral("0M");
    // The quota is made a whole number of kilobytes first; a whole number over 1024 has at most
    // ten decimals, so the fixed form below is exact before its trailing zeros go.
    const double megabytes = static_cast<double>(vb::RoundHalfEven(vb::Val(kilobytes))) / 1024.0;
    QString text = QString::number(megabytes, 'f', 10);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text + QLatin1Char('M');
}

QString UsedSpaceText(const QString& kilobytes) {
    const double megabytes = vb::IsNumeric(kilobytes) ? vb::Val(kilobytes) / 1024.0 : 0.0;
    return vb::FormatFixed(megabytes, 4) + QLatin1Char('M');
}

QString SpaceEndDateText(const QString& date) {
    const std::optional<QDate> d = vb::DateFromText(date);
    return d ? vb::FormatYMD(*d) : QString();
}

QString RealNamePageAddress() {
    return SysNotices.value(5, 2) + MemberPageQuery();
}

QString MemberInfoPageAddress() {
    // The host is lower-cased before "www" becomes "frm", as for every other host of the member.
    return QStringLiteral("http://") + MemberFrameHost() + QStringLiteral("/loginmyvym.aspx") + MemberPageQuery();
}

QString MemberSiteAddress() {
    return QStringLiteral("http://www.") + LoginField(12) + QLatin1Char('.') + serviceconfig::current().domain;
}

QString BuySpacePageAddress() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Account) +
           QStringLiteral("/buyspace.aspx") + MemberPageQuery();
}

QString RecoveryPageAddress() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Recovery) +
           QStringLiteral("/usersys/getbackpassword.aspx");
}

QString MemberFrameHost() {
    QString label = LoginField(6).toLower();
    label.replace(QStringLiteral("www"), QStringLiteral("frm"));
    return label + QLatin1Char('.') + serviceconfig::current().domain;
}

QString ServicePageMemberKey() {
    const QString key = LoginField(11);
    return key.isEmpty() ? CurrentUserName : key;
}

QString ServicePageSiteKey() {
    const QString key = LoginField(15);
    return key.isEmpty() ? QStringLiteral("0") : key;
}

QString MemberPageQuery() {
    return QStringLiteral("?k1=") + EncodeQueryValue(LoginField(11)) + QStringLiteral("&k2=") +
           EncodeQueryValue(LoginField(6));
}

QString AdvertisementPageQuery() { return MemberPageQuery() + QStringLiteral("&k3=") + EncodeQueryValue(ClientVersion); }

#pragma once
// The member's account pages on the service and the figures of the hosted space, as the account
// windows show them; the member's frame host and the query keys that every service page of the
// member carries.
#include <QString>

// LoginInfo field 17 (kilobytes) as a whole number of kilobytes in megabytes with no trailing
// zeros and "M": "2048" reads "2M", "1536" "1.5M"; a field that is no number reads "0M".
QString SpaceQuotaText(const QString& kilobytes);

// LoginInfo field 18 (kilobytes) in megabytes with four decimals and "M": "1536" reads
// "1.5000M"; a field that is no number reads "0.0000M".
QString UsedSpaceText(const QString& kilobytes);

// LoginInfo field 20 as "yyyy-m-d"; "0" (no hosted space) or a text that is no date reads "".
QString SpaceEndDateText(const QString& date);

// The real-name page: SysNotices row 5 field 2 with k1 = LoginInfo field 11 and k2 = field 6
// (MemberPageQuery).
QString RealNamePageAddress();

// The member-information page loginmyvym.aspx on the member's frame host, k1 and k2 as above.
QString MemberInfoPageAddress();

// "http://www.<registered domain label>.<service domain>", no path.
QString MemberSiteAddress();

// The buy-space page on the account host with k1 = LoginInfo field 11 and k2 = field 6.
QString BuySpacePageAddress();

// "/usersys/getbackpassword.aspx" on the service's password-recovery host, no query keys.
QString RecoveryPageAddress();

// ---- the frame host and the query keys of the service pages
// The member's frame host for the service's widget and information pages: LoginInfo field 6
// lower-cased with every "www" replaced by "frm", then "." and the service domain.
QString MemberFrameHost();
// Query key k1 of the service pages: LoginInfo field 11, or CurrentUserName when it is empty.
QString ServicePageMemberKey();
// Query key k4: LoginInfo field 15 (the site protection key), or "0" when it is empty.
QString ServicePageSiteKey();
// "?k1=" LoginInfo field 11 "&k2=" field 6, both encoded for the query (EncodeQueryValue): the
// keys of the member's account, management and weekly pages.
QString MemberPageQuery();
// MemberPageQuery followed by "&k3=" and the client's version, encoded the same way: the keys of
// the weekly advertisement pages.
QString AdvertisementPageQuery();

#pragma once
// The member's account pages on the service and the figures of the hosted space, as the account
// windows show them.
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

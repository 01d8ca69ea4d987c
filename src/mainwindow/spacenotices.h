#pragma once
// How the member's hosted space stands: the fee line of the main window's tools bar with its
// picture (free member or paying member), and the reminder of the first timer tick when the
// space expires soon, has expired or does not exist.
#include "foundation/table.h"

#include <QString>

struct FeeLine {
    QString text;         // labSpaceInfo
    bool showMF = false;  // imgMF: the free-service terms
    bool showXF = false;  // imgXF: buy more time
};

// The fee line from the table SpacePric as ReadTableFile gives it (rows of field 0 a space in
// megabytes, field 1 its yearly fee; the free offer's row has fee "0" and its days in field 0),
// the hosted space in kilobytes (LoginInfo field 17), the space's end date (field 20, "0" for
// none) and the service's date (field 3). A missing file or table (the "null" table) gives the
// empty line and no picture. A quota that is no number counts by its leading number (0 for
// none); an end date that cannot be read is shown as it stands.
FeeLine BuildFeeLine(const Table& spacePrices, const QString& quotaKb, const QString& endDate,
                     const QString& serverDate);
// The same for the logged-in member: SpacePric of UserFolder's u1.dat and LoginInfo.
FeeLine MemberFeeLine();

enum class ExpiryNoticeKind {
    None,            // more than ten days left
    WillExpire,      // 0 to 10 days left
    HasExpired,      // expired 1 to 20 days ago
    NoSpace,         // no space, or expired more than 20 days ago
    UnreadableDate,  // the end or service date is no date: the program ends after the message
};

struct ExpiryNotice {
    ExpiryNoticeKind kind = ExpiryNoticeKind::None;
    QString text;   // lines separated by "\r"
    QString title;
};

// The first tick's test of the end date (LoginInfo field 20, "0" for none) against the service's
// date (field 3), both read as calendar dates ("yyyy-M-d" or "yyyy/M/d", optionally with a time).
// mainHost is the service's main web host name the texts point to.
ExpiryNotice CheckSpaceExpiry(const QString& member, const QString& endDate, const QString& serverDate,
                              const QString& mainHost);

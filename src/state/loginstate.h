#pragma once
// The logged-in member's state, set by the start-up and the login and read by every window.
#include "foundation/cipher.h"
#include "foundation/table.h"
#include "platform/statereset.h"

#include <QString>

inline bool SmallScreen;
inline QString CurrentUserName;      // the member name, trimmed and lower-cased
inline QString UserServerPrefix;     // LoginInfo field 6 once the record passed its checks
inline QString UserFolder;           // <data root>/UserData/<member>, no trailing "/"
inline Table LoginInfo;              // table LoginBackInfo of the login reply; row 0 is used
inline Table SysNotices;             // table SysInfo of the login reply
inline QString ClientVersion;
inline QString DataFileKey;
inline QString PageUrl;              // the address a web window or the browser is to show

// Field n of LoginInfo's row 0; the empty text beyond the end of a short row.
inline QString LoginField(int n) { return LoginInfo.value(0, n); }
// Replaces field n of row 0 in memory (the windows that change the record do this).
inline void SetLoginField(int n, const QString& v) { LoginInfo.set(0, n, v); }

// The initial values: the state before any login.
inline void ResetMemberState() {
    SmallScreen = false;
    CurrentUserName.clear();
    UserServerPrefix.clear();
    UserFolder.clear();
    LoginInfo = Table();
    SysNotices = Table();
    ClientVersion = QStringLiteral("2.0");
    DataFileKey = QString::fromLatin1(kDataFileKeyText);
    PageUrl.clear();
}
inline const bool memberStateRegistered = RegisterStateReset(&ResetMemberState);

#include "login/logintoken.h"

#include "foundation/md5.h"
#include "platform/vbtext.h"

QString LoginToken(const QString& password) { return LoginTokenFromDigest(Md5Hex(password)); }

QString LoginTokenFromDigest(const QString& digest) {
    const QString L = digest.left(16);
    const QString R = digest.right(16);
    const QString b = Md5Hex(vb::Mid(L, 2, 3) + vb::Mid(R, 15, 1));
    return b.left(3) + R + L + b.right(2);
}

#include "login/logintoken.h"

#include "foundation/md5.h"
#include "platform/vbtext.h"

QString LoginToken(const QString& password) {
    const QString a = Md5Hex(password);
    const QString L = a.left(16);
    const QString R = a.right(16);
    const QString b = Md5Hex(vb::Mid(L, 2, 3) + vb::Mid(R, 15, 1));
    return b.left(3) + R + L + b.right(2);
}

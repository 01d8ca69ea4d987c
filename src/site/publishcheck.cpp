#include "site/publishcheck.h"

#include "foundation/md5.h"
#include "platform/vbtext.h"

QString PublishCheckCode(const QString& escapedPage) {
    const QString digits = QString::number(vb::Trim(escapedPage).size());
    return vb::Mid(Md5Hex(digits), 8, 12);
}

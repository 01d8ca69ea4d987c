#include "login/registercheck.h"

#include "foundation/md5.h"
#include "platform/vbtext.h"

QString RegisterCheckCode(const QStringList& firstSixteen, const QString& memberName) {
    QString joined = firstSixteen.join(QLatin1Char(' '));
    joined.replace(QLatin1Char(' '), QStringLiteral("zuq"));
    return vb::Mid(Md5Hex(joined + vb::Trim(memberName).toUpper()), 8, 19);
}

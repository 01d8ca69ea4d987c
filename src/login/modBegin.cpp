#include "login/modBegin.h"

QString FirstLoginState(const QString& setting, const QString& serialText) {
    if (setting.isEmpty()) return QStringLiteral("0");
    const QString mark = QLatin1Char('{') + serialText + QLatin1Char('}');
    if (!setting.contains(mark)) return QStringLiteral("0");
    QString state = setting;
    state.remove(mark);
    return state;
}

bool StartsWithSplash(const QString& setting, const QString& serialText) {
    return FirstLoginState(setting, serialText) != QLatin1String("1");
}

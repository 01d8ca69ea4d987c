#include "login/modBegin.h"

#include <QDir>

#include <cerrno>

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

QString LockFileFailureMessage(const QString& path, int error) {
    const QString shown = QDir::toNativeSeparators(path);
    if (error == EISDIR)
        return QStringLiteral("☆Tavolin☆软件无法启动：“%1”应是软件的锁文件，现在却是一个文件夹。\r\r"
                              "请您移走或删除这个文件夹后再启动本软件。")
            .arg(shown);
    if (error == EACCES || error == EPERM || error == EROFS)
        return QStringLiteral("☆Tavolin☆软件无法启动：没有权限写入软件的锁文件“%1”。\r\r"
                              "请您检查这个文件及其所在文件夹的权限后再启动本软件。")
            .arg(shown);
    return QStringLiteral("☆Tavolin☆软件无法启动：无法打开软件的锁文件“%1”（错误 %2）。\r\r"
                          "请您检查数据文件夹后再启动本软件。")
        .arg(shown)
        .arg(error);
}

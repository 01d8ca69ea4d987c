#pragma once
// The rules of the program's start: the one-copy message, and whether the connect splash comes
// first. The start itself, which opens windows, is Main() in login/ui/programstart.h.
#include <QString>

inline const QString kAlreadyRunningMessage =
    QStringLiteral("☆Tavolin☆软件已经运行了！\r\r注：若此时您无法找到软件运行的界面，请您销注或重新启动电脑后再试。");

// The message when the program's lock file cannot be opened at all (error: its errno), so that
// the member is not told a copy is running when none is: a folder in its place, no permission.
QString LockFileFailureMessage(const QString& path, int error);

// Global setting 0 read against this machine's serial: the value with every "{serial}" removed
// when it holds one, else "0".
QString FirstLoginState(const QString& setting, const QString& serialText);
// The splash comes first unless a member has logged in successfully on this machine.
bool StartsWithSplash(const QString& setting, const QString& serialText);

#pragma once
// The program's start: one running copy, the module constants, then the connect splash on a
// machine where nobody has logged in yet, else the login window.
#include <QString>

inline const QString kAlreadyRunningMessage =
    QStringLiteral("☆Tavolin☆软件已经运行了！\r\r注：若此时您无法找到软件运行的界面，请您销注或重新启动电脑后再试。");

// Global setting 0 read against this machine's serial: the value with every "{serial}" removed
// when it holds one, else "0".
QString FirstLoginState(const QString& setting, const QString& serialText);
// The splash comes first unless a member has logged in successfully on this machine.
bool StartsWithSplash(const QString& setting, const QString& serialText);

// The start-up procedure. Refuses a second copy (message, then false: the program ends); shows
// the login window modelessly, or the splash modally, which opens the login window when it closes
// itself. False also when the splash was closed before it opened the login window.
bool Main();
// Gives up this process's single-instance lock (tests).
void ReleaseInstanceLock();

#pragma once
// The program's start: one running copy, the module constants, then the connect splash on a
// machine where nobody has logged in yet, else the login window.

// Refuses a second copy (message, then false: the program ends); shows the login window
// modelessly, or the splash modally, which opens the login window when it closes itself. False
// also when the splash was closed before it opened the login window.
bool Main();
// Gives up this process's single-instance lock (tests).
void ReleaseInstanceLock();

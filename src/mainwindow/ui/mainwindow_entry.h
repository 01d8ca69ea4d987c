#pragma once
// How other windows open the main window frm个人网站 (the shape platform/hookcheck.h names). What
// they do with it once it is open goes through mainwindowseam.h.

// Loads the main window after a successful login and shows it modelessly; its load unloads the
// login window.
void ShowMainWindowAfterLogin();

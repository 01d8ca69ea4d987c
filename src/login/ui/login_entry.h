#pragma once
// How other windows open the login subsystem's windows (the shape platform/hookcheck.h names).
// Each web window is shown modally and returns when it is closed.
class QWidget;

// frmIE, the web page on PageUrl.
void OpenWebPageWindow(QWidget* parent);
// frmWebFrame, the framed web page on PageUrl.
void OpenWebFrameWindow(QWidget* parent);
// frmIE2, the member's published site.
void OpenMySiteWindow(QWidget* parent);
// frmBuySpace, the service's buy-space page.
void OpenBuySpaceWindow(QWidget* parent);
// frmSetUserInfo, the member information.
void OpenMemberInfoWindow(QWidget* parent);
// Closes the login window frmLogin, when it is open (the main window's load does).
void CloseLoginWindow();

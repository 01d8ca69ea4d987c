#include "login/ui/login_entry.h"

#include "login/ui/loginwindow.h"
#include "login/ui/memberinfowindow.h"
#include "login/ui/webwindows.h"

namespace {
template <class Window>
void ShowModal(QWidget* parent) {
    Window w(parent);
    w.exec();
}
}  // namespace

void OpenWebPageWindow(QWidget* parent) { ShowModal<frmIE>(parent); }
void OpenWebFrameWindow(QWidget* parent) { ShowModal<frmWebFrame>(parent); }
void OpenMySiteWindow(QWidget* parent) { ShowModal<frmIE2>(parent); }
void OpenBuySpaceWindow(QWidget* parent) { ShowModal<frmBuySpace>(parent); }
void OpenMemberInfoWindow(QWidget* parent) { ShowModal<frmSetUserInfo>(parent); }
void CloseLoginWindow() { frmLogin::unload(); }

#include "app/startup.h"

#include "foundation/hooks.h"
#include "login/ui/loginwindow.h"
#include "login/ui/networkerrorwindow.h"
#include "login/ui/registrationwindow.h"
#include "login/modBegin.h"
#include "login/ui/programstart.h"
#include "platform/browserenvironment.h"
#include "platform/serviceconfig.h"
#include "platform/ui/flashplayer.h"
#include "platform/ui/windowsplatform.h"
#include "tutorial/ui/tutorial_entry.h"

#include <QApplication>
#include <QNetworkProxy>

void PrepareProcessEnvironment(int argc, const char* const* argv) {
    PrepareBrowserEnvironment();
    RegisterFlashPlayerScheme();
    if (!VerboseRunWanted(argc, argv)) QuietBrowserEngine();
}

void UseServiceProxy() {
    // Set before the first web view exists: a view created earlier keeps going direct.
    if (const auto proxy = serviceconfig::current().httpProxy()) QNetworkProxy::setApplicationProxy(*proxy);
}

int RunProgram(QApplication& app) {
    // Windows that lower subsystems open through hooks.
    hooks::showNetError = ShowNetErrorWindow;
    frmLogin::showRegisterWindow = ShowRegisterWindow;
    InstallTutorialPlayers();
    UseServiceProxy();
    if (!Main()) return 0;
    const int result = app.exec();
    DeleteAllWindows();
    return result;
}

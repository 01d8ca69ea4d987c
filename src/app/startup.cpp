#include "app/startup.h"

#include "foundation/hooks.h"
#include "login/frmLogin.h"
#include "login/frmNetError.h"
#include "login/frmRegister.h"
#include "login/modBegin.h"
#include "platform/serviceconfig.h"

#include <QApplication>
#include <QByteArray>
#include <QNetworkProxy>

#include <unistd.h>

void PrepareProcessEnvironment() {
    // The browser's renderer processes are bounded: 37 views share a few renderers.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit")) flags += " --renderer-process-limit=4";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    // Chromium's sandbox refuses to run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void UseServiceProxy() {
    // Set before the first web view exists: a view created earlier keeps going direct.
    if (const auto proxy = serviceconfig::current().httpProxy()) QNetworkProxy::setApplicationProxy(*proxy);
}

int RunProgram(QApplication& app) {
    // Windows that lower subsystems open through hooks.
    hooks::showNetError = ShowNetErrorWindow;
    frmLogin::showRegisterWindow = ShowRegisterWindow;
    UseServiceProxy();
    if (!Main()) return 0;
    return app.exec();
}

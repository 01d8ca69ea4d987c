#include <QApplication>

#include "app/startup.h"
#include "platform/ui/windowsplatform.h"

int main(int argc, char* argv[]) {
    PrepareProcessEnvironment(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavolin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavolin"));  // data/tavolin.desktop
    InstallWindowsPlatform();
    // No application display name: X11 would append it to every window title.
    return RunProgram(app);
}

#include <QApplication>

#include "app/startup.h"

int main(int argc, char* argv[]) {
    PrepareProcessEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavolin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavolin"));
    return RunProgram(app);
}

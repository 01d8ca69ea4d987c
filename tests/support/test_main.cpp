// One main for every test program: an offscreen QApplication exists for the tests that need one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/browserenvironment.h"
#include "platform/ui/flashplayer.h"
#include "platform/ui/windowsplatform.h"
#include "support/fixtures.h"
#include "tutorial/ui/tutorial_entry.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --disable-gpu");
    PrepareWindowsEnvironment();
    RegisterFlashPlayerScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    InstallWindowsPlatform();
    InstallTutorialPlayers();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new testsupport::ProcessEnvironment);
    const int result = RUN_ALL_TESTS();
    DeleteAllWindows();
    return result;
}

// What the whole-program tests share: the build folder, a condition waited for, and a child process
// stopped when the test ends.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QThread>

#include <functional>

namespace e2e {

inline QString buildDir() { return qEnvironmentVariable("TAVOLIN_BUILD_DIR", QStringLiteral(".")); }

// Polls done until it holds or ms pass; events are handled between polls, so servers of the test
// itself go on answering.
inline bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return true;
}

struct Child {
    QProcess p;
    ~Child() {
        if (p.state() == QProcess::NotRunning) return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(2000);
        }
    }
};

}  // namespace e2e

#include "platform/eventwait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int sliceMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(sliceMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

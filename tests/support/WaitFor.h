#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace lmr::test {

// Processes events until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        usleep(1000);
    }
    return true;
}

}  // namespace lmr::test

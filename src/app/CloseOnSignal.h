#pragma once

#include <signal.h>

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "link/Unitcomport.h"

class QWidget;

namespace lmr {

// While it lives, SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in the terminal that
// started the program) close the main window as its close button does, so the program ends
// the way it always does: a running exchange stopped, the search joined, exit code 0. The
// handler itself also cuts a running exchange short at once, since the window's thread may be
// waiting on the meter. One at a time per process; the earlier handlers come back after it.
// Holds SIGTERM, SIGINT and SIGHUP back on this thread and on every thread started after it,
// until a CloseOnSignal takes them: one sent during start-up then closes the window once it is
// shown, instead of ending the program on the spot.
void HoldCloseSignals();

class CloseOnSignal {
public:
    CloseOnSignal(QWidget& window, Link& link);
    ~CloseOnSignal();
    CloseOnSignal(const CloseOnSignal&) = delete;
    CloseOnSignal& operator=(const CloseOnSignal&) = delete;

private:
    int pipe_[2] = {-1, -1};
    sigset_t previousMask_{};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace lmr

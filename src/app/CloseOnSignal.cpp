#include "app/CloseOnSignal.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <QWidget>
#include <atomic>
#include <csignal>

namespace lmr {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> g_wakeFd{-1};
std::atomic<Link*> g_link{nullptr};
struct sigaction g_previous[sizeof kSignals / sizeof kSignals[0]];

// Only what is safe in a signal handler: an atomic store and a write.
extern "C" void OnCloseSignal(int) {
    if (Link* link = g_link.load()) link->RequestCancel(CancelWhen::NextByte);
    const int fd = g_wakeFd.load();
    const char byte = 1;
    if (fd >= 0) (void)!::write(fd, &byte, 1);
}

sigset_t CloseSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals) sigaddset(&set, s);
    return set;
}

}  // namespace

void HoldCloseSignals() {
    const sigset_t set = CloseSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

CloseOnSignal::CloseOnSignal(QWidget& window, Link& link) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &window, [this, &window] {
        char buf[16];
        while (::read(pipe_[0], buf, sizeof buf) > 0) {
        }
        window.close();
    });
    g_link.store(&link);
    g_wakeFd.store(pipe_[1]);
    struct sigaction sa {};
    sa.sa_handler = OnCloseSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
        sigaction(kSignals[i], &sa, &g_previous[i]);
    }
    // A signal held back since start-up arrives now.
    const sigset_t set = CloseSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, &previousMask_);
}

CloseOnSignal::~CloseOnSignal() {
    if (pipe_[0] < 0) return;
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
        sigaction(kSignals[i], &g_previous[i], nullptr);
    }
    g_wakeFd.store(-1);
    g_link.store(nullptr);
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

}  // namespace lmr

#include "link/RCPThread.h"

#include <chrono>
#include <optional>
#include <utility>

#include "link/PortHolders.h"

namespace lmr {
namespace {

constexpr int kComPorts = 8;
// A pass that found no port to open at all takes no time; this keeps it from spinning.
constexpr auto kEmptyPassPause = std::chrono::milliseconds(200);

}  // namespace

std::string NoAccessText(int portNumber, const std::string& path) {
    return "Нет доступа к порту COM" + std::to_string(portNumber) + " (" + path +
           "): добавьте пользователя в группу dialout";
}

std::string PortHeldText(int portNumber, const std::string& path, const std::string& program,
                         int pid) {
    return "Порт COM" + std::to_string(portNumber) + " (" + path + ") занят программой " + program +
           " (PID " + std::to_string(pid) + "), поиск его пропускает";
}

std::string PortLockedText(int portNumber, const std::string& path) {
    return "Порт COM" + std::to_string(portNumber) + " (" + path + ") занят другой программой";
}

SearchThread::SearchThread(Link& link, StatusSink status)
    : link_(link), status_(std::move(status)) {}

SearchThread::~SearchThread() {
    Stop();
}

void SearchThread::Resume() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (started_ || stopping_) return;
    started_ = true;
    thread_ = std::thread([this] { Run(); });
}

void SearchThread::Suspend() {
    std::unique_lock<std::mutex> lock(mutex_);
    suspended_ = true;
    if (idle_) return;
    // Cut a running probe short; the port is closed before the thread reports idle.
    link_.RequestCancel();
    wake_.notify_all();
    wake_.wait(lock, [this] { return idle_; });
    link_.ClearCancel();
}

void SearchThread::SearchAgain() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) return;
        portFound_.store(false);
        suspended_ = false;
        firstPort_ = portNumber_.load() % kComPorts + 1;
    }
    wake_.notify_all();
}

void SearchThread::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        suspended_ = true;
        if (!thread_.joinable()) return;
        if (!idle_) link_.RequestCancel();
    }
    wake_.notify_all();
    thread_.join();
    link_.ClearCancel();
}

std::string SearchThread::PortText() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return portText_;
}

void SearchThread::Status(const std::string& text) {
    if (status_) status_(text);
}

void SearchThread::Run() {
    for (;;) {
        {
            // A found port stays with the identification: idle until it asks for a new search
            // or the program ends.
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || (!suspended_ && !portFound_.load()); });
            if (stopping_) return;
        }
        link_.Ports().Refresh();
        (void)SearchPass();
    }
}

bool SearchThread::SearchPass() {
    bool openedAny = false;
    std::string portNote;  // why a port was passed over; kept for the rest of the pass to be read
    int first = 1;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        first = std::exchange(firstPort_, 1);
    }
    for (int n = first; n <= kComPorts; ++n) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (suspended_ || stopping_) return false;
            idle_ = false;
        }
        portNumber_.store(n);
        bool answered = false;
        {
            const std::optional<std::string> path = link_.Ports().PathOf(n);
            const std::optional<PortHolder> holder =
                path ? FindPortHolder(*path) : std::optional<PortHolder>();
            LinkGuard guard(link_);
            if (holder) {
                portNote = PortHeldText(n, *path, holder->program, holder->pid);
            } else if (guard.Acquired()) {
                link_.SetExchangeName("probe");
                link_.OpenPort(static_cast<char>('0' + n));
                if (link_.LastOpenStatus() == LinkStatus::NoAccess) {
                    portNote = NoAccessText(n, link_.OpenPath());
                } else if (link_.LastOpenStatus() == LinkStatus::Busy) {
                    portNote = PortLockedText(n, link_.OpenPath());
                }
                openedAny = openedAny || link_.IsOpen();
                // Fresh attempts for every port; any byte counts as an answer.
                answered = link_.ProbeInstrument();
                link_.ClosePort();
                link_.SetExchangeName({});
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            idle_ = true;
            if (answered) portText_ = "COM" + std::to_string(n);
        }
        wake_.notify_all();
        if (answered) {
            Status(kSearchFoundText);
            portFound_.store(true);
            return true;
        }
        Status(portNote.empty() ? kSearchingText : portNote);
    }
    // The rest of a pass that went on after a port found may well be empty: no pause for it.
    if (!openedAny && first == 1) {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait_for(lock, kEmptyPassPause, [this] { return suspended_ || stopping_; });
    }
    return false;
}

}  // namespace lmr

#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "link/Unitcomport.h"

namespace lmr {

// Status texts of the search (UTF-8).
inline constexpr const char* kSearchFoundText = "Соединение прошло успешно";
inline constexpr const char* kSearchingText = "Поиск оборудования ...";
// "Нет доступа к порту COMn (/dev/…): добавьте пользователя в группу dialout"
[[nodiscard]] std::string NoAccessText(int portNumber, const std::string& path);
// "Порт COMn (/dev/…) занят программой minicom (PID 1234), поиск его пропускает"
[[nodiscard]] std::string PortHeldText(int portNumber, const std::string& path,
                                       const std::string& program, int pid);
// "Порт COMn (/dev/…) занят другой программой": it refused to open for that reason.
[[nodiscard]] std::string PortLockedText(int portNumber, const std::string& path);

// Searches COM1…COM8 for the meter, over and over, until one answers the probe; then idles.
// A port another program has open is not probed (the probe's bytes would reach that program,
// a modem or a terminal); it and a port locked by another program are named on the status.
// Created not running. Status texts go to the sink given at construction, called on the search
// thread (the window queues them to its own thread; the thread never touches a widget). The
// thread holds the link guard while it probes.
class SearchThread {
public:
    using StatusSink = std::function<void(const std::string&)>;

    SearchThread(Link& link, StatusSink status);
    // Stops and joins.
    ~SearchThread();
    SearchThread(const SearchThread&) = delete;
    SearchThread& operator=(const SearchThread&) = delete;

    // Starts the thread (once; later calls do nothing).
    void Resume();
    // Stops searching; returns once the thread no longer holds the port. The identification
    // calls it before it uses the port.
    void Suspend();
    // Searches again after the port found failed its identification (the meter was lost, or
    // the device only echoes the probe): clears PortFound and goes on from the next port, so a
    // device that answers any byte on an earlier port cannot hide the meter behind it. The
    // thread idles until then.
    void SearchAgain();
    // Stops and joins; returns within about 100 ms even while a probe runs.
    void Stop();
    // Started and not yet joined. Ask on the thread that calls Stop.
    [[nodiscard]] bool Running() const { return thread_.joinable(); }

    // Thread-safe. PortFound is set only after the answering port has been closed.
    [[nodiscard]] bool PortFound() const { return portFound_.load(); }
    // The port being tried, and after success the one that answered (0 before the first).
    [[nodiscard]] int PortNumber() const { return portNumber_.load(); }
    // "COM*" until a port answered, then "COMn".
    [[nodiscard]] std::string PortText() const;

private:
    void Run();
    bool SearchPass();  // true when a port answered
    void Status(const std::string& text);

    Link& link_;
    StatusSink status_;
    std::thread thread_;
    std::atomic<bool> portFound_{false};
    std::atomic<int> portNumber_{0};

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::string portText_ = "COM*";
    bool started_ = false;
    bool suspended_ = false;  // no more searching
    bool stopping_ = false;   // the thread is to end
    bool idle_ = true;        // the thread does not hold the link
    int firstPort_ = 1;       // where the next pass starts
};

}  // namespace lmr

#pragma once

#include <atomic>
#include <functional>

#include "link/Unitcomport.h"
#include "logger/LoggerRow.h"

namespace lmr {

enum class DownloadStatus {
    Done,       // the logger ran out (hour sequence broken) or address 30000 was read
    NoAnswer,   // no answer to the probe: nothing was read
    Busy,       // another exchange holds the link: nothing was sent
    Lost,       // the meter fell silent or went away mid-download; accepted records stay
    Cancelled,  // the program asked the download to stop (window closed)
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::NoAnswer;
    int accepted = 0;  // records handed to the record callback
};

// Both run on the thread that downloads (the window's runs a thread of its own for it).
struct DownloadCallbacks {
    // Each accepted record, in address order. A record half read when the link was lost, or
    // the one that broke the hour sequence, is never delivered.
    std::function<void(const LoggerRow&)> record;
    // After each accepted record, before the next request (a record takes about 40 ms on the
    // line, a full logger two minutes). May set the cancel flag.
    std::function<void(int accepted)> between;
};

// Reads the logger within one opening of the port: command 173 with addresses 10, 20, ...
// 30000, sixteen echoed bytes per record, until a record's hour does not follow the previous
// one. The cancel flag is looked at before every request; it may be set from the callbacks or
// from another thread.
[[nodiscard]] DownloadResult DownloadLogger(Link& link, int portNumber,
                                            const DownloadCallbacks& callbacks,
                                            const std::atomic<bool>& cancel);
// The same with the link taken beforehand, e.g. by the window before it starts the thread
// that downloads (Busy when the hold was not acquired).
[[nodiscard]] DownloadResult DownloadLogger(LinkGuard held, int portNumber,
                                            const DownloadCallbacks& callbacks,
                                            const std::atomic<bool>& cancel);

}  // namespace lmr

#pragma once

#include <optional>
#include <string>

namespace lmr {

// A process that has a serial device open.
struct PortHolder {
    int pid = 0;
    std::string program;  // its command name, e.g. "minicom"
};

// Another process that has the device at `path` open, found through /proc/<pid>/fd; none when
// no process can be seen holding it. This process does not count, and neither does a process
// that holds both ends of a pseudo-terminal: that is the device itself keeping its line up (a
// simulated meter). Processes of other users are hidden from a normal user: such a holder
// shows only as a port that refuses to open.
[[nodiscard]] std::optional<PortHolder> FindPortHolder(const std::string& path,
                                                       const std::string& procRoot = "/proc");

}  // namespace lmr

#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace lmr {

// The system speaks of COM1 to COM8; this maps COM n to the n-th serial device of the machine.
// Thread-safe: the search thread refreshes it while the window reads descriptions.
class PortTable {
public:
    struct Port {
        std::string path;         // e.g. "/dev/ttyUSB0"
        std::string description;  // USB product text for a tool tip, may be empty
        bool adapter = false;     // a USB or ACM adapter (listed first)
    };

    // The machine's ports: the paths of LMR_PORTS (colon-separated) when set, else the ports
    // libserialport lists (USB and ACM adapters first, then the rest, in name order).
    PortTable();
    // A fixed list for tests; Refresh() keeps it.
    explicit PortTable(std::vector<Port> ports);

    // Reads the machine's ports again, so an adapter plugged in later is found.
    void Refresh();

    // The device of COM n (n = 1…8); none when n is out of range or there is no n-th device.
    [[nodiscard]] std::optional<std::string> PathOf(int n) const;
    // The description of COM n, empty when unknown.
    [[nodiscard]] std::string Description(int n) const;
    [[nodiscard]] std::vector<Port> Ports() const;
    // How many more ports LMR_PORTS names than COM1…COM8 can reach (0 when it names no more
    // or is not set): the user who listed them learns that they are not searched.
    [[nodiscard]] int UnreachableListed() const;

    // The ordering used for enumerated ports (exposed for tests): adapters first, then by name
    // with numbers compared as numbers (ttyS2 before ttyS10).
    [[nodiscard]] static std::vector<Port> Ordered(std::vector<Port> ports);

private:
    bool fixed_;
    mutable std::mutex mutex_;
    std::vector<Port> ports_;
    int unreachableListed_ = 0;
};

}  // namespace lmr

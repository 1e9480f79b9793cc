#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/Exchange.h"
#include "link/Unitcomport.h"
#include "tools/sim/Simulator.h"

namespace lmr::test {

// A link whose COM ports are simulated meters, each on a pseudo-terminal of its own. The host's
// transcript is kept so a test can compare what went over the line.
class SimPorts {
public:
    // One meter per options entry: COM1, COM2, …
    explicit SimPorts(std::vector<sim::Options> meters);
    explicit SimPorts(sim::Options meter = {}) : SimPorts(std::vector<sim::Options>{meter}) {}

    sim::Simulator& Meter(int comPort = 1) { return *meters_.at(static_cast<size_t>(comPort - 1)); }
    Link& link() { return *link_; }
    PortTable& ports() { return *ports_; }

    // Host-side bytes since the last Clear, as "H55 I0 ...".
    [[nodiscard]] std::string HostBytes() const;
    [[nodiscard]] std::vector<TranscriptEntry> HostTranscript() const;
    void Clear();

private:
    std::vector<std::unique_ptr<sim::Simulator>> meters_;
    std::unique_ptr<PortTable> ports_;
    std::unique_ptr<Link> link_;
    struct Host {
        std::mutex mutex;
        std::vector<TranscriptEntry> entries;
    };
    std::shared_ptr<Host> host_;
};

// The meter's transcript once it holds `count` bytes (or after about 2 s): its thread may still
// be taking the last echo when the host is done.
[[nodiscard]] std::string MeterBytes(const sim::Simulator& meter, size_t count);

// A meter that never answers.
[[nodiscard]] sim::Options SilentMeter();

// Milliseconds since an arbitrary start (for bounds asserted with slack).
[[nodiscard]] double NowMs();

}  // namespace lmr::test

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>

#include "SimPort.h"

namespace lmr::test {

SimPorts::SimPorts(std::vector<sim::Options> meters) : host_(std::make_shared<Host>()) {
    std::vector<PortTable::Port> table;
    for (sim::Options& o : meters) {
        meters_.push_back(std::make_unique<sim::Simulator>(std::move(o)));
        std::string error;
        if (!meters_.back()->Start(&error)) ADD_FAILURE() << "simulator: " << error;
        table.push_back({meters_.back()->SlavePath(), "simulated meter", false});
    }
    ports_ = std::make_unique<PortTable>(std::move(table));
    link_ = std::make_unique<Link>(*ports_);
    auto host = host_;
    link_->SetTranscript([host](const TranscriptEntry& e) {
        std::lock_guard<std::mutex> lock(host->mutex);
        host->entries.push_back(e);
    });
}

std::string SimPorts::HostBytes() const {
    return TranscriptBytes(HostTranscript());
}

std::vector<TranscriptEntry> SimPorts::HostTranscript() const {
    std::lock_guard<std::mutex> lock(host_->mutex);
    return host_->entries;
}

void SimPorts::Clear() {
    // Let each meter take the last bytes the host sent before its transcript is dropped.
    for (auto& m : meters_) {
        size_t seen = m->Transcript().size();
        for (int i = 0; i < 50; ++i) {
            usleep(20000);
            const size_t now = m->Transcript().size();
            if (now == seen) break;
            seen = now;
        }
    }
    {
        std::lock_guard<std::mutex> lock(host_->mutex);
        host_->entries.clear();
    }
    for (auto& m : meters_) m->ClearTranscript();
}

std::string MeterBytes(const sim::Simulator& meter, size_t count) {
    for (int i = 0; i < 200 && meter.Transcript().size() < count; ++i) usleep(10000);
    return TranscriptBytes(meter.Transcript());
}

sim::Options SilentMeter() {
    sim::Options o;
    o.silent = true;
    return o;
}

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace lmr::test

#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/Unitcomport.h"
#include "tools/sim/Simulator.h"

namespace lmr::test {

// A simulated meter on a pseudo-terminal of its own as COM1 of a link of its own. Every byte the
// host's link sends or reads is kept (and handed to onByte, which may act "between two bytes").
class MeterBench {
public:
    explicit MeterBench(sim::Options options = {})
        : meter_(std::make_unique<sim::Simulator>(std::move(options))) {
        std::string error;
        if (!meter_->Start(&error)) ADD_FAILURE() << "simulator: " << error;
        ports_ = std::make_unique<PortTable>(
            std::vector<PortTable::Port>{{meter_->SlavePath(), "simulated meter", false}});
        link_ = std::make_unique<Link>(*ports_);
        link_->SetTranscript([this](const TranscriptEntry& e) {
            host_.push_back(e);
            if (onByte) onByte(e);
        });
    }

    sim::Simulator& meter() { return *meter_; }
    Link& link() { return *link_; }
    // The host's side as "H55 I0 H173 ...".
    [[nodiscard]] std::string HostBytes() const { return TranscriptBytes(host_); }
    [[nodiscard]] const std::vector<TranscriptEntry>& Host() const { return host_; }

    std::function<void(const TranscriptEntry&)> onByte;

private:
    std::unique_ptr<sim::Simulator> meter_;
    std::unique_ptr<PortTable> ports_;
    std::unique_ptr<Link> link_;
    std::vector<TranscriptEntry> host_;
};

inline sim::Options SilentMeter() {
    sim::Options o;
    o.silent = true;
    return o;
}

// The host side of one request and its reply: each host byte with the meter's answer (the
// complement of the byte), then each data byte with its echo.
inline std::string RequestBytes(const std::vector<int>& hostBytes, const std::vector<int>& data) {
    std::string out;
    auto add = [&out](char who, int b) {
        if (!out.empty()) out += ' ';
        out += who + std::to_string(b);
    };
    for (int b : hostBytes) {
        add('H', b);
        add('I', ~b & 0xFF);
    }
    for (int b : data) {
        add('I', b);
        add('H', b);
    }
    return out;
}

}  // namespace lmr::test

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "link/Exchange.h"
#include "link/Transcript.h"
#include "meter/LiveExchange.h"
#include "tools/sim/Simulator.h"

namespace lmr {
namespace {

// A link whose COM1 is a simulated meter; the host's side of the line is recorded.
class LiveBench {
public:
    explicit LiveBench(sim::Options options) : meter_(std::move(options)) {
        std::string error;
        if (!meter_.Start(&error)) ADD_FAILURE() << "simulator: " << error;
        ports_ = std::make_unique<PortTable>(
            std::vector<PortTable::Port>{{meter_.SlavePath(), "simulated meter", false}});
        link_ = std::make_unique<Link>(*ports_);
        link_->SetTranscript([this](const TranscriptEntry& e) {
            std::lock_guard<std::mutex> lock(mutex_);
            host_.push_back(e);
        });
    }

    Link& link() { return *link_; }
    std::string HostBytes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return TranscriptBytes(host_);
    }

private:
    sim::Simulator meter_;
    std::unique_ptr<PortTable> ports_;
    std::unique_ptr<Link> link_;
    std::mutex mutex_;
    std::vector<TranscriptEntry> host_;
};

sim::Options Channels(uint16_t rh, uint16_t air, uint16_t globe) {
    sim::Options o;
    o.rh = rh;
    o.air = air;
    o.globe = globe;
    return o;
}

TEST(LiveExchange, ReadsThreeBigEndianWordsEchoingEachByte) {
    LiveBench bench(Channels(500, 250, 300));
    std::string atMessage;
    const LiveChannels c =
        ReadLiveChannels(bench.link(), 1, [&] { atMessage = bench.HostBytes(); });
    ASSERT_EQ(c.status, MeterStatus::Ok);
    EXPECT_EQ(c.rh, 50.0f);
    EXPECT_EQ(c.tv, 25.0f);
    EXPECT_EQ(c.tsf, 30.0f);
    EXPECT_FALSE(bench.link().IsOpen());
    // The message comes after the probe's answer and before the command.
    EXPECT_EQ(atMessage.rfind("H55 I", 0), 0u);
    EXPECT_EQ(atMessage.find("H163"), std::string::npos);
    // 500 = 0x01F4, 250 = 0x00FA, 300 = 0x012C; the answer to 163 is not echoed.
    const std::string bytes = bench.HostBytes();
    const size_t command = bytes.find("H163 I");
    ASSERT_NE(command, std::string::npos);
    const std::string data = bytes.substr(bytes.find(' ', command + 6) + 1);
    EXPECT_EQ(data, "I1 H1 I244 H244 I0 H0 I250 H250 I1 H1 I44 H44");
}

TEST(LiveExchange, ChannelsAreUnsignedTenths) {
    {
        LiveBench bench(Channels(0, 0, 0));
        const LiveChannels c = ReadLiveChannels(bench.link(), 1);
        ASSERT_EQ(c.status, MeterStatus::Ok);
        EXPECT_EQ(c.rh, 0.0f);
        EXPECT_EQ(c.tv, 0.0f);
        EXPECT_EQ(c.tsf, 0.0f);
    }
    {
        LiveBench bench(Channels(65535, 32768, 312));
        const LiveChannels c = ReadLiveChannels(bench.link(), 1);
        ASSERT_EQ(c.status, MeterStatus::Ok);
        EXPECT_EQ(c.rh, 6553.5f);
        EXPECT_EQ(c.tv, 3276.8f);
        EXPECT_EQ(c.tsf, static_cast<float>(312 * 0.1L));
    }
    EXPECT_EQ(ChannelValue(452), static_cast<float>(452 * 0.1L));
}

TEST(LiveExchange, NoAnswerSendsNoCommand) {
    sim::Options silent;
    silent.silent = true;
    LiveBench bench(silent);
    bool told = false;
    const LiveChannels c = ReadLiveChannels(bench.link(), 1, [&] { told = true; });
    EXPECT_EQ(c.status, MeterStatus::NoAnswer);
    EXPECT_FALSE(told);
    EXPECT_EQ(bench.HostBytes(), "H55");
    EXPECT_FALSE(bench.link().IsOpen());
    // A port number without a device is the same as no answer.
    LiveBench other(Channels(1, 2, 3));
    EXPECT_EQ(ReadLiveChannels(other.link(), 2).status, MeterStatus::NoAnswer);
}

TEST(LiveExchange, MeterFallingSilentMidReadingIsLost) {
    sim::Options o = Channels(500, 250, 300);
    o.silentAfter = 5;  // probe answer, command answer, three data bytes
    LiveBench bench(o);
    const LiveChannels c = ReadLiveChannels(bench.link(), 1);
    EXPECT_EQ(c.status, MeterStatus::Lost);
    EXPECT_EQ(c.rh, 0.0f);
    EXPECT_FALSE(bench.link().IsOpen());
    const std::string bytes = bench.HostBytes();
    EXPECT_NE(bytes.find("I1 H1 I244 H244 I0 H0"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("I250"), std::string::npos) << bytes;
}

}  // namespace
}  // namespace lmr

#include "meter/LiveExchange.h"

#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {

bool LivePlausible(const LiveChannels& r) {
    constexpr float kMaxRh = 100.0F;
    constexpr float kMaxTemperature = 200.0F;
    return r.rh <= kMaxRh && r.tv <= kMaxTemperature && r.tsf <= kMaxTemperature;
}

LiveChannels ReadLiveChannels(Link& link, int portNumber,
                              const std::function<void()>& beforeCommand) {
    uint16_t words[3] = {};
    {
        Exchange x(link, portNumber, "live");
        if (const MeterStatus s = x.Status(); s != MeterStatus::Ok) return {s};
        if (link.CancelRequested()) return {MeterStatus::Cancelled};
        if (beforeCommand) beforeCommand();
        (void)link.SendCommand(Code(Command::ReadLive));  // the answer carries nothing
        for (uint16_t& w : words) w = link.ReadWord();
        if (const MeterStatus s = x.Ended(); s != MeterStatus::Ok) return {s};
    }
    return {MeterStatus::Ok, ChannelValue(words[0]), ChannelValue(words[1]),
            ChannelValue(words[2])};
}

MeterStatus ProbeOnly(Link& link, int portNumber, const char* name) {
    const Exchange x(link, portNumber, name);
    return x.Status();
}

}  // namespace lmr

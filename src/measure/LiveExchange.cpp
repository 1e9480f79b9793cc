#include "measure/LiveExchange.h"

#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {

float ChannelValue(uint16_t word) {
    // The meter's factor is the extended-precision 0.1; the product is kept in single precision.
    return static_cast<float>(word * 0.1L);
}

LiveChannels ReadLiveChannels(Link& link, int portNumber,
                              const std::function<void()>& beforeCommand) {
    uint16_t words[3] = {};
    {
        Exchange x(link, portNumber, "live");
        switch (x.Result()) {
            case ExchangeResult::Busy:
                return {LiveStatus::Busy};
            case ExchangeResult::NoAnswer:
                return {LiveStatus::NoAnswer};
            case ExchangeResult::Answered:
                break;
        }
        if (beforeCommand) beforeCommand();
        (void)link.SendCommand(Code(Command::ReadLive));  // the answer carries nothing
        for (uint16_t& w : words) w = link.ReadWord();
        if (x.Lost()) return {LiveStatus::Lost};
    }
    return {LiveStatus::Answered, ChannelValue(words[0]), ChannelValue(words[1]),
            ChannelValue(words[2])};
}

}  // namespace lmr

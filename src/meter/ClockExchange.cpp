#include "meter/ClockExchange.h"

#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {

MeterStatus WriteInstrumentClock(Link& link, int portNumber, const ClockByteAt& byte,
                                 const std::function<void()>& started) {
    Exchange exchange(link, portNumber, "clock");
    if (const MeterStatus s = exchange.Status(); s != MeterStatus::Ok) return s;
    if (started) started();
    // A stop asked for during the probe: the clock is left as it was.
    if (link.CancelRequested()) return MeterStatus::Cancelled;
    // The instrument answers every byte; the answers are not compared with what was sent.
    link.SendCommand(Code(Command::SetClock));
    for (int i = 0; i < kClockBytes; ++i) link.SendCommand(byte(i));
    return exchange.Ended();
}

}  // namespace lmr

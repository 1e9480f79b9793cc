#include "meter/ClockExchange.h"

#include "link/CommandCodes.h"
#include "meter/Ended.h"

namespace lmr {

MeterStatus WriteInstrumentClock(Link& link, int portNumber, const ClockByteAt& byte,
                                 const std::function<void()>& started) {
    Exchange exchange(link, portNumber, "clock");
    if (exchange.Result() != ExchangeResult::Answered) return NotStarted(exchange);
    if (started) started();
    // The instrument answers every byte; the answers are not compared with what was sent.
    link.SendCommand(Code(Command::SetClock));
    for (int i = 0; i < kClockBytes; ++i) link.SendCommand(byte(i));
    return Ended(exchange);
}

}  // namespace lmr

#include "link/Exchange.h"

namespace lmr {

Exchange::Exchange(Link& link, int portNumber, std::string name, Probe probe) : link_(link) {
    if (link_.CancelRequested()) {
        cancelled_ = true;
        return;
    }
    link_.SetExchangeName(std::move(name));
    link_.OpenPort(static_cast<char>('0' + portNumber));
    answered_ = probe == Probe::Yes ? link_.ProbeInstrument() : link_.IsOpen();
}

Exchange::~Exchange() {
    if (cancelled_) return;
    link_.ClosePort();
    link_.SetExchangeName({});
}

MeterStatus Exchange::Status() const {
    if (cancelled_) return MeterStatus::Cancelled;
    if (!answered_ || link_.Lost()) {
        // A closing cancel makes the read in flight return at once, as lost.
        if (link_.CancelRequested(CancelWhen::NextByte)) return MeterStatus::Cancelled;
        if (link_.Gone()) return MeterStatus::Gone;
        return answered_ ? MeterStatus::Lost : MeterStatus::NoAnswer;
    }
    return link_.NoiseBytes() > 0 ? MeterStatus::Noise : MeterStatus::Ok;
}

MeterStatus Exchange::Ended(Settle settle) {
    if (!cancelled_) settle == Settle::Whole ? link_.AwaitQuiet() : link_.SettleInput();
    return Status();
}

}  // namespace lmr

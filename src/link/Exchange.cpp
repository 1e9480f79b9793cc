#include "link/Exchange.h"

namespace lmr {

Exchange::Exchange(Link& link, int portNumber, std::string name, Probe probe)
    : Exchange(LinkGuard(link), portNumber, std::move(name), probe) {}

Exchange::Exchange(LinkGuard held, int portNumber, std::string name, Probe probe)
    : link_(held.link()), guard_(std::move(held)) {
    if (!guard_.Acquired()) return;  // Busy: another exchange holds the link; touch nothing.
    link_.SetExchangeName(std::move(name));
    link_.OpenPort(static_cast<char>('0' + portNumber));
    if (probe == Probe::Yes) {
        result_ = link_.ProbeInstrument() ? ExchangeResult::Answered : ExchangeResult::NoAnswer;
    } else {
        result_ = link_.IsOpen() ? ExchangeResult::Answered : ExchangeResult::NoAnswer;
    }
}

Exchange::~Exchange() {
    if (!guard_.Acquired()) return;
    link_.ClosePort();
    link_.SetExchangeName({});
}

}  // namespace lmr

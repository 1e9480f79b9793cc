#pragma once

#include <string>

#include "link/Unitcomport.h"

namespace lmr {

enum class ExchangeResult {
    Answered,  // the probe was answered (or, without a probe, the port opened): send the command
    NoAnswer,  // no answer to the probe, or the port did not open: report the no-answer message
    Busy,      // another exchange holds the link: nothing was opened or sent
};

enum class Probe { Yes, No };

// The frame of every exchange: takes the link, opens the port, probes; the destructor closes the
// port on every path and gives the link back. The caller writes only its byte sequence:
//
//   Exchange x(link, portNumber, "live");
//   if (x.Result() != ExchangeResult::Answered) { /* "Нет отклика от прибора" */ return; }
//   link.SendCommand(Code(Command::ReadLive)); ... if (x.Lost()) { /* no-answer path */ }
class Exchange {
public:
    // name tags the transcript lines ("probe", "identify", "live", "logger", "cells", "clock").
    // Probe::No is for the identification, which follows the search's own probe.
    Exchange(Link& link, int portNumber, std::string name = "exchange", Probe probe = Probe::Yes);
    // With the link already taken (Busy when that hold was not acquired).
    Exchange(LinkGuard held, int portNumber, std::string name, Probe probe = Probe::Yes);
    ~Exchange();
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    [[nodiscard]] ExchangeResult Result() const { return result_; }
    // The meter was lost during the exchange (no byte within the bound, device gone, cancel).
    [[nodiscard]] bool Lost() const { return guard_.Acquired() && link_.Lost(); }
    // The port went away: at the opening (its device is missing) or during the exchange.
    [[nodiscard]] bool Gone() const { return guard_.Acquired() && link_.Gone(); }
    // Bytes came unasked in the middle of the dialogue: what was read may be noise.
    [[nodiscard]] bool Noisy() const { return guard_.Acquired() && link_.NoiseBytes() > 0; }
    [[nodiscard]] Link& link() { return link_; }

private:
    Link& link_;
    LinkGuard guard_;
    ExchangeResult result_ = ExchangeResult::Busy;
};

}  // namespace lmr

#pragma once

#include "link/Exchange.h"
#include "meter/MeterStatus.h"

namespace lmr {

// The status of an exchange that could not start: Busy or NoAnswer.
[[nodiscard]] inline MeterStatus NotStarted(const Exchange& x) {
    return x.Result() == ExchangeResult::Busy ? MeterStatus::Busy : MeterStatus::NoAnswer;
}

// The status of an exchange so far: Ok, or Lost / Cancelled when the link was lost (a cancel
// makes every read return at once as lost).
[[nodiscard]] inline MeterStatus Ended(Exchange& x) {
    if (!x.Lost()) return MeterStatus::Ok;
    return x.link().CancelRequested() ? MeterStatus::Cancelled : MeterStatus::Lost;
}

}  // namespace lmr

#pragma once

#include "link/Exchange.h"
#include "meter/MeterStatus.h"

namespace lmr {

// The status of an exchange that could not start: Busy, Gone or NoAnswer.
[[nodiscard]] inline MeterStatus NotStarted(const Exchange& x) {
    if (x.Result() == ExchangeResult::Busy) return MeterStatus::Busy;
    return x.Gone() ? MeterStatus::Gone : MeterStatus::NoAnswer;
}

// The status of an exchange so far: Ok; Lost, Gone or Cancelled when the link was lost (a
// cancel makes every read return at once as lost); Noise when bytes came unasked. awaitQuiet
// gives noise its whole time to show, as before a conclusion drawn from the bytes.
[[nodiscard]] inline MeterStatus Ended(Exchange& x, bool awaitQuiet = false) {
    awaitQuiet ? x.link().AwaitQuiet() : x.link().SettleInput();
    if (x.Lost()) {
        if (x.link().CancelRequested()) return MeterStatus::Cancelled;
        return x.Gone() ? MeterStatus::Gone : MeterStatus::Lost;
    }
    return x.Noisy() ? MeterStatus::Noise : MeterStatus::Ok;
}

}  // namespace lmr

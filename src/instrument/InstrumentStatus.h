#pragma once

namespace lmr {

// How a memory-cell reading or a clock setting ended.
enum class InstrumentStatus {
    Done,
    NoAnswer,  // no answer to the probe: nothing beyond the probe was sent
    Busy,      // another exchange holds the link: nothing was sent
    Lost,      // the meter fell silent or went away after the probe
    Refused,   // the clock fields hold a date that does not exist: nothing was sent
};

}  // namespace lmr

#pragma once

namespace lmr {

// How a dialogue with the meter ended: one status for every job the worker runs.
enum class MeterStatus {
    Ok,         // the dialogue ran to its end
    NoAnswer,   // the port did not open, or the probe went unanswered: nothing more was sent
    Lost,       // the meter fell silent, went away or broke the dialogue after the probe
    Busy,       // another job held the link: this one was not run and sent nothing
    Cancelled,  // the program asked the job to stop; what was read so far is kept
};

}  // namespace lmr

#pragma once

namespace lmr {

// How a dialogue with the meter ended: one status for every exchange and every job the worker
// runs, from the frame of the exchange up to the window's texts.
enum class MeterStatus {
    Ok,         // the dialogue ran to its end
    NoAnswer,   // the port did not open, or the probe went unanswered: nothing more was sent
    Lost,       // the meter fell silent or broke the dialogue after the probe
    Gone,       // the port itself went away (the adapter pulled), before or during the dialogue
    Noise,      // bytes came unasked in the middle of the dialogue: what followed is not taken
    Busy,       // the worker ran another job: this one was refused and sent nothing
    Cancelled,  // the program asked the job to stop; what was read so far is kept
};

}  // namespace lmr

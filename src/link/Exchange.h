#pragma once

#include <string>

#include "link/MeterStatus.h"
#include "link/Unitcomport.h"

namespace lmr {

enum class Probe { Yes, No };

// How long the end of a step looks for noise behind its last byte.
enum class Settle {
    Brief,  // once an opening for the whole kSettleMs, then only what is already there
    Whole,  // the whole kSettleMs: before a conclusion drawn from what the bytes say
};

// The frame of every exchange: opens the port and probes; the destructor closes the port on
// every path. The caller writes only its byte sequence and takes the status from the frame:
//
//   Exchange x(link, portNumber, "live");
//   if (x.Status() != MeterStatus::Ok) return x.Status();  // "Нет отклика от прибора"
//   link.SendCommand(Code(Command::ReadLive)); ... return x.Ended();
//
// A cancel asked for before the frame is made leaves the port alone: the status is Cancelled.
class Exchange {
public:
    // name tags the transcript lines ("probe", "identify", "live", "logger", "cells", "clock").
    // Probe::No is for the identification, which follows the search's own probe.
    Exchange(Link& link, int portNumber, std::string name = "exchange", Probe probe = Probe::Yes);
    ~Exchange();
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    // The status so far: Ok right after the frame is made when the probe was answered (without
    // a probe, when the port opened), and while the dialogue goes on. Else NoAnswer or Gone
    // (did not start), Lost or Gone (the meter was lost on the way), Cancelled (a cancel cut a
    // read short, or came before the start), Noise (bytes came unasked).
    [[nodiscard]] MeterStatus Status() const;
    // The status at the end of a step, after noise behind its last byte had its time to show.
    [[nodiscard]] MeterStatus Ended(Settle settle = Settle::Brief);

private:
    Link& link_;
    bool cancelled_ = false;  // before the start: nothing was opened
    bool answered_ = false;
};

}  // namespace lmr

#pragma once

#include <cstdint>
#include <functional>

#include "link/MeterWords.h"
#include "link/Unitcomport.h"
#include "meter/MeterStatus.h"

namespace lmr {

// The three measured channels of one live reading, set only when the status is Ok.
struct LiveChannels {
    MeterStatus status = MeterStatus::NoAnswer;
    float rh = 0;   // %
    float tv = 0;   // dry-bulb, °C
    float tsf = 0;  // black globe, °C
};

// Whether the channels can be the meter's measurement: RH at most 100 %, temperatures at most
// 200 °C. Beyond that it is noise taken for data or a sensor off its range (word 65535).
[[nodiscard]] bool LivePlausible(const LiveChannels& r);

// One live reading (command 163) on COM portNumber: probe, then beforeCommand (the window shows
// "Чтение данных ..."), the command, three echoed words RH, tв, tсф. The port is closed again
// before the function returns, on every path. A stop asked for by the time the probe answered
// ends it there (Cancelled).
[[nodiscard]] LiveChannels ReadLiveChannels(Link& link, int portNumber,
                                            const std::function<void()>& beforeCommand = {});

// Only the probe, in an exchange of its own named name ("start", "stop"): Ok when it answered.
[[nodiscard]] MeterStatus ProbeOnly(Link& link, int portNumber, const char* name);

}  // namespace lmr

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/Unitcomport.h"
#include "meter/MeterStatus.h"

namespace lmr {

// What the meter said it is (set when the status is Ok).
struct Identification {
    MeterStatus status = MeterStatus::NoAnswer;
    uint8_t InstrumentCode = 0;  // answer to 167
    bool HeadAsked = false;      // 171 was sent (only after code 65)
    uint8_t HeadCode = 0;        // answer to 171
};

// The identification dialogue on COM portNumber: opens the port without a probe (it follows the
// search's own probe), 167 → code; only for code 65: 171 → head; closes the port.
[[nodiscard]] Identification Identify(Link& link, int portNumber);

// Status bar captions (UTF-8). The model: 23 "ВЕГ/71", 24 "ВЕГ/72", else none.
[[nodiscard]] std::optional<std::string> ModelCaption(uint8_t instrumentCode);
// The head: 0 "нет", 1 "гол.2", 2 "гол.1" (the crossing is the meter's own), else none.
[[nodiscard]] std::optional<std::string> HeadCaption(uint8_t headCode);
// Whether live measurement is enabled for a model (23 and 24).
[[nodiscard]] bool EnablesMeasurement(uint8_t instrumentCode);

// The model code that makes the identification ask for the head.
inline constexpr uint8_t kModelWithHead = 65;

}  // namespace lmr

#pragma once

#include <QString>

namespace lmr {

enum class LimitHit { None, Max, Min };

struct LimitCheck {
    bool alarm = false;  // the reading is at or beyond a limit of a ticked channel
    LimitHit hit = LimitHit::None;
    bool maxValid = true;  // the max text reads as a number
    bool minValid = true;  // the min text reads as a number
};

// The critical-level test of one channel after a live reading: with the box
// ticked, v >= max (tested first) or else v <= min, both inclusive, no latch.
// A limit text that is not a number raises nothing and is reported invalid;
// the other limit still counts. Validity is reported whether ticked or not.
[[nodiscard]] LimitCheck CheckLimit(float value, bool ticked, const QString& maxText,
                                    const QString& minText);

}  // namespace lmr

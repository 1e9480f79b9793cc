#pragma once

#include <optional>

namespace lmr {

enum class LimitHit { None, Max, Min };

struct LimitCheck {
    bool alarm = false;  // the reading is at or beyond a limit of a ticked channel
    LimitHit hit = LimitHit::None;
};

// The critical-level test of one channel after a live reading: with the box ticked, v >= max
// (tested first) or else v <= min, both inclusive, no latch. A missing limit (its text was no
// number) raises nothing; the other limit still counts.
[[nodiscard]] LimitCheck CheckLimit(float value, bool ticked, std::optional<double> max,
                                    std::optional<double> min);

}  // namespace lmr

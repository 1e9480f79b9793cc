#include "measure/CriticalLevel.h"

namespace lmr {

LimitCheck CheckLimit(float value, bool ticked, std::optional<double> max,
                      std::optional<double> min) {
    LimitCheck r;
    if (!ticked) return r;
    const double v = value;
    if (max && v >= *max) {
        r.hit = LimitHit::Max;
    } else if (min && v <= *min) {
        r.hit = LimitHit::Min;
    }
    r.alarm = r.hit != LimitHit::None;
    return r;
}

}  // namespace lmr

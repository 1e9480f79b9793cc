#include "measure/CriticalLevel.h"

#include "measure/NumberText.h"

namespace lmr {

LimitCheck CheckLimit(float value, bool ticked, const QString& maxText, const QString& minText) {
    const std::optional<double> max = ParseDecimal(maxText);
    const std::optional<double> min = ParseDecimal(minText);
    LimitCheck r;
    r.maxValid = max.has_value();
    r.minValid = min.has_value();
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

#include "core/AssessReadingOf.h"

#include "measure/NumberText.h"

namespace lmr {

AssessReading AssessReadingOf(const Reading& r) {
    if (!r.when.isValid()) {
        AssessReading left;
        left.valid = false;
        return left;
    }
    const qint64 seconds = WallSeconds(r.when.date(), r.when.time().msecsSinceStartOfDay() / 1000);
    return {seconds,
            RoundToTenth(r.derived.ths),
            RoundToTenth(r.derived.wbgt),
            RoundToTenth(r.derived.w),
            RoundToTenth(r.tv),
            RoundToTenth(r.rh),
            true,
            RoundToTenth(r.tsf)};
}

}  // namespace lmr

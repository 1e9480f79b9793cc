#pragma once

#include <QString>
#include <vector>

#include "protocol/ProtocolContent.h"

namespace lmr {

// The point's chart, one for each stretch of time its readings fall in, the stretch's dates
// in the title where there is more than one.
[[nodiscard]] std::vector<ProtocolChart> ChartsOf(const QString& title, const SurveyPoint& point);

}  // namespace lmr

#pragma once

#include "assess/Assessment.h"
#include "core/Reading.h"

namespace lmr {

// The figures of a reading the assessment judges, each rounded to 0.1 as the tables show them,
// at its wall-clock time. A reading whose time names no real moment is not valid.
[[nodiscard]] AssessReading AssessReadingOf(const Reading& r);

}  // namespace lmr

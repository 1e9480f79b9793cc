#pragma once

#include <QtGlobal>
#include <vector>

#include "assess/Assessment.h"

namespace lmr {

// The two sets of readings the assessment window judges.
enum class AssessSourceKind { Live, Logger };

// The main window implements it over its live record and its logger table.
class AssessSource {
public:
    virtual ~AssessSource() = default;
    // The readings of the source in the order they were taken or loaded.
    [[nodiscard]] virtual std::vector<AssessReading> Readings(AssessSourceKind kind) const = 0;
    // Changes whenever the source's readings do; cheap, so the window can ask every second.
    [[nodiscard]] virtual qint64 Revision(AssessSourceKind kind) const = 0;
};

}  // namespace lmr

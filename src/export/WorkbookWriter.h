#pragma once

#include <QString>

#include "export/WorkbookModel.h"
#include "measure/Outcome.h"

namespace lmr {

// Writes the workbook as an .xlsx file at path; a failure says why (no partial file is left
// behind).
[[nodiscard]] Outcome WriteWorkbookFile(const WorkbookModel& workbook, const QString& path);

}  // namespace lmr

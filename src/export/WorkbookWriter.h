#pragma once

#include <QString>

#include "export/WorkbookModel.h"

namespace lmr {

// Writes the workbook as an .xlsx file at path. Returns an empty text on
// success, else why it failed (no partial file is left behind).
[[nodiscard]] QString WriteWorkbookFile(const WorkbookModel& workbook, const QString& path);

}  // namespace lmr

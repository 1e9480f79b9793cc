#pragma once

#include <QString>
#include <string>

#include "measure/Outcome.h"

namespace lmr {

// The workbook writer puts every number into the sheet's XML with 16 significant digits, so a
// cell of 9.8 reads "9.800000000000001" in the file. Spreadsheets read it back as 9.8, but
// anyone who looks into the file, or a tool that reads it, sees a number that was never shown.
// These write each number as the shortest text that reads back as the same value.

// The sheet XML with every <v>number</v> in its shortest form; everything else as it was.
[[nodiscard]] std::string WithShortestNumbers(const std::string& sheetXml);

// Rewrites the worksheets of the .xlsx file at path so; a failure says why.
[[nodiscard]] Outcome ShortenWorkbookNumbers(const QString& path);

}  // namespace lmr

#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "export/ProtocolSource.h"
#include "export/WorkbookModel.h"
#include "measure/Outcome.h"

namespace lmr {

// Yellow, colour 6 of the spreadsheet's default palette: the header row of every protocol sheet.
inline constexpr std::uint32_t kHeaderFill = 0xFFFF00;

struct WorkbookSettings {
    // Where the files go; empty: the user's documents folder. Made when missing.
    QString documentsDir;
    // Writes further sheets into the protocol's workbook before it is written. None when empty.
    std::function<void(WorkbookModel& book)> addSheets;
};

// A new workbook with its first, empty worksheet, once the documents folder dir is there and
// takes files: a protocol built where it cannot be written would be lost at the end.
[[nodiscard]] Valued<WorkbookModel> OpenExcel(const QString& dir);

// Puts the number into cell (row, column) as the windows show it (NumberAsShown).
void SetNumberCell(SheetModel& sheet, int row, int column, double value);
// Writes text as a text whatever it reads as; empty clears the cell.
void SetTextCell(SheetModel& sheet, int row, int column, const QString& text);

// The protocol on its worksheet, step by step in this order: column widths, header fill,
// centring, title and header row, borders, one row per measurement.
void WriteProtocolSheet(SheetModel& sheet, const ProtocolSource& source);

// The whole export from the table the source holds: OpenExcel, the protocol sheet, the further
// sheets, then the workbook written to a new file: its path. A failure (no documents folder,
// the file not written) says why, for the caller's message box with ErrorCaption().
[[nodiscard]] Valued<QString> ExportProtocol(const ProtocolSource& source,
                                             const WorkbookSettings& settings);

}  // namespace lmr

#pragma once

#include <QString>
#include <functional>

#include "export/Automation.h"
#include "export/ExportMessage.h"
#include "export/ProtocolSource.h"

namespace lmr {

// The automation references the main window keeps between exports.
struct ExcelRefs {
    Automation ExcelApp;    // the spreadsheet application; attached to by the next export
    Automation ExcelSheet;  // worksheet 1 of the workbook the latest export added
};

// Starts a spreadsheet application; throws AutomationError when it cannot.
using ApplicationFactory = std::function<Automation()>;

struct ExportServices {
    ApplicationFactory createApplication;
    MessageSink showMessage;  // caption "Ошибка", error icon, for every failure
    // Writes further sheets into the protocol's workbook before it is shown; may throw
    // AutomationError, which fails the export as any step does. None when empty.
    std::function<void(const Automation& app)> addSheets = {};
};

enum class ExportStatus {
    Done,           // the protocol is filled and the application made visible
    NoApplication,  // no application could be had; nothing was written
    NoWorkbook,     // no workbook or worksheet could be had; nothing was written
    Failed,         // a step failed; its message was shown, cells written so far stay
};

// Reaches the application (attaches to refs.ExcelApp, else creates one), adds a
// workbook and takes its first worksheet into refs.ExcelSheet. On failure the
// message is shown and refs.ExcelSheet is left empty.
[[nodiscard]] ExportStatus OpenExcel(ExcelRefs& refs, const ExportServices& services);

// Assigns text to the value of cell (row, column) of the sheet; a failure is
// ignored and the cell keeps what it held.
void SetCell(const Automation& sheet, int row, int column, const QString& text);

// The whole measurement protocol from the table the source holds: title,
// header row, one row per measurement, borders, then the application shown.
[[nodiscard]] ExportStatus ExportProtocol(ExcelRefs& refs, const ProtocolSource& source,
                                          const ExportServices& services);

}  // namespace lmr

#include "export/Uxls.h"

#include "export/ExportTexts.h"

namespace lmr {

namespace {

constexpr int kLastColumnWithWidth = 11;  // K: width, fill and borders, no text
constexpr int kTimeColumnWidth = 17;
constexpr int kValueColumnWidth = 11;
constexpr int kYellow = 6;          // palette colour of the header row
constexpr int kCentred = 3;         // horizontal alignment of columns A ... J
constexpr int kContinuousLine = 1;  // line style of every border
constexpr int kBorderSides = 4;     // Borders items: left, right, top, bottom
constexpr int kTitleRow = 1;
constexpr int kTitleColumn = 5;  // E1
constexpr int kHeaderRow = 2;
constexpr int kFirstDataRow = 3;

void ShowError(const ExportServices& services, const QString& text) {
    if (services.showMessage) {
        services.showMessage({ErrorCaption(), text, ExportMessage::Icon::Error});
    }
}

void SetColumnWidths(const Automation& sheet) {
    for (int c = 1; c <= kLastColumnWithWidth; ++c) {
        sheet.GetProperty("Columns").GetProperty("Item", c).SetProperty(
            "ColumnWidth", c == 1 ? kTimeColumnWidth : kValueColumnWidth);
    }
}

void WriteHeaders(const Automation& sheet) {
    SetCell(sheet, kTitleRow, kTitleColumn, ProtocolTitle());
    for (int c = 1; c <= kProtocolColumns; ++c) SetCell(sheet, kHeaderRow, c, ProtocolHeader(c));
}

// Sheet row of the last bordered row: the header row plus one row per measurement.
int LastBorderedRow(const ProtocolSource& source, bool live) {
    return live ? source.LiveCount(1) + kHeaderRow : source.LoggerRowCount();
}

void DrawBorders(const Automation& app, int lastRow) {
    const Automation range = app.GetProperty("Range", QStringLiteral("A2:K%1").arg(lastRow));
    for (int i = 1; i <= kBorderSides; ++i) {
        range.GetProperty("Borders").GetProperty("Item", i).SetProperty("LineStyle",
                                                                        kContinuousLine);
    }
}

// Column by column; each live column runs over its own series.
void WriteLiveData(const Automation& sheet, const ProtocolSource& source) {
    const int times = source.LiveCount(1);
    for (int t = 0; t < times; ++t) SetCell(sheet, t + kFirstDataRow, 1, source.LiveTime(t));
    for (int c = 2; c <= kProtocolColumns; ++c) {
        const int points = source.LiveCount(c);
        for (int t = 0; t < points; ++t) {
            SetCell(sheet, t + kFirstDataRow, c, source.LiveValueText(c, t));
        }
    }
}

// Grid row 0 is the grid's own header; grid row r goes to sheet row r + 2.
void WriteLoggerData(const Automation& sheet, const ProtocolSource& source) {
    const int rows = source.LoggerRowCount();
    for (int c = 1; c <= kProtocolColumns; ++c) {
        for (int r = 1; r < rows; ++r) SetCell(sheet, r + 2, c, source.LoggerCell(c - 1, r));
    }
}

}  // namespace

ExportStatus OpenExcel(ExcelRefs& refs, const ExportServices& services) {
    refs.ExcelSheet.Clear();
    if (refs.ExcelApp.IsEmpty()) {
        try {
            if (services.createApplication) refs.ExcelApp = services.createApplication();
        } catch (const DocumentsFolderError& e) {
            ShowError(services, e.message());
            return ExportStatus::NoApplication;
        } catch (const AutomationError&) {
            refs.ExcelApp.Clear();
        }
        if (refs.ExcelApp.IsEmpty()) {
            ShowError(services, NoApplicationText());
            return ExportStatus::NoApplication;
        }
    }
    try {
        refs.ExcelApp.GetProperty("WorkBooks").CallMethod("add");
        refs.ExcelSheet = refs.ExcelApp.GetProperty("WorkSheets", 1);
    } catch (const AutomationError&) {
        refs.ExcelSheet.Clear();
        ShowError(services, NoWorkbookText());
        return ExportStatus::NoWorkbook;
    }
    return ExportStatus::Done;
}

void SetCell(const Automation& sheet, int row, int column, const QString& text) {
    try {
        sheet.GetProperty("Cells", row, column).SetProperty("Value", text);
    } catch (const AutomationError&) {
        // A cell that cannot be written stays as it was; the protocol goes on.
    }
}

ExportStatus ExportProtocol(ExcelRefs& refs, const ProtocolSource& source,
                            const ExportServices& services) {
    const ExportStatus opened = OpenExcel(refs, services);
    if (opened != ExportStatus::Done) return opened;
    const Automation app = refs.ExcelApp;
    const Automation sheet = refs.ExcelSheet;
    try {
        SetColumnWidths(sheet);
        sheet.GetProperty("Range", "A2:K2")
            .GetProperty("Interior")
            .SetProperty("ColorIndex", kYellow);
        // The application's range is that of its active sheet, the one just added.
        app.GetProperty("Range", "A1:J65536").SetProperty("HorizontalAlignment", kCentred);
        WriteHeaders(sheet);
        const bool live = source.LivePage();
        DrawBorders(app, LastBorderedRow(source, live));
        if (live) {
            WriteLiveData(sheet, source);
        } else {
            WriteLoggerData(sheet, source);
        }
        if (services.addSheets) services.addSheets(app);
        app.SetProperty("Visible", true);
    } catch (const AutomationError& e) {
        ShowError(services, e.message());
        return ExportStatus::Failed;
    }
    return ExportStatus::Done;
}

}  // namespace lmr

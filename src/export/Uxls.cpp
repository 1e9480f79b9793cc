#include "export/Uxls.h"

#include "export/ExportTexts.h"
#include "export/ProtocolFile.h"
#include "export/WorkbookWriter.h"
#include "measure/Clock.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

constexpr int kLastColumnWithWidth = 11;  // K: width, fill and borders, no text
constexpr int kTimeColumnWidth = 17;
constexpr int kValueColumnWidth = 11;
constexpr CellRect kHeaderRange{2, 1, 2, 11};       // A2:K2
constexpr CellRect kCentredRange{1, 1, 65536, 10};  // A1:J65536
constexpr int kTitleRow = 1;
constexpr int kTitleColumn = 5;  // E1
constexpr int kHeaderRow = 2;
constexpr int kFirstDataRow = 3;

void SetColumnWidths(SheetModel& sheet) {
    for (int c = 1; c <= kLastColumnWithWidth; ++c) {
        sheet.setColumnWidth(c, c == 1 ? kTimeColumnWidth : kValueColumnWidth);
    }
}

void WriteHeaders(SheetModel& sheet) {
    SetTextCell(sheet, kTitleRow, kTitleColumn, ProtocolTitle());
    for (int c = 1; c <= kProtocolColumns; ++c) {
        SetTextCell(sheet, kHeaderRow, c, ProtocolHeader(c));
    }
}

// Sheet row of the last bordered row: the header row plus one row per measurement.
int LastBorderedRow(const ProtocolSource& source, bool live) {
    return (live ? source.LiveCount(1) : source.LoggerCount()) + kHeaderRow;
}

void DrawBorders(SheetModel& sheet, int lastRow) {
    sheet.drawBorders({kHeaderRow, 1, lastRow, kLastColumnWithWidth});
}

// A value of the page, or "-" where it has none.
void SetValueCell(SheetModel& sheet, int row, int column, std::optional<double> value) {
    if (value) {
        SetNumberCell(sheet, row, column, *value);
    } else {
        SetTextCell(sheet, row, column, QString::fromLatin1(kAbsentText));
    }
}

// Column by column; each live column runs over its own series.
void WriteLiveData(SheetModel& sheet, const ProtocolSource& source) {
    const int times = source.LiveCount(1);
    for (int t = 0; t < times; ++t) {
        SetTextCell(sheet, t + kFirstDataRow, 1, source.LiveTime(t));
    }
    for (int c = 2; c <= kProtocolColumns; ++c) {
        const int points = source.LiveCount(c);
        for (int t = 0; t < points; ++t) {
            SetValueCell(sheet, t + kFirstDataRow, c, source.LiveNumber(c, t));
        }
    }
}

// Column by column, a row per record.
void WriteLoggerData(SheetModel& sheet, const ProtocolSource& source) {
    const int records = source.LoggerCount();
    for (int r = 0; r < records; ++r) {
        SetTextCell(sheet, r + kFirstDataRow, 1, source.LoggerTime(r));
    }
    for (int c = 2; c <= kProtocolColumns; ++c) {
        for (int r = 0; r < records; ++r) {
            SetValueCell(sheet, r + kFirstDataRow, c, source.LoggerNumber(c, r));
        }
    }
}

// Writes the workbook to a new file in dir: its path.
Valued<QString> WriteWorkbook(const WorkbookModel& book, const QString& dir) {
    const QString path = UniqueProtocolPath(dir, appClock().now());
    if (const Outcome written = WriteWorkbookFile(book, path); !written) {
        return Outcome::Failed(WriteFailedText(path, written.text));
    }
    return path;
}

}  // namespace

Valued<WorkbookModel> OpenExcel(const QString& dir) {
    if (Outcome prepared = PrepareDocumentsFolder(dir); !prepared) return prepared;
    WorkbookModel book;
    book.sheets.emplace_back(QStringLiteral("Лист1"));
    return book;
}

void SetNumberCell(SheetModel& sheet, int row, int column, double value) {
    if (const std::optional<double> number = NumberAsShown(value)) {
        sheet.setValue(row, column, {CellValue::Kind::Number, *number, {}});
    } else {
        SetTextCell(sheet, row, column, NumberText(value));
    }
}

void SetTextCell(SheetModel& sheet, int row, int column, const QString& text) {
    if (text.isEmpty()) {
        sheet.clearValue(row, column);
    } else {
        sheet.setValue(row, column, {CellValue::Kind::Text, 0, text});
    }
}

void WriteProtocolSheet(SheetModel& sheet, const ProtocolSource& source) {
    SetColumnWidths(sheet);
    sheet.fill(kHeaderRange, kHeaderFill);
    sheet.align(kCentredRange, HorizontalAlign::Center);
    WriteHeaders(sheet);
    const bool live = source.LivePage();
    DrawBorders(sheet, LastBorderedRow(source, live));
    if (live) {
        WriteLiveData(sheet, source);
    } else {
        WriteLoggerData(sheet, source);
    }
}

Valued<QString> ExportProtocol(const ProtocolSource& source, const WorkbookSettings& settings) {
    const QString dir =
        settings.documentsDir.isEmpty() ? DefaultDocumentsDir() : settings.documentsDir;
    Valued<WorkbookModel> book = OpenExcel(dir);
    if (!book) return book.outcome;
    WriteProtocolSheet(book->sheets.front(), source);
    if (settings.addSheets) settings.addSheets(*book);
    return WriteWorkbook(*book, dir);
}

}  // namespace lmr

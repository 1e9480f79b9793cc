#include "export/AssessmentSheet.h"

#include <algorithm>

#include "assess/AssessTexts.h"
#include "export/Uxls.h"

namespace lmr {

namespace {

constexpr int kLabelWidth = 48;
constexpr int kValueWidth = 60;
constexpr CellRect kHeaderRange{2, 1, 2, 2};  // A2:B2
constexpr int kFirstRow = 3;
constexpr int kClassPoints = 14;  // the class of the whole, larger than the sheet's 11

// The class's fill: 1 and 2 green, 3.1 … 3.4 yellow to red, 4 dark red.
std::uint32_t ClassFill(ConditionsClass c) {
    constexpr std::uint32_t kFills[kConditionsClassCount] = {0x00FF00, 0x99CC00, 0xFFFF00,
                                                             0xFFCC00, 0xFF9900, 0xFF0000,
                                                             0x800000};
    return kFills[static_cast<int>(c)];
}

void SetUpPrinting(SheetModel& sheet, const QString& header) {
    PageSetup& page = sheet.pageSetup();
    page.landscape = true;
    page.fitWide = 1;  // one page wide, as many down as it takes
    page.fitTall = 0;
    page.titleFirst = 1;
    page.titleLast = 2;
    page.centerHeader = header;
}

}  // namespace

void WriteAssessmentSheet(WorkbookModel& book, const AssessmentSheetContent& content,
                          const QLocale& locale) {
    // The protocol's own sheet keeps its cells; only how it prints is set.
    SetUpPrinting(book.sheets.front(), content.pageHeader);

    SheetModel& sheet = book.sheets.emplace_back(QString::fromUtf8(kAssessSheetName));
    sheet.setColumnWidth(1, kLabelWidth);
    sheet.setColumnWidth(2, kValueWidth);
    SetCell(sheet, 1, 1, QString::fromUtf8(kAssessSheetTitle), locale);
    SetCell(sheet, 2, 1, QString::fromUtf8(kAssessSheetHeaders[0]), locale);
    SetCell(sheet, 2, 2, QString::fromUtf8(kAssessSheetHeaders[1]), locale);
    sheet.fill(kHeaderRange, kHeaderFill);
    int row = kFirstRow;
    for (const auto& [label, value] : content.rows) {
        SetCell(sheet, row, 1, label, locale);
        if (row - kFirstRow < content.typedRows) {
            SetTextCell(sheet, row, 2, value);
        } else {
            SetCell(sheet, row, 2, value, locale);
        }
        if (content.conditionsClass && label == QString::fromUtf8(kClassLineLabel)) {
            sheet.fill({row, 1, row, 2}, ClassFill(*content.conditionsClass));
            sheet.setLargeFont({row, 2, row, 2}, kClassPoints);
        }
        ++row;
    }
    sheet.drawBorders({2, 1, std::max(row - 1, 2), 2});
    SetUpPrinting(sheet, content.pageHeader);
}

}  // namespace lmr

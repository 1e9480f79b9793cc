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

AssessmentSheetContent AssessmentSheetOf(const JudgedAssessment& judged,
                                         const std::array<QString, kPlaceFieldCount>& place) {
    AssessmentSheetContent content;
    for (int i = 0; i < kPlaceFieldCount; ++i) {
        content.rows.push_back(
            {QString::fromUtf8(kPlaceFieldNames[i]), place[static_cast<std::size_t>(i)].trimmed()});
    }
    for (AssessLine& line : AssessLines(judged)) content.rows.push_back(std::move(line));
    content.pageHeader = MeasurementDateText(judged.assessment);
    content.conditionsClass = judged.assessment.conditionsClass;
    return content;
}

void WriteAssessmentSheet(WorkbookModel& book, const AssessmentSheetContent& content) {
    // The protocol's own sheet keeps its cells; only how it prints is set.
    SetUpPrinting(book.sheets.front(), content.pageHeader);

    SheetModel& sheet = book.sheets.emplace_back(QString::fromUtf8(kAssessSheetName));
    sheet.setColumnWidth(1, kLabelWidth);
    sheet.setColumnWidth(2, kValueWidth);
    SetTextCell(sheet, 1, 1, QString::fromUtf8(kAssessSheetTitle));
    SetTextCell(sheet, 2, 1, QString::fromUtf8(kAssessSheetHeaders[0]));
    SetTextCell(sheet, 2, 2, QString::fromUtf8(kAssessSheetHeaders[1]));
    sheet.fill(kHeaderRange, kHeaderFill);
    int row = kFirstRow;
    for (const AssessLine& line : content.rows) {
        SetTextCell(sheet, row, 1, line.label);
        if (line.number) {
            SetNumberCell(sheet, row, 2, *line.number);
        } else {
            SetTextCell(sheet, row, 2, line.value);
        }
        if (content.conditionsClass && line.label == QString::fromUtf8(kClassLineLabel)) {
            sheet.fill({row, 1, row, 2}, ClassFill(*content.conditionsClass));
            sheet.setLargeFont({row, 2, row, 2}, kClassPoints);
        }
        ++row;
    }
    sheet.drawBorders({2, 1, std::max(row - 1, 2), 2});
    SetUpPrinting(sheet, content.pageHeader);
}

}  // namespace lmr

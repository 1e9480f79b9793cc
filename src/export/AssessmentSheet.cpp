#include "export/AssessmentSheet.h"

#include <algorithm>

#include "assess/AssessTexts.h"
#include "export/Uxls.h"

namespace lmr {

namespace {

constexpr int kLandscape = 2;
constexpr int kYellow = 6;  // the header fill of the protocol's first sheet
constexpr int kContinuousLine = 1;
constexpr int kLabelWidth = 48;
constexpr int kValueWidth = 60;
constexpr int kFirstRow = 3;

// The class's fill from the palette: 1 and 2 green, 3.1 … 3.4 yellow to red, 4 dark red.
int ClassColorIndex(ConditionsClass c) {
    constexpr int kIndices[kConditionsClassCount] = {4, 43, 6, 44, 45, 3, 9};
    return kIndices[static_cast<int>(c)];
}

void SetUpPrinting(const Automation& sheet, const QString& header) {
    const Automation page = sheet.GetProperty("PageSetup");
    page.SetProperty("Orientation", kLandscape);
    page.SetProperty("Zoom", false);
    page.SetProperty("FitToPagesWide", 1);
    page.SetProperty("FitToPagesTall", false);
    page.SetProperty("PrintTitleRows", "$1:$2");
    page.SetProperty("CenterHeader", header);
}

}  // namespace

void WriteAssessmentSheet(const Automation& app, const AssessmentSheetContent& content) {
    // The protocol's own sheet keeps its cells; only how it prints is set.
    SetUpPrinting(app.GetProperty("WorkSheets", 1), content.pageHeader);

    app.GetProperty("WorkSheets").CallMethod("Add");
    const Automation sheet = app.GetProperty("WorkSheets", 2);
    sheet.SetProperty("Name", QString::fromUtf8(kAssessSheetName));
    sheet.GetProperty("Columns").GetProperty("Item", 1).SetProperty("ColumnWidth", kLabelWidth);
    sheet.GetProperty("Columns").GetProperty("Item", 2).SetProperty("ColumnWidth", kValueWidth);
    SetCell(sheet, 1, 1, QString::fromUtf8(kAssessSheetTitle));
    SetCell(sheet, 2, 1, QString::fromUtf8(kAssessSheetHeaders[0]));
    SetCell(sheet, 2, 2, QString::fromUtf8(kAssessSheetHeaders[1]));
    sheet.GetProperty("Range", "A2:B2").GetProperty("Interior").SetProperty("ColorIndex", kYellow);
    int row = kFirstRow;
    for (const auto& [label, value] : content.rows) {
        SetCell(sheet, row, 1, label);
        SetCell(sheet, row, 2, value);
        if (content.conditionsClass && label == QString::fromUtf8(kClassLineLabel)) {
            sheet.GetProperty("Range", QStringLiteral("A%1:B%1").arg(row))
                .GetProperty("Interior")
                .SetProperty("ColorIndex", ClassColorIndex(*content.conditionsClass));
        }
        ++row;
    }
    const Automation table =
        sheet.GetProperty("Range", QStringLiteral("A2:B%1").arg(std::max(row - 1, 2)));
    for (int side = 1; side <= 4; ++side) {
        table.GetProperty("Borders")
            .GetProperty("Item", side)
            .SetProperty("LineStyle", kContinuousLine);
    }
    SetUpPrinting(sheet, content.pageHeader);
}

}  // namespace lmr

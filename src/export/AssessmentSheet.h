#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "assess/AssessTexts.h"
#include "assess/NormTables.h"
#include "export/WorkbookModel.h"

namespace lmr {

// What the assessment sheet holds: label and value rows, and the page header of both sheets.
struct AssessmentSheetContent {
    // A row's number goes into its cell; a row without one is text (the place of measurement
    // as the user typed it: a workshop "007123" keeps its zeros).
    std::vector<AssessLine> rows;
    QString pageHeader;  // "Дата измерений: 07.04.2009"
    std::optional<ConditionsClass> conditionsClass;  // fills the class's row in its colour
};

// The sheet of one judged set of readings: the place of measurement, then the lines the
// assessment window lists.
[[nodiscard]] AssessmentSheetContent AssessmentSheetOf(
    const JudgedAssessment& judged, const std::array<QString, kPlaceFieldCount>& place);

// Adds the worksheet "Оценка" after the protocol's sheet, writes the rows under a title and a
// header row, and sets both sheets to print landscape, fitted to the page's width, with their
// title and header rows on every page and the page header given.
void WriteAssessmentSheet(WorkbookModel& book, const AssessmentSheetContent& content);

}  // namespace lmr

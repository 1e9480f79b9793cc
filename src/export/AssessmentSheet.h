#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "assess/NormTables.h"
#include "export/WorkbookModel.h"

namespace lmr {

// What the assessment sheet holds: label and value rows, and the page header of both sheets.
struct AssessmentSheetContent {
    std::vector<std::pair<QString, QString>> rows;
    // The first rows are the place of measurement as the user typed it: texts even where they
    // read as numbers (a workshop "007123" keeps its zeros).
    int typedRows = 0;
    QString pageHeader;  // "Дата измерений: 07.04.2009"
    std::optional<ConditionsClass> conditionsClass;  // fills the class's row in its colour
};

// Adds the worksheet "Оценка" after the protocol's sheet, writes the rows under a title and a
// header row (texts that read as numbers in the locale as numbers, but for the typed rows),
// and sets both sheets to
// print landscape, fitted to the page's width, with their title and header rows on every page
// and the page header given.
void WriteAssessmentSheet(WorkbookModel& book, const AssessmentSheetContent& content,
                          const QLocale& locale);

}  // namespace lmr

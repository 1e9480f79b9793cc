#pragma once

class QTableWidget;

namespace lmr {

// A table of the survey window made as high as its rows (two at least, eight at most: it
// scrolls beyond), so the page holds the rest below it without a gap.
void FitRows(QTableWidget* table);

}  // namespace lmr

#pragma once

class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QWidget;

namespace lmr {

class DateField;

// The survey window's fields, made alike: a text field holds no more than the file may hold.
[[nodiscard]] QLineEdit* MakeEdit(QWidget* parent, const char* name);
[[nodiscard]] DateField* MakeDate(QWidget* parent, const char* name);
[[nodiscard]] QTableWidget* MakeTable(QWidget* parent, const char* name,
                                      const char* const* headers, int count);
[[nodiscard]] QPushButton* MakeButton(QWidget* parent, const char* caption, const char* name);
// The page in a scroll area of its own, which scrolls it when the window is low.
[[nodiscard]] QScrollArea* Scrolled(QWidget* page, QWidget* parent);

// A table of the survey window made as high as its rows (two at least, eight at most: it
// scrolls beyond), so the page holds the rest below it without a gap.
void FitRows(QTableWidget* table);

}  // namespace lmr

#pragma once

#include <clocale>

namespace lmr {

// QApplication switches the C library to the user's locale, whose decimal mark may be a comma;
// the numbers the C library writes into files (the workbook's XML, data files) must keep the
// file format's decimal point. Call once, right after the application object is made: what the
// user sees is formatted by Qt in the user's locale all the same.
inline void KeepFileNumbersInCLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace lmr

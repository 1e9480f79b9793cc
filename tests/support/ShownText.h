#pragma once

#include <QLocale>
#include <QString>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lmr::test {

// An expected number text as the user sees it: written here with a decimal point
// ("18.5", "33.33 %"), shown with the decimal mark of the user's locale ("18,5" under
// ru_RU). Only for texts whose every "." is a decimal mark.
inline QString ShownNumber(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace lmr::test

#include <gtest/gtest.h>

#include "surveyui/DateField.h"

namespace lmr {
namespace {

// A day is read as typed with or without dots; an empty field is no day; anything else, and a
// day the calendar has not, is not read (the field keeps it for the user to mend).
TEST(DateField, ReadsADayAsTyped) {
    const struct {
        const char* typed;
        std::optional<QDate> day;
    } rows[] = {
        {"15032026", QDate(2026, 3, 15)},
        {"15.03.2026", QDate(2026, 3, 15)},
        {" 5.3.2026 ", QDate(2026, 3, 5)},
        {"29022024", QDate(2024, 2, 29)},
        {"", QDate()},
        {"   ", QDate()},
        {"29022026", std::nullopt},
        {"32.01.2026", std::nullopt},
        {"150326", std::nullopt},
        {"не указана15032026", std::nullopt},
        {"15.03.2026x", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(ReadDayText(QString::fromUtf8(row.typed)), row.day);
    }
}

}  // namespace
}  // namespace lmr

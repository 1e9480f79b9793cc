#include <gtest/gtest.h>

#include <QTimeZone>

#include "ShownText.h"
#include "measure/NumberText.h"

namespace lmr {
namespace {

TEST(NumberText, RoundsToTenthTiesToEven) {
    EXPECT_DOUBLE_EQ(RoundToTenth(23.44), 23.4);
    EXPECT_DOUBLE_EQ(RoundToTenth(-5.94), -5.9);
    EXPECT_DOUBLE_EQ(RoundToTenth(18.4525), 18.5);
    // 0.25 / 0.1 is exactly 2.5 in double: the tie goes to the even 2.
    EXPECT_DOUBLE_EQ(RoundToTenth(0.25), 0.2);
    EXPECT_DOUBLE_EQ(RoundToTenth(0.65), 0.6);
    EXPECT_DOUBLE_EQ(RoundToTenth(0.75), 0.8);
    // 0.35 is held below the tie, so it rounds down whatever the tie rule.
    EXPECT_DOUBLE_EQ(RoundToTenth(0.35), 0.3);
    // The result is the integer times 0.1, not the nearest double to the decimal.
    EXPECT_EQ(RoundToTenth(23.4), 234 * 0.1);
}

TEST(NumberText, WritesGeneralFormatWithoutTrailingZeros) {
    EXPECT_EQ(NumberText(RoundToTenth(23.4)), test::ShownNumber("23.4"));
    EXPECT_EQ(NumberText(22.0), "22");
    EXPECT_EQ(NumberText(RoundToTenth(-5.94)), test::ShownNumber("-5.9"));
    EXPECT_EQ(NumberText(6553.5), test::ShownNumber("6553.5"));
    EXPECT_EQ(NumberText(RoundToTenth(123456789.04)), "123456789");
    EXPECT_EQ(NumberText(0.1), test::ShownNumber("0.1"));
    EXPECT_EQ(TenthText(21.950000762939453), "22");
    EXPECT_EQ(TenthText(100.04), "100");
}

TEST(NumberText, NeverWritesNegativeZero) {
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(TenthText(-0.04), "0");
    EXPECT_EQ(TenthText(-1e-12), "0");
    EXPECT_EQ(TenthText(-0.05), "0");
    EXPECT_EQ(TenthText(-0.06), test::ShownNumber("-0.1"));
}

TEST(NumberText, TimeOfDayIsHoursMinutesSeconds) {
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 5, 33));
    EXPECT_EQ(TimeOfDayText(t), "14:05:33");
    EXPECT_EQ(TimeOfDayText(QDateTime(QDate(2024, 3, 5), QTime(9, 0, 7))), "09:00:07");
    // A time given in another zone is written as local time, without a zone name.
    const QDateTime utc = t.toUTC();
    EXPECT_EQ(TimeOfDayText(utc), "14:05:33");
}

TEST(NumberText, ParsesPointOrCommaAndRejectsTheRest) {
    EXPECT_EQ(ParseDecimal("25.5"), 25.5);
    EXPECT_EQ(ParseDecimal("25,5"), 25.5);
    EXPECT_EQ(ParseDecimal("  -3,25 "), -3.25);
    EXPECT_EQ(ParseDecimal("0.0"), 0.0);
    EXPECT_EQ(ParseDecimal("40"), 40.0);
    EXPECT_EQ(ParseDecimal("+7"), 7.0);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    EXPECT_EQ(ParseDecimal("5."), 5.0);
    for (const char* bad : {"abc", "", "   ", "1.2.3", "25,5x", "1,2.3", "-", ".", "1e3", "inf",
                            "nan", "--1", "1-", "2 5", "0x10", "١٢"}) {
        EXPECT_FALSE(ParseDecimal(QString::fromUtf8(bad)).has_value()) << bad;
    }
}

}  // namespace
}  // namespace lmr

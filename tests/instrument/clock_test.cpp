#include <gtest/gtest.h>

#include "instrument/InstrumentClock.h"
#include "link/CommandCodes.h"

namespace lmr {
namespace {

std::vector<int> MessageOf(const ClockFields& f) {
    std::vector<int> bytes{Code(Command::SetClock)};
    for (ClockField field : kClockMessageOrder)
        bytes.push_back(ClockByte(field, FieldOf(f, field)));
    return bytes;
}

TEST(InstrumentClock, MessageIsMinuteHourDayMonthYearCode) {
    const ClockFields f = ClockFieldsOf(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)));
    EXPECT_EQ(MessageOf(f), (std::vector<int>{175, 10, 16, 7, 4, 9}));
    EXPECT_EQ(ClockByte(ClockField::Year, 2100), 100);
    EXPECT_EQ(ClockByte(ClockField::Year, 2024), 24);
    EXPECT_EQ(ClockByte(ClockField::Year, 2255), 255);
    EXPECT_EQ(ClockByte(ClockField::Year, 2256), 0);
    EXPECT_EQ(ClockByte(ClockField::Minute, 59), 59);  // plain number, not BCD 0x59
}

TEST(InstrumentClock, RefreshKeepsEveryFieldInItsRange) {
    const ClockFields late = ClockFieldsOf(QDateTime(QDate(2150, 12, 31), QTime(23, 59, 59)));
    EXPECT_EQ(late.year, 2100);
    EXPECT_EQ(late.month, 12);
    EXPECT_EQ(late.day, 31);
    EXPECT_EQ(late.hour, 23);
    EXPECT_EQ(late.minute, 59);
    EXPECT_EQ(ClockFieldsOf(QDateTime(QDate(2001, 1, 1), QTime(0, 0))).year, 2009);
    EXPECT_EQ(ClampClockField(ClockField::Day, 0), 1);
    EXPECT_EQ(ClampClockField(ClockField::Day, 32), 31);
    EXPECT_EQ(ClampClockField(ClockField::Hour, 24), 23);
    EXPECT_EQ(ClampClockField(ClockField::Month, 13), 12);
    EXPECT_EQ(ClampClockField(ClockField::Minute, -1), 0);
}

TEST(InstrumentClock, DatesThatDoNotExistAreRefused) {
    EXPECT_EQ(NonexistentDateRefusal({10, 5, 31, 4, 2009}).value_or(QString()),
              QString::fromUtf8("Такой даты нет: 31.04.2009 — дата и время не записаны"));
    EXPECT_EQ(NonexistentDateRefusal({10, 5, 29, 2, 2010}).value_or(QString()),
              QString::fromUtf8("Такой даты нет: 29.02.2010 — дата и время не записаны"));
    EXPECT_FALSE(NonexistentDateRefusal({10, 5, 29, 2, 2012}));
    EXPECT_TRUE(NonexistentDateRefusal({10, 5, 29, 2, 2100}));  // not a leap year
    EXPECT_FALSE(NonexistentDateRefusal({23, 59, 31, 12, 2100}));
    EXPECT_FALSE(NonexistentDateRefusal({0, 0, 30, 4, 2009}));
}

}  // namespace
}  // namespace lmr

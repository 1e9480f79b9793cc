#include <gtest/gtest.h>

#include "measure/TimeWindow.h"

namespace lmr {
namespace {

QDateTime At(int h, int m, int s = 0) {
    return QDateTime(QDate(2024, 6, 1), QTime(h, m, s));
}

TEST(TimeWindow, ReadsMaskedEditTexts) {
    struct Case {
        const char* text;
        WindowTimeState state;
        int h, m;
    };
    const Case cases[] = {
        {"09:30", WindowTimeState::Valid, 9, 30},   {" 9:30", WindowTimeState::Valid, 9, 30},
        {"9:30", WindowTimeState::Valid, 9, 30},    {"_9:30", WindowTimeState::Valid, 9, 30},
        {"00:00", WindowTimeState::Valid, 0, 0},    {"23:59", WindowTimeState::Valid, 23, 59},
        {"  :  ", WindowTimeState::Empty, 0, 0},    {"__:__", WindowTimeState::Empty, 0, 0},
        {"", WindowTimeState::Invalid, 0, 0},       {"25:99", WindowTimeState::Invalid, 0, 0},
        {"24:00", WindowTimeState::Invalid, 0, 0},  {"12:60", WindowTimeState::Invalid, 0, 0},
        {"12:3_", WindowTimeState::Invalid, 0, 0},  {"  :30", WindowTimeState::Invalid, 0, 0},
        {"12:  ", WindowTimeState::Invalid, 0, 0},  {"1a:30", WindowTimeState::Invalid, 0, 0},
        {"123:30", WindowTimeState::Invalid, 0, 0}, {"12.30", WindowTimeState::Invalid, 0, 0},
        {"1 2:30", WindowTimeState::Invalid, 0, 0}, {"12:30:00", WindowTimeState::Invalid, 0, 0},
    };
    for (const Case& c : cases) {
        const WindowTime t = ParseWindowTime(c.text);
        EXPECT_EQ(t.state, c.state) << '"' << c.text << '"';
        EXPECT_EQ(t.time.has_value(), c.state == WindowTimeState::Valid) << c.text;
        if (t.time) {
            EXPECT_EQ(t.time->hour(), c.h) << c.text;
            EXPECT_EQ(t.time->minute(), c.m) << c.text;
        }
    }
}

TEST(TimeWindow, MatchesTheWholeMinuteByNumbers) {
    EXPECT_TRUE(MatchesMinute("09:30", At(9, 30, 0)));
    EXPECT_TRUE(MatchesMinute(" 9:30", At(9, 30, 59)));
    EXPECT_FALSE(MatchesMinute("09:30", At(9, 31, 0)));
    EXPECT_FALSE(MatchesMinute("09:30", At(9, 29, 59)));
    EXPECT_FALSE(MatchesMinute("09:30", At(21, 30, 0)));
    EXPECT_TRUE(MatchesMinute("21:30", At(21, 30, 20)));
    EXPECT_TRUE(MatchesMinute("0:05", At(0, 5, 40)));
    EXPECT_FALSE(MatchesMinute("  :  ", At(0, 0, 0)));
    EXPECT_FALSE(MatchesMinute("25:99", At(1, 39, 0)));
}

TEST(TimeWindow, ComparesLocalTime) {
    const QDateTime local = At(14, 5, 10);
    EXPECT_TRUE(MatchesMinute("14:05", local.toUTC()));
}

}  // namespace
}  // namespace lmr

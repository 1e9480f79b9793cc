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

// The time the options window keeps for the text of its edit.
std::optional<QTime> Minute(const char* text) {
    return ParseWindowTime(QString::fromLatin1(text)).time;
}

TEST(TimeWindow, MatchesTheWholeMinuteByNumbers) {
    EXPECT_TRUE(MatchesMinute(Minute("09:30"), At(9, 30, 0)));
    EXPECT_TRUE(MatchesMinute(Minute(" 9:30"), At(9, 30, 59)));
    EXPECT_FALSE(MatchesMinute(Minute("09:30"), At(9, 31, 0)));
    EXPECT_FALSE(MatchesMinute(Minute("09:30"), At(9, 29, 59)));
    EXPECT_FALSE(MatchesMinute(Minute("09:30"), At(21, 30, 0)));
    EXPECT_TRUE(MatchesMinute(Minute("21:30"), At(21, 30, 20)));
    EXPECT_TRUE(MatchesMinute(Minute("0:05"), At(0, 5, 40)));
    EXPECT_FALSE(MatchesMinute(Minute("  :  "), At(0, 0, 0)));
    EXPECT_FALSE(MatchesMinute(Minute("25:99"), At(1, 39, 0)));
}

TEST(TimeWindow, ReachedMinuteCountsAClockSetForwardButNotOneSetBack) {
    struct Case {
        const char* end;
        QDateTime since, now;
        bool reached;
    };
    const Case cases[] = {
        {"09:32", At(9, 31, 0), At(9, 32, 0), true},    // the minute itself
        {"09:32", At(9, 31, 0), At(9, 47, 0), true},    // set forward over it
        {"09:32", At(9, 31, 0), At(9, 20, 0), false},   // set back
        {"09:32", At(9, 31, 0), At(9, 31, 50), false},  // not yet
        {"09:40", At(9, 50, 0), At(9, 50, 20), false},  // after today's end: tomorrow's
        {"  :  ", At(9, 0, 0), At(12, 0, 0), false},
        {"09:32", QDateTime(), At(9, 33, 0), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReachedMinute(Minute(c.end), c.since, c.now), c.reached)
            << c.end << " " << c.now.toString().toStdString();
    }
}

TEST(TimeWindow, ComparesLocalTime) {
    const QDateTime local = At(14, 5, 10);
    EXPECT_TRUE(MatchesMinute(Minute("14:05"), local.toUTC()));
}

}  // namespace
}  // namespace lmr

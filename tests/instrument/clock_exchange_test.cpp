#include <gtest/gtest.h>

#include "../logger/MeterBench.h"
#include "instrument/InstrumentClock.h"
#include "meter/ClockExchange.h"

namespace lmr::test {
namespace {

// The bytes of the fields as they are at the moment each goes out, as the window hands them.
ClockByteAt ReaderOf(ClockFields& f) {
    return [&f](int index) {
        const ClockField field = kClockMessageOrder[static_cast<size_t>(index)];
        return ClockByte(field, FieldOf(f, field));
    };
}

TEST(ClockExchange, WritesMinuteHourDayMonthYearCode) {
    MeterBench bench;
    ClockFields f = ClockFieldsOf(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)));
    int started = 0;
    EXPECT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), [&] { ++started; }),
              MeterStatus::Ok);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(bench.HostBytes(), "H55 I0 " + RequestBytes({175, 10, 16, 7, 4, 9}, {}));
    const sim::InstrumentClock c = bench.meter().Clock();
    EXPECT_EQ(c.sets, 1);
    EXPECT_EQ(c.minute, 10);
    EXPECT_EQ(c.hour, 16);
    EXPECT_EQ(c.day, 7);
    EXPECT_EQ(c.month, 4);
    EXPECT_EQ(c.yearCode, 9);

    f.year = 2100;
    ASSERT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr), MeterStatus::Ok);
    EXPECT_EQ(bench.meter().Clock().yearCode, 100);
}

TEST(ClockExchange, FieldChangedBetweenTwoBytesGoesOutWithItsNewValue) {
    MeterBench bench;
    ClockFields f{16, 10, 7, 4, 2009};
    // The user edits the hour just after the minute byte went out.
    bench.onByte = [&f](const TranscriptEntry& e) {
        if (e.fromHost && e.byte == 10) f.hour = 17;
    };
    ASSERT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr), MeterStatus::Ok);
    EXPECT_EQ(bench.HostBytes(), "H55 I0 " + RequestBytes({175, 10, 17, 7, 4, 9}, {}));
}

TEST(ClockExchange, DateThatDoesNotExistIsRefused) {
    const ClockFields f{16, 10, 31, 4, 2009};
    EXPECT_EQ(NonexistentDateRefusal(f).value_or("?"),
              "Такой даты нет: 31.04.2009 — дата и время не записаны");
}

TEST(ClockExchange, NoAnswerSendsOnlyTheProbe) {
    MeterBench bench(SilentMeter());
    ClockFields f{16, 10, 7, 4, 2009};
    EXPECT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr), MeterStatus::NoAnswer);
    EXPECT_EQ(bench.HostBytes(), "H55");
}

TEST(ClockExchange, LostAfterTheProbeIsReported) {
    sim::Options o;
    o.silentAfter = 3;  // the probe answer and the answers to 175 and the minute
    MeterBench bench(o);
    ClockFields f{16, 10, 7, 4, 2009};
    EXPECT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr), MeterStatus::Lost);
    EXPECT_FALSE(bench.link().IsOpen());
}

}  // namespace
}  // namespace lmr::test

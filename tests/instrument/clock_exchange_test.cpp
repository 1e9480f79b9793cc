#include <gtest/gtest.h>

#include "../logger/MeterBench.h"
#include "instrument/ClockExchange.h"

namespace lmr::test {
namespace {

ClockFieldReader ReaderOf(ClockFields& f) {
    return [&f](ClockField field) { return FieldOf(f, field); };
}

TEST(ClockExchange, WritesMinuteHourDayMonthYearCode) {
    MeterBench bench;
    ClockFields f = ClockFieldsOf(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)));
    std::vector<QString> progress;
    const ClockResult r = WriteInstrumentClock(bench.link(), 1, ReaderOf(f),
                                               [&](const QString& t) { progress.push_back(t); });
    EXPECT_EQ(r.status, InstrumentStatus::Done);
    EXPECT_EQ(r.message, "Запись времяни и даты завершена");
    EXPECT_EQ(progress, std::vector<QString>{"Запись времяни и даты ..."});
    EXPECT_EQ(bench.HostBytes(), "H55 I0 " + RequestBytes({175, 10, 16, 7, 4, 9}, {}));
    const sim::InstrumentClock c = bench.meter().Clock();
    EXPECT_EQ(c.sets, 1);
    EXPECT_EQ(c.minute, 10);
    EXPECT_EQ(c.hour, 16);
    EXPECT_EQ(c.day, 7);
    EXPECT_EQ(c.month, 4);
    EXPECT_EQ(c.yearCode, 9);

    f.year = 2100;
    ASSERT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr).status,
              InstrumentStatus::Done);
    EXPECT_EQ(bench.meter().Clock().yearCode, 100);
}

TEST(ClockExchange, FieldChangedBetweenTwoBytesGoesOutWithItsNewValue) {
    MeterBench bench;
    ClockFields f{16, 10, 7, 4, 2009};
    // The user edits the hour just after the minute byte went out.
    bench.onByte = [&f](const TranscriptEntry& e) {
        if (e.fromHost && e.byte == 10) f.hour = 17;
    };
    ASSERT_EQ(WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr).status,
              InstrumentStatus::Done);
    EXPECT_EQ(bench.HostBytes(), "H55 I0 " + RequestBytes({175, 10, 17, 7, 4, 9}, {}));
}

TEST(ClockExchange, DateThatDoesNotExistIsRefusedWithoutSending) {
    MeterBench bench;
    ClockFields f{16, 10, 31, 4, 2009};
    const ClockResult r = WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr);
    EXPECT_EQ(r.status, InstrumentStatus::Refused);
    EXPECT_EQ(r.message, "Такой даты нет: 31.04.2009 — дата и время не записаны");
    EXPECT_EQ(bench.HostBytes(), "");
    EXPECT_EQ(bench.meter().Clock().sets, 0);
}

TEST(ClockExchange, NoAnswerSendsOnlyTheProbe) {
    MeterBench bench(SilentMeter());
    ClockFields f{16, 10, 7, 4, 2009};
    const ClockResult r = WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr);
    EXPECT_EQ(r.status, InstrumentStatus::NoAnswer);
    EXPECT_EQ(r.message, "Нет отклика от прибора");
    EXPECT_EQ(bench.HostBytes(), "H55");
}

TEST(ClockExchange, LostAfterTheProbeIsReported) {
    sim::Options o;
    o.silentAfter = 3;  // the probe answer and the answers to 175 and the minute
    MeterBench bench(o);
    ClockFields f{16, 10, 7, 4, 2009};
    const ClockResult r = WriteInstrumentClock(bench.link(), 1, ReaderOf(f), nullptr);
    EXPECT_EQ(r.status, InstrumentStatus::Lost);
    EXPECT_EQ(r.message, "Связь с прибором прервана — запись даты и времени не завершена");
    EXPECT_FALSE(bench.link().IsOpen());
}

}  // namespace
}  // namespace lmr::test

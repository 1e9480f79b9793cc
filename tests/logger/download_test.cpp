#include <gtest/gtest.h>

#include "MeterBench.h"
#include "ShownText.h"
#include "link/Exchange.h"
#include "logger/LoggerRow.h"
#include "meter/LoggerDownload.h"

namespace lmr::test {
namespace {

// What a download delivered, as the rows the window makes of it.
struct Delivered {
    std::vector<LoggerRow> rows;
    std::vector<int> between;
    DownloadResult result;
};

Delivered Download(MeterBench& bench) {
    Delivered d;
    const RecordSink record = [&](std::uint16_t address, const LoggerRecordBytes& bytes) {
        d.rows.push_back(MakeLoggerRow(address, DecodeLoggerRecord(bytes)));
        const int accepted = static_cast<int>(d.rows.size());
        d.between.push_back(accepted);
    };
    d.result = DownloadLogger(bench.link(), 1, record);
    return d;
}

std::vector<int> Bytes(const sim::LoggerRecord& r) {
    return {r.bytes.begin(), r.bytes.end()};
}

sim::Options Logger(std::vector<sim::LoggerRecord> records) {
    sim::Options o;
    o.logger = std::move(records);
    return o;
}

TEST(LoggerDownload, HourContinuesOnlyByZeroOrOneOrMidnight) {
    const int run[] = {22, 23, 23, 0, 1};
    for (int i = 1; i < 5; ++i) EXPECT_TRUE(HourContinues(run[i - 1], run[i])) << i;
    EXPECT_FALSE(HourContinues(5, 7));
    EXPECT_FALSE(HourContinues(5, 4));
    EXPECT_FALSE(HourContinues(0, 23));
    EXPECT_FALSE(HourContinues(23, 1));
    EXPECT_FALSE(HourContinues(22, 0));
    EXPECT_TRUE(HourContinues(255, 255));
    EXPECT_FALSE(HourContinues(255, 0));
}

TEST(LoggerDownload, ThreeRecordsExactTranscript) {
    const std::vector<sim::LoggerRecord> records = {sim::MakeRecord(500, 250, 300, 14, 5),
                                                    sim::MakeRecord(450, 220, 200, 14, 35),
                                                    sim::MakeRecord(0x01FF, 0x0102, 0x0304, 15, 5)};
    // The fourth record's hour breaks the sequence: it is read but not shown.
    const sim::LoggerRecord breaking = sim::MakeRecord(500, 250, 300, 17, 0);
    std::vector<sim::LoggerRecord> logger = records;
    logger.push_back(breaking);
    MeterBench bench(Logger(logger));

    const Delivered d = Download(bench);
    EXPECT_EQ(d.result.status, MeterStatus::Ok);
    EXPECT_EQ(d.result.accepted, 3);
    EXPECT_EQ(d.between, (std::vector<int>{1, 2, 3}));

    std::string expected = "H55 I0";
    for (int i = 0; i < 4; ++i) {
        const int address = 10 * (i + 1);
        expected += ' ' + RequestBytes({173, address >> 8, address & 0xFF},
                                       Bytes(i < 3 ? records[i] : breaking));
    }
    EXPECT_EQ(bench.HostBytes(), expected);

    ASSERT_EQ(d.rows.size(), 3u);
    EXPECT_EQ(d.rows[0].cells[0], "14:5 7.4.9");
    EXPECT_EQ(d.rows[1].cells[0], "14:35 7.4.9");
    EXPECT_EQ(d.rows[2].cells[0], "15:5 7.4.9");
    EXPECT_EQ(d.rows[2].cells[3], ShownNumber("51.1"));  // RH word 0x01FF, high byte first
    EXPECT_EQ(d.rows[2].cells[4], ShownNumber("25.8"));
    EXPECT_EQ(d.rows[2].cells[5], ShownNumber("77.2"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d.rows[i].points[0].x, 10.0 * (i + 1));
        EXPECT_EQ(d.rows[i].points[3].xLabel, QString::number(10 * (i + 1)));
    }
}

TEST(LoggerDownload, WorkedRecordsAndUnsignedWordsOverTheLine) {
    MeterBench bench(
        Logger({sim::MakeRecord(500, 250, 300, 3, 0), sim::MakeRecord(450, 220, 200, 3, 10),
                sim::MakeRecord(0, 0, 0, 3, 20),  // RH 0: no dew point, go on
                sim::MakeRecord(300, 200, 0xFFCE, 4, 0)}));
    const Delivered d = Download(bench);
    EXPECT_EQ(d.result.status, MeterStatus::Ok);
    ASSERT_EQ(d.rows.size(), 4u);
    EXPECT_EQ(d.rows[0].cells[0], "3:0 7.4.9");
    const char* const first[] = {"22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"};
    for (int c = 1; c < kLoggerColumns; ++c) {
        EXPECT_EQ(d.rows[0].cells[c], ShownNumber(first[c - 1])) << c;
    }
    EXPECT_EQ(d.rows[1].cells[5], "22");
    EXPECT_EQ(d.rows[1].cells[8], "22");
    EXPECT_EQ(d.rows[1].cells[9], "0");
    EXPECT_EQ(d.rows[2].cells[7], "-");
    EXPECT_EQ(d.rows[3].cells[5], ShownNumber("6548.6"));  // 0xFFCE unsigned
    EXPECT_NEAR(d.rows[3].points[3].y, 6548.6, 1e-9);
}

TEST(LoggerDownload, HourSequenceDecidesWhereTheLoggerEnds) {
    struct Case {
        std::vector<int> hours;
        int accepted;
    };
    // The meter answers erased memory (hour 255) after the last record.
    const Case cases[] = {
        {{22, 23, 23, 0, 1}, 5}, {{5, 7, 8}, 1}, {{5, 5, 4}, 2}, {{13}, 1}, {{23, 0, 0, 1, 3}, 4}};
    for (const Case& c : cases) {
        MeterBench bench(Logger(sim::LoggerFromHours(c.hours)));
        const Delivered d = Download(bench);
        EXPECT_EQ(d.result.status, MeterStatus::Ok);
        EXPECT_EQ(d.result.accepted, c.accepted) << c.hours.size();
        EXPECT_EQ(static_cast<int>(d.rows.size()), c.accepted);
    }
}

TEST(LoggerDownload, FullLoggerStopsAfterAddress30000) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(3100);  // more than the host may ask for
    MeterBench bench(o);
    const Delivered d = Download(bench);
    EXPECT_EQ(d.result.status, MeterStatus::Ok);
    EXPECT_EQ(d.result.accepted, 3000);
    ASSERT_EQ(d.rows.size(), 3000u);
    EXPECT_EQ(d.rows.front().points[0].x, 10.0);
    EXPECT_EQ(d.rows.back().points[0].x, 30000.0);
    EXPECT_EQ(d.rows.back().points[0].xLabel, "30000");
    // 38 bytes per record after the probe and its answer: nothing was asked past 30000.
    EXPECT_EQ(bench.Host().size(), 2u + 3000u * 38u);
}

TEST(LoggerDownload, SilentMeterGivesNoAnswerAndNothing) {
    MeterBench bench(SilentMeter());
    const Delivered d = Download(bench);
    EXPECT_EQ(d.result.status, MeterStatus::NoAnswer);
    EXPECT_EQ(d.result.accepted, 0);
    EXPECT_TRUE(d.rows.empty());
    EXPECT_TRUE(d.between.empty());
    EXPECT_EQ(bench.HostBytes(), "H55");
    EXPECT_FALSE(bench.link().IsOpen());
}

TEST(LoggerDownload, LinkLostInRecord57KeepsTheFirst56) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(100);
    // The probe answer, 56 whole records of 19 bytes, then the answers to record 57's request
    // and half of its data.
    o.silentAfter = 1 + 56 * 19 + 3 + 8;
    MeterBench bench(o);
    const Delivered d = Download(bench);
    EXPECT_EQ(d.result.status, MeterStatus::Lost);
    EXPECT_EQ(d.result.accepted, 56);
    ASSERT_EQ(d.rows.size(), 56u);
    EXPECT_EQ(d.rows.back().points[0].x, 560.0);
    EXPECT_FALSE(bench.link().IsOpen());

    // The meter recovers: a later download works again.
    bench.meter().Configure([](sim::Options& m) { m.silentAfter = -1; });
    EXPECT_EQ(Download(bench).result.accepted, 100);
}

}  // namespace
}  // namespace lmr::test

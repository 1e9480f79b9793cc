#include <gtest/gtest.h>

#include "../logger/MeterBench.h"
#include "ShownText.h"
#include "instrument/MemoryCells.h"
#include "link/CommandCodes.h"
#include "meter/MemoryCellsExchange.h"

namespace lmr::test {
namespace {

// The text the grid shows for a value read, or "?" for one not read.
QString TextOf(const MemoryReading& r, int cell, int value) {
    const auto& word = r.words[static_cast<size_t>(cell)][static_cast<size_t>(value)];
    return word ? MemoryValueText(*word) : QStringLiteral("?");
}

// The addresses the host asked for, in order, read from its side of the line.
std::vector<int> RequestedAddresses(const std::vector<TranscriptEntry>& host) {
    std::vector<int> addresses;
    std::vector<int> sent;
    for (const TranscriptEntry& e : host) {
        if (e.fromHost) sent.push_back(e.byte);
    }
    // After the probe, each value is: 5, high, low, echo, echo.
    for (size_t i = 1; i + 2 < sent.size(); i += 5) {
        EXPECT_EQ(sent[i], 5);
        addresses.push_back(sent[i + 1] << 8 | sent[i + 2]);
    }
    return addresses;
}

TEST(MemoryCellsExchange, AsksEveryValueAtItsAddressWithEchoes) {
    sim::Options o;
    o.cells[CellAddress(0, 9)] = 0x0123;
    MeterBench bench(o);
    int started = 0;
    const MemoryReading reading = ReadMemoryCells(bench.link(), 1, [&] { ++started; });
    EXPECT_EQ(reading.status, MeterStatus::Ok);
    EXPECT_EQ(reading.valuesRead, 54);
    EXPECT_EQ(started, 1);

    const std::vector<int> a = RequestedAddresses(bench.Host());
    ASSERT_EQ(a.size(), 54u);
    EXPECT_EQ(std::vector<int>(a.begin(), a.begin() + 6),
              (std::vector<int>{73, 74, 75, 76, 77, 78}));
    EXPECT_EQ(std::vector<int>(a.begin() + 6, a.begin() + 12),
              (std::vector<int>{146, 148, 150, 152, 154, 156}));
    EXPECT_EQ(std::vector<int>(a.begin() + 12, a.begin() + 18),
              (std::vector<int>{219, 222, 225, 228, 231, 234}));
    EXPECT_EQ(std::vector<int>(a.begin() + 48, a.end()),
              (std::vector<int>{657, 666, 675, 684, 693, 702}));

    // Cell 9, value 0 in full: 657 = 0x0291, the word 0x0123 high byte first, each byte echoed.
    const std::string bytes = bench.HostBytes();
    EXPECT_NE(bytes.find(RequestBytes({5, 0x02, 0x91}, {0x01, 0x23})), std::string::npos);
    EXPECT_EQ(TextOf(reading, 8, 0), ShownNumber("29.1"));
}

TEST(MemoryCellsExchange, SignedWordsAndEmptyValues) {
    sim::Options o;
    for (int c = 0; c < kValuesPerCell; ++c) o.cells[CellAddress(c, 4)] = 0xFFFF;
    o.cells[CellAddress(0, 1)] = 0xFFFE;
    o.cells[CellAddress(1, 1)] = 0xFFCE;
    o.cells[CellAddress(2, 1)] = 0x00EA;
    o.cells[CellAddress(3, 1)] = 0;
    MeterBench bench(o);
    const MemoryReading reading = ReadMemoryCells(bench.link(), 1, nullptr);
    ASSERT_EQ(reading.status, MeterStatus::Ok);
    for (int c = 0; c < kValuesPerCell; ++c) EXPECT_EQ(TextOf(reading, 3, c), "-");
    EXPECT_EQ(TextOf(reading, 0, 0), ShownNumber("-0.2"));
    EXPECT_EQ(TextOf(reading, 0, 1), "-5");
    EXPECT_EQ(TextOf(reading, 0, 2), ShownNumber("23.4"));
    EXPECT_EQ(TextOf(reading, 0, 3), "0");
}

TEST(MemoryCellsExchange, LostMidReadingKeepsTheValuesRead) {
    sim::Options o;
    // The probe answer, 17 values of 5 bytes, then the three answers and one data byte.
    o.silentAfter = 1 + 17 * 5 + 3 + 1;
    MeterBench bench(o);
    const MemoryReading reading = ReadMemoryCells(bench.link(), 1, nullptr);
    EXPECT_EQ(reading.status, MeterStatus::Lost);
    EXPECT_EQ(reading.valuesRead, 17);
    EXPECT_TRUE(reading.words[2][4].has_value());
    EXPECT_FALSE(reading.words[2][5].has_value());
    EXPECT_FALSE(reading.words[8][5].has_value());
    EXPECT_FALSE(bench.link().IsOpen());
}

TEST(MemoryCellsExchange, NoAnswerReadsNothing) {
    MeterBench bench(SilentMeter());
    bool progressed = false;
    const MemoryReading reading = ReadMemoryCells(bench.link(), 1, [&] { progressed = true; });
    EXPECT_EQ(reading.status, MeterStatus::NoAnswer);
    EXPECT_EQ(reading.valuesRead, 0);
    EXPECT_FALSE(progressed);
    EXPECT_EQ(bench.HostBytes(), "H55");
}

}  // namespace
}  // namespace lmr::test

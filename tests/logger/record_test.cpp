#include <QRgb>
#include <gtest/gtest.h>

#include "ShownText.h"
#include "logger/LoggerRecord.h"
#include "logger/LoggerRow.h"

namespace lmr {
namespace {

LoggerRecordBytes RecordBytes(std::uint16_t rh, std::uint16_t tv, std::uint16_t tsf,
                              std::uint8_t hour = 14, std::uint8_t minute = 5) {
    return {0xAB,
            0xCD,
            std::uint8_t(rh >> 8),
            std::uint8_t(rh),
            std::uint8_t(tv >> 8),
            std::uint8_t(tv),
            std::uint8_t(tsf >> 8),
            std::uint8_t(tsf),
            0x77,
            minute,
            hour,
            9,
            4,
            7,
            0xEE,
            0xFF};
}

TEST(LoggerRecord, DecodesBigEndianUnsignedWordsAndTimeBytes) {
    const LoggerRecord r = DecodeLoggerRecord(RecordBytes(0x01F4, 0x00FA, 0xFFCE, 14, 5));
    EXPECT_FLOAT_EQ(r.rh, 50.0f);
    EXPECT_FLOAT_EQ(r.tv, 25.0f);
    EXPECT_FLOAT_EQ(r.tsf, 6548.6f);  // unsigned: not -5
    EXPECT_EQ(r.hour, 14);
    EXPECT_EQ(r.minute, 5);
    EXPECT_EQ(LoggerTimeText(r), "14:5 7.4.9");
    EXPECT_FLOAT_EQ(ChannelValue(0xFFFF), 6553.5f);
    EXPECT_FLOAT_EQ(ChannelValue(0x0102), 25.8f);
}

TEST(LoggerRecord, TimeTextHasNoLeadingZeros) {
    LoggerRecord r;
    r.hour = 0;
    r.minute = 0;
    r.date13 = 31;
    r.date12 = 12;
    r.date11 = 99;
    EXPECT_EQ(LoggerTimeText(r), "0:0 31.12.99");
    r.hour = 255;
    r.minute = 7;
    EXPECT_EQ(LoggerTimeText(r), "255:7 31.12.99");
}

TEST(LoggerRow, WorkedRecordFillsColumnsAndPoints) {
    const LoggerRow row = MakeLoggerRow(10, DecodeLoggerRecord(RecordBytes(500, 250, 300)));
    EXPECT_EQ(row.cells[0], "14:5 7.4.9");
    const char* const numbers[] = {"22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"};
    for (int c = 1; c < kLoggerColumns; ++c) {
        EXPECT_EQ(row.cells[c], test::ShownNumber(numbers[c - 1])) << c;
    }

    const double ys[] = {22, 50, 25, 30};
    const std::uint32_t colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 255, 255)};
    for (int i = 0; i < kLoggerSeries; ++i) {
        EXPECT_EQ(row.points[i].x, 10.0);
        EXPECT_NEAR(row.points[i].y, ys[i], 1e-9) << i;
        EXPECT_EQ(row.points[i].xLabel, "10");
        EXPECT_EQ(row.points[i].colour, colours[i]) << i;
    }
}

TEST(LoggerRow, LowGlobeTemperatureIsRaisedToAirTemperatureAfterTheIndices) {
    const LoggerRow row = MakeLoggerRow(30000, DecodeLoggerRecord(RecordBytes(450, 220, 200)));
    EXPECT_EQ(row.cells[1], test::ShownNumber("16.7"));  // ТНС from tсф 20 as read
    EXPECT_EQ(row.cells[2], test::ShownNumber("16.9"));  // WBGT from tсф 20 as read
    EXPECT_EQ(row.cells[5], "22");                       // tсф raised to tв
    EXPECT_EQ(row.cells[6], test::ShownNumber("15.3"));
    EXPECT_EQ(row.cells[7], test::ShownNumber("9.5"));
    EXPECT_EQ(row.cells[8], "22");
    EXPECT_EQ(row.cells[9], "0");
    EXPECT_NEAR(row.points[3].y, 22.0, 1e-9);
    EXPECT_EQ(row.points[3].x, 30000.0);
    EXPECT_EQ(row.points[3].xLabel, "30000");
}

TEST(LoggerRow, ZeroHumidityShowsNoDewPoint) {
    const LoggerRow row = MakeLoggerRow(20, DecodeLoggerRecord(RecordBytes(0, 0, 0)));
    EXPECT_EQ(row.cells[7], "-");
    EXPECT_EQ(row.cells[6], test::ShownNumber("-5.9"));
    EXPECT_EQ(row.cells[1], test::ShownNumber("-4.1"));
    EXPECT_EQ(row.cells[3], "0");
}

}  // namespace
}  // namespace lmr

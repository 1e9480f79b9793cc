#include "logger/LoggerRow.h"

#include "measure/HeatStress.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// Point colours of Series1...Series4.
constexpr std::array<std::uint32_t, kLoggerSeries> kSeriesColours = {
    0xFFFF0000,  // ТНС
    0xFF00FF00,  // RH
    0xFFFFFF00,  // tв
    0xFF00FFFF,  // tсф raised to tв
};

}  // namespace

LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record) {
    return MakeLoggerRow(address, record, DeriveHeatStress(record.rh, record.tv, record.tsf));
}

LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record, const HeatStress& hs) {
    LoggerRow row;
    row.record = record;
    for (int c = 0; c < kLoggerColumns; ++c) {
        row.cells[static_cast<size_t>(c)] = LoggerCellText(c, record, hs);
    }
    const std::array<double, kLoggerSeries> values = LoggerPointValues(record, hs);
    const QString label = QString::number(address);
    for (int i = 0; i < kLoggerSeries; ++i) {
        row.points[i] = {static_cast<double>(address), values[i], label, kSeriesColours[i]};
    }
    return row;
}

QString LoggerCellText(int col, const LoggerRecord& record, const HeatStress& hs) {
    switch (col) {
        case 0: return LoggerTimeText(record);
        case 1: return TenthText(hs.ths);
        case 2: return TenthText(hs.wbgt);
        case 3: return TenthText(record.rh);
        case 4: return TenthText(record.tv);
        case 5: return TenthText(hs.tg);
        case 6: return TenthText(hs.tvt);
        case 7: return hs.ttr ? TenthText(*hs.ttr) : QStringLiteral("-");
        case 8: return TenthText(hs.trad);
        case 9: return TenthText(hs.w);
        default: return {};
    }
}

std::array<double, kLoggerSeries> LoggerPointValues(const LoggerRecord& record,
                                                    const HeatStress& hs) {
    return {RoundToTenth(hs.ths), RoundToTenth(record.rh), RoundToTenth(record.tv),
            RoundToTenth(hs.tg)};
}

}  // namespace lmr

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

std::optional<double> LoggerCellNumber(int col, const LoggerRecord& record,
                                       const HeatStress& hs) {
    switch (col) {
        case 1: return RoundToTenth(hs.ths);
        case 2: return RoundToTenth(hs.wbgt);
        case 3: return RoundToTenth(record.rh);
        case 4: return RoundToTenth(record.tv);
        case 5: return RoundToTenth(hs.tg);
        case 6: return RoundToTenth(hs.tvt);
        case 7: return hs.ttr ? std::optional<double>(RoundToTenth(*hs.ttr)) : std::nullopt;
        case 8: return RoundToTenth(hs.trad);
        case 9: return RoundToTenth(hs.w);
        default: return std::nullopt;
    }
}

QString LoggerCellText(int col, const LoggerRecord& record, const HeatStress& hs) {
    if (col == 0) return LoggerTimeText(record);
    if (col < 0 || col >= kLoggerColumns) return {};
    const std::optional<double> value = LoggerCellNumber(col, record, hs);
    return value ? NumberText(*value) : QString::fromLatin1(kAbsentText);
}

std::array<double, kLoggerSeries> LoggerPointValues(const LoggerRecord& record,
                                                    const HeatStress& hs) {
    return {RoundToTenth(hs.ths), RoundToTenth(record.rh), RoundToTenth(record.tv),
            RoundToTenth(hs.tg)};
}

}  // namespace lmr

#include "logger/LoggerRow.h"

#include "measure/HeatStress.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// Point colours of Series1...Series4.
constexpr std::array<QRgb, kLoggerSeries> kSeriesColours = {
    qRgb(255, 0, 0),    // ТНС
    qRgb(0, 255, 0),    // RH
    qRgb(255, 255, 0),  // tв
    qRgb(0, 255, 255),  // tсф raised to tв
};

}  // namespace

LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record) {
    return MakeLoggerRow(address, record, DeriveHeatStress(record.rh, record.tv, record.tsf));
}

LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record, const HeatStress& hs) {
    LoggerRow row;
    row.record = record;
    row.cells[0] = LoggerTimeText(record);
    row.cells[1] = TenthText(hs.ths);
    row.cells[2] = TenthText(hs.wbgt);
    row.cells[3] = TenthText(record.rh);
    row.cells[4] = TenthText(record.tv);
    row.cells[5] = TenthText(hs.tg);
    row.cells[6] = TenthText(hs.tvt);
    row.cells[7] = hs.ttr ? TenthText(*hs.ttr) : QStringLiteral("-");
    row.cells[8] = TenthText(hs.trad);
    row.cells[9] = TenthText(hs.w);

    const std::array<float, kLoggerSeries> values = {hs.ths, record.rh, record.tv, hs.tg};
    const QString label = QString::number(address);
    for (int i = 0; i < kLoggerSeries; ++i) {
        row.points[i] = {static_cast<double>(address), RoundToTenth(values[i]), label,
                         kSeriesColours[i]};
    }
    return row;
}

}  // namespace lmr

#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "logger/LoggerRecord.h"
#include "measure/HeatStress.h"

namespace lmr {

inline constexpr int kLoggerColumns = 10;
inline constexpr int kLoggerSeries = 4;

// One point of a logger series: X is the record address, its label the address text.
struct LoggerPoint {
    double x = 0;
    double y = 0;
    QString xLabel;
    std::uint32_t colour = 0;  // 0xAARRGGBB
};

// What one accepted record adds: a grid row and a point in each of Series1...Series4
// (ТНС, RH, tв, tсф raised to tв).
struct LoggerRow {
    std::array<QString, kLoggerColumns> cells;
    std::array<LoggerPoint, kLoggerSeries> points;
    LoggerRecord record;  // what the row was made from (a data file keeps it)
};

// Derives the heat-stress quantities of the record. The row shows the globe temperature raised
// to tв (as the instrument's logger view does) while ТНС and WBGT use it as read. A record with
// RH 0 has no dew point; its cell shows "-".
[[nodiscard]] LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record);
// The same with the record's quantities already derived.
[[nodiscard]] LoggerRow MakeLoggerRow(std::uint16_t address, const LoggerRecord& record,
                                      const HeatStress& hs);
// One cell of the row (col 0 … kLoggerColumns − 1), and the Y of its points, made alone: a
// table of a million records shows the cells in view, not a row of texts for each.
[[nodiscard]] QString LoggerCellText(int col, const LoggerRecord& record, const HeatStress& hs);
// The number a value cell (col 1 … kLoggerColumns − 1) shows, rounded as shown; nullopt for the
// dew point that does not exist.
[[nodiscard]] std::optional<double> LoggerCellNumber(int col, const LoggerRecord& record,
                                                     const HeatStress& hs);
[[nodiscard]] std::array<double, kLoggerSeries> LoggerPointValues(const LoggerRecord& record,
                                                                  const HeatStress& hs);

}  // namespace lmr

#pragma once

#include <QDateTime>
#include <cstdint>
#include <optional>

#include "logger/LoggerRecord.h"
#include "measure/HeatStress.h"
#include "measure/Quantity.h"

namespace lmr {

// Where a reading came from.
enum class ReadingOrigin { Live, Download, DataFile };

// One set of the meter's three channels, when it was taken and what derives from it.
struct Reading {
    // Local date and time; invalid where a logger record's fields name no real moment.
    QDateTime when;
    float rh = 0;   // %
    float tv = 0;   // air temperature, °C
    float tsf = 0;  // black-globe temperature as read, °C
    HeatStress derived;
    ReadingOrigin origin = ReadingOrigin::Live;
    std::uint8_t model = 0;  // the identified model code (0: not known)
    std::uint8_t head = 0;   // its measuring head code
    // Live readings not taken just before this one (no answer, noise): the gap it ends.
    int missedBefore = 0;
};

[[nodiscard]] Reading MakeReading(const QDateTime& when, float rh, float tv, float tsf,
                                  ReadingOrigin origin, std::uint8_t model = 0,
                                  std::uint8_t head = 0);

// The moment a logger record names: its minute, hour and date bytes (the year counted from
// 2000); invalid when they name none.
[[nodiscard]] QDateTime LoggerRecordTime(const LoggerRecord& record);

// Whether a logger record can be a measurement: its time fields name a real moment, no channel
// word is 65535 (erased memory, a sensor off its range) and not all three are 0 (a record never
// written). The page still shows the others as read, marked.
[[nodiscard]] bool LoggerRecordValid(const LoggerRecord& record);

// A quantity of the reading rounded to 0.1 as the live page shows it (the globe temperature
// as read); nullopt for the dew point at RH 0, which does not exist.
[[nodiscard]] std::optional<double> LiveValue(const Reading& r, Quantity q);

}  // namespace lmr

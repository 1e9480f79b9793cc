#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "instrument/InstrumentStatus.h"
#include "instrument/MemoryCells.h"
#include "link/Unitcomport.h"

namespace lmr {

// Texts of the 54 values, [cell - 1][value index]; empty where the value was not read, so the
// grid keeps its earlier text there.
using MemoryCellTexts = std::array<std::array<std::optional<QString>, kValuesPerCell>, kCellCount>;

struct MemoryReading {
    InstrumentStatus status = InstrumentStatus::NoAnswer;
    MemoryCellTexts texts;
    int valuesRead = 0;  // in reading order: cell 1 values 0-5, cell 2, ...
    QString message;     // for status bar panel 3
};

// Reads the nine memory cells in one opening of the port: per value 5, address high, address
// low, then the signed word with each byte echoed. progress gets the text shown while reading.
[[nodiscard]] MemoryReading ReadMemoryCells(Link& link, int portNumber,
                                            const std::function<void(const QString&)>& progress);

}  // namespace lmr

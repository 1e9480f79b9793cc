#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/CommandCodes.h"
#include "link/Unitcomport.h"
#include "meter/MeterStatus.h"

namespace lmr {

// The 54 value words, [cell - 1][value index]; empty where the value was not read.
using MemoryCellWords =
    std::array<std::array<std::optional<std::uint16_t>, kValuesPerCell>, kCellCount>;

struct MemoryReading {
    MeterStatus status = MeterStatus::NoAnswer;
    MemoryCellWords words;
    int valuesRead = 0;  // in reading order: cell 1 values 0-5, cell 2, ...
};

// Reads the nine memory cells in one opening of the port: per value 5, address high, address
// low, then the signed word with each byte echoed. started is called once the probe answered.
// A stop asked for on the link ends the reading between cells (Cancelled, the values kept).
[[nodiscard]] MemoryReading ReadMemoryCells(Link& link, int portNumber,
                                            const std::function<void()>& started);

}  // namespace lmr

#include "meter/MemoryCellsExchange.h"

#include "link/Exchange.h"

namespace lmr {

MemoryReading ReadMemoryCells(Link& link, int portNumber, const std::function<void()>& started) {
    MemoryReading reading;
    Exchange exchange(link, portNumber, "cells");
    if (const MeterStatus s = exchange.Status(); s != MeterStatus::Ok) {
        reading.status = s;
        return reading;
    }
    if (started) started();

    for (int cell = 1; cell <= kCellCount; ++cell) {
        // A stop ends the reading between cells; the cells read so far are kept.
        if (link.CancelRequested()) {
            reading.status = MeterStatus::Cancelled;
            return reading;
        }
        for (int value = 0; value < kValuesPerCell; ++value) {
            const std::uint16_t address = CellAddress(value, cell);
            link.SendCommand(Code(Command::ReadCell));
            link.SendCommand(static_cast<std::uint8_t>(address >> 8));
            link.SendCommand(static_cast<std::uint8_t>(address & 0xFF));
            const std::uint16_t word = link.ReadWord();
            if (const MeterStatus s = exchange.Ended(); s != MeterStatus::Ok) {
                reading.status = s;
                return reading;
            }
            reading.words[static_cast<size_t>(cell - 1)][static_cast<size_t>(value)] = word;
            ++reading.valuesRead;
        }
    }
    reading.status = MeterStatus::Ok;
    return reading;
}

}  // namespace lmr

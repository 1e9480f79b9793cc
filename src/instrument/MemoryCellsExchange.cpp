#include "instrument/MemoryCellsExchange.h"

#include "instrument/InstrumentTexts.h"
#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {

MemoryReading ReadMemoryCells(Link& link, int portNumber,
                              const std::function<void(const QString&)>& progress) {
    MemoryReading reading;
    Exchange exchange(link, portNumber, "cells");
    if (exchange.Result() == ExchangeResult::Busy) {
        reading.status = InstrumentStatus::Busy;
        reading.message = QString::fromUtf8(kInstrumentBusyText);
        return reading;
    }
    if (exchange.Result() == ExchangeResult::NoAnswer) {
        reading.message = QString::fromUtf8(kInstrumentNoAnswerText);
        return reading;
    }
    if (progress) progress(QString::fromUtf8(kReadingCellsText));

    for (int cell = 1; cell <= kCellCount; ++cell) {
        for (int value = 0; value < kValuesPerCell; ++value) {
            const std::uint16_t address = CellAddress(value, cell);
            link.SendCommand(Code(Command::ReadCell));
            link.SendCommand(static_cast<std::uint8_t>(address >> 8));
            link.SendCommand(static_cast<std::uint8_t>(address & 0xFF));
            const std::uint16_t word = link.ReadWord();
            if (exchange.Lost()) {
                reading.status = InstrumentStatus::Lost;
                reading.message = CellsLostText(reading.valuesRead);
                return reading;
            }
            reading.texts[cell - 1][value] = MemoryValueText(word);
            ++reading.valuesRead;
        }
    }
    reading.status = InstrumentStatus::Done;
    reading.message = QString::fromUtf8(kCellsReadText);
    return reading;
}

}  // namespace lmr

// Memory cells, clipboard and the instrument clock on the main window.
#include <QClipboard>
#include <QGuiApplication>

#include "app/TFMain.h"
#include "instrument/ClockExchange.h"
#include "instrument/MemoryCellsExchange.h"

namespace lmr {

void TFMain::ButtonReadMemoClick() {
    if (RefuseBeforeIdentification()) return;
    const MemoryReading reading = ReadMemoryCells(
        TheLink(), PortNumber(), [this](const QString& text) { SetPanelText(3, text); });
    // Values not read (no answer, or the meter lost halfway) keep the grid's earlier text.
    for (int cell = 1; cell <= kCellCount; ++cell) {
        for (int value = 0; value < kValuesPerCell; ++value) {
            const auto& text =
                reading.texts[static_cast<size_t>(cell - 1)][static_cast<size_t>(value)];
            if (text) StringGridM->SetCells(value + 1, cell, *text);
        }
    }
    SetPanelText(3, reading.message);
}

void TFMain::Button1Click() {
    const QString text =
        GridClipboardText(StringGridM->ColCount(), StringGridM->RowCount(),
                          [this](int column, int row) { return StringGridM->Cells(column, row); });
    QGuiApplication::clipboard()->setText(text);
}

void TFMain::ButtonSaveClick() {
    if (RefuseBeforeIdentification()) return;
    // Each field is read as its byte goes out.
    const ClockFieldReader field = [this](ClockField f) {
        switch (f) {
            case ClockField::Hour:
                return CSpinEditChas->value();
            case ClockField::Minute:
                return CSpinEditMin->value();
            case ClockField::Day:
                return CSpinEditDen->value();
            case ClockField::Month:
                return CSpinEditMes->value();
            case ClockField::Year:
                return CSpinEditGod->value();
        }
        return 0;
    };
    const ClockResult result = WriteInstrumentClock(
        TheLink(), PortNumber(), field, [this](const QString& text) { SetPanelText(3, text); });
    SetPanelText(3, result.message);
}

void TFMain::TimerDataVremyTimer() {
    RefreshClockFields();
}

}  // namespace lmr

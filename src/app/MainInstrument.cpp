// Memory cells, clipboard and the instrument clock on the main window.
#include <QClipboard>
#include <QGuiApplication>
#include <array>
#include <atomic>
#include <iterator>

#include "app/TFMain.h"
#include "instrument/ClockExchange.h"
#include "instrument/MemoryCellsExchange.h"

namespace lmr {

void TFMain::ButtonReadMemoClick() {
    if (RefuseBeforeIdentification()) return;
    MemoryReading reading;
    RunExchange([&](const PostToWindow& post) {
        reading = ReadMemoryCells(TheLink(), PortNumber(), [&](const QString& text) {
            post([this, text] { SetPanelText(3, text); });
        });
    });
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
    // Each field is read as its byte goes out: the exchange's thread reads the values the
    // spin boxes hand over as they change.
    QSpinBox* const boxes[] = {CSpinEditChas, CSpinEditMin, CSpinEditDen, CSpinEditMes,
                               CSpinEditGod};
    std::array<std::atomic<int>, std::size(boxes)> values;
    QObject watching;
    for (size_t i = 0; i < std::size(boxes); ++i) {
        values[i] = boxes[i]->value();
        connect(boxes[i], &QSpinBox::valueChanged, &watching,
                [&values, i](int v) { values[i] = v; });
    }
    const ClockFieldReader field = [&values](ClockField f) {
        switch (f) {
            case ClockField::Hour:
                return values[0].load();
            case ClockField::Minute:
                return values[1].load();
            case ClockField::Day:
                return values[2].load();
            case ClockField::Month:
                return values[3].load();
            case ClockField::Year:
                return values[4].load();
        }
        return 0;
    };
    ClockResult result;
    RunExchange([&](const PostToWindow& post) {
        result = WriteInstrumentClock(TheLink(), PortNumber(), field, [&](const QString& text) {
            post([this, text] { SetPanelText(3, text); });
        });
    });
    SetPanelText(3, result.message);
}

void TFMain::TimerDataVremyTimer() {
    RefreshClockFields();
}

}  // namespace lmr

// Memory cells, clipboard and the instrument clock on the main window.
#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <array>
#include <atomic>
#include <iterator>
#include <memory>

#include "app/TFMain.h"
#include "app/MeterTexts.h"
#include "instrument/InstrumentClock.h"
#include "instrument/MemoryCells.h"
#include "meter/ClockExchange.h"
#include "meter/MemoryCellsExchange.h"

namespace lmr {

void TFMain::ButtonReadMemoClick() {
    if (RefuseBeforeIdentification()) return;
    const int port = PortNumber();
    // Through the session, so that it is Busy while the cells are read; the end comes to the
    // window only while it stands.
    const bool taken = session_.Submit(
        JobKind::Cells,
        [this, port](Link& link) {
            return ReadMemoryCells(link, port, [this] {
                Post([this] { SetPanelText(3, QString::fromUtf8(kReadingCellsText)); });
            });
        },
        [self = QPointer<TFMain>(this)](const MemoryReading& reading) {
            if (self) self->ShowMemoryCells(reading);
        });
    if (!taken) SetPanelText(3, MeterStatusText(JobKind::Cells, MeterStatus::Busy));
}

void TFMain::ShowMemoryCells(const MemoryReading& reading) {
    // Values not read (no answer, or the meter lost halfway) keep the earlier ones.
    cells_.Take(reading.words);
    for (int cell = 1; cell <= kCellCount; ++cell) {
        for (int value = 0; value < kValuesPerCell; ++value) {
            const auto& word =
                reading.words[static_cast<size_t>(cell - 1)][static_cast<size_t>(value)];
            if (word) StringGridM->SetCells(value + 1, cell, MemoryValueText(*word));
        }
    }
    session_.ReportJobEnd(JobKind::Cells, reading.status, reading.valuesRead);
}

void TFMain::Button1Click() {
    QGuiApplication::clipboard()->setText(cells_.ClipboardText());
}

void TFMain::ButtonSaveClick() {
    if (RefuseBeforeIdentification()) return;
    // Each field is read as its byte goes out: the worker reads the values the spin boxes hand
    // over as they change, until the job has ended.
    QSpinBox* const boxes[] = {CSpinEditChas, CSpinEditMin, CSpinEditDen, CSpinEditMes,
                               CSpinEditGod};
    static_assert(std::size(boxes) == kClockBytes);
    auto values = std::make_shared<std::array<std::atomic<int>, kClockBytes>>();
    for (size_t i = 0; i < std::size(boxes); ++i) (*values)[i] = boxes[i]->value();
    // A date that does not exist is refused before the port is opened.
    const ClockFields fields{(*values)[0], (*values)[1], (*values)[2], (*values)[3], (*values)[4]};
    if (const auto refusal = NonexistentDateRefusal(fields)) {
        SetPanelText(3, *refusal);
        return;
    }
    auto* watching = new QObject(this);
    for (size_t i = 0; i < std::size(boxes); ++i) {
        connect(boxes[i], &QSpinBox::valueChanged, watching, [values, i](int v) { (*values)[i] = v; });
    }
    // The boxes are in the order of ClockField.
    const ClockByteAt byte = [values](int index) {
        const ClockField f = kClockMessageOrder[static_cast<size_t>(index)];
        return ClockByte(f, (*values)[static_cast<size_t>(f)].load());
    };
    const int port = PortNumber();
    const bool taken = session_.Submit(
        JobKind::Clock,
        [this, port, byte](Link& link) {
            return WriteInstrumentClock(link, port, byte, [this] {
                Post([this] { SetPanelText(3, QString::fromUtf8(kWritingClockText)); });
            });
        },
        [self = QPointer<TFMain>(this), watching = QPointer<QObject>(watching)](MeterStatus status) {
            delete watching;
            if (self) self->session_.ReportJobEnd(JobKind::Clock, status);
        });
    if (!taken) {
        delete watching;
        SetPanelText(3, MeterStatusText(JobKind::Clock, MeterStatus::Busy));
    }
}

void TFMain::TimerDataVremyTimer() {
    RefreshClockFields();
}

}  // namespace lmr

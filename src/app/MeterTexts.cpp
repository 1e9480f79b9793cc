#include "app/MeterTexts.h"

#include "link/CommandCodes.h"
#include "logger/LoggerRecord.h"

namespace lmr {

namespace {

struct StatusTextRow {
    JobKind job;
    MeterStatus status;
    const char* text;  // %1 the count, %2 the values of all cells
};

constexpr char kNoAnswerText[] = "Нет отклика от прибора";
constexpr char kCellsLost[] = "Связь с прибором прервана, прочитано значений: %1 из %2";
constexpr char kClockLost[] = "Связь с прибором прервана — запись даты и времени не завершена";
constexpr char kSkipped[] = "Измерение пропущено: порт прибора занят другим обменом";
constexpr char kDownloadLost[] = "Связь с прибором прервана, загружено записей: %1";

// A cancel other than the download's own stop comes only from closing the program: the cells
// and the clock then say what an interrupted line says.
constexpr StatusTextRow kStatusTexts[] = {
    {JobKind::Identify, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Identify, MeterStatus::Lost, kNoAnswerText},
    {JobKind::Identify, MeterStatus::Busy, kNoAnswerText},
    {JobKind::Identify, MeterStatus::Noise, "Помехи на линии: прибор не опознан"},
    {JobKind::Reading, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Reading, MeterStatus::Lost, kNoAnswerText},
    {JobKind::Reading, MeterStatus::Busy, kSkipped},
    {JobKind::Reading, MeterStatus::Noise, "Помехи на линии: показания не приняты"},
    {JobKind::Probe, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Probe, MeterStatus::Busy, kInstrumentBusyText},
    {JobKind::Download, MeterStatus::Ok, "Загрузка завершена, загружено записей: %1"},
    {JobKind::Download, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Download, MeterStatus::Busy, kInstrumentBusyText},
    {JobKind::Download, MeterStatus::Lost, kDownloadLost},
    {JobKind::Download, MeterStatus::Gone, kDownloadLost},
    {JobKind::Download, MeterStatus::Noise,
     "Помехи на линии: загрузка не завершена, загружено записей: %1"},
    {JobKind::Download, MeterStatus::Cancelled, "Загрузка прервана, загружено записей: %1"},
    {JobKind::Cells, MeterStatus::Ok, "Чтение ячеек памяти завершено"},
    {JobKind::Cells, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Cells, MeterStatus::Busy, kInstrumentBusyText},
    {JobKind::Cells, MeterStatus::Lost, kCellsLost},
    {JobKind::Cells, MeterStatus::Gone, kCellsLost},
    {JobKind::Cells, MeterStatus::Noise,
     "Помехи на линии: чтение не завершено, прочитано значений: %1 из %2"},
    {JobKind::Cells, MeterStatus::Cancelled, kCellsLost},
    {JobKind::Clock, MeterStatus::Ok, "Запись времяни и даты завершена"},
    {JobKind::Clock, MeterStatus::NoAnswer, kNoAnswerText},
    {JobKind::Clock, MeterStatus::Busy, kInstrumentBusyText},
    {JobKind::Clock, MeterStatus::Lost, kClockLost},
    {JobKind::Clock, MeterStatus::Gone, kClockLost},
    {JobKind::Clock, MeterStatus::Noise, "Помехи на линии — запись даты и времени не подтверждена"},
    {JobKind::Clock, MeterStatus::Cancelled, kClockLost},
};

}  // namespace

QString MeterStatusText(JobKind job, MeterStatus status, int count) {
    for (const StatusTextRow& row : kStatusTexts) {
        if (row.job != job || row.status != status) continue;
        QString text = QString::fromUtf8(row.text);
        if (text.contains(QLatin1String("%1"))) text = text.arg(count);
        if (text.contains(QLatin1String("%2"))) text = text.arg(kCellCount * kValuesPerCell);
        return text;
    }
    return {};
}

QString PortGoneText(int port, const std::string& path) {
    return QStringLiteral("Порт COM%1 (%2) отключён, прибор ищется снова")
        .arg(port)
        .arg(QString::fromStdString(path));
}

QString DownloadProgressText(int accepted, qint64 elapsedMs) {
    const int capacity = kMaxLoggerRecords;
    const QString read = QStringLiteral("Загружено записей: %1").arg(accepted);
    if (accepted <= 0 || accepted >= capacity) return read;
    const qint64 leftS = (elapsedMs * (capacity - accepted) / accepted + 999) / 1000;
    const QString left = leftS >= 60 ? QStringLiteral("%1 мин %2 с").arg(leftS / 60).arg(leftS % 60)
                                     : QStringLiteral("%1 с").arg(leftS);
    return read + QStringLiteral(", осталось не более ") + left;
}

QString SearchNoteText(const SearchNote& note) {
    const QString port = QStringLiteral("COM%1 (%2)").arg(note.port).arg(QString::fromStdString(note.path));
    switch (note.kind) {
        case SearchNote::Kind::Searching:
            return QStringLiteral("Поиск оборудования ...");
        case SearchNote::Kind::Found:
            return QStringLiteral("Соединение прошло успешно");
        case SearchNote::Kind::NoAccess:
            return QStringLiteral("Нет доступа к порту ") + port +
                   QStringLiteral(": добавьте пользователя в группу dialout");
        case SearchNote::Kind::Held:
            return QStringLiteral("Порт %1 занят программой %2 (PID %3), поиск его пропускает")
                .arg(port, QString::fromStdString(note.program), QString::number(note.pid));
        case SearchNote::Kind::Locked:
            return QStringLiteral("Порт %1 занят другой программой").arg(port);
    }
    return {};
}

}  // namespace lmr

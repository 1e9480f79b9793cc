#pragma once

#include <QString>

namespace lmr {

// Status bar panel 3 texts of the memory-cell reading and the clock setting.
inline constexpr char kReadingCellsText[] = "Чтение ячеек памяти ...";
inline constexpr char kCellsReadText[] = "Чтение ячеек памяти завершено";
inline constexpr char kWritingClockText[] = "Запись времяни и даты ...";
inline constexpr char kClockWrittenText[] = "Запись времяни и даты завершена";
inline constexpr char kClockLostText[] =
    "Связь с прибором прервана — запись даты и времени не завершена";
inline constexpr char kInstrumentNoAnswerText[] = "Нет отклика от прибора";
inline constexpr char kInstrumentBusyText[] = "Порт прибора занят другим обменом";

[[nodiscard]] QString CellsLostText(int valuesRead);

}  // namespace lmr

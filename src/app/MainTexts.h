#pragma once

// The main window's own texts, in one place.
#include "instrument/MemoryCells.h"  // kMemoryHeaders, row 0 of the memory-cell grid

namespace lmr {

inline constexpr const char* kApplicationTitle = "ЛМР Zozazoz";
inline constexpr const char* kMainCaption = "ЛМР";

inline constexpr const char* kLivePageCaption = "Текущие показания";
inline constexpr const char* kLoggerPageCaption = "Дата логгер";
inline constexpr const char* kTabCharts = "Графики";
inline constexpr const char* kTabData = "Данные";

inline constexpr const char* kSaveClockCaption = "Установить дату и время";
inline constexpr const char* kCopyCaption = "В буфер";
inline constexpr const char* kReadMemoCaption = "Прочитать память";
inline constexpr const char* kStartCaption = "Старт";
inline constexpr const char* kStopCaption = "Стоп";
inline constexpr const char* kClearCaption = "Очистить";
inline constexpr const char* kLoadCaption = "Загрузить";
// The note on a logger row whose record is no measurement (LoggerRecordValid).
inline constexpr const char* kLoggerInvalidNote =
    "Недостоверная запись: невозможные время или значение; в оценку не входит";
inline constexpr const char* kStopLoadCaption = "Прервать";

inline constexpr const char* kMenuExport = "Передать данные в  Excel";
inline constexpr const char* kMenuStatistics = "Статистика";
inline constexpr const char* kMenuOptions = "Настройки";
inline constexpr const char* kMenuAssess = "Оценка условий труда";
inline constexpr const char* kMenuAbout = "\"ZOV \"ЛМР\"";
inline constexpr const char* kMenuHelp = "?";
inline constexpr const char* kMenuExit = "Выход";
inline constexpr const char* kMenuFile = "Файл";
inline constexpr const char* kMenuFileOpen = "Открыть…";
inline constexpr const char* kMenuFileSaveAs = "Сохранить как…";
inline constexpr const char* kMenuFileClearLogger = "Очистить таблицу логгера";
inline constexpr const char* kLoggerCleared = "Таблица логгера очищена";
inline constexpr const char* kLoggerClearBusy = "Таблица не очищена: идёт загрузка из прибора";
// The file dialogs' captions and filter.
inline constexpr const char* kOpenDataCaption = "Открыть файл данных";
inline constexpr const char* kSaveDataCaption = "Сохранить показания в файл";
inline constexpr const char* kDataFilter = "Файлы данных (*.csv);;Все файлы (*)";
// Panel 3 after a file was read or written: %1 the rows, %2 the file.
inline constexpr const char* kDataOpened = "Из файла %2 загружено записей: %1";
inline constexpr const char* kDataSaved = "Записей сохранено: %1, файл %2";
inline constexpr const char* kDataNothingToSave = "Нет показаний для сохранения";
// %1 the file.
inline constexpr const char* kDataReplaceQuestion = "Файл %1 уже существует. Заменить его?";
inline constexpr const char* kDataReplace = "&Заменить";
inline constexpr const char* kDataKeep = "&Отмена";
inline constexpr const char* kDataOpenBusy = "Файл не открыт: идёт загрузка из прибора";
// A file being read or written: the progress window's text (%1 the file) and its button, and
// what panel 3 says to another file command or a download meanwhile.
inline constexpr const char* kDataOpening = "Открывается файл %1";
inline constexpr const char* kDataSaving = "Сохраняется файл %1";
inline constexpr const char* kDataFileStop = "Прервать";
inline constexpr const char* kDataFileBusy = "Подождите: файл ещё открывается или сохраняется";

inline constexpr const char* kLoggerQuantityItems[4] = {
    "ТНС индекс, *С", "Влажность RH, %", "Температура tв, *С", "Температура tсф, *С"};

// Row 0 of the live and the logger grid ("THC" in Latin letters).
inline constexpr const char* kReadingHeaders[10] = {"Время",    "THC,*C", "WBGT,*C", "RH,%",
                                                    "tв.,*C",   "tш.,*C", "tвт.,*C", "tтр.,*C",
                                                    "tрад.,*C", "W,Вт/м2"};

// Status panel 3.
inline constexpr const char* kConnected = "Соединение прошло успешно";
inline constexpr const char* kNotFound = "Прибор не найден";
inline constexpr const char* kBlank = " ";
// An identify answer that is no model of ours: %1 the code.
inline constexpr const char* kUnknownInstrument = "Прибор не опознан (код %1)";

// The start-up warning when LMR_TRANSCRIPT names a file that cannot be written: %1 the path,
// %2 the reason.
inline constexpr const char* kTranscriptNotWritten =
    "Запись обмена с прибором не ведётся: не удалось открыть файл %1 для записи (%2).";
inline constexpr const char* kTranscriptNoAccess = "нет прав на запись";
inline constexpr const char* kTranscriptNoFolder = "нет такой папки";
inline constexpr const char* kTranscriptIoError = "ошибка записи";
// The transcript stopped when its file could not take another line: %1 the path, %2 the reason.
inline constexpr const char* kTranscriptStopped =
    "Запись обмена с прибором прекращена: не удалось дописать файл %1 (%2).";
inline constexpr const char* kTranscriptDiskFull = "нет места на диске";

// LMR_PORTS names more ports than the search reaches: %1 how many it names.
inline constexpr const char* kTooManyPorts =
    "LMR_PORTS называет портов: %1; используются только первые восемь (COM1 … COM8).";

// Live measurement.
inline constexpr const char* kReading = "Чтение данных ...";
// A live reading not taken: the measurement goes on at the next tick.
inline constexpr const char* kLiveMissed = "Нет отклика от прибора, пропущено измерений: %1";
inline constexpr const char* kLiveGaveUp =
    "Нет отклика от прибора: нет ответа %1 с, измерение остановлено";
inline constexpr const char* kLiveImplausible =
    "Показания вне пределов прибора (RH %1 %, tв %2 °C, tсф %3 °C) не приняты";
// The note of a live row that follows readings not taken.
inline constexpr const char* kLiveGapNote = "Перед этим измерением пропущено: %1";
inline constexpr const char* kWaitingForStart =
    "Соединение прошло успешно, ожидание начала измерений ";
inline constexpr const char* kReadingChannels = "Чтение каналов";
inline constexpr const char* kNoAnswerAtStart = "Нет отклика от прибора...";
// A channel at its critical level, in its digits' tool tip: %1 the reading, %2 the level.
inline constexpr const char* kLevelAbove = "Критический уровень: %1 не ниже верхнего предела %2";
inline constexpr const char* kLevelBelow = "Критический уровень: %1 не выше нижнего предела %2";
}  // namespace lmr

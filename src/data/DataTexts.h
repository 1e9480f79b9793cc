#pragma once

// Texts of the measurement data files.
namespace lmr {

// Row 1 of a data file. Files written before the note column was added end at "W, Вт/м2".
inline constexpr const char* kDataCaptions[11] = {
    "Время",        "RH, %",         "tв, °C",    "tсф, °C",  "ТНС, °C",   "WBGT, °C",
    "tвл.тер., °C", "tточ.росы, °C", "tрад., °C", "W, Вт/м2", "Примечание"};
// The note of a record that is no measurement (LoggerRecordValid).
inline constexpr const char* kDataInvalidNote = "недостоверная запись";

// A download stopped before its end: the word its file's name ends in, and its last line,
// a comment (%1 the records in the file).
inline constexpr const char* kStoppedNameSuffix = "_прервана";
inline constexpr const char* kStoppedComment = "# Загрузка прервана, записей в файле: %1";

// Reading errors: %1 the file, %2 the line.
inline constexpr const char* kDataNotOurs =
    "Файл %1 не является файлом данных ЛМР: строка %2 не та, что ожидалась";
inline constexpr const char* kDataTruncated = "Файл %1 оборван в строке %2";
inline constexpr const char* kDataCutOff =
    "Файл %1 оборван: неполная строка %2 пропущена, загружены записи до неё";
// %1 the file.
inline constexpr const char* kDataNotAFile =
    "%1 — не обычный файл (канал, устройство или папка): такой файл не открывается и не "
    "перезаписывается";
inline constexpr const char* kDataBadFieldCount =
    "Файл %1, строка %2: ожидалось %4 полей через «;», найдено %3";
// %3 the column's caption, %4 the text found.
inline constexpr const char* kDataBadNumber = "Файл %1, строка %2: в столбце «%3» не число: «%4»";
inline constexpr const char* kDataDecimalComma =
    "Файл %1, строка %2: в столбце «%3» число с десятичной запятой: «%4»; в файле данных "
    "дробная часть отделяется точкой (файл пересохранён программой с русскими настройками?)";
inline constexpr const char* kDataNotUtf8 =
    "Файл %1 не в кодировке UTF-8 (похоже, пересохранён в Windows-1251): сохраните его в "
    "электронной таблице как «CSV UTF-8» с разделителем «;»";
inline constexpr const char* kDataBadTime =
    "Файл %1, строка %2: время «%3» не в виде ГГГГ-ММ-ДДTчч:мм:сс (дата вида ДД.ММ.ГГГГ — "
    "файл пересохранён электронной таблицей, которая переписала время)";
inline constexpr const char* kDataEmpty =
    "Файл %1 не содержит записей: за строкой заголовка %2 нет ни одной";
// A read or a write stopped before its end (the program closing, the user): %1 the file.
inline constexpr const char* kDataReadStopped = "Открытие файла %1 прервано";
inline constexpr const char* kDataWriteStopped = "Сохранение прервано: файл %1 не изменён";
// %1 the file, %2 the system's reason.
inline constexpr const char* kDataCannotRead = "Не удалось открыть файл %1: %2";
inline constexpr const char* kDataCannotWrite = "Не удалось записать файл %1: %2";

}  // namespace lmr

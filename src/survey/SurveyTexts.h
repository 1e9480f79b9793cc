#pragma once

// Texts of the survey file.
namespace lmr {

// %1 the file, %2 the reason.
inline constexpr const char* kSurveyCannotOpen = "Не удалось открыть обследование %1: %2";
inline constexpr const char* kSurveyCannotCreate = "Не удалось создать обследование %1: %2";
inline constexpr const char* kSurveyCannotWrite = "Не удалось записать в обследование %1: %2";
inline constexpr const char* kSurveyCannotRead = "Не удалось прочитать обследование %1: %2";

// Reasons.
inline constexpr const char* kSurveyDamaged = "файл повреждён";
inline constexpr const char* kSurveyForeign = "это не файл обследования ЛМР";
inline constexpr const char* kSurveyNewer = "создан более новой версией программы";
inline constexpr const char* kSurveyBusy = "файл открыт другой программой";
inline constexpr const char* kSurveyNotRegular = "не обычный файл (канал, устройство или папка)";
inline constexpr const char* kSurveyFolderReadOnly =
    "нет прав на запись в папку файла (изменения пишутся в журнал рядом с ним)";
inline constexpr const char* kSurveyCannotOpenFile = "нет такой папки или нет прав на запись в неё";
inline constexpr const char* kSurveyNoLog =
    "не удалось включить журнал изменений (файловая система его не допускает)";
inline constexpr const char* kSurveyNoSuchItem = "в обследовании нет такой записи";
inline constexpr const char* kSurveyNoDriver =
    "не установлен драйвер SQLite для Qt (пакет libqt6sql6-sqlite)";

}  // namespace lmr

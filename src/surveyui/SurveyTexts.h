#pragma once

// The survey window's own texts, in one place.
namespace lmr {

inline constexpr const char* kSurveyTitle = "Обследование";
inline constexpr const char* kNoRecentSurveys = "(нет)";
// The menu items "Обследование", "Новое обследование…", "Открыть обследование…" and
// "Последние обследования" with their mnemonics: "О" is taken by "Оценка условий труда" on the
// menu bar and by "Открыть…" in "Файл".
inline constexpr const char* kMenuSurveyKeyed = "Об&следование";
inline constexpr const char* kMenuNewSurveyKeyed = "&Новое обследование…";
inline constexpr const char* kMenuOpenSurveyKeyed = "Открыть о&бследование…";
inline constexpr const char* kMenuRecentSurveysKeyed = "&Последние обследования";

// The survey window's own menu.
inline constexpr const char* kSurveyMenu = "&Файл";
inline constexpr const char* kMenuProtocolPdf = "Протокол P&DF…";
inline constexpr const char* kMenuProtocolXlsx = "Протокол &Excel…";
inline constexpr const char* kMenuProtocolPrint = "П&ечать…";
inline constexpr const char* kMenuCloseWindow = "&Закрыть окно";

inline constexpr const char* kSurveyFilter = "Обследования (*.lmrs);;Все файлы (*)";
inline constexpr const char* kSurveySuffix = "lmrs";
inline constexpr const char* kNewSurveyCaption = "Новое обследование";
inline constexpr const char* kOpenSurveyCaption = "Открыть обследование";

// The tree and its buttons.
inline constexpr const char* kTreeHeaders[2] = {"Рабочие места, точки, высоты", "Класс"};
inline constexpr const char* kAddWorkplace = "Рабочее &место";
inline constexpr const char* kAddPoint = "&Точка";
inline constexpr const char* kAddHeight = "&Высота";
inline constexpr const char* kRemoveItem = "&Удалить";
inline constexpr const char* kAddLabel = "Добавить:";
inline constexpr const char* kNewWorkplaceName = "Рабочее место %1";
inline constexpr const char* kNewPointName = "Точка %1";
// A height in the tree and in texts: %1 the metres.
inline constexpr const char* kHeightText = "Высота %1 м";
inline constexpr const char* kHeightInText = "высота %1 м";
inline constexpr const char* kRemoveQuestion = "Удалить «%1» со всеми измерениями?";
// %1 the kind, %2 the height's text, %3 its first and last moment, %4 its readings.
inline constexpr const char* kRemoveMeasurementQuestion =
    "Удалить измерение «%1» (%2; %3; показаний: %4)?";
// What the file holds after a removal: %1 what went.
inline constexpr const char* kRemovedItem = "Удалено: «%1» со всеми измерениями";
inline constexpr const char* kRemovedMeasurement = "Измерение удалено: «%1» (%2; %3)";
inline constexpr const char* kRemove = "&Удалить";
inline constexpr const char* kKeep = "&Отмена";

// The pages on the right.
inline constexpr const char* kPageSurvey = "&Обследование и прибор";
inline constexpr const char* kPageItem = "&Рабочее место и измерения";

// The survey's fields. Alt and a letter reach one field or command of the window: the tabs, the
// tree's buttons, the measuring buttons and the menu bar take Р О М Т В У Н Л Ф, each page the
// letters left.
inline constexpr const char* kHeaderGroup = "Обследование";
inline constexpr const char* kOrganisation = "Органи&зация:";
inline constexpr const char* kAddress = "&Адрес:";
inline constexpr const char* kCustomer = "Заказ&чик:";
inline constexpr const char* kPurpose = "&Цель измерений:";
inline constexpr const char* kProtocolNumber = "Номер прото&кола:";
inline constexpr const char* kProtocolDate = "Дата протокола:";
inline constexpr const char* kFirstDate = "Измерения с:";
inline constexpr const char* kLastDate = "по:";
inline constexpr const char* kOperators = "Измерения &провёл(и):";
inline constexpr const char* kSeason = "Перио&д года:";
inline constexpr const char* kOutdoor = "Температура нару&жного воздуха, °C:";
inline constexpr const char* kNotGiven = "не указана";
// The instrument's.
inline constexpr const char* kInstrumentGroup = "Прибор";
inline constexpr const char* kModel = "Мод&ель:";
inline constexpr const char* kHead = "&Головка:";
inline constexpr const char* kSerial = "Завод&ской номер:";
inline constexpr const char* kCertificate = "Св&идетельство о поверке №:";
inline constexpr const char* kCertificateDate = "Дата поверки:";
inline constexpr const char* kValidUntil = "Действительно до:";
inline constexpr const char* kFromMeter = "Взять у при&бора";
inline constexpr const char* kTypeName = "Тип (по госреестру):";
inline constexpr const char* kRegisterNumber = "Номер в госреестре СИ:";
inline constexpr const char* kRanges = "Диапазоны измерений:";
// The laboratory's.
inline constexpr const char* kLaboratoryGroup = "Лаборатория";
inline constexpr const char* kLabName = "Наименование лаборатории:";
inline constexpr const char* kLabAddress = "Адрес лаборатории:";
inline constexpr const char* kLabAccreditation = "Аттестат аккредитации №:";
inline constexpr const char* kLabHead = "Руководитель лаборатории:";
inline constexpr const char* kLabCompiler = "Протокол составил:";
inline constexpr const char* kMethod = "Метод измерений:";

// A workplace, a point, a height.
inline constexpr const char* kWorkplaceGroup = "Рабочее место";
inline constexpr const char* kWorkplaceName = "Н&аименование:";
inline constexpr const char* kCategory = "&Категория работ:";
inline constexpr const char* kPosture = "Рабочая &поза:";
inline constexpr const char* kPostures[2] = {"сидя", "стоя"};
inline constexpr const char* kShiftHours = "&Смена, ч:";
inline constexpr const char* kPointGroup = "Точка";
inline constexpr const char* kPointName = "Наим&енование точки:";
inline constexpr const char* kHeightGroup = "Высота";
inline constexpr const char* kHeightMetres = "Высота на&д полом, м:";
inline constexpr const char* kAirSpeed = "Скорость во&здуха (анемометр), м/с:";
inline constexpr const char* kAirSpeedNotMeasured = "не измерена";
// %1 the text typed.
inline constexpr const char* kAirSpeedUnread =
    "«%1» не прочитано как скорость: введите число в м/с, например 0,2";
// The survey's kind and the instrument's limits of error; labels without a mnemonic of their own.
inline constexpr const char* kKind = "Вид работ:";
inline constexpr const char* kKinds[2] = {"производственный контроль",
                                          "специальная оценка условий труда"};
inline constexpr const char* kErrorAir = "Погрешность tв, ± °C:";
inline constexpr const char* kErrorRh = "Погрешность RH, ± %:";
inline constexpr const char* kErrorGlobe = "Погрешность tсф, ± °C:";
inline constexpr const char* kErrorSpeed = "Погрешность анемометра, ± м/с:";
inline constexpr const char* kErrorSpeedPercent = "Погрешность анемометра, ± % показания:";
// %1 the text typed.
inline constexpr const char* kErrorUnread =
    "«%1» не прочитано как предел погрешности: введите неотрицательное число, например 0,2";
inline constexpr const char* kDateUnread =
    "«%1» не прочитано как дата: введите день, например 15.03.2026 или 15032026";
inline constexpr const char* kOutdoorUnread =
    "«%1» не прочитано как температура: введите число в °C, например -12,5";
inline constexpr const char* kChooseItem =
    "Выберите рабочее место, точку или высоту в дереве слева или добавьте рабочее место.";

// The measurements of a height and their figures.
inline constexpr const char* kMeasurementsGroup = "Измерения";
inline constexpr const char* kMeasurementHeaders[6] = {"Высота, м", "Вид",     "Начало",
                                                       "Конец",     "Записей", "Источник"};
inline constexpr const char* kKindLive = "текущие показания";
inline constexpr const char* kKindDownload = "логгер (загрузка)";
inline constexpr const char* kKindDataFile = "логгер (файл)";
inline constexpr const char* kRemoveMeasurement = "Удалить &измерение";
inline constexpr const char* kFiguresGroup = "Результаты по высотам";
inline constexpr const char* kFigureHeaders[9] = {
    "Высота, м", "Класс", "tв, °C", "RH, %", "tш, °C", "ТНС-индекс, °C", "WBGT, °C", "V, м/с",
    "Записей"};
// The class of a point or workplace: %1 the class, %2 the height, %3 the factor.
inline constexpr const char* kPointVerdict = "Точка: класс %1 — определила высота %2 м, показатель: %3";
// %1 the class, %2 the point, %3 the height, %4 the factor.
inline constexpr const char* kWorkplaceVerdict =
    "Рабочее место: класс %1 — определила точка «%2», высота %3 м, показатель: %4";
inline constexpr const char* kNoClass = "Класс не определён: нет измерений";

// Taking measurements.
// How often the window looks whether the main window's measurement still runs, and how long
// it waits for a start to be answered.
inline constexpr int kLiveWatchMs = 200;
inline constexpr int kLiveStartWaitMs = 10000;
inline constexpr const char* kStartLive = "&Начать измерение";
inline constexpr const char* kStopLive = "Оста&новить измерение";
inline constexpr const char* kTakeSpan = "Взять записи &логгера…";
inline constexpr const char* kSpanCaption = "Записи логгера для высоты";
inline constexpr const char* kSpanFrom = "&С:";
inline constexpr const char* kSpanTo = "&По:";
// %1 how many records the span holds.
inline constexpr const char* kSpanCount = "Записей в промежутке: %1";
inline constexpr const char* kTake = "&Взять";
// %1 the workplace, point and height the records are for.
inline constexpr const char* kSpanFor = "Для: %1";
// %1 the first and the last day of the survey, or kDaysNotGiven.
inline constexpr const char* kSpanSurveyDays = "Дни обследования: %1";
inline constexpr const char* kDaysNotGiven = "не указаны";
// %1 the first record's moment, %2 the last's.
inline constexpr const char* kSpanDates = "Записи: %1 – %2";
// "«Пульт», «Точка 1», высота 1 м": %1 the workplace, %2 the point, %3 the height's text.
inline constexpr const char* kPlaceText = "«%1», «%2», %3";
// Readings that may not belong to a height: %1 the place; the doubts follow, one a line.
inline constexpr const char* kMixQuestion = "Добавить записи к %1?";
// %1 how many readings the height holds.
inline constexpr const char* kDoubtMeasured =
    "У этой высоты уже есть показания (%1): новые записи будут оценены вместе с ними.";
// %1 the records' first or last day, %2 the bound.
inline constexpr const char* kDoubtBeforeSurvey =
    "Записи начинаются %1, раньше первого дня обследования (%2).";
inline constexpr const char* kDoubtAfterSurvey =
    "Записи кончаются %1, позже последнего дня обследования (%2).";
inline constexpr const char* kDoubtBeforeVerification =
    "Записи начинаются %1, раньше даты поверки прибора (%2).";
inline constexpr const char* kDoubtAfterValidity =
    "Записи кончаются %1, после окончания срока поверки (%2).";
inline constexpr const char* kAdd = "&Добавить";
inline constexpr const char* kSpanNotTaken = "Записи логгера не взяты";
// Moving a measurement to another height.
inline constexpr const char* kMoveMeasurement = "Перенести на в&ысоту…";
inline constexpr const char* kMoveCaption = "Перенести измерение";
// %1 the measurement's text.
inline constexpr const char* kMoveTo = "Перенести «%1» на высоту:";
inline constexpr const char* kMove = "&Перенести";
inline constexpr const char* kMoveNowhere = "Другой высоты в обследовании нет: добавьте её в дереве";
// %1 the measurement's text, %2 the place.
inline constexpr const char* kMoved = "Измерение перенесено: %1 → %2";
inline constexpr const char* kChooseMeasurement = "Выберите измерение в таблице «Измерения»";

// The protocol.
inline constexpr const char* kProtocolPdf = "Протокол PDF…";
inline constexpr const char* kProtocolXlsx = "Протокол Excel…";
inline constexpr const char* kProtocolPrint = "Печать…";
inline constexpr const char* kProtocolCaption = "Протокол измерений";
inline constexpr const char* kProtocolFileName = "Протокол";
inline constexpr const char* kProtocolOverSurvey = "это файл самого обследования";
inline constexpr const char* kPdfFilter = "PDF (*.pdf)";
inline constexpr const char* kXlsxFilter = "Книга Excel (*.xlsx)";

// The status line.
inline constexpr const char* kNoSurvey =
    "Обследование не открыто: Файл → Новое обследование… или Открыть обследование…";
inline constexpr const char* kSurveyOpened = "Обследование открыто: %1";
inline constexpr const char* kSurveyCreated = "Обследование создано: %1";
inline constexpr const char* kSurveyOpenHere = "это обследование открыто в этом окне";
inline constexpr const char* kChooseHeight = "Выберите в дереве высоту точки, для которой измерять";
inline constexpr const char* kLiveNotFound =
    "Измерение не начато: прибор не найден. Включите прибор и дождитесь соединения.";
// %1 the point, %2 the height's text, %3 the readings stored.
inline constexpr const char* kLiveStarted = "Идёт измерение: «%1», %2; показаний записано: %3";
// The main window's status line and the tree while a series records: %1 the point, %2 the
// height's text, %3 the readings stored.
inline constexpr const char* kSeriesShort = "Запись: «%1», %2 (%3)";
inline constexpr const char* kTreeRecording = "%1 — запись";
// A series the program did not end: %1 its place, %2 its first reading, %3 its readings.
inline constexpr const char* kSeriesCut =
    "Измерение %1 с %2 прервано: программа закрылась во время записи; показаний сохранено: %3";
inline constexpr const char* kLiveStopped = "Измерение остановлено: показаний записано: %1";
inline constexpr const char* kSpanEmpty =
    "На странице \"Дата логгер\" нет достоверных записей: загрузите логгер или откройте файл данных";
inline constexpr const char* kSpanNone = "В выбранном промежутке нет записей";
// %1 how many, %2 the height's text.
inline constexpr const char* kSpanTaken = "Записей логгера взято: %1 (%2)";
inline constexpr const char* kProtocolWritten = "Протокол записан: %1";
inline constexpr const char* kProtocolWriting = "Протокол записывается: %1";
inline constexpr const char* kProtocolCautions =
    "Протокол будет записан со следующими замечаниями:";

}  // namespace lmr

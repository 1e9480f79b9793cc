#include <gtest/gtest.h>

#include "app/MeterTexts.h"

namespace lmr::test {
namespace {

TEST(MeterTexts, HowEachJobEndedSaysOnPanelThree) {
    const struct {
        JobKind job;
        MeterStatus status;
        int count;
        const char* text;
    } rows[] = {
        {JobKind::Cells, MeterStatus::Ok, 54, "Чтение ячеек памяти завершено"},
        {JobKind::Cells, MeterStatus::Lost, 17,
         "Связь с прибором прервана, прочитано значений: 17 из 54"},
        {JobKind::Cells, MeterStatus::NoAnswer, 0, "Нет отклика от прибора"},
        {JobKind::Clock, MeterStatus::Ok, 0, "Запись времяни и даты завершена"},
        {JobKind::Clock, MeterStatus::Lost, 0,
         "Связь с прибором прервана — запись даты и времени не завершена"},
        {JobKind::Clock, MeterStatus::NoAnswer, 0, "Нет отклика от прибора"},
        {JobKind::Clock, MeterStatus::Busy, 0, "Порт прибора занят другим обменом"},
        {JobKind::Download, MeterStatus::Ok, 3, "Загрузка завершена, загружено записей: 3"},
        {JobKind::Download, MeterStatus::Lost, 56,
         "Связь с прибором прервана, загружено записей: 56"},
        {JobKind::Download, MeterStatus::Cancelled, 5, "Загрузка прервана, загружено записей: 5"},
        {JobKind::Reading, MeterStatus::Busy, 0,
         "Измерение пропущено: порт прибора занят другим обменом"},
        {JobKind::Reading, MeterStatus::Ok, 0, ""},
        {JobKind::Identify, MeterStatus::Lost, 0, "Нет отклика от прибора"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(MeterStatusText(r.job, r.status, r.count), QString::fromUtf8(r.text)) << r.text;
    }
}

TEST(MeterTexts, SearchNotesNameThePortAndWhy) {
    using Kind = SearchNote::Kind;
    const struct {
        SearchNote note;
        const char* text;
    } rows[] = {
        {{Kind::Searching, 3, {}, {}, 0}, "Поиск оборудования ..."},
        {{Kind::Found, 1, {}, {}, 0}, "Соединение прошло успешно"},
        {{Kind::NoAccess, 1, "/dev/ttyUSB0", {}, 0},
         "Нет доступа к порту COM1 (/dev/ttyUSB0): добавьте пользователя в группу dialout"},
        {{Kind::Held, 2, "/dev/ttyS0", "minicom", 4242},
         "Порт COM2 (/dev/ttyS0) занят программой minicom (PID 4242), поиск его пропускает"},
        {{Kind::Locked, 8, "/dev/ttyACM0", {}, 0}, "Порт COM8 (/dev/ttyACM0) занят другой программой"},
    };
    for (const auto& r : rows) EXPECT_EQ(SearchNoteText(r.note), QString::fromUtf8(r.text));
}

}  // namespace
}  // namespace lmr::test

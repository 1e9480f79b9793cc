#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "survey/FileNames.h"
#include "survey/SurveyFile.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"

// A program killed just before a new survey is renamed into place is, to the old survey, a
// rename that never came: while set, renames fail.
namespace {
bool g_renameFails = false;
}

extern "C" int rename(const char* from, const char* to) {
    if (g_renameFails) {
        errno = EIO;
        return -1;
    }
    static const auto real = reinterpret_cast<int (*)(const char*, const char*)>(
        dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lmr::test {
namespace {

// The survey the file holds; a file that cannot be read whole fails the test.
Survey Loaded(const SurveyFile& f) {
    const Valued<Survey> s = f.Load();
    EXPECT_TRUE(s) << s.outcome.text.toStdString();
    return s.value_or(Survey{});
}

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QDateTime kStart(QDate(2026, 7, 14), QTime(9, 30, 0));

Reading LiveReading(int i) {
    return MakeReading(kStart.addSecs(2 * i), float(400 + i % 300) / 10, float(223 + i % 50) / 10,
                       float(251 + i % 70) / 10, ReadingOrigin::Live, 65, 2);
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList LogsBeside(const QString& path) {
    QStringList found;
    for (const char* s : {"-wal", "-shm", "-journal"}) {
        if (QFile::exists(path + QLatin1String(s))) found << path + QLatin1String(s);
    }
    return found;
}

// A closed survey of one workplace, point and height with a live series of n readings; the
// measurement's id.
qint64 MakeSurvey(const QString& path, int n) {
    Outcome r;
    auto f = SurveyFile::Create(path, &r);
    EXPECT_TRUE(f) << r.text.toStdString();
    if (!f) return 0;
    const qint64 w = f->AddWorkplace({}).value_or(0);
    const qint64 p = f->AddPoint(w, {}).value_or(0);
    const qint64 h = f->AddHeight(p, {}).value_or(0);
    const qint64 m = f->AddMeasurement(h, {}).value_or(0);
    for (int i = 0; i < n; ++i) EXPECT_TRUE(f->AppendReading(m, LiveReading(i)));
    return m;
}

void ExpectSameReadings(const std::vector<Reading>& got, const std::vector<Reading>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].when, want[i].when);
        EXPECT_EQ(got[i].rh, want[i].rh);
        EXPECT_EQ(got[i].tv, want[i].tv);
        EXPECT_EQ(got[i].tsf, want[i].tsf);
        const HeatStress &g = got[i].derived, &w = want[i].derived;
        EXPECT_EQ(g.tvt, w.tvt);
        EXPECT_EQ(g.ttr, w.ttr);
        EXPECT_EQ(g.ths, w.ths);
        EXPECT_EQ(g.wbgt, w.wbgt);
        EXPECT_EQ(g.tg, w.tg);
        EXPECT_EQ(g.trad, w.trad);
        EXPECT_EQ(g.w, w.w);
        EXPECT_EQ(got[i].origin, want[i].origin);
        EXPECT_EQ(got[i].model, want[i].model);
        EXPECT_EQ(got[i].head, want[i].head);
    }
}

void ExpectSame(const Survey& got, const Survey& want) {
    const SurveyHeader &g = got.header, &w = want.header;
    EXPECT_EQ(g.organisation, w.organisation);
    EXPECT_EQ(g.address, w.address);
    EXPECT_EQ(g.customer, w.customer);
    EXPECT_EQ(g.purpose, w.purpose);
    EXPECT_EQ(g.protocolNumber, w.protocolNumber);
    EXPECT_EQ(g.protocolDate, w.protocolDate);
    EXPECT_EQ(g.firstDate, w.firstDate);
    EXPECT_EQ(g.lastDate, w.lastDate);
    EXPECT_EQ(g.operators, w.operators);
    EXPECT_EQ(g.season, w.season);
    EXPECT_EQ(g.outdoorTemperature, w.outdoorTemperature);
    EXPECT_EQ(g.kind, w.kind);
    EXPECT_EQ(g.method, w.method);
    const SurveyLaboratory &gl = got.laboratory, &wl = want.laboratory;
    for (const auto field : {&SurveyLaboratory::name, &SurveyLaboratory::address,
                             &SurveyLaboratory::accreditation, &SurveyLaboratory::head,
                             &SurveyLaboratory::compiler}) {
        EXPECT_EQ(gl.*field, wl.*field);
    }
    const SurveyInstrument &gi = got.instrument, &wi = want.instrument;
    EXPECT_EQ(gi.model, wi.model);
    EXPECT_EQ(gi.head, wi.head);
    EXPECT_EQ(gi.serialNumber, wi.serialNumber);
    EXPECT_EQ(gi.certificateNumber, wi.certificateNumber);
    EXPECT_EQ(gi.certificateDate, wi.certificateDate);
    EXPECT_EQ(gi.validUntil, wi.validUntil);
    EXPECT_EQ(gi.typeName, wi.typeName);
    EXPECT_EQ(gi.registerNumber, wi.registerNumber);
    EXPECT_EQ(gi.ranges, wi.ranges);
    for (const auto limit : {&SurveyInstrument::errorAir, &SurveyInstrument::errorRh,
                             &SurveyInstrument::errorGlobe, &SurveyInstrument::errorAirSpeed,
                             &SurveyInstrument::errorAirSpeedPercent}) {
        EXPECT_EQ(gi.*limit, wi.*limit);
    }
    ASSERT_EQ(got.workplaces.size(), want.workplaces.size());
    for (size_t a = 0; a < got.workplaces.size(); ++a) {
        const SurveyWorkplace &gw = got.workplaces[a], &ww = want.workplaces[a];
        EXPECT_EQ(gw.id, ww.id);
        EXPECT_EQ(gw.name, ww.name);
        EXPECT_EQ(gw.category, ww.category);
        EXPECT_EQ(gw.posture, ww.posture);
        EXPECT_EQ(gw.shiftHours, ww.shiftHours);
        ASSERT_EQ(gw.points.size(), ww.points.size());
        for (size_t b = 0; b < gw.points.size(); ++b) {
            const SurveyPoint &gp = gw.points[b], &wp = ww.points[b];
            EXPECT_EQ(gp.id, wp.id);
            EXPECT_EQ(gp.name, wp.name);
            ASSERT_EQ(gp.heights.size(), wp.heights.size());
            for (size_t c = 0; c < gp.heights.size(); ++c) {
                const SurveyHeight &gh = gp.heights[c], &wh = wp.heights[c];
                EXPECT_EQ(gh.id, wh.id);
                EXPECT_EQ(gh.metres, wh.metres);
                EXPECT_EQ(gh.airSpeed, wh.airSpeed);
                EXPECT_EQ(gh.irradiatedShare, wh.irradiatedShare);
                ASSERT_EQ(gh.measurements.size(), wh.measurements.size());
                for (size_t d = 0; d < gh.measurements.size(); ++d) {
                    EXPECT_EQ(gh.measurements[d].id, wh.measurements[d].id);
                    EXPECT_EQ(gh.measurements[d].origin, wh.measurements[d].origin);
                    EXPECT_EQ(gh.measurements[d].source, wh.measurements[d].source);
                    EXPECT_EQ(gh.measurements[d].recording, wh.measurements[d].recording);
                    ExpectSameReadings(gh.measurements[d].readings, wh.measurements[d].readings);
                }
            }
        }
    }
}

// What another program sees and does: a statement on the file at path with SQLite alone, and
// the first value it gives.
QVariant ForeignQuery(const QString& path, const QString& statement) {
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "foreign");
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(statement)) << statement.toStdString();
        if (q.next()) value = q.value(0);
    }
    QSqlDatabase::removeDatabase("foreign");
    return value;
}

TEST(SurveyFile, EveryFieldComesBackAfterReopeningAndRemovalsTakeWhatIsUnderThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(T("Обследование №1.lmrs"));
    Outcome r;
    auto f = SurveyFile::Create(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    // A second survey open at the same time, every optional value left out.
    const QString otherPath = dir.filePath(QStringLiteral("other.lmrs"));
    auto other = SurveyFile::Create(otherPath, &r);
    ASSERT_TRUE(other) << r.text.toStdString();
    ASSERT_TRUE(other->AddWorkplace({0, T("Склад"), WorkCategory::III, Posture::Standing, 6, {}}));

    Survey want;
    want.header = {T("ООО «Микроклимат»"),
                   T("г. Москва, ул. Тверская, д. 1"),
                   T("АО «Заказчик»"),
                   T("Специальная оценка условий труда"),
                   T("МК-17/2026"),
                   QDate(2026, 7, 20),
                   QDate(2026, 7, 14),
                   QDate(),
                   T("Иванов И. И., Петров П. П."),
                   Season::Warm,
                   -3.5,
                   SurveyKind::SpecialAssessment,
                   T("МУК 4.3.2756-10, изм. 1")};
    // A new survey names the method its measurements follow.
    EXPECT_EQ(Loaded(*f).header.method, T(kDefaultSurveyMethod));
    want.laboratory = {T("ИЛ «Охрана труда»"), T("г. Тула, ул. Мира, 3"), T("RA.RU.21АБ01"),
                       T("Сидоров С. С."), T("Петров П. П.")};
    want.instrument = {T("ЛМР-65"),        T("головка 2"),    T("№ 0421"), T("С-ГЭ/12-03-2026/1"),
                       QDate(2026, 3, 12), QDate(2027, 3, 11), T("Измеритель ЛМР"),
                       T("12345-06"),      T("tв от −30 до +60 °C"), 0.2, 3.0, 0.5, 0.05, 5.0};
    ASSERT_TRUE(f->SetHeader(want.header));
    ASSERT_TRUE(f->SetLaboratory(want.laboratory));
    ASSERT_TRUE(f->SetInstrument(want.instrument));
    for (const auto& [name, category, posture] :
         {std::tuple{T("Оператор ЭВМ, каб. 12"), WorkCategory::Ia, Posture::Sitting},
          std::tuple{T("Литейщик"), WorkCategory::IIb, Posture::Standing}}) {
        SurveyWorkplace w{0, name, category, posture, 11.5, {}};
        w.id = f->AddWorkplace(w).value_or(0);
        ASSERT_NE(w.id, 0);
        for (const QString& pointName : {T("Точка 1 у окна"), T("Точка 2")}) {
            SurveyPoint p{0, pointName, {}};
            p.id = f->AddPoint(w.id, p).value_or(0);
            ASSERT_NE(p.id, 0);
            for (const double metres : StandardHeights(posture)) {
                SurveyHeight h{0, metres, std::nullopt, {}};
                if (metres > 0.5) h.airSpeed = 0.25;
                h.irradiatedShare = metres > 0.5 ? IrradiatedShare::OpenSource
                                                 : IrradiatedShare::QuarterToHalf;
                h.id = f->AddHeight(p.id, h).value_or(0);
                ASSERT_NE(h.id, 0);
                p.heights.push_back(h);
            }
            w.points.push_back(p);
        }
        want.workplaces.push_back(w);
    }
    // A live series reading by reading (one at RH 0: no dew point), and a span of a data file
    // with a record that names no real moment.
    SurveyHeight& h = want.workplaces[0].points[0].heights[1];
    SurveyMeasurement live{0, ReadingOrigin::Live, {}, {}, true};
    live.id = f->AddMeasurement(h.id, live).value_or(0);
    ASSERT_NE(live.id, 0);
    for (int i = 0; i < 3; ++i) live.readings.push_back(LiveReading(i));
    live.readings[1] = MakeReading(kStart.addSecs(2), 0, 22.3f, 24.9f, ReadingOrigin::Live, 65, 2);
    for (const Reading& reading : live.readings) ASSERT_TRUE(f->AppendReading(live.id, reading));
    SurveyMeasurement span{0, ReadingOrigin::DataFile, T("2026-07-14_08-15-02_ВЕГ-72.csv"), {}};
    span.readings = {MakeReading(QDateTime(QDate(2026, 7, 14), QTime(8, 16)), 45, 6553.5f, 19.3f,
                                 ReadingOrigin::DataFile),
                     MakeReading({}, 0, 0, 0, ReadingOrigin::DataFile, 23)};
    span.id = f->AddMeasurement(h.id, span).value_or(0);
    ASSERT_NE(span.id, 0);
    h.measurements = {live, span};
    // The series ends; a span taken by mistake moves to the height it belongs to, readings and all.
    ASSERT_TRUE(f->SetRecording(live.id, false));
    h.measurements[0].recording = false;
    SurveyHeight& lower = want.workplaces[0].points[0].heights[0];
    ASSERT_TRUE(f->MoveMeasurement(span.id, lower.id));
    lower.measurements = {span};
    h.measurements.pop_back();
    EXPECT_FALSE(f->MoveMeasurement(span.id, lower.id + 100000));

    SurveyWorkplace& changed = want.workplaces[1];
    changed.name = T("Литейщик, участок 3");
    changed.category = WorkCategory::IIa;
    changed.shiftHours = 8;
    ASSERT_TRUE(f->UpdateWorkplace(changed));
    changed.points[1].name = T("Точка 2 у печи");
    ASSERT_TRUE(f->UpdatePoint(changed.points[1]));
    changed.points[1].heights[1].airSpeed.reset();
    changed.points[1].heights[1].metres = 1.7;
    ASSERT_TRUE(f->UpdateHeight(changed.points[1].heights[1]));

    // One program at a time on a file; the first keeps it.
    const auto twice = SurveyFile::Open(path, &r);
    EXPECT_FALSE(twice);
    EXPECT_TRUE(r.text.contains(T(kSurveyBusy))) << r.text.toStdString();
    // A failed change says so, and why.
    const Valued<qint64> noPoint = f->AddPoint(changed.id + 1000, {});
    EXPECT_FALSE(noPoint);
    EXPECT_TRUE(noPoint.outcome.text.contains(T(kSurveyNoSuchItem)))
        << noPoint.outcome.text.toStdString();
    EXPECT_FALSE(f->RemoveMeasurement(span.id + 1000));

    ExpectSame(Loaded(*f), want);
    f.reset();
    EXPECT_EQ(LogsBeside(path), QStringList());  // closed into the one file

    f = SurveyFile::Open(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    ExpectSame(Loaded(*f), want);

    Survey otherWant;
    otherWant.header.method = T(kDefaultSurveyMethod);
    otherWant.workplaces = {{0, T("Склад"), WorkCategory::III, Posture::Standing, 6, {}}};
    otherWant.workplaces[0].id = Loaded(*other).workplaces.at(0).id;
    ExpectSame(Loaded(*other), otherWant);

    ASSERT_TRUE(f->RemoveWorkplace(changed.id));
    want.workplaces.pop_back();
    ASSERT_TRUE(f->RemovePoint(want.workplaces[0].points[1].id));
    want.workplaces[0].points.pop_back();
    ExpectSame(Loaded(*f), want);
    f.reset();
    // Another program reads the readings the survey still has, with their quantities as the
    // meter gave them.
    EXPECT_EQ(ForeignQuery(path, QStringLiteral("SELECT count(*) FROM reading")).toInt(), 5);
    EXPECT_EQ(ForeignQuery(path, QStringLiteral("SELECT count(*) FROM height")).toInt(), 2);
    EXPECT_EQ(ForeignQuery(path, QStringLiteral("SELECT tv FROM reading WHERE id = 2")).toDouble(),
              22.3);
    // A quantity another program left out is derived again from the channels.
    ForeignQuery(path, QStringLiteral("UPDATE reading SET ths = NULL, wbgt = NULL WHERE id = 2"));
    f = SurveyFile::Open(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    ExpectSame(Loaded(*f), want);
}

TEST(SurveyFile, RefusedFilesAreNamedWithTheReasonAndLeftByteForByte) {
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.lmrs"));
    MakeSurvey(ours, 600);
    const QByteArray survey = Bytes(ours);
    ASSERT_GT(survey.size(), 8 * 4096);

    const QString foreign = dir.filePath(QStringLiteral("foreign.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        db.setDatabaseName(foreign);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("PRAGMA journal_mode = WAL"));
        ASSERT_TRUE(q.exec("CREATE TABLE reading (rh REAL)"));
    }
    QSqlDatabase::removeDatabase("maker");

    QByteArray newer = survey;
    newer[63] = kSurveySchemaVersion + 1;  // the schema version, big-endian at 60
    // Another program's change to the survey: the file it leaves, and the log it leaves beside
    // when it is still open (or killed).
    int changes = 0;
    const auto changed = [&](const char* statement, const char* mode = "WAL",
                             QByteArray* log = nullptr) {
        const QString copy = dir.filePath(QStringLiteral("changed-%1.lmrs").arg(++changes));
        WriteBytes(copy, survey);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "changer");
            db.setDatabaseName(copy);
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(mode)));
            EXPECT_TRUE(q.exec("PRAGMA wal_autocheckpoint = 0"));
            EXPECT_TRUE(q.exec(QString::fromUtf8(statement))) << statement;
            if (log) *log = Bytes(copy + QStringLiteral("-wal"));
        }
        QSqlDatabase::removeDatabase("changer");
        return Bytes(copy);
    };
    QByteArray damagingLog;
    (void)changed("UPDATE reading SET rh = 'влажно' WHERE id = 5", "WAL", &damagingLog);
    ASSERT_FALSE(damagingLog.isEmpty());
    QByteArray damagedPage = survey;
    for (int i = 4 * 4096; i < 5 * 4096; ++i) damagedPage[i] = char(i * 7);

    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
        QByteArray log = {};  // left beside the file
    } cases[] = {
        {"text.lmrs", "Время;RH, %;tв, °C\r\n", kSurveyDamaged},
        {"empty.lmrs", "", kSurveyDamaged},
        {"foreign.lmrs", Bytes(foreign), kSurveyForeign},
        {"newer.lmrs", newer, kSurveyNewer},
        {"cut.lmrs", survey.left(survey.size() / 2 + 100), kSurveyDamaged},
        {"cut-at-a-page.lmrs", survey.left(4 * 4096), kSurveyDamaged},
        {"damaged-page.lmrs", damagedPage, kSurveyDamaged},
        // Values no meter gives and no window takes.
        {"rh-text.lmrs", changed("UPDATE reading SET rh = 'влажно' WHERE id = 3"), kSurveyDamaged},
        {"tv-huge.lmrs", changed("UPDATE reading SET tv = 1e308 WHERE id = 3"), kSurveyDamaged},
        {"tsf-1e16.lmrs", changed("UPDATE reading SET tsf = 1e16 WHERE id = 3"), kSurveyDamaged},
        {"rh-below.lmrs", changed("UPDATE reading SET rh = -0.5 WHERE id = 3"), kSurveyDamaged},
        {"ths-huge.lmrs", changed("UPDATE reading SET ths = 1e300 WHERE id = 3"), kSurveyDamaged},
        {"time-word.lmrs", changed("UPDATE reading SET time = 'вчера' WHERE id = 3"),
         kSurveyDamaged},
        {"metres-text.lmrs", changed("UPDATE height SET metres = 'высоко'"), kSurveyDamaged},
        {"metres-below.lmrs", changed("UPDATE height SET metres = -5"), kSurveyDamaged},
        {"air-speed-huge.lmrs", changed("UPDATE height SET air_speed = 1e300"), kSurveyDamaged},
        {"shift-text.lmrs", changed("UPDATE workplace SET shift_hours = 'весь день'"),
         kSurveyDamaged},
        {"outdoor-huge.lmrs", changed("UPDATE survey SET outdoor_temperature = 1e300"),
         kSurveyDamaged},
        {"name-too-long.lmrs",
         changed("UPDATE workplace SET name = replace(hex(zeroblob(1001)), '0', 'x')"),
         kSurveyDamaged},
        {"error-huge.lmrs", changed("UPDATE instrument SET error_air = 1e300"), kSurveyDamaged},
        {"laboratory-too-long.lmrs",
         changed("UPDATE laboratory SET name = replace(hex(zeroblob(1001)), '0', 'x')"),
         kSurveyDamaged},
        {"purpose-too-long.lmrs",
         changed("UPDATE survey SET purpose = replace(hex(zeroblob(5001)), '0', 'x')"),
         kSurveyDamaged},
        // Nothing is written to a file refused: its journal mode stays, a log beside it stays.
        {"rollback-journal.lmrs", changed("UPDATE reading SET rh = 'влажно' WHERE id = 3", "DELETE"),
         kSurveyDamaged},
        {"damaging-log.lmrs", survey, kSurveyDamaged, damagingLog},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        WriteBytes(path, c.bytes);
        if (!c.log.isEmpty()) WriteBytes(path + QStringLiteral("-wal"), c.log);
        Outcome r;
        EXPECT_FALSE(SurveyFile::Open(path, &r));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.text.contains(path)) << r.text.toStdString();
        EXPECT_TRUE(r.text.contains(T(c.reason))) << r.text.toStdString();
        // Read only, for a protocol: refused alike.
        Outcome read;
        EXPECT_TRUE(SurveyFile::Read(path, &read).workplaces.empty());
        EXPECT_TRUE(read.text.contains(T(c.reason))) << read.text.toStdString();
        EXPECT_EQ(Bytes(path), c.bytes);
        if (c.log.isEmpty()) {
            EXPECT_EQ(LogsBeside(path), QStringList());
        } else {
            EXPECT_EQ(Bytes(path + QStringLiteral("-wal")), c.log);
            EXPECT_EQ(LogsBeside(path), QStringList{path + QStringLiteral("-wal")});
        }
    }
    Outcome r;
    EXPECT_FALSE(SurveyFile::Open(dir.filePath(QStringLiteral("none.lmrs")), &r));
    EXPECT_TRUE(r.text.contains(T("нет такого файла"))) << r.text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.lmrs"))));
}

// A survey as the first version of the program wrote it: one workplace, point, height and a
// live series of two readings.
void MakeFirstVersionSurvey(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "first");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        QStringList statements = {QStringLiteral("PRAGMA application_id = %1").arg(kSurveyApplicationId),
                                  QStringLiteral("PRAGMA user_version = 1")};
        for (const char* s : SurveySchemaSteps()[0]) statements << QString::fromLatin1(s);
        statements << QStringLiteral("UPDATE survey SET organisation = 'OOO'")
                   << QStringLiteral("INSERT INTO workplace VALUES (1, 1, 'W', 'IIa', 'standing', 8)")
                   << QStringLiteral("INSERT INTO point VALUES (1, 1, 1, 'P')")
                   << QStringLiteral("INSERT INTO height VALUES (1, 1, 1, 1.5, 0.15)")
                   << QStringLiteral("INSERT INTO measurement VALUES (1, 1, 'live', '')")
                   << QStringLiteral("INSERT INTO reading (measurement_id, time, rh, tv, tsf, origin, "
                                     "model, head) VALUES (1, '2026-07-14T09:30:00', 40, 22.3, "
                                     "25.1, 'live', 65, 2), (1, '2026-07-14T09:30:02', 41, 22.4, "
                                     "25.2, 'live', 65, 2)")
                   << QStringLiteral("PRAGMA journal_mode = WAL");
        for (const QString& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString();
    }
    QSqlDatabase::removeDatabase("first");
}

TEST(SurveyFile, AnEarlierVersionIsBroughtUpToDateInItsHeaderAtOnceAndKeepsWhatItHeld) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.lmrs"));
    MakeFirstVersionSurvey(path);
    ASSERT_EQ(Bytes(path).at(63), 1);
    Outcome r;
    auto f = SurveyFile::Open(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    // In the file's own header at once, where an older program looks first.
    EXPECT_EQ(Bytes(path).at(63), kSurveySchemaVersion);
    const Valued<Survey> loaded = Loaded(*f);
    ASSERT_TRUE(loaded) << loaded.outcome.text.toStdString();
    const Survey& s = *loaded;
    // What the first version had stays; what it lacked comes empty or as its default.
    EXPECT_EQ(s.header.organisation, QStringLiteral("OOO"));
    EXPECT_EQ(s.header.kind, SurveyKind::ProductionControl);
    EXPECT_EQ(s.header.method, QString());
    EXPECT_EQ(s.laboratory.name, QString());
    EXPECT_EQ(s.instrument.errorAir, std::nullopt);
    ASSERT_EQ(s.workplaces.size(), 1u);
    const SurveyHeight& h = s.workplaces[0].points.at(0).heights.at(0);
    EXPECT_EQ(h.airSpeed, 0.15);
    EXPECT_EQ(h.irradiatedShare, IrradiatedShare::AtLeastHalf);
    ASSERT_EQ(h.measurements.size(), 1u);
    EXPECT_FALSE(h.measurements[0].recording);
    EXPECT_EQ(h.measurements[0].readings.size(), 2u);
    // The new fields are written and read back like the old ones.
    SurveyLaboratory lab{T("ИЛ"), {}, T("RA.RU.1"), {}, {}};
    ASSERT_TRUE(f->SetLaboratory(lab));
    f.reset();
    f = SurveyFile::Open(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    EXPECT_EQ(Loaded(*f).laboratory.accreditation, T("RA.RU.1"));
}

TEST(SurveyFile, AProgramKilledWhileItWritesLosesNoReadingItStored) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("killed.lmrs"));
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A live measurement: each reading's count told the parent once it is stored.
        close(pipeEnds[0]);
        auto f = SurveyFile::Create(path, nullptr);
        const qint64 w = f ? f->AddWorkplace({}).value_or(0) : 0;
        const qint64 p = f ? f->AddPoint(w, {}).value_or(0) : 0;
        const qint64 h = f ? f->AddHeight(p, {}).value_or(0) : 0;
        const qint64 m = f ? f->AddMeasurement(h, {}).value_or(0) : 0;
        for (int i = 1; m != 0 && i <= 1000000; ++i) {
            if (!f->AppendReading(m, LiveReading(i - 1))) break;
            if (write(pipeEnds[1], &i, sizeof i) != sizeof i) break;
        }
        _exit(1);
    }
    close(pipeEnds[1]);
    int stored = 0;
    int count = 0;
    while (stored < 1500 && read(pipeEnds[0], &count, sizeof count) == sizeof count) stored = count;
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    while (read(pipeEnds[0], &count, sizeof count) == sizeof count) stored = count;
    close(pipeEnds[0]);
    ASSERT_GE(stored, 1500);
    ASSERT_TRUE(QFile::exists(path + QStringLiteral("-wal")));

    // While another program holds a survey, a new one is not made in its place.
    {
        int held[2];
        int done[2];
        ASSERT_EQ(pipe(held), 0);
        ASSERT_EQ(pipe(done), 0);
        const pid_t holder = fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            close(held[0]);
            close(done[1]);
            Outcome opened;
            auto f = SurveyFile::Open(path, &opened);
            const char ok = f ? 1 : 0;
            if (write(held[1], &ok, 1) != 1) _exit(1);
            char c = 0;
            (void)read(done[0], &c, 1);
            _exit(0);
        }
        close(held[1]);
        close(done[0]);
        char ok = 0;
        ASSERT_EQ(read(held[0], &ok, 1), 1);
        ASSERT_EQ(ok, 1);
        const QByteArray before = Bytes(path);
        Outcome r;
        EXPECT_FALSE(SurveyFile::Create(path, &r));
        EXPECT_TRUE(r.text.contains(T(kSurveyBusy))) << r.text.toStdString();
        EXPECT_EQ(Bytes(path), before);
        close(done[1]);
        close(held[0]);
        int status = 0;
        ASSERT_EQ(waitpid(holder, &status, 0), holder);
    }

    // A new survey made in the place of the killed one starts empty: the log left beside the
    // old file is not taken into it.
    const QString replaced = dir.filePath(QStringLiteral("replaced.lmrs"));
    ASSERT_TRUE(QFile::copy(path, replaced));
    ASSERT_TRUE(QFile::copy(path + QStringLiteral("-wal"), replaced + QStringLiteral("-wal")));
    Outcome r;
    // Cut off before its rename, it leaves the old survey whole without its log, and nothing
    // of its own.
    g_renameFails = true;
    EXPECT_FALSE(SurveyFile::Create(replaced, &r));
    g_renameFails = false;
    EXPECT_EQ(LogsBeside(replaced), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"killed.lmrs", "killed.lmrs-wal", "replaced.lmrs"}));
    {
        const auto old = SurveyFile::Open(replaced, &r);
        ASSERT_TRUE(old) << r.text.toStdString();
        EXPECT_GE(Loaded(*old).workplaces.at(0).points.at(0).heights.at(0).measurements.at(0)
                      .readings.size(),
                  size_t(stored));
    }
    {
        const auto fresh = SurveyFile::Create(replaced, &r);
        ASSERT_TRUE(fresh) << r.text.toStdString();
        EXPECT_TRUE(Loaded(*fresh).workplaces.empty());
    }

    auto f = SurveyFile::Open(path, &r);
    ASSERT_TRUE(f) << r.text.toStdString();
    const Valued<Survey> loaded = Loaded(*f);
    ASSERT_TRUE(loaded) << loaded.outcome.text.toStdString();
    const Survey& s = *loaded;
    const std::vector<Reading>& readings =
        s.workplaces.at(0).points.at(0).heights.at(0).measurements.at(0).readings;
    // At most the reading in flight is more than was told.
    ASSERT_GE(readings.size(), size_t(stored));
    ASSERT_LE(readings.size(), size_t(stored) + 1);
    std::vector<Reading> want;
    for (size_t i = 0; i < readings.size(); ++i) want.push_back(LiveReading(int(i)));
    ExpectSameReadings(readings, want);
    // The file takes more, and closes whole.
    ASSERT_TRUE(
        f->AppendReading(s.workplaces[0].points[0].heights[0].measurements[0].id, LiveReading(0)));
    f.reset();
    EXPECT_EQ(LogsBeside(path), QStringList());
}

// The proposed name of a survey or protocol file is a name a file system takes, whatever the
// organisation is called, and never empty.
TEST(FileNames, ProposedFromWhatTheOrganisationAndTheDay) {
    const QDate day(2026, 3, 15);
    const struct {
        const char* what;
        const char* organisation;
        QDate day;
        const char* name;
    } rows[] = {
        {"Обследование", "ООО «Литейный завод № 2»", day, "Обследование ООО Литейный завод № 2 2026-03-15"},
        {"Протокол 17/М", "", day, "Протокол 17 М 2026-03-15"},
        {"Обследование", "  ..\\a:b*c?\"d<e>f|g  ", QDate(), "Обследование a b c d e f g"},
        {"", "", day, "2026-03-15"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ProposedFileName(QString::fromUtf8(row.what), QString::fromUtf8(row.organisation),
                                   row.day),
                  QString::fromUtf8(row.name));
    }
}

}  // namespace
}  // namespace lmr::test

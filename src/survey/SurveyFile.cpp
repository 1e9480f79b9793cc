#include "survey/SurveyFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <cerrno>
#include <cstdio>

#include "data/FileErrorText.h"
#include "survey/SurveyConnection.h"
#include "survey/SurveyFileCheck.h"
#include "survey/SurveyRead.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"
#include "survey/SurveyValues.h"

namespace lmr {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Report(SurveyFileResult* result, const SurveyFileResult& value) {
    if (result) *result = value;
}

// An empty survey of the current schema in a new file at name, in one transaction, then put in
// the journal mode every later change is written in.
QString BuildEmptySurvey(const QString& name) {
    SurveyConnection c;
    if (QString reason = c.Open(name, QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        !reason.isEmpty()) {
        return reason;
    }
    QSqlDatabase& db = c.Db();
    if (!db.transaction()) return SqlReason(db.lastError());
    QStringList statements = {
        QStringLiteral("PRAGMA application_id = %1").arg(kSurveyApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(kSurveySchemaVersion)};
    for (const auto& step : SurveySchemaSteps()) {
        for (const char* s : step) statements << QString::fromLatin1(s);
    }
    statements << QStringLiteral("UPDATE survey SET method = '%1'")
                      .arg(QString::fromUtf8(kDefaultSurveyMethod));
    for (const QString& s : statements) {
        if (QString reason = c.Run(s); !reason.isEmpty()) {
            db.rollback();
            return reason;
        }
    }
    if (!db.commit()) return SqlReason(db.lastError());
    // Made in the rollback journal, so the application id and the version are in the file
    // itself from the start, where the header check reads them.
    return c.Run(QStringLiteral("PRAGMA journal_mode = WAL"));
}

constexpr const char* kLogSuffixes[] = {"-wal", "-shm", "-journal"};

// Brings a file of an earlier schema version up to date in one transaction. Made in the
// rollback journal, so that the new version is in the file's header at once and an older
// program refuses the file before it touches it.
QString Upgrade(SurveyConnection& c, int version) {
    if (version >= kSurveySchemaVersion) return {};
    QSqlDatabase& db = c.Db();
    if (QString reason = c.Run(QStringLiteral("PRAGMA journal_mode = DELETE")); !reason.isEmpty()) {
        return reason;
    }
    if (!db.transaction()) return SqlReason(db.lastError());
    QStringList statements;
    for (int step = version; step < kSurveySchemaVersion; ++step) {
        for (const char* s : SurveySchemaSteps()[std::size_t(step)]) {
            statements << QString::fromLatin1(s);
        }
    }
    statements << QStringLiteral("PRAGMA user_version = %1").arg(kSurveySchemaVersion);
    for (const QString& s : statements) {
        if (QString reason = c.Run(s); !reason.isEmpty()) {
            db.rollback();
            return reason;
        }
    }
    if (!db.commit()) return SqlReason(db.lastError());
    return {};
}

}  // namespace

struct SurveyFile::Impl {
    QString path;
    SurveyConnection connection;
    // Prepared once: a live series stores a reading every few seconds for hours.
    QSqlQuery insertReading;
    QString lastError;

    explicit Impl(QString p) : path(std::move(p)) {}
    ~Impl() { insertReading = QSqlQuery(); }

    QSqlDatabase& Db() { return connection.Db(); }
    [[nodiscard]] QString Connect();

    SurveyFileResult Fail(const char* what, const QString& reason) {
        lastError = Text(what).arg(path, reason);
        return {false, lastError};
    }
    SurveyFileResult WriteFailure(const QString& reason) {
        return Fail(kSurveyCannotWrite, reason);
    }
    // Runs a prepared change of exactly one row.
    SurveyFileResult ChangeOneRow(QSqlQuery& q) {
        if (!q.exec()) return WriteFailure(SqlReason(q.lastError()));
        if (q.numRowsAffected() != 1) return WriteFailure(Text(kSurveyNoSuchItem));
        return {};
    }
    // Runs a prepared insert; the new row's id.
    std::optional<qint64> Insert(QSqlQuery& q) {
        if (!q.exec()) {
            (void)WriteFailure(SqlReason(q.lastError()));
            return std::nullopt;
        }
        return q.lastInsertId().toLongLong();
    }
    [[nodiscard]] bool BindReading(qint64 measurementId, const Reading& r);
};

QString SurveyFile::Impl::Connect() {
    // Never create a file here (mode=rw): one that vanished since the check stays vanished.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw");
    if (QString reason =
            connection.Open(uri, QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"));
        !reason.isEmpty()) {
        return reason;
    }
    QSqlDatabase& db = connection.Db();
    // One program at a time: the lock is taken at the first read and held until the file
    // closes, and the log's index lives in memory, so no shared-memory file lies beside it.
    QString reason = connection.Run(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    if (!reason.isEmpty()) return reason;
    // Nothing is written before the whole file has been read and found sound; a log left by a
    // killed program is taken back in by this first read.
    const QVariant check = connection.ValueOf(QStringLiteral("PRAGMA quick_check(1)"), &reason);
    if (!reason.isEmpty()) return reason;
    if (check.toString() != QLatin1String("ok")) return Text(kSurveyDamaged);
    // Read again from what the log holds: the header check saw the file alone.
    const QVariant id = connection.ValueOf(QStringLiteral("PRAGMA application_id"), &reason);
    if (!reason.isEmpty()) return reason;
    if (quint32(id.toLongLong()) != kSurveyApplicationId) return Text(kSurveyForeign);
    const QVariant version = connection.ValueOf(QStringLiteral("PRAGMA user_version"), &reason);
    if (!reason.isEmpty()) return reason;
    if (version.toInt() > kSurveySchemaVersion) return Text(kSurveyNewer);
    if (version.toInt() < 1) return Text(kSurveyDamaged);
    const QVariant rows = connection.ValueOf(
        QStringLiteral("SELECT (SELECT count(*) FROM survey) + (SELECT count(*) FROM instrument)"),
        &reason);
    if (!reason.isEmpty() || rows.toInt() != 2) return Text(kSurveyDamaged);
    if (reason = Upgrade(connection, version.toInt()); !reason.isEmpty()) return reason;
    // A change in the write-ahead log is safe once written, without waiting for the disk: a
    // killed program loses nothing, a power cut at most the last changes, never the file.
    const QVariant mode = connection.ValueOf(QStringLiteral("PRAGMA journal_mode = WAL"), &reason);
    if (!reason.isEmpty()) return reason;
    if (mode.toString() != QLatin1String("wal")) return Text(kSurveyNoLog);
    for (const char* s : {"PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON"}) {
        if (reason = connection.Run(QString::fromLatin1(s)); !reason.isEmpty()) return reason;
    }
    insertReading = QSqlQuery(db);
    if (!insertReading.prepare(QStringLiteral(
            "INSERT INTO reading (measurement_id, time, rh, tv, tsf, tvt, ttr, ths, wbgt, tg, "
            "trad, w, origin, model, head) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?)"))) {
        return SqlReason(insertReading.lastError());
    }
    return {};
}

bool SurveyFile::Impl::BindReading(qint64 measurementId, const Reading& r) {
    const HeatStress& h = r.derived;
    const auto number = [](float v) { return QVariant(StoredNumber(v)); };
    const QVariant values[] = {measurementId,
                               TimeValue(r.when),
                               number(r.rh),
                               number(r.tv),
                               number(r.tsf),
                               number(h.tvt),
                               h.ttr ? number(*h.ttr) : QVariant(),
                               number(h.ths),
                               number(h.wbgt),
                               number(h.tg),
                               number(h.trad),
                               number(h.w),
                               QString::fromLatin1(OriginCode(r.origin)),
                               int(r.model),
                               int(r.head)};
    for (int i = 0; i < int(std::size(values)); ++i) insertReading.bindValue(i, values[i]);
    if (insertReading.exec()) return true;
    (void)WriteFailure(SqlReason(insertReading.lastError()));
    return false;
}

SurveyFile::SurveyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SurveyFile::~SurveyFile() = default;

std::unique_ptr<SurveyFile> SurveyFile::Create(const QString& path, SurveyFileResult* result) {
    // Built under a name of its own and put in place whole: a survey at path stays until the
    // new one is complete.
    const QFileInfo info(path);
    const QString building =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new");
    const auto fail = [&](const QString& reason) -> std::unique_ptr<SurveyFile> {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
        Report(result, {false, Text(kSurveyCannotCreate).arg(path, reason)});
        return nullptr;
    };
    // Left by a program killed while it made one.
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    if (QString reason = BuildEmptySurvey(building); !reason.isEmpty()) return fail(reason);
    // The old file's log would be replayed into the new one.
    for (const char* suffix : kLogSuffixes) QFile::remove(path + QLatin1String(suffix));
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile target(path);
        return fail(FileErrorText(target, errno));
    }
    return Open(path, result);
}

std::unique_ptr<SurveyFile> SurveyFile::Open(const QString& path, SurveyFileResult* result) {
    const auto fail = [&](const QString& reason) -> std::unique_ptr<SurveyFile> {
        Report(result, {false, Text(kSurveyCannotOpen).arg(path, reason)});
        return nullptr;
    };
    if (QString reason = SurveyHeaderRefusal(path); !reason.isEmpty()) return fail(reason);
    auto impl = std::make_unique<Impl>(path);
    if (QString reason = impl->Connect(); !reason.isEmpty()) return fail(reason);
    Report(result, {});
    return std::unique_ptr<SurveyFile>(new SurveyFile(std::move(impl)));
}

QString SurveyFile::Path() const {
    return impl_->path;
}

QString SurveyFile::LastError() const {
    return impl_->lastError;
}

Survey SurveyFile::Load(SurveyFileResult* result) const {
    Survey survey;
    if (const QString reason = ReadSurvey(impl_->Db(), kSurveySchemaVersion, &survey);
        !reason.isEmpty()) {
        Report(result, impl_->Fail(kSurveyCannotRead, reason));
        return {};
    }
    Report(result, {});
    return survey;
}

SurveyFileResult SurveyFile::SetHeader(const SurveyHeader& header) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE survey SET organisation = ?, address = ?, customer = ?, purpose = ?, "
        "protocol_number = ?, protocol_date = ?, first_date = ?, last_date = ?, operators = ?, "
        "season = ?, outdoor_temperature = ?, kind = ?, method = ? WHERE id = 1"));
    q.addBindValue(TextValue(header.organisation));
    q.addBindValue(TextValue(header.address));
    q.addBindValue(TextValue(header.customer));
    q.addBindValue(TextValue(header.purpose));
    q.addBindValue(TextValue(header.protocolNumber));
    q.addBindValue(DateValue(header.protocolDate));
    q.addBindValue(DateValue(header.firstDate));
    q.addBindValue(DateValue(header.lastDate));
    q.addBindValue(TextValue(header.operators));
    q.addBindValue(QString::fromLatin1(SeasonCode(header.season)));
    q.addBindValue(NumberValue(header.outdoorTemperature));
    q.addBindValue(QString::fromLatin1(KindCode(header.kind)));
    q.addBindValue(TextValue(header.method));
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::SetLaboratory(const SurveyLaboratory& laboratory) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE laboratory SET name = ?, address = ?, accreditation = ?, "
                             "head = ?, compiler = ? WHERE id = 1"));
    for (const QString* text : {&laboratory.name, &laboratory.address, &laboratory.accreditation,
                                &laboratory.head, &laboratory.compiler}) {
        q.addBindValue(TextValue(*text));
    }
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::SetInstrument(const SurveyInstrument& instrument) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE instrument SET model = ?, head = ?, serial_number = ?, certificate_number = ?, "
        "certificate_date = ?, valid_until = ?, type_name = ?, register_number = ?, ranges = ?, "
        "error_air = ?, error_rh = ?, error_globe = ?, error_air_speed = ?, "
        "error_air_speed_percent = ? WHERE id = 1"));
    q.addBindValue(TextValue(instrument.model));
    q.addBindValue(TextValue(instrument.head));
    q.addBindValue(TextValue(instrument.serialNumber));
    q.addBindValue(TextValue(instrument.certificateNumber));
    q.addBindValue(DateValue(instrument.certificateDate));
    q.addBindValue(DateValue(instrument.validUntil));
    q.addBindValue(TextValue(instrument.typeName));
    q.addBindValue(TextValue(instrument.registerNumber));
    q.addBindValue(TextValue(instrument.ranges));
    for (const auto* limit : {&instrument.errorAir, &instrument.errorRh, &instrument.errorGlobe,
                              &instrument.errorAirSpeed, &instrument.errorAirSpeedPercent}) {
        q.addBindValue(NumberValue(*limit));
    }
    return impl_->ChangeOneRow(q);
}

std::optional<qint64> SurveyFile::AddWorkplace(const SurveyWorkplace& workplace) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO workplace (sort_order, name, category, posture, shift_hours) VALUES "
        "((SELECT coalesce(max(sort_order), 0) + 1 FROM workplace), ?, ?, ?, ?)"));
    q.addBindValue(TextValue(workplace.name));
    q.addBindValue(QString::fromLatin1(CategoryCode(workplace.category)));
    q.addBindValue(QString::fromLatin1(PostureCode(workplace.posture)));
    q.addBindValue(workplace.shiftHours);
    return impl_->Insert(q);
}

SurveyFileResult SurveyFile::UpdateWorkplace(const SurveyWorkplace& workplace) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE workplace SET name = ?, category = ?, posture = ?, shift_hours = ? WHERE id = ?"));
    q.addBindValue(TextValue(workplace.name));
    q.addBindValue(QString::fromLatin1(CategoryCode(workplace.category)));
    q.addBindValue(QString::fromLatin1(PostureCode(workplace.posture)));
    q.addBindValue(workplace.shiftHours);
    q.addBindValue(workplace.id);
    return impl_->ChangeOneRow(q);
}

std::optional<qint64> SurveyFile::AddPoint(qint64 workplaceId, const SurveyPoint& point) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO point (workplace_id, sort_order, name) VALUES "
        "(?, (SELECT coalesce(max(sort_order), 0) + 1 FROM point WHERE workplace_id = ?), ?)"));
    q.addBindValue(workplaceId);
    q.addBindValue(workplaceId);
    q.addBindValue(TextValue(point.name));
    return impl_->Insert(q);
}

SurveyFileResult SurveyFile::UpdatePoint(const SurveyPoint& point) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE point SET name = ? WHERE id = ?"));
    q.addBindValue(TextValue(point.name));
    q.addBindValue(point.id);
    return impl_->ChangeOneRow(q);
}

std::optional<qint64> SurveyFile::AddHeight(qint64 pointId, const SurveyHeight& height) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO height (point_id, sort_order, metres, air_speed, irradiated_share) VALUES "
        "(?, (SELECT coalesce(max(sort_order), 0) + 1 FROM height WHERE point_id = ?), ?, ?, ?)"));
    q.addBindValue(pointId);
    q.addBindValue(pointId);
    q.addBindValue(height.metres);
    q.addBindValue(NumberValue(height.airSpeed));
    q.addBindValue(QString::fromLatin1(IrradiatedShareCode(height.irradiatedShare)));
    return impl_->Insert(q);
}

SurveyFileResult SurveyFile::UpdateHeight(const SurveyHeight& height) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE height SET metres = ?, air_speed = ?, irradiated_share = ? WHERE id = ?"));
    q.addBindValue(height.metres);
    q.addBindValue(NumberValue(height.airSpeed));
    q.addBindValue(QString::fromLatin1(IrradiatedShareCode(height.irradiatedShare)));
    q.addBindValue(height.id);
    return impl_->ChangeOneRow(q);
}

namespace {

// Removes the row of id from table (and, through the file's cascades, all under it).
QSqlQuery RemoveQuery(QSqlDatabase& db, const char* table, qint64 id) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QLatin1String(table)));
    q.addBindValue(id);
    return q;
}

}  // namespace

SurveyFileResult SurveyFile::RemoveWorkplace(qint64 workplaceId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "workplace", workplaceId);
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::RemovePoint(qint64 pointId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "point", pointId);
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::RemoveHeight(qint64 heightId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "height", heightId);
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::RemoveMeasurement(qint64 measurementId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "measurement", measurementId);
    return impl_->ChangeOneRow(q);
}

std::optional<qint64> SurveyFile::AddMeasurement(qint64 heightId,
                                                 const SurveyMeasurement& measurement) {
    QSqlDatabase& db = impl_->Db();
    // The measurement and its readings are stored together or not at all.
    if (!db.transaction()) {
        (void)impl_->WriteFailure(SqlReason(db.lastError()));
        return std::nullopt;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO measurement (height_id, origin, source, recording) VALUES (?, ?, ?, ?)"));
    q.addBindValue(heightId);
    q.addBindValue(QString::fromLatin1(OriginCode(measurement.origin)));
    q.addBindValue(TextValue(measurement.source));
    q.addBindValue(measurement.recording ? 1 : 0);
    std::optional<qint64> id = impl_->Insert(q);
    for (auto r = measurement.readings.begin(); id && r != measurement.readings.end(); ++r) {
        if (!impl_->BindReading(*id, *r)) id.reset();
    }
    if (id && db.commit()) return id;
    if (id) (void)impl_->WriteFailure(SqlReason(db.lastError()));
    db.rollback();
    return std::nullopt;
}

SurveyFileResult SurveyFile::SetRecording(qint64 measurementId, bool recording) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE measurement SET recording = ? WHERE id = ?"));
    q.addBindValue(recording ? 1 : 0);
    q.addBindValue(measurementId);
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::MoveMeasurement(qint64 measurementId, qint64 heightId) {
    QSqlQuery q(impl_->Db());
    // A height that is not there fails on the foreign key, and nothing moves.
    q.prepare(QStringLiteral("UPDATE measurement SET height_id = ? WHERE id = ?"));
    q.addBindValue(heightId);
    q.addBindValue(measurementId);
    return impl_->ChangeOneRow(q);
}

SurveyFileResult SurveyFile::AppendReading(qint64 measurementId, const Reading& reading) {
    if (!impl_->BindReading(measurementId, reading)) return {false, impl_->lastError};
    return {};
}

}  // namespace lmr

#include "survey/SurveyFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QTemporaryDir>
#include <QVariant>
#include <cerrno>
#include <cstdio>

#include "data/FileErrorText.h"
#include "survey/SurveyConnection.h"
#include "survey/SurveyFileCheck.h"
#include "survey/SurveyFileImpl.h"
#include "survey/SurveyRead.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"
#include "survey/SurveyValues.h"

namespace lmr {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Report(Outcome* outcome, Outcome value) {
    if (outcome) *outcome = std::move(value);
}

// An empty survey of the current schema in a new file at name, in one transaction, then put in
// the journal mode every later change is written in.
Outcome BuildEmptySurvey(const QString& name) {
    SurveyConnection c;
    if (Outcome open = c.Open(name, QStringLiteral("QSQLITE_BUSY_TIMEOUT=0")); !open) return open;
    QSqlDatabase& db = c.Db();
    if (!db.transaction()) return SqlFailure(db.lastError());
    QStringList statements = {
        QStringLiteral("PRAGMA application_id = %1").arg(kSurveyApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(kSurveySchemaVersion)};
    for (const auto& step : SurveySchemaSteps()) {
        for (const char* s : step) statements << QString::fromLatin1(s);
    }
    statements << QStringLiteral("UPDATE survey SET method = '%1'")
                      .arg(QString::fromUtf8(kDefaultSurveyMethod));
    for (const QString& s : statements) {
        if (Outcome run = c.Run(s); !run) {
            db.rollback();
            return run;
        }
    }
    if (!db.commit()) return SqlFailure(db.lastError());
    // Made in the rollback journal, so the application id and the version are in the file
    // itself from the start, where the header check reads them.
    return c.Run(QStringLiteral("PRAGMA journal_mode = WAL"));
}

constexpr const char* kLogSuffixes[] = {"-wal", "-shm", "-journal"};

// Brings a file of an earlier schema version up to date in one transaction. Made in the
// rollback journal, so that the new version is in the file's header at once and an older
// program refuses the file before it touches it.
Outcome Upgrade(SurveyConnection& c, int version) {
    if (version >= kSurveySchemaVersion) return Outcome::Ok();
    QSqlDatabase& db = c.Db();
    if (Outcome run = c.Run(QStringLiteral("PRAGMA journal_mode = DELETE")); !run) return run;
    if (!db.transaction()) return SqlFailure(db.lastError());
    QStringList statements;
    for (int step = version; step < kSurveySchemaVersion; ++step) {
        for (const char* s : SurveySchemaSteps()[std::size_t(step)]) {
            statements << QString::fromLatin1(s);
        }
    }
    statements << QStringLiteral("PRAGMA user_version = %1").arg(kSurveySchemaVersion);
    for (const QString& s : statements) {
        if (Outcome run = c.Run(s); !run) {
            db.rollback();
            return run;
        }
    }
    if (!db.commit()) return SqlFailure(db.lastError());
    return Outcome::Ok();
}

}  // namespace


Outcome SurveyFile::Impl::Connect() {
    const auto refused = [](const char* reason) { return Outcome::Failed(Text(reason)); };
    // Never create a file here (mode=rw): one that vanished since the check stays vanished.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw");
    if (Outcome open =
            connection.Open(uri, QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"));
        !open) {
        return open;
    }
    QSqlDatabase& db = connection.Db();
    // One program at a time: the lock is taken at the first read and held until the file
    // closes, and the log's index lives in memory, so no shared-memory file lies beside it.
    if (Outcome run = connection.Run(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")); !run) {
        return run;
    }
    // Nothing is written before the whole file has been read and found sound; a log left by a
    // killed program is taken back in by this first read.
    const Valued<QVariant> check = connection.ValueOf(QStringLiteral("PRAGMA quick_check(1)"));
    if (!check) return check.outcome;
    if (check->toString() != QLatin1String("ok")) return refused(kSurveyDamaged);
    // Read again from what the log holds: the header check saw the file alone.
    const Valued<QVariant> id = connection.ValueOf(QStringLiteral("PRAGMA application_id"));
    if (!id) return id.outcome;
    if (quint32(id->toLongLong()) != kSurveyApplicationId) return refused(kSurveyForeign);
    const Valued<QVariant> version = connection.ValueOf(QStringLiteral("PRAGMA user_version"));
    if (!version) return version.outcome;
    if (version->toInt() > kSurveySchemaVersion) return refused(kSurveyNewer);
    if (version->toInt() < 1) return refused(kSurveyDamaged);
    const Valued<QVariant> rows = connection.ValueOf(
        QStringLiteral("SELECT (SELECT count(*) FROM survey) + (SELECT count(*) FROM instrument)"));
    if (!rows || rows->toInt() != 2) return refused(kSurveyDamaged);
    if (Outcome upgrade = Upgrade(connection, version->toInt()); !upgrade) return upgrade;
    // A change in the write-ahead log is safe once written, without waiting for the disk: a
    // killed program loses nothing, a power cut at most the last changes, never the file.
    const Valued<QVariant> mode = connection.ValueOf(QStringLiteral("PRAGMA journal_mode = WAL"));
    if (!mode) return mode.outcome;
    if (mode->toString() != QLatin1String("wal")) return refused(kSurveyNoLog);
    for (const char* s : {"PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON"}) {
        if (Outcome run = connection.Run(QString::fromLatin1(s)); !run) return run;
    }
    insertReading = QSqlQuery(db);
    if (!insertReading.prepare(QStringLiteral(
            "INSERT INTO reading (measurement_id, time, rh, tv, tsf, tvt, ttr, ths, wbgt, tg, "
            "trad, w, origin, model, head) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?)"))) {
        return SqlFailure(insertReading.lastError());
    }
    return Outcome::Ok();
}

SurveyFile::SurveyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SurveyFile::~SurveyFile() = default;

namespace {

// Takes the log of the survey at path into the file itself, so that the file alone holds every
// committed change; fails only where another program holds it (kSurveyBusy). A file SQLite
// cannot read is left as it is.
Outcome MergeLog(const QString& path) {
    bool logBeside = false;
    for (const char* suffix : kLogSuffixes) logBeside = logBeside || QFile::exists(path + QLatin1String(suffix));
    if (!logBeside) return Outcome::Ok();
    SurveyConnection c;
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw");
    if (!c.Open(uri, QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"))) {
        return Outcome::Ok();
    }
    Outcome merged = c.Run(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    // The first read takes the log in (or rolls a broken change back); the close writes it
    // into the file and removes it.
    if (merged) merged = c.ValueOf(QStringLiteral("SELECT count(*) FROM sqlite_master")).outcome;
    if (!merged && merged.text == Text(kSurveyBusy)) return merged;
    return Outcome::Ok();
}

}  // namespace

std::unique_ptr<SurveyFile> SurveyFile::Create(const QString& path, Outcome* outcome) {
    // Built under a name of its own and put in place whole: a survey at path stays until the
    // new one is complete.
    const QFileInfo info(path);
    const QString building =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new");
    const auto fail = [&](const QString& reason) -> std::unique_ptr<SurveyFile> {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
        Report(outcome, Outcome::Failed(Text(kSurveyCannotCreate).arg(path, reason)));
        return nullptr;
    };
    // A survey another program records into is not taken from under it.
    if (SurveyHeldElsewhere(path)) return fail(Text(kSurveyBusy));
    // Left by a program killed while it made one.
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    if (Outcome built = BuildEmptySurvey(building); !built) return fail(built.text);
    // The old file's log would be replayed into the new one; it goes into the old file first,
    // so that a program killed before the rename leaves the old survey whole.
    if (Outcome merged = MergeLog(path); !merged) return fail(merged.text);
    for (const char* suffix : kLogSuffixes) QFile::remove(path + QLatin1String(suffix));
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile target(path);
        return fail(FileErrorText(target, errno));
    }
    return Open(path, outcome);
}

namespace {

// Reads the survey at path whole from a private copy of it and of its logs: whatever the file
// holds (a log to take in, an older schema, another journal mode, a value no program of ours
// writes), nothing is written in or beside it before it is found sound, and a file that may
// only be read (its rights, its folder, its file system) reads as well.
Valued<Survey> ReadCopy(const QString& path) {
    const QTemporaryDir dir;
    if (!dir.isValid()) return Outcome::Failed(FileErrorText(QFile(), EACCES));
    const QString copy = dir.filePath(QStringLiteral("survey.lmrs"));
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-journal")}) {
        QFile from(path + suffix);
        if (!suffix.isEmpty() && !from.exists()) continue;
        if (!from.copy(copy + suffix)) {
            const int error = errno;
            return Outcome::Failed(FileErrorText(from, error == 0 ? EIO : error));
        }
        // The copy is this program's own to write in, whatever the rights of the original.
        QFile::setPermissions(copy + suffix, QFile::ReadOwner | QFile::WriteOwner);
    }
    auto impl = std::make_unique<SurveyFile::Impl>(copy);
    if (Outcome connected = impl->Connect(); !connected) return connected;
    // Brought up to date on the copy, whatever its version was.
    return ReadSurvey(impl->Db(), kSurveySchemaVersion);
}

}  // namespace

std::unique_ptr<SurveyFile> SurveyFile::Open(const QString& path, Outcome* outcome) {
    const auto fail = [&](const QString& reason) -> std::unique_ptr<SurveyFile> {
        Report(outcome, Outcome::Failed(Text(kSurveyCannotOpen).arg(path, reason)));
        return nullptr;
    };
    if (Outcome may = SurveyHeaderRefusal(path); !may) return fail(may.text);
    if (SurveyHeldElsewhere(path)) return fail(Text(kSurveyBusy));
    if (const Valued<Survey> whole = ReadCopy(path); !whole) return fail(whole.outcome.text);
    auto impl = std::make_unique<Impl>(path);
    if (Outcome connected = impl->Connect(); !connected) return fail(connected.text);
    Report(outcome, Outcome::Ok());
    return std::unique_ptr<SurveyFile>(new SurveyFile(std::move(impl)));
}

Survey SurveyFile::Read(const QString& path, Outcome* outcome) {
    const auto fail = [&](const QString& reason) {
        Report(outcome, Outcome::Failed(Text(kSurveyCannotOpen).arg(path, reason)));
        return Survey{};
    };
    if (Outcome may = SurveyHeaderRefusal(path, false); !may) return fail(may.text);
    if (SurveyHeldElsewhere(path)) return fail(Text(kSurveyBusy));
    Valued<Survey> survey = ReadCopy(path);
    if (!survey) return fail(survey.outcome.text);
    Report(outcome, Outcome::Ok());
    return std::move(*survey);
}

QString SurveyFile::Path() const {
    return impl_->path;
}

Valued<Survey> SurveyFile::Load() const {
    Valued<Survey> survey = ReadSurvey(impl_->Db(), kSurveySchemaVersion);
    if (!survey) return impl_->Fail(kSurveyCannotRead, survey.outcome);
    return survey;
}

}  // namespace lmr

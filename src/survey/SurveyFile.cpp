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

SurveyFile::SurveyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SurveyFile::~SurveyFile() = default;

namespace {

// Takes the log of the survey at path into the file itself, so that the file alone holds every
// committed change; empty, or why not (another program holds it: kSurveyBusy). A file SQLite
// cannot read is left as it is.
QString MergeLog(const QString& path) {
    bool logBeside = false;
    for (const char* suffix : kLogSuffixes) logBeside = logBeside || QFile::exists(path + QLatin1String(suffix));
    if (!logBeside) return {};
    SurveyConnection c;
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw");
    if (!c.Open(uri, QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0")).isEmpty()) return {};
    QString reason = c.Run(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    // The first read takes the log in (or rolls a broken change back); the close writes it
    // into the file and removes it.
    if (reason.isEmpty()) (void)c.ValueOf(QStringLiteral("SELECT count(*) FROM sqlite_master"), &reason);
    if (reason == Text(kSurveyBusy)) return reason;
    return {};
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
    if (QString reason = BuildEmptySurvey(building); !reason.isEmpty()) return fail(reason);
    // The old file's log would be replayed into the new one; it goes into the old file first,
    // so that a program killed before the rename leaves the old survey whole.
    if (QString reason = MergeLog(path); !reason.isEmpty()) return fail(reason);
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
// only be read (its rights, its folder, its file system) reads as well. Empty, or why not.
QString ReadCopy(const QString& path, Survey* survey) {
    const QTemporaryDir dir;
    if (!dir.isValid()) return FileErrorText(QFile(), EACCES);
    const QString copy = dir.filePath(QStringLiteral("survey.lmrs"));
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-journal")}) {
        QFile from(path + suffix);
        if (!suffix.isEmpty() && !from.exists()) continue;
        if (!from.copy(copy + suffix)) {
            const int error = errno;
            return FileErrorText(from, error == 0 ? EIO : error);
        }
        // The copy is this program's own to write in, whatever the rights of the original.
        QFile::setPermissions(copy + suffix, QFile::ReadOwner | QFile::WriteOwner);
    }
    auto impl = std::make_unique<SurveyFile::Impl>(copy);
    if (QString reason = impl->Connect(); !reason.isEmpty()) return reason;
    // Brought up to date on the copy, whatever its version was.
    return ReadSurvey(impl->Db(), kSurveySchemaVersion, survey);
}

}  // namespace

std::unique_ptr<SurveyFile> SurveyFile::Open(const QString& path, Outcome* outcome) {
    const auto fail = [&](const QString& reason) -> std::unique_ptr<SurveyFile> {
        Report(outcome, Outcome::Failed(Text(kSurveyCannotOpen).arg(path, reason)));
        return nullptr;
    };
    if (QString reason = SurveyHeaderRefusal(path); !reason.isEmpty()) return fail(reason);
    if (SurveyHeldElsewhere(path)) return fail(Text(kSurveyBusy));
    Survey whole;
    if (QString reason = ReadCopy(path, &whole); !reason.isEmpty()) return fail(reason);
    auto impl = std::make_unique<Impl>(path);
    if (QString reason = impl->Connect(); !reason.isEmpty()) return fail(reason);
    Report(outcome, Outcome::Ok());
    return std::unique_ptr<SurveyFile>(new SurveyFile(std::move(impl)));
}

Survey SurveyFile::Read(const QString& path, Outcome* outcome) {
    const auto fail = [&](const QString& reason) {
        Report(outcome, Outcome::Failed(Text(kSurveyCannotOpen).arg(path, reason)));
        return Survey{};
    };
    if (QString reason = SurveyHeaderRefusal(path, false); !reason.isEmpty()) return fail(reason);
    if (SurveyHeldElsewhere(path)) return fail(Text(kSurveyBusy));
    Survey survey;
    if (QString reason = ReadCopy(path, &survey); !reason.isEmpty()) return fail(reason);
    Report(outcome, Outcome::Ok());
    return survey;
}

QString SurveyFile::Path() const {
    return impl_->path;
}

Valued<Survey> SurveyFile::Load() const {
    Survey survey;
    if (const QString reason = ReadSurvey(impl_->Db(), kSurveySchemaVersion, &survey);
        !reason.isEmpty()) {
        return impl_->Fail(kSurveyCannotRead, reason);
    }
    return survey;
}

}  // namespace lmr

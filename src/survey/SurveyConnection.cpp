#include "survey/SurveyConnection.h"

#include <QFile>
#include <QSqlQuery>
#include <atomic>
#include <cerrno>

#include "data/FileErrorText.h"
#include "survey/SurveyTexts.h"

namespace lmr {

namespace {

// SQLite's result codes that users meet.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;
constexpr int kSqliteForeignKey = 787;  // a parent that is not there

}  // namespace

QString SqlReason(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    if (!ok) return error.text();
    if (code == kSqliteForeignKey) return QString::fromUtf8(kSurveyNoSuchItem);
    switch (code & 0xff) {
        case kSqliteBusy:
        case kSqliteLocked:
            return QString::fromUtf8(kSurveyBusy);
        case kSqliteReadOnly:
            return FileErrorText(QFile(), EACCES);
        case kSqliteIoError:
            return FileErrorText(QFile(), EIO);
        case kSqliteFull:
            return FileErrorText(QFile(), ENOSPC);
        case kSqliteCantOpen:
            return QString::fromUtf8(kSurveyCannotOpenFile);
        case kSqliteCorrupt:
        case kSqliteNotADatabase:
            return QString::fromUtf8(kSurveyDamaged);
        default:
            return error.text();
    }
}

SurveyConnection::SurveyConnection() {
    static std::atomic<int> count{0};
    name_ = QStringLiteral("lmr-survey-%1").arg(++count);
}

SurveyConnection::~SurveyConnection() {
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

Outcome SurveyConnection::Open(const QString& name, const QString& options) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    if (!db_.isValid()) return Outcome::Failed(QString::fromUtf8(kSurveyNoDriver));
    db_.setDatabaseName(name);
    db_.setConnectOptions(options);
    if (!db_.open()) return SqlFailure(db_.lastError());
    return Outcome::Ok();
}

Outcome SurveyConnection::Run(const QString& statement) {
    QSqlQuery q(db_);
    if (!q.exec(statement)) return SqlFailure(q.lastError());
    return Outcome::Ok();
}

Valued<QVariant> SurveyConnection::ValueOf(const QString& statement) {
    QSqlQuery q(db_);
    if (!q.exec(statement)) return SqlFailure(q.lastError());
    if (!q.next()) return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
    return q.value(0);
}

}  // namespace lmr

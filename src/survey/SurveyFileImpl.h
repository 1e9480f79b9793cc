#pragma once

// The open survey file's state, shared by the files that open it and the file that changes it.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QString>

#include "survey/SurveyConnection.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyTexts.h"

namespace lmr {

struct SurveyFile::Impl {
    QString path;
    SurveyConnection connection;
    // Prepared once: a live series stores a reading every few seconds for hours.
    QSqlQuery insertReading;

    explicit Impl(QString p) : path(std::move(p)) {}
    ~Impl() { insertReading = QSqlQuery(); }

    QSqlDatabase& Db() { return connection.Db(); }
    // Opens the file for changing, after it has been read whole and brought up to date.
    [[nodiscard]] Outcome Connect();

    [[nodiscard]] Outcome Fail(const char* what, const QString& reason) const {
        return Outcome::Failed(QString::fromUtf8(what).arg(path, reason));
    }
    // A failure of a step below, told with what failed and the file's name.
    [[nodiscard]] Outcome Fail(const char* what, const Outcome& failed) const {
        return Fail(what, failed.text);
    }
    [[nodiscard]] Outcome WriteFailure(const QString& reason) const {
        return Fail(kSurveyCannotWrite, reason);
    }
    // Runs a prepared change of exactly one row.
    [[nodiscard]] Outcome ChangeOneRow(QSqlQuery& q) const {
        if (!q.exec()) return WriteFailure(SqlReason(q.lastError()));
        if (q.numRowsAffected() != 1) return WriteFailure(QString::fromUtf8(kSurveyNoSuchItem));
        return Outcome::Ok();
    }
    // Runs a prepared insert; the new row's id.
    [[nodiscard]] Valued<qint64> Insert(QSqlQuery& q) const {
        if (!q.exec()) return WriteFailure(SqlReason(q.lastError()));
        return q.lastInsertId().toLongLong();
    }
    [[nodiscard]] Outcome BindReading(qint64 measurementId, const Reading& r);
};

}  // namespace lmr

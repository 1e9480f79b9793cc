#pragma once

// The open survey file's state, shared by the files that open it and the file that changes it.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QString>
#include <optional>

#include "survey/SurveyConnection.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyTexts.h"

namespace lmr {

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
        lastError = QString::fromUtf8(what).arg(path, reason);
        return {false, lastError};
    }
    SurveyFileResult WriteFailure(const QString& reason) {
        return Fail(kSurveyCannotWrite, reason);
    }
    // Runs a prepared change of exactly one row.
    SurveyFileResult ChangeOneRow(QSqlQuery& q) {
        if (!q.exec()) return WriteFailure(SqlReason(q.lastError()));
        if (q.numRowsAffected() != 1) return WriteFailure(QString::fromUtf8(kSurveyNoSuchItem));
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

}  // namespace lmr

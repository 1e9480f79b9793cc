#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include "measure/Outcome.h"

namespace lmr {

// The reason a statement on a survey failed, as files give their reasons elsewhere ("на диске
// нет места", "файл повреждён"); SQLite's own text for the rest.
[[nodiscard]] QString SqlReason(const QSqlError& error);
// A statement's failure with that reason.
[[nodiscard]] inline Outcome SqlFailure(const QSqlError& error) {
    return Outcome::Failed(SqlReason(error));
}

// A connection of its own on one file (several surveys may be open at once), closed and
// forgotten by Qt when it goes.
class SurveyConnection {
public:
    SurveyConnection();
    ~SurveyConnection();
    SurveyConnection(const SurveyConnection&) = delete;
    SurveyConnection& operator=(const SurveyConnection&) = delete;

    // name as SQLite takes it, options as Qt's driver does; failed with the reason it did not
    // open.
    [[nodiscard]] Outcome Open(const QString& name, const QString& options);
    [[nodiscard]] QSqlDatabase& Db() { return db_; }

    // Runs one statement.
    [[nodiscard]] Outcome Run(const QString& statement);
    // The first value a statement gives; a statement that gives no row marks the file damaged.
    [[nodiscard]] Valued<QVariant> ValueOf(const QString& statement);

private:
    QString name_;
    QSqlDatabase db_;
};

}  // namespace lmr

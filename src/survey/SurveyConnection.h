#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

namespace lmr {

// The reason a statement on a survey failed, as files give their reasons elsewhere ("на диске
// нет места", "файл повреждён"); SQLite's own text for the rest.
[[nodiscard]] QString SqlReason(const QSqlError& error);

// A connection of its own on one file (several surveys may be open at once), closed and
// forgotten by Qt when it goes.
class SurveyConnection {
public:
    SurveyConnection();
    ~SurveyConnection();
    SurveyConnection(const SurveyConnection&) = delete;
    SurveyConnection& operator=(const SurveyConnection&) = delete;

    // name as SQLite takes it, options as Qt's driver does; the reason it did not open, empty
    // when it did.
    [[nodiscard]] QString Open(const QString& name, const QString& options);
    [[nodiscard]] QSqlDatabase& Db() { return db_; }

    // Runs one statement; the reason it failed, empty when it did not.
    [[nodiscard]] QString Run(const QString& statement);
    // The first value a statement gives; invalid where it failed, the reason in *reason.
    [[nodiscard]] QVariant ValueOf(const QString& statement, QString* reason);

private:
    QString name_;
    QSqlDatabase db_;
};

}  // namespace lmr

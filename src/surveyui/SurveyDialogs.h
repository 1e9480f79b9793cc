#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "core/LoggerTable.h"
#include "survey/Survey.h"
#include "survey/LoggerSpan.h"

class QWidget;

namespace lmr {

// The span of the logger page to take for a height, asked in a dialog that names the height and
// shows the records' dates beside the survey's days: from and to, the whole by default.
[[nodiscard]] std::optional<TimeSpan> AskSpanInDialog(QWidget* parent, const LoggerTable& table,
                                                      const TimeSpan& whole, const QString& place,
                                                      const SurveyHeader& header);

// The height to move a measurement to, chosen from a list.
[[nodiscard]] std::optional<qint64> AskHeightInDialog(
    QWidget* parent, const QString& what, const std::vector<std::pair<qint64, QString>>& heights);

// A question answered by yes (its own caption) or the default Отмена.
[[nodiscard]] bool AskInBox(QWidget* parent, const QString& question, const char* yesCaption,
                            QMessageBox::ButtonRole yesRole);

}  // namespace lmr

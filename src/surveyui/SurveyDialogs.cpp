// The survey window's questions: the span of logger records to take, the height to move a
// measurement to, and a yes-or-keep question.
#include "surveyui/SurveyDialogs.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString DayText(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

}  // namespace


// The span of the logger page to take for a height, asked in a dialog that names the height and
// shows the records' dates beside the survey's days: from and to, the whole by default.
std::optional<TimeSpan> AskSpanInDialog(QWidget* parent, const LoggerTable& table,
                                        const TimeSpan& whole, const QString& place,
                                        const SurveyHeader& header) {
    QDialog dialog(parent);
    dialog.setWindowTitle(Text(kSpanCaption));
    dialog.setMinimumWidth(380);  // the title in full
    auto* form = new QFormLayout(&dialog);
    auto* forWhat = new QLabel(Text(kSpanFor).arg(place), &dialog);
    forWhat->setTextFormat(Qt::PlainText);
    forWhat->setWordWrap(true);
    const QString days =
        header.firstDate.isValid() || header.lastDate.isValid()
            ? QStringLiteral("%1 – %2").arg(DayText(header.firstDate), DayText(header.lastDate))
            : Text(kDaysNotGiven);
    auto* surveyDays = new QLabel(Text(kSpanSurveyDays).arg(days), &dialog);
    auto* from = new QDateTimeEdit(whole.from, &dialog);
    auto* to = new QDateTimeEdit(whole.to, &dialog);
    for (QDateTimeEdit* e : {from, to}) {
        e->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        e->setDateTimeRange(whole.from, whole.to);
    }
    auto* count = new QLabel(&dialog);
    auto* dates = new QLabel(&dialog);
    const auto recount = [&] {
        const SurveyMeasurement m =
            SpanMeasurement(table, {from->dateTime(), to->dateTime()}, QString());
        count->setText(Text(kSpanCount).arg(m.readings.size()));
        const std::optional<TimeSpan> span = ReadingsSpan(m.readings);
        const QString moment = QStringLiteral("dd.MM.yyyy HH:mm");
        dates->setText(span ? Text(kSpanDates).arg(span->from.toString(moment),
                                                   span->to.toString(moment))
                            : QString());
    };
    QObject::connect(from, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    QObject::connect(to, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    recount();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kTake));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(forWhat);
    form->addRow(surveyDays);
    form->addRow(Text(kSpanFrom), from);
    form->addRow(Text(kSpanTo), to);
    form->addRow(count);
    form->addRow(dates);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return TimeSpan{from->dateTime(), to->dateTime()};
}

// The height to move a measurement to, chosen from a list.
std::optional<qint64> AskHeightInDialog(QWidget* parent, const QString& what,
                                        const std::vector<std::pair<qint64, QString>>& heights) {
    QDialog dialog(parent);
    dialog.setWindowTitle(Text(kMoveCaption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(Text(kMoveTo).arg(what), &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto* choice = new QComboBox(&dialog);
    for (const auto& [id, place] : heights) choice->addItem(place, id);
    label->setBuddy(choice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kMove));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(choice);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return choice->currentData().toLongLong();
}

// A question answered by yes (its own caption) or the default Отмена.
bool AskInBox(QWidget* parent, const QString& question, const char* yesCaption,
              QMessageBox::ButtonRole yesRole) {
    QMessageBox box(QMessageBox::Question, parent->windowTitle(), question, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(Text(yesCaption), yesRole);
    box.setDefaultButton(box.addButton(Text(kKeep), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace lmr

#include "surveyui/DateField.h"

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>

namespace lmr {

namespace {

const QString kDayFormat = QStringLiteral("dd.MM.yyyy");
constexpr const char* kCalendar = "Календарь";

}  // namespace

std::optional<QDate> ReadDayText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return QDate();
    static const QRegularExpression digits(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{4})$"));
    QRegularExpressionMatch m = digits.match(t);
    if (!m.hasMatch()) m = dotted.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid()) return std::nullopt;
    return d;
}

DateField::DateField(const QString& empty, QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    edit_->setPlaceholderText(empty);
    const QFontMetrics fm(edit_->font());
    edit_->setMinimumWidth(std::max(fm.horizontalAdvance(QStringLiteral("00.00.00000")),
                                    fm.horizontalAdvance(empty + QStringLiteral("00"))));
    edit_->installEventFilter(this);
    button_ = new QToolButton(this);
    button_->setArrowType(Qt::DownArrow);
    // One Tab stop: the field; the calendar is its button, Alt+Down or F4.
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setToolTip(QString::fromUtf8(kCalendar));
    button_->setAccessibleName(QString::fromUtf8(kCalendar));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(button_);
    setFocusProxy(edit_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(edit_, &QLineEdit::textEdited, this, &DateField::TextEdited);
    connect(edit_, &QLineEdit::editingFinished, this, &DateField::Read);
    connect(button_, &QToolButton::clicked, this, &DateField::OpenCalendar);
}

void DateField::setDate(const QDate& date) {
    const QDate d = date.isValid() ? date : QDate();
    edit_->setText(d.isValid() ? d.toString(kDayFormat) : QString());
    if (d == date_) return;
    date_ = d;
    emit dateChanged(date_);
}

void DateField::TextEdited(const QString& text) {
    // A whole day typed is taken at once, in the field's own form.
    int digits = 0;
    for (const QChar c : text) digits += c.isDigit() ? 1 : 0;
    if (digits != 8) return;
    if (const std::optional<QDate> d = ReadDayText(text); d && d->isValid()) setDate(*d);
}

void DateField::Read() {
    const std::optional<QDate> d = ReadDayText(edit_->text());
    if (!d) {
        emit unread(edit_->text());
        return;
    }
    setDate(*d);
}

void DateField::OpenCalendar() {
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(date_.isValid() ? date_ : QDate::currentDate());
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate& d) {
        setDate(d);
        calendar->close();
        edit_->setFocus();
    });
    connect(calendar, &QCalendarWidget::clicked, this, [this, calendar](const QDate& d) {
        setDate(d);
        calendar->close();
        edit_->setFocus();
    });
    calendar->adjustSize();
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
    calendar->setFocus();
}

bool DateField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            OpenCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace lmr

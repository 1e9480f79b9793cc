#include "windows/TimeMaskEdit.h"

namespace lmr {

namespace {
// In Qt's mask language "0" is an optional digit and "9" a required one.
const QString kMaskIdle = QStringLiteral("09:99; ");
const QString kMaskEditing = QStringLiteral("09:99;_");
}  // namespace

TimeMaskEdit::TimeMaskEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(kMaskIdle);
}

QString TimeMaskEdit::TimeText() const {
    QString text = displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void TimeMaskEdit::focusInEvent(QFocusEvent* event) {
    const int cursor = cursorPosition();
    setInputMask(kMaskEditing);
    setCursorPosition(cursor);
    QLineEdit::focusInEvent(event);
}

void TimeMaskEdit::focusOutEvent(QFocusEvent* event) {
    setInputMask(kMaskIdle);
    QLineEdit::focusOutEvent(event);
}

}  // namespace lmr

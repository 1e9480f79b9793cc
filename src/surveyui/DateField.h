#pragma once

#include <QDate>
#include <QString>
#include <QWidget>
#include <optional>

class QLineEdit;
class QToolButton;

namespace lmr {

// A day typed as the technician writes it: "15.03.2026", "15032026" or "5.3.2026"; an empty
// text is no day. Nothing for anything else.
[[nodiscard]] std::optional<QDate> ReadDayText(const QString& text);

// A day that may be left empty: typed at once in one field (one Tab stop), or chosen in a
// calendar opened by its button, Alt+Down or F4 on today or on the day given. Text that is no
// day stays as typed and is reported; the day kept is the last one read.
class DateField : public QWidget {
    Q_OBJECT
public:
    // empty: what the field shows while no day is given.
    explicit DateField(const QString& empty, QWidget* parent = nullptr);
    // An invalid date: no day given.
    [[nodiscard]] QDate date() const { return date_; }
    void setDate(const QDate& date);
    [[nodiscard]] QLineEdit* Edit() const { return edit_; }
    void OpenCalendar();

signals:
    void dateChanged(const QDate& date);
    // The text left in the field reads as no day: text as typed.
    void unread(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TextEdited(const QString& text);
    void Read();

    QLineEdit* edit_;
    QToolButton* button_;
    QDate date_;
};

}  // namespace lmr

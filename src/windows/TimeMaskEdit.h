#pragma once

#include <QLineEdit>

namespace lmr {

// An hours-and-minutes edit: an optional and a required hour digit, the
// separator, two required minute digits. Empty positions show as "_" only
// while the edit has the focus and as blanks otherwise, so an unset time
// reads "  :  ".
class TimeMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TimeMaskEdit(QWidget* parent = nullptr);

    // The text as the user sees it with every empty position a blank, e.g. "  :  " or "9 :30".
    [[nodiscard]] QString TimeText() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace lmr

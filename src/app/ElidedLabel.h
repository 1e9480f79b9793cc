#pragma once

#include <QLabel>

namespace lmr {

// A status panel whose text may be longer than the panel: it shows the start and "…" where
// the rest is cut, never widens the window for it, and keeps the whole text as its text
// (for screen readers and the tool tip).
class ElidedLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    [[nodiscard]] QSize minimumSizeHint() const override;
    // The text as the panel shows it at its width.
    [[nodiscard]] QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace lmr

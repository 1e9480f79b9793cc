#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace lmr {

// The page of user instructions. The text may be edited on screen; the edits
// last until the program ends and are never saved.
class TFHelp : public QWidget {
    Q_OBJECT
public:
    explicit TFHelp(QWidget* parent = nullptr);

    void ButtonCloseHelpClick();

private:
    // The window's components, each under its own name as object name (tests find them by it).
    QPlainTextEdit* MemoHelp;
    QPushButton* ButtonCloseHelp;
};

}  // namespace lmr

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

    QPlainTextEdit* MemoHelp;
    QPushButton* ButtonCloseHelp;

    void ButtonCloseHelpClick();
};

}  // namespace lmr

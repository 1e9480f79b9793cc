#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QTextEdit;

namespace lmr {

// The splash and about window: the program's logo and four lines of text about
// it on sky blue. A click anywhere on it closes it.
class TFLogo : public QWidget {
    Q_OBJECT
public:
    explicit TFLogo(QWidget* parent = nullptr);

    void PanelLogoClick();
    void ImageLMRClick();
    void PanelAtributiClick();
    void Memo1Click();
    void Memo2Click();
    void Memo3Click();
    void Memo4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // The window's components, each under its own name as object name (tests find them by it).
    QFrame* PanelLogo;
    QLabel* ImageLMR;
    QFrame* PanelAtributi;
    QTextEdit* Memo1;
    QTextEdit* Memo2;
    QTextEdit* Memo3;
    QTextEdit* Memo4;

    // The window that had the keyboard before the splash took it, to get it back.
    QPointer<QWidget> before_;
};

}  // namespace lmr

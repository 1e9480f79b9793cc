#include "app/FormHelp.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HelpText.h"
#include "windows/WindowPlacement.h"

namespace lmr {

TFHelp::TFHelp(QWidget* parent)
    : QWidget(parent, FixedWindowFlags() | Qt::WindowMinimizeButtonHint) {
    setWindowTitle(QStringLiteral("Помощь"));
    // Opens at its leaflet's size and may be made larger or maximised; the text wraps
    // at the window's width.
    PlaceFixedWindow(this, 462, 477);
    setMinimumSize(300, 200);

    MemoHelp = new QPlainTextEdit(this);
    MemoHelp->setObjectName(QStringLiteral("MemoHelp"));
    MemoHelp->setAccessibleName(QStringLiteral("Помощь"));
    MemoHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette palette = MemoHelp->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    MemoHelp->setPalette(palette);
    MemoHelp->setPlainText(HelpText());

    ButtonCloseHelp = new QPushButton(QStringLiteral("Закрыть"), this);
    ButtonCloseHelp->setObjectName(QStringLiteral("ButtonCloseHelp"));
    ButtonCloseHelp->setFixedHeight(25);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 1, 1);
    layout->setSpacing(2);
    layout->addWidget(MemoHelp, 1);
    layout->addWidget(ButtonCloseHelp);
    connect(ButtonCloseHelp, &QPushButton::clicked, this, &TFHelp::ButtonCloseHelpClick);
}

void TFHelp::ButtonCloseHelpClick() {
    close();
}

}  // namespace lmr

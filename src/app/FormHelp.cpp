#include "app/FormHelp.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "app/HelpText.h"
#include "windows/WindowPlacement.h"

namespace lmr {

TFHelp::TFHelp(QWidget* parent) : QWidget(parent, FixedWindowFlags()) {
    setWindowTitle(QStringLiteral("Помощь"));
    PlaceFixedWindow(this, 462, 477);

    MemoHelp = new QPlainTextEdit(this);
    MemoHelp->setObjectName(QStringLiteral("MemoHelp"));
    MemoHelp->setAccessibleName(QStringLiteral("Помощь"));
    MemoHelp->setGeometry(0, 0, 461, 449);
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
    ButtonCloseHelp->setGeometry(0, 451, 461, 25);
    connect(ButtonCloseHelp, &QPushButton::clicked, this, &TFHelp::ButtonCloseHelpClick);
}

void TFHelp::ButtonCloseHelpClick() {
    close();
}

}  // namespace lmr

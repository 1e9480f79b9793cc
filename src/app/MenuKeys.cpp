#include "app/MenuKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

namespace lmr {

QString WithMnemonic(const char* caption) {
    return QLatin1Char('&') + QString::fromUtf8(caption);
}

void OpenMenuBarOnF10(QMenuBar* bar) {
    QWidget* window = bar->window();
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, bar, [bar, window] {
        // An item chosen by its letter stays the bar's current one; F10 starts at the first.
        if (!bar->hasFocus()) bar->setActiveAction(nullptr);
        // The menu bar takes the keyboard on a lone Alt pressed and let go, which it watches
        // for on its window; F10 is that Alt.
        QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        for (QKeyEvent* e : {&override, &press, &release}) QCoreApplication::sendEvent(window, e);
    });
}

}  // namespace lmr

#include "windows/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace lmr {

Qt::WindowFlags FixedWindowFlags() {
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

void PlaceFixedWindow(QWidget* window, int clientWidth, int clientHeight) {
    window->setFixedSize(clientWidth, clientHeight);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        window->move(desk.center() - QPoint(clientWidth / 2, clientHeight / 2));
    }
}

}  // namespace lmr

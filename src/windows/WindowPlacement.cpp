#include "windows/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace lmr {

Qt::WindowFlags FixedWindowFlags() {
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
}

void PlaceFixedWindow(QWidget* window, int clientWidth, int clientHeight) {
    // The controls keep their places; a maximised window shows them at its upper left.
    window->setMinimumSize(clientWidth, clientHeight);
    window->resize(clientWidth, clientHeight);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        window->move(desk.center() - QPoint(clientWidth / 2, clientHeight / 2));
    }
}

QSize SizeWithin(const QRect& available, QSize size, QSize frame, QSize least) {
    return size.boundedTo(available.size() - frame).expandedTo(least);
}

namespace {

// The frame the window manager puts around the window; before the first show it is not
// known yet, and a title bar and thin borders are taken.
QSize FrameOf(const QWidget* window) {
    const QSize frame = window->frameGeometry().size() - window->size();
    if (frame.width() > 0 || frame.height() > 0) return frame;
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {8, title + 8};
}

}  // namespace

void ShowWithinScreenOf(QWidget* window, const QWidget* anchor) {
    const QScreen* screen = anchor != nullptr ? anchor->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && !window->isMaximized() && !window->isFullScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize frame = FrameOf(window);
        const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
        const QSize size = SizeWithin(available, window->size(), frame, least);
        if (size != window->size()) window->resize(size);
        const QRect outer(window->pos(), size + frame);
        if (!available.contains(outer)) {
            const QPoint corner = available.center() - QPoint(outer.width() / 2, outer.height() / 2);
            // A window larger than the screen keeps its title bar on it.
            window->move(std::max(corner.x(), available.left()), std::max(corner.y(), available.top()));
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace lmr

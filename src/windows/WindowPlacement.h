#pragma once

#include <QWidget>

namespace lmr {

// The window flags of a fixed-size tool window that has only the close box.
[[nodiscard]] Qt::WindowFlags FixedWindowFlags();

// Gives a top-level window a fixed client size, puts it in the middle of the
// desktop and keeps it from holding the program open once the main window closes.
void PlaceFixedWindow(QWidget* window, int clientWidth, int clientHeight);

}  // namespace lmr

#pragma once

#include <QWidget>

namespace lmr {

// The window flags of a tool window of fixed layout: title, close and maximise boxes.
[[nodiscard]] Qt::WindowFlags FixedWindowFlags();

// Gives a top-level window its client size as its smallest, puts it in the middle of the
// desktop and keeps it from holding the program open once the main window closes.
void PlaceFixedWindow(QWidget* window, int clientWidth, int clientHeight);

// The client size a window of this size and frame may have on a screen's free area: no
// larger than the area less the frame, no smaller than the window's least size.
[[nodiscard]] QSize SizeWithin(const QRect& available, QSize size, QSize frame, QSize least);

// Shows a secondary window on the screen that shows `anchor` (the main window): shrunk to
// that screen's free area where it is larger and its layout allows, and moved to the
// middle of it when any part would lie outside it. Brings it to the front.
void ShowWithinScreenOf(QWidget* window, const QWidget* anchor);

}  // namespace lmr

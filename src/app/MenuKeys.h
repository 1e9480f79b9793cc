#pragma once

#include <QString>

class QMenuBar;

namespace lmr {

// A menu caption of ours with its first letter as the mnemonic: Alt and the letter choose it.
[[nodiscard]] QString WithMnemonic(const char* caption);

// F10 takes the keyboard to the menu bar's first item, as Alt alone takes it to the bar (the
// arrows then move along it and Enter chooses); F10 again, or Escape, gives the keyboard back.
void OpenMenuBarOnF10(QMenuBar* bar);

}  // namespace lmr

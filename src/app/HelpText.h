#pragma once

#include <QString>
#include <QStringList>

namespace lmr {

// The user instructions of the help window, one entry per line.
[[nodiscard]] QStringList HelpLines();

// The same lines joined with line feeds, as the help window shows them.
[[nodiscard]] QString HelpText();

}  // namespace lmr

#pragma once

#include <QFileDevice>
#include <QString>

namespace lmr {

// Why a file could not be opened, read or written, in Russian for the reasons users meet (no
// space, no rights, no such file, ...): `error` is errno as the failed call left it; other
// reasons keep the system's own text as the file gives it.
[[nodiscard]] QString FileErrorText(const QFileDevice& file, int error);

}  // namespace lmr

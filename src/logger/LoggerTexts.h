#pragma once

#include <QString>

namespace lmr {

// Status bar panel 3 during and after a download.
[[nodiscard]] QString DownloadProgressText(int accepted);
[[nodiscard]] QString DownloadLostText(int accepted);
// The logger ran out: how many records it held (a short count says the meter had no more).
[[nodiscard]] QString DownloadDoneText(int accepted);
inline constexpr char kDownloadBusyText[] = "Порт прибора занят другим обменом";

}  // namespace lmr

#pragma once

#include <QString>

namespace lmr {

// Status bar panel 3 during and after a download.
[[nodiscard]] QString DownloadProgressText(int accepted);
[[nodiscard]] QString DownloadLostText(int accepted);
inline constexpr char kDownloadBusyText[] = "Порт прибора занят другим обменом";

}  // namespace lmr

#pragma once

#include <QString>

namespace lmr {

// Status bar panel 3 during and after a download. During it: the records read and, from the
// pace so far, the time the rest of the logger can take at most (the logger keeps no count
// of its records, so only its capacity bounds what is left).
[[nodiscard]] QString DownloadProgressText(int accepted, qint64 elapsedMs);
[[nodiscard]] QString DownloadLostText(int accepted);
// The logger ran out: how many records it held (a short count says the meter had no more).
[[nodiscard]] QString DownloadDoneText(int accepted);
[[nodiscard]] QString DownloadStoppedText(int accepted);
inline constexpr char kDownloadBusyText[] = "Порт прибора занят другим обменом";

}  // namespace lmr

#pragma once

#include <QFileDevice>
#include <QString>

namespace lmr {

// Why a protocol was not written when the program asked its writing to stop (it is closing).
inline constexpr const char* kProtocolStopped = "запись прервана";

// "Не удалось записать протокол OUT.pdf: на диске нет места".
[[nodiscard]] QString ProtocolWriteError(const QString& path, const QString& reason);
[[nodiscard]] QString ProtocolWriteError(const QString& path, const QFileDevice& file, int error);

}  // namespace lmr

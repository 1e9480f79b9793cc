#pragma once

#include <QFileDevice>
#include <QString>

namespace lmr {

// "Не удалось записать протокол OUT.pdf: на диске нет места".
[[nodiscard]] QString ProtocolWriteError(const QString& path, const QString& reason);
[[nodiscard]] QString ProtocolWriteError(const QString& path, const QFileDevice& file, int error);

}  // namespace lmr

#include "protocol/ProtocolWriteError.h"

#include "data/FileErrorText.h"

namespace lmr {

QString ProtocolWriteError(const QString& path, const QString& reason) {
    return QStringLiteral("Не удалось записать протокол %1: %2").arg(path, reason);
}

QString ProtocolWriteError(const QString& path, const QFileDevice& file, int error) {
    return ProtocolWriteError(path, FileErrorText(file, error));
}

}  // namespace lmr

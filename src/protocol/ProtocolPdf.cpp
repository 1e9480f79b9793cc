#include "protocol/ProtocolPdf.h"

#include <QPdfWriter>
#include <QFile>
#include <cerrno>

#include "data/FileErrorText.h"
#include "data/WholeFile.h"
#include "protocol/ProtocolPages.h"
#include "protocol/ProtocolWriteError.h"

namespace lmr {

QString WriteProtocolPdf(const ProtocolContent& content, const QString& path,
                         const DataProgress& progress) {
    // Written beside the target and renamed at the end: a failed write leaves any earlier file.
    const QString error = WriteWholeFile(path, [&](const QString& temporary) {
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return FileErrorText(file, errno);
        }
        {
            QPdfWriter writer(&file);
            writer.setResolution(kProtocolDpi);
            writer.setTitle(QStringLiteral("%1 %2").arg(content.title, content.number));
            writer.setCreator(QStringLiteral("lmr"));
            SetProtocolPage(writer);
            if (PaintProtocol(writer, content, progress) == 0) {
                return QString::fromUtf8(kProtocolStopped);
            }
        }
        if (!file.flush() || file.error() != QFileDevice::NoError) {
            return FileErrorText(file, errno);
        }
        file.close();
        if (file.error() != QFileDevice::NoError) return FileErrorText(file, errno);
        return QString();
    });
    return error.isEmpty() ? QString() : ProtocolWriteError(path, error);
}

}  // namespace lmr

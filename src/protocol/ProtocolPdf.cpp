#include "protocol/ProtocolPdf.h"

#include <QPdfWriter>
#include <QFile>
#include <cerrno>

#include "data/FileErrorText.h"
#include "data/WholeFile.h"
#include "protocol/ProtocolPages.h"
#include "protocol/ProtocolWriteError.h"

namespace lmr {

Outcome WriteProtocolPdf(const ProtocolContent& content, const QString& path,
                         const DataProgress& progress) {
    // Written beside the target and renamed at the end: a failed write leaves any earlier file.
    const Outcome written = WriteWholeFile(path, [&](const QString& temporary) {
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return Outcome::Failed(FileErrorText(file, errno));
        }
        {
            QPdfWriter writer(&file);
            writer.setResolution(kProtocolDpi);
            writer.setTitle(QStringLiteral("%1 %2").arg(content.title, content.number));
            writer.setCreator(QStringLiteral("lmr"));
            SetProtocolPage(writer);
            if (PaintProtocol(writer, content, progress) == 0) {
                return Outcome::Failed(QString::fromUtf8(kProtocolStopped));
            }
        }
        if (!file.flush() || file.error() != QFileDevice::NoError) {
            return Outcome::Failed(FileErrorText(file, errno));
        }
        file.close();
        if (file.error() != QFileDevice::NoError) {
            return Outcome::Failed(FileErrorText(file, errno));
        }
        return Outcome::Ok();
    });
    return written ? written : Outcome::Failed(ProtocolWriteError(path, written.text));
}

}  // namespace lmr

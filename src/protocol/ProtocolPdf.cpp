#include "protocol/ProtocolPdf.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <cerrno>

#include "protocol/ProtocolPages.h"
#include "protocol/ProtocolWriteError.h"

namespace lmr {

QString WriteProtocolPdf(const ProtocolContent& content, const QString& path) {
    // Written beside the target and renamed at the end: a failed write leaves any earlier file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return ProtocolWriteError(path, file, errno);
    {
        QPdfWriter writer(&file);
        writer.setResolution(kProtocolDpi);
        writer.setTitle(QStringLiteral("%1 %2").arg(content.title, content.number));
        writer.setCreator(QStringLiteral("lmr"));
        SetProtocolPage(writer);
        PaintProtocol(writer, content);
    }
    if (!file.commit()) return ProtocolWriteError(path, file, errno);
    return {};
}

}  // namespace lmr

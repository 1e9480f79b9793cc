#include "export/ProtocolFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "export/ExportTexts.h"

namespace lmr {

namespace {

// Makes the folder and those above it; 0, or the errno of the failure.
int MakeFolder(const QString& dir) {
    if (dir.isEmpty()) return ENOENT;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(dir).toStdString()),
                                        ec);
    return ec ? ec.value() : 0;
}

// Whether a file can be made in the folder: 0, or the errno of the failure.
int ProbeWrite(const QString& dir) {
    QByteArray name = QFile::encodeName(QDir(dir).filePath(QStringLiteral(".lmr-XXXXXX")));
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return errno;
    ::close(fd);
    ::unlink(name.constData());
    return 0;
}

}  // namespace

QString DefaultDocumentsDir() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

Outcome PrepareDocumentsFolder(const QString& dir) {
    int error = MakeFolder(dir);
    if (error == 0) error = ProbeWrite(dir);
    return error == 0 ? Outcome::Ok() : Outcome::Failed(NoDocumentsFolderText(dir, error));
}

QString UniqueProtocolPath(const QString& dir, const QDateTime& when) {
    const QString stem =
        QStringLiteral("Протокол ") + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = QDir(dir).filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFile::exists(path); ++n) {
        path = QDir(dir).filePath(stem + QStringLiteral(" (%1).xlsx").arg(n));
    }
    return path;
}

}  // namespace lmr

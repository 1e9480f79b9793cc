#include "data/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/FileErrorText.h"

namespace lmr {

namespace {

// The temporary file being written, for a signal handler to remove; empty while none is.
char inProgress[4096];

constexpr const char* kNotRegularOutput = "не обычный файл (папка, устройство или канал)";

QString ErrorText(int error) {
    return FileErrorText(QFile(), error);
}

// Whether what stands at native may be replaced: 0, or the errno that says why not (ENOENT
// counts as nothing there: 0 with *exists false).
int Replaceable(const QByteArray& native, bool* exists, struct stat* st) {
    *exists = false;
    if (::stat(native.constData(), st) != 0) return errno == ENOENT ? 0 : errno;
    *exists = true;
    return 0;
}

}  // namespace

QString OutputRefusal(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    bool exists = false;
    if (const int error = Replaceable(native, &exists, &st); error != 0) return ErrorText(error);
    if (!exists) {
        // A dangling link, or a path through something that is not a folder.
        struct stat link {};
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            const QFileInfo target(QFileInfo(path).symLinkTarget());
            if (!QFileInfo(target.absolutePath()).isDir()) return ErrorText(ENOENT);
        }
        return {};
    }
    if (S_ISDIR(st.st_mode)) return ErrorText(EISDIR);
    if (!S_ISREG(st.st_mode)) return QString::fromUtf8(kNotRegularOutput);
    return {};
}

QString WriteWholeFile(const QString& path, const std::function<QString(const QString&)>& write) {
    if (QString refusal = OutputRefusal(path); !refusal.isEmpty()) return refusal;
    // A link stays a link: the file it names gets the new contents.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    const QFileInfo targetInfo(target);
    QByteArray temporary = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                             targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return ErrorText(errno);
    // The rights a new file gets, or those of the file replaced.
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        (void)::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        (void)::fchmod(fd, 0666 & ~mask);
    }
    ::close(fd);
    if (temporary.size() < qsizetype(sizeof inProgress)) {
        std::memcpy(inProgress, temporary.constData(), std::size_t(temporary.size()) + 1);
    }
    struct Done {
        ~Done() { inProgress[0] = '\0'; }
    } done;
    const auto fail = [&](const QString& reason) {
        std::remove(temporary.constData());
        return reason;
    };
    if (QString error = write(QFile::decodeName(temporary)); !error.isEmpty()) return fail(error);
    // On the disk before it takes the old file's place.
    if (const int sync = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC); sync >= 0) {
        const bool synced = ::fsync(sync) == 0;
        const int error = errno;
        ::close(sync);
        if (!synced) return fail(ErrorText(error));
    }
    // Something else may have been put there meanwhile: still only a regular file is replaced.
    if (QString refusal = OutputRefusal(target); !refusal.isEmpty()) return fail(refusal);
    if (std::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        return fail(ErrorText(errno));
    }
    return {};
}

void RemoveWholeFileInProgress() {
    if (inProgress[0] != '\0') ::unlink(inProgress);
}

bool SameFileOnDisk(const QString& a, const QString& b) {
    struct stat x {};
    struct stat y {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

}  // namespace lmr

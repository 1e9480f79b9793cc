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

Outcome OutputRefusal(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    bool exists = false;
    if (const int error = Replaceable(native, &exists, &st); error != 0) {
        return Outcome::Failed(ErrorText(error));
    }
    if (!exists) {
        // A dangling link, or a path through something that is not a folder.
        struct stat link {};
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            const QFileInfo target(QFileInfo(path).symLinkTarget());
            if (!QFileInfo(target.absolutePath()).isDir()) return Outcome::Failed(ErrorText(ENOENT));
        }
        return Outcome::Ok();
    }
    if (S_ISDIR(st.st_mode)) return Outcome::Failed(ErrorText(EISDIR));
    if (!S_ISREG(st.st_mode)) return Outcome::Failed(QString::fromUtf8(kNotRegularOutput));
    return Outcome::Ok();
}

Outcome WriteWholeFile(const QString& path, const std::function<Outcome(const QString&)>& write) {
    if (Outcome refusal = OutputRefusal(path); !refusal) return refusal;
    // A link stays a link: the file it names gets the new contents.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    const QFileInfo targetInfo(target);
    QByteArray temporary = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                             targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Outcome::Failed(ErrorText(errno));
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
        return Outcome::Failed(reason);
    };
    if (Outcome written = write(QFile::decodeName(temporary)); !written) return fail(written.text);
    // On the disk before it takes the old file's place.
    if (const int sync = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC); sync >= 0) {
        const bool synced = ::fsync(sync) == 0;
        const int error = errno;
        ::close(sync);
        if (!synced) return fail(ErrorText(error));
    }
    // Something else may have been put there meanwhile: still only a regular file is replaced.
    if (Outcome refusal = OutputRefusal(target); !refusal) return fail(refusal.text);
    if (std::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        return fail(ErrorText(errno));
    }
    return Outcome::Ok();
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

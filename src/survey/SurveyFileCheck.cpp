#include "survey/SurveyFileCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "data/FileErrorText.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"

namespace lmr {

namespace {

// The database header: its first 100 bytes, numbers big-endian.
constexpr int kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";  // and its terminating zero
constexpr int kPageSizeAt = 16;
constexpr int kChangeCounterAt = 24;
constexpr int kPageCountAt = 28;
constexpr int kUserVersionAt = 60;
constexpr int kApplicationIdAt = 68;
constexpr int kValidForAt = 92;

quint32 BigEndian(const QByteArray& bytes, int at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | quint8(bytes[at + i]);
    return value;
}

// Whether the header's own page size and page count fit the file's length. The count only
// holds while no log of changes waits beside the file: one killed in the middle of copying
// that log back leaves the file short until it is opened again, which finishes the copy.
bool LengthFits(const QByteArray& header, qint64 length, bool logBeside) {
    const quint32 field = BigEndian(header, kPageSizeAt, 2);
    const quint32 pageSize = field == 1 ? 65536 : field;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0) return false;
    if (logBeside) return true;
    if (length % pageSize != 0) return false;
    const quint32 pages = BigEndian(header, kPageCountAt, 4);
    const bool countValid =
        pages != 0 && BigEndian(header, kChangeCounterAt, 4) == BigEndian(header, kValidForAt, 4);
    return !countValid || length / pageSize >= pages;
}

}  // namespace

Outcome SurveyHeaderRefusal(const QString& path, bool forWriting) {
    QFile file(path);
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) return Outcome::Failed(FileErrorText(file, errno));
    if (S_ISDIR(st.st_mode)) return Outcome::Failed(FileErrorText(file, EISDIR));
    // A pipe or a device would block or never end; only a regular file can be a survey.
    if (!S_ISREG(st.st_mode)) return Outcome::Failed(QString::fromUtf8(kSurveyNotRegular));
    if (!file.open(QIODevice::ReadOnly)) return Outcome::Failed(FileErrorText(file, errno));
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() < kHeaderSize || !header.startsWith(QByteArray(kMagic, sizeof kMagic))) {
        return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
    }
    if (BigEndian(header, kApplicationIdAt, 4) != kSurveyApplicationId) {
        return Outcome::Failed(QString::fromUtf8(kSurveyForeign));
    }
    const auto version = qint32(BigEndian(header, kUserVersionAt, 4));
    if (version > kSurveySchemaVersion) return Outcome::Failed(QString::fromUtf8(kSurveyNewer));
    if (version < 1) return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
    if (!LengthFits(header, st.st_size, QFileInfo::exists(path + QStringLiteral("-wal")))) {
        return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
    }
    if (!forWriting) return Outcome::Ok();
    if (::access(native.constData(), W_OK) != 0) return Outcome::Failed(FileErrorText(file, errno));
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK) != 0) {
        return Outcome::Failed(QString::fromUtf8(kSurveyFolderReadOnly));
    }
    return Outcome::Ok();
}

bool SurveyHeldElsewhere(const QString& path) {
    // SQLite's lock bytes on POSIX: the pending byte at 1 GiB, the reserved byte after it and
    // the shared range of 510 bytes; a program with the file open in exclusive mode holds them.
    constexpr off_t kPendingByte = 0x40000000;
    constexpr off_t kLockBytes = 2 + 510;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kPendingByte;
    lock.l_len = kLockBytes;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

}  // namespace lmr

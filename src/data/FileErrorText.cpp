#include "data/FileErrorText.h"

#include <cerrno>

namespace lmr {

namespace {

struct Reason {
    int error;
    const char* text;
};

constexpr Reason kReasons[] = {
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "превышена дисковая квота"},
    {EACCES, "нет прав доступа"},
    {EPERM, "нет прав доступа"},
    {ENOENT, "нет такого файла или папки"},
    {ENOTDIR, "в пути к файлу не папка"},
    {EISDIR, "это папка, а не файл"},
    {EROFS, "диск доступен только для чтения"},
    {EEXIST, "файл уже существует"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {EIO, "ошибка ввода-вывода на диске"},
    {EFBIG, "файл слишком велик"},
    {EBUSY, "файл занят другой программой"},
    {ELOOP, "символические ссылки в пути ведут по кругу"},
    {ETXTBSY, "файл занят другой программой"},
    {ENXIO, "устройство недоступно"},
};

}  // namespace

QString FileErrorText(const QFileDevice& file, int error) {
    for (const Reason& r : kReasons) {
        if (r.error == error) return QString::fromUtf8(r.text);
    }
    // A reason of no file's own (an errno given alone) is not "Unknown error".
    if (file.error() == QFileDevice::NoError) {
        return QStringLiteral("ошибка системы %1").arg(error);
    }
    return file.errorString();
}

}  // namespace lmr

#include "export/ExportTexts.h"

#include <QDir>
#include <cerrno>

namespace lmr {

namespace {

// THC, WBGT, RH and the C after each asterisk are Latin letters.
const std::array<const char*, kProtocolColumns> kHeaders = {
    "Время",    "THC, *C",  "WBGT, *C", "RH, %",     "tв., *C",
    "tсф., *C", "tвт., *C", "tтр., *C", "tрад., *C", "W, Вт/м2",
};

}  // namespace

QString ProtocolTitle() {
    return QStringLiteral("ПРОТОКОЛ ИЗМЕРЕНИЙ ПАРАМЕТРОВ МИКРОКЛИМАТА");
}

QString ProtocolHeader(int column) {
    return QString::fromUtf8(kHeaders.at(static_cast<std::size_t>(column - 1)));
}

QString ErrorCaption() {
    return QStringLiteral("Ошибка");
}

QString ProtocolSavedText(const QString& path) {
    return QStringLiteral("Протокол сохранён: %1").arg(QDir::toNativeSeparators(path));
}

QString NotOpenedCaption() {
    return QStringLiteral("Протокол измерений");
}

QString NotOpenedText(const QString& path) {
    return QStringLiteral(
               "Не найдена программа для открытия книги.\nПротокол сохранён в файле:\n%1")
        .arg(QDir::toNativeSeparators(path));
}

QString WriteFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("Не удалось записать книгу \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString NoDocumentsFolderText(const QString& dir, int error) {
    const char* why = "ошибка записи";
    switch (error) {
        case EACCES:
        case EPERM:
            why = "нет прав на запись";
            break;
        case EROFS:
            why = "файловая система только для чтения";
            break;
        case ENOSPC:
        case EDQUOT:
            why = "нет места на диске";
            break;
        case EEXIST:
        case ENOTDIR:
            why = "на её месте или на пути к ней лежит файл";
            break;
        case ENOENT:
            why = "папки нет";
            break;
    }
    return QStringLiteral("Нет доступа к папке документов \"%1\": %2.")
        .arg(QDir::toNativeSeparators(dir), QString::fromUtf8(why));
}

}  // namespace lmr

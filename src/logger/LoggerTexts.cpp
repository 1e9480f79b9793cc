#include "logger/LoggerTexts.h"

namespace lmr {

QString DownloadProgressText(int accepted) {
    return QStringLiteral("Загружено записей: %1").arg(accepted);
}

QString DownloadLostText(int accepted) {
    return QStringLiteral("Связь с прибором прервана, загружено записей: %1").arg(accepted);
}

QString DownloadDoneText(int accepted) {
    return QStringLiteral("Загрузка завершена, загружено записей: %1").arg(accepted);
}

}  // namespace lmr

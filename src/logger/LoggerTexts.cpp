#include "logger/LoggerTexts.h"

#include "logger/LoggerRecord.h"

namespace lmr {

QString DownloadProgressText(int accepted, qint64 elapsedMs) {
    const QString read = QStringLiteral("Загружено записей: %1").arg(accepted);
    if (accepted <= 0 || accepted >= kMaxLoggerRecords) return read;
    const qint64 leftS = (elapsedMs * (kMaxLoggerRecords - accepted) / accepted + 999) / 1000;
    const QString left = leftS >= 60 ? QStringLiteral("%1 мин %2 с").arg(leftS / 60).arg(leftS % 60)
                                     : QStringLiteral("%1 с").arg(leftS);
    return read + QStringLiteral(", осталось не более ") + left;
}

QString DownloadLostText(int accepted) {
    return QStringLiteral("Связь с прибором прервана, загружено записей: %1").arg(accepted);
}

QString DownloadDoneText(int accepted) {
    return QStringLiteral("Загрузка завершена, загружено записей: %1").arg(accepted);
}

QString DownloadStoppedText(int accepted) {
    return QStringLiteral("Загрузка прервана, загружено записей: %1").arg(accepted);
}

}  // namespace lmr

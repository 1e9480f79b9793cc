#include "core/LocalTimeZone.h"

#include <QByteArray>
#include <QtGlobal>
#include <ctime>

namespace lmr {

void ReadTimeZoneOnce() {
    if (qEnvironmentVariableIsSet("TZ")) return;
    qputenv("TZ", ":/etc/localtime");
    tzset();
}

}  // namespace lmr

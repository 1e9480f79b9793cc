#include "instrument/InstrumentTexts.h"

#include "link/CommandCodes.h"

namespace lmr {

QString CellsLostText(int valuesRead) {
    return QStringLiteral("Связь с прибором прервана, прочитано значений: %1 из %2")
        .arg(valuesRead)
        .arg(kCellCount * kValuesPerCell);
}

}  // namespace lmr

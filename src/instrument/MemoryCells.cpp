#include "instrument/MemoryCells.h"

#include "link/Unitcomport.h"
#include "measure/NumberText.h"

namespace lmr {

QString MemoryValueText(std::uint16_t word) {
    const auto value = static_cast<float>(static_cast<long double>(AsSigned(word)) * 0.1L);
    const double rounded = RoundToTenth(value);
    if (rounded == RoundToTenth(-0.1)) return QStringLiteral("-");
    return NumberText(rounded);
}

QString GridClipboardText(int columns, int rows, const GridCellText& cell) {
    QString text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            text += cell(c, r);
            text += c + 1 < columns ? QLatin1Char('\t') : QLatin1Char('\n');
        }
    }
    return text;
}

}  // namespace lmr

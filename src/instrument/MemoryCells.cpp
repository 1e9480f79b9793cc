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

void MemoryCells::Take(const Words& read) {
    for (std::size_t cell = 0; cell < read.size(); ++cell) {
        for (std::size_t value = 0; value < read[cell].size(); ++value) {
            if (read[cell][value]) words_[cell][value] = read[cell][value];
        }
    }
}

QString MemoryCells::ClipboardText() const {
    return GridClipboardText(kMemoryGridColumns, kMemoryGridRows, [this](int column, int row) {
        if (row == 0) return QString::fromUtf8(kMemoryHeaders[column]);
        if (column == 0) return QString::number(row);
        const auto& word = words_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
        return word ? MemoryValueText(*word) : QString();
    });
}

}  // namespace lmr

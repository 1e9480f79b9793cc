#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "link/CommandCodes.h"

namespace lmr {

// The instrument's nine memory cells of six values each (addresses: CellAddress); StringGridM
// shows them in rows 1-9, columns 1-6, with the headers in row 0 and the cell numbers in
// column 0.
inline constexpr int kMemoryGridColumns = kValuesPerCell + 1;
inline constexpr int kMemoryGridRows = kCellCount + 1;

// A value word is signed, in tenths; the word -1 marks an empty value and shows as "-".
[[nodiscard]] QString MemoryValueText(std::uint16_t word);

// The grid as tab-separated text: a tab between cells, a line feed after every row (the last
// one included), no carriage returns, as spreadsheets paste it.
using GridCellText = std::function<QString(int column, int row)>;
[[nodiscard]] QString GridClipboardText(int columns, int rows, const GridCellText& cell);

}  // namespace lmr

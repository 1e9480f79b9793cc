#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/CommandCodes.h"

namespace lmr {

// The instrument's nine memory cells of six values each (addresses: CellAddress); StringGridM
// shows them in rows 1-9, columns 1-6, with the headers in row 0 and the cell numbers in
// column 0.
inline constexpr int kMemoryGridColumns = kValuesPerCell + 1;
inline constexpr int kMemoryGridRows = kCellCount + 1;
// Row 0 of the memory-cell grid.
inline constexpr const char* kMemoryHeaders[kMemoryGridColumns] = {
    "№", "THC,*C", "RH,%", "t.,*C", "tсф.,*C", "tв.т.,*C", "tт.р.,*C"};

// A value word is signed, in tenths; the word -1 marks an empty value and shows as "-".
[[nodiscard]] QString MemoryValueText(std::uint16_t word);

// The grid as tab-separated text: a tab between cells, a line feed after every row (the last
// one included), no carriage returns, as spreadsheets paste it.
using GridCellText = std::function<QString(int column, int row)>;
[[nodiscard]] QString GridClipboardText(int columns, int rows, const GridCellText& cell);

// The value words of the cells as read so far, [cell - 1][value index]: a value a later
// reading did not get (no answer, the meter lost halfway) keeps the one read before.
class MemoryCells {
public:
    using Words = std::array<std::array<std::optional<std::uint16_t>, kValuesPerCell>, kCellCount>;

    // Takes the values read; those not read stay as they were.
    void Take(const Words& read);
    [[nodiscard]] const Words& Read() const { return words_; }
    // The grid's text: its headers, each cell's number and its values (empty where never read).
    [[nodiscard]] QString ClipboardText() const;

private:
    Words words_{};
};

}  // namespace lmr

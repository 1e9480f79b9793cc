#pragma once

#include <QString>
#include <optional>

namespace lmr {

// A rectangle of cells, rows and columns counted from 1, bounds included.
struct CellRect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    [[nodiscard]] int rows() const { return bottom - top + 1; }
    [[nodiscard]] int columns() const { return right - left + 1; }
    [[nodiscard]] bool contains(int row, int column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
};

inline constexpr int kSheetRows = 1048576;
inline constexpr int kSheetColumns = 16384;

// "E1", "A2:K2" or "A1:J65536" (letters in either case); nothing else.
[[nodiscard]] std::optional<CellRect> ParseRangeAddress(const QString& address);

}  // namespace lmr

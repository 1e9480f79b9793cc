#pragma once

#include <cstdint>
#include <optional>

namespace lmr {

// The codes the spreadsheet's object model takes for formats, and what the
// workbook file makes of them.

inline constexpr std::int32_t kNoneCode = -4142;  // "none" for ColorIndex and LineStyle

// RGB of palette colour 1 ... 56 of the default palette; none for kNoneCode
// gives an empty optional inside; an unknown index gives nullopt.
struct Fill {
    std::optional<std::uint32_t> rgb;  // empty: no fill
};
[[nodiscard]] std::optional<Fill> FillFromColorIndex(std::int32_t index);

enum class HorizontalAlign : std::uint8_t {
    General,
    Left,
    Center,
    Right,
    Fill,
    Justify,
    CenterAcross
};
[[nodiscard]] std::optional<HorizontalAlign> AlignFromCode(std::int32_t code);

// Borders items 1 ... 4 are the left, right, top and bottom edge of every cell.
enum class BorderSide : std::uint8_t { Left, Right, Top, Bottom };
[[nodiscard]] std::optional<BorderSide> BorderSideFromItem(std::int32_t item);

// LineStyle: true for a continuous (thin) line, false for none.
[[nodiscard]] std::optional<bool> LineFromStyle(std::int32_t style);

}  // namespace lmr

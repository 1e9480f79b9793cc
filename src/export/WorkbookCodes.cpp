#include "export/WorkbookCodes.h"

#include <array>
#include <utility>

namespace lmr {

namespace {

// The spreadsheet's default palette, colour index 1 first.
constexpr std::array<std::uint32_t, 56> kPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

// The old numbering 1 ... 7 and the named constants for left, centre and right.
constexpr std::array<std::pair<std::int32_t, HorizontalAlign>, 10> kAligns = {{
    {1, HorizontalAlign::General},
    {2, HorizontalAlign::Left},
    {3, HorizontalAlign::Center},
    {4, HorizontalAlign::Right},
    {5, HorizontalAlign::Fill},
    {6, HorizontalAlign::Justify},
    {7, HorizontalAlign::CenterAcross},
    {-4131, HorizontalAlign::Left},
    {-4108, HorizontalAlign::Center},
    {-4152, HorizontalAlign::Right},
}};

constexpr std::array<BorderSide, 4> kSides = {BorderSide::Left, BorderSide::Right, BorderSide::Top,
                                              BorderSide::Bottom};

constexpr std::int32_t kContinuous = 1;

}  // namespace

std::optional<Fill> FillFromColorIndex(std::int32_t index) {
    if (index == kNoneCode) return Fill{};
    if (index < 1 || index > static_cast<std::int32_t>(kPalette.size())) return std::nullopt;
    return Fill{kPalette[static_cast<std::size_t>(index - 1)]};
}

std::optional<HorizontalAlign> AlignFromCode(std::int32_t code) {
    for (const auto& [c, align] : kAligns) {
        if (c == code) return align;
    }
    return std::nullopt;
}

std::optional<BorderSide> BorderSideFromItem(std::int32_t item) {
    if (item < 1 || item > static_cast<std::int32_t>(kSides.size())) return std::nullopt;
    return kSides[static_cast<std::size_t>(item - 1)];
}

std::optional<bool> LineFromStyle(std::int32_t style) {
    if (style == kContinuous) return true;
    if (style == kNoneCode) return false;
    return std::nullopt;
}

}  // namespace lmr

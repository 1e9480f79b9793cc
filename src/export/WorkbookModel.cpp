#include "export/WorkbookModel.h"

namespace lmr {

void RangeFormat::applyTo(CellStyle& style) const {
    switch (what) {
        case What::Fill:
            style.fill = fill;
            break;
        case What::Align:
            style.align = align;
            break;
        case What::Borders:
            style.bordered = true;
            break;
        case What::LargeFont:
            style.largeFont = points;
            break;
        case What::Wrap:
            style.wrap = true;
            break;
        case What::Decimals:
            style.decimals = points;
            break;
    }
}

void SheetModel::setValue(int row, int column, CellValue value) {
    cells_[{row, column}] = std::move(value);
}

void SheetModel::clearValue(int row, int column) {
    cells_.erase({row, column});
}

void SheetModel::fill(const CellRect& rect, std::uint32_t rgb) {
    RangeFormat f{rect, RangeFormat::What::Fill};
    f.fill = rgb;
    formats_.push_back(f);
}

void SheetModel::align(const CellRect& rect, HorizontalAlign align) {
    RangeFormat f{rect, RangeFormat::What::Align};
    f.align = align;
    formats_.push_back(f);
}

void SheetModel::drawBorders(const CellRect& rect) {
    formats_.push_back({rect, RangeFormat::What::Borders});
}

void SheetModel::setLargeFont(const CellRect& rect, int points) {
    formats_.push_back({rect, RangeFormat::What::LargeFont, 0, HorizontalAlign::General, points});
}

void SheetModel::wrap(const CellRect& rect) {
    formats_.push_back({rect, RangeFormat::What::Wrap});
}

void SheetModel::setDecimals(const CellRect& rect, int decimals) {
    formats_.push_back({rect, RangeFormat::What::Decimals, 0, HorizontalAlign::General, decimals});
}

const CellValue* SheetModel::value(int row, int column) const {
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? nullptr : &it->second;
}

CellStyle SheetModel::styleAt(int row, int column) const {
    CellStyle style;
    for (const RangeFormat& f : formats_) {
        if (f.rect.contains(row, column)) f.applyTo(style);
    }
    return style;
}

}  // namespace lmr

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
        case What::Border: {
            const auto bit = static_cast<std::uint8_t>(1U << static_cast<int>(side));
            style.borders =
                static_cast<std::uint8_t>(line ? (style.borders | bit) : (style.borders & ~bit));
            break;
        }
    }
}

void SheetModel::setValue(int row, int column, CellValue value) {
    cells_[{row, column}] = std::move(value);
}

void SheetModel::clearValue(int row, int column) {
    cells_.erase({row, column});
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

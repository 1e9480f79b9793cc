#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "export/CellAddress.h"
#include "export/WorkbookCodes.h"

namespace lmr {

// A cell's content: a number, a text or a boolean.
struct CellValue {
    enum class Kind { Number, Text, Boolean };
    Kind kind = Kind::Text;
    double number = 0;
    QString text;
    bool boolean = false;
};

// The look of one cell after every range format that covers it.
struct CellStyle {
    std::optional<std::uint32_t> fill;
    HorizontalAlign align = HorizontalAlign::General;
    std::uint8_t borders = 0;  // one bit per BorderSide

    [[nodiscard]] bool isPlain() const {
        return !fill && align == HorizontalAlign::General && borders == 0;
    }
    [[nodiscard]] bool hasBorder(BorderSide side) const {
        return (borders >> static_cast<int>(side)) & 1U;
    }
    friend bool operator<(const CellStyle& a, const CellStyle& b) {
        return std::make_tuple(a.fill, a.align, a.borders) <
               std::make_tuple(b.fill, b.align, b.borders);
    }
};

// One format given to a range, kept in the order given; later ones win.
struct RangeFormat {
    enum class What { Fill, Align, Border };
    CellRect rect;
    What what = What::Fill;
    std::optional<std::uint32_t> fill;
    HorizontalAlign align = HorizontalAlign::General;
    BorderSide side = BorderSide::Left;
    bool line = false;

    void applyTo(CellStyle& style) const;
};

// How a worksheet prints; the defaults are the spreadsheet's own.
struct PageSetup {
    bool landscape = false;
    int fitWide = 0;     // pages across the width the sheet is shrunk to; 0: no fitting
    int fitTall = 0;     // pages down; 0: as many as it takes
    int titleFirst = 0;  // rows repeated at the top of every page, 1-based; 0: none
    int titleLast = 0;
    QString centerHeader;  // the page header's middle text
};

// A worksheet in memory: values by (row, column), widths by column, formats by range.
class SheetModel {
public:
    explicit SheetModel(QString name) : name_(std::move(name)) {}

    void setName(QString name) { name_ = std::move(name); }
    [[nodiscard]] PageSetup& pageSetup() { return pageSetup_; }
    [[nodiscard]] const PageSetup& pageSetup() const { return pageSetup_; }

    void setValue(int row, int column, CellValue value);
    void clearValue(int row, int column);
    void setColumnWidth(int column, double width) { widths_[column] = width; }
    void addFormat(const RangeFormat& format) { formats_.push_back(format); }

    [[nodiscard]] const QString& name() const { return name_; }
    [[nodiscard]] const std::map<std::pair<int, int>, CellValue>& cells() const { return cells_; }
    [[nodiscard]] const std::map<int, double>& widths() const { return widths_; }
    [[nodiscard]] const std::vector<RangeFormat>& formats() const { return formats_; }
    [[nodiscard]] const CellValue* value(int row, int column) const;

    // The style of a cell from every format that covers it.
    [[nodiscard]] CellStyle styleAt(int row, int column) const;

private:
    QString name_;
    PageSetup pageSetup_;
    std::map<std::pair<int, int>, CellValue> cells_;
    std::map<int, double> widths_;
    std::vector<RangeFormat> formats_;
};

struct WorkbookModel {
    std::vector<std::shared_ptr<SheetModel>> sheets;
    QString path;  // set once the workbook is written
};

}  // namespace lmr

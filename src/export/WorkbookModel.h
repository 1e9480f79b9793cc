#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace lmr {

// A rectangle of cells, rows and columns counted from 1, bounds included:
// {2, 1, 2, 11} is A2:K2.
struct CellRect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    [[nodiscard]] int rows() const { return bottom - top + 1; }
    [[nodiscard]] bool contains(int row, int column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
};

// A cell's content: a number or a text.
struct CellValue {
    enum class Kind { Number, Text };
    Kind kind = Kind::Text;
    double number = 0;
    QString text;
};

enum class HorizontalAlign : std::uint8_t { General, Center };

// The look of one cell after every range format that covers it.
struct CellStyle {
    std::optional<std::uint32_t> fill;
    HorizontalAlign align = HorizontalAlign::General;
    bool bordered = false;  // a thin line on all four edges
    int largeFont = 0;      // points of a bold, larger face; 0: the sheet's own face
    bool wrap = false;      // a long text wraps in its column, the row growing to hold it
    int decimals = -1;      // a number shown with this many decimals; -1: as the spreadsheet likes

    [[nodiscard]] bool isPlain() const {
        return !fill && align == HorizontalAlign::General && !bordered && largeFont == 0 && !wrap &&
               decimals < 0;
    }
    friend bool operator<(const CellStyle& a, const CellStyle& b) {
        return std::make_tuple(a.fill, a.align, a.bordered, a.largeFont, a.wrap, a.decimals) <
               std::make_tuple(b.fill, b.align, b.bordered, b.largeFont, b.wrap, b.decimals);
    }
};

// One format given to a range, kept in the order given; later ones win.
struct RangeFormat {
    enum class What { Fill, Align, Borders, LargeFont, Wrap, Decimals };
    CellRect rect;
    What what = What::Fill;
    std::uint32_t fill = 0;  // RGB
    HorizontalAlign align = HorizontalAlign::General;
    int points = 0;  // LargeFont's size; Decimals' count

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
    QString centerFooter;  // the page footer's middle text; "&P" the page, "&N" the pages
    bool paperA4 = false;  // else the printer's own paper
};

// A worksheet in memory: values by (row, column), widths by column, formats by range.
class SheetModel {
public:
    explicit SheetModel(QString name) : name_(std::move(name)) {}

    [[nodiscard]] PageSetup& pageSetup() { return pageSetup_; }
    [[nodiscard]] const PageSetup& pageSetup() const { return pageSetup_; }

    void setValue(int row, int column, CellValue value);
    void clearValue(int row, int column);
    void setColumnWidth(int column, double width) { widths_[column] = width; }
    void fill(const CellRect& rect, std::uint32_t rgb);
    void align(const CellRect& rect, HorizontalAlign align);
    // A thin line on all four edges of every cell of the range.
    void drawBorders(const CellRect& rect);
    // The range's text bold at the size given, for what the reader must see first.
    void setLargeFont(const CellRect& rect, int points);
    // Long texts of the range wrap within their columns.
    void wrap(const CellRect& rect);
    // Numbers of the range shown with a fixed count of decimals; the values stay as they are.
    void setDecimals(const CellRect& rect, int decimals);
    // The range's cells as one, holding the text of its top left cell; with wrap, the row's
    // height is the caller's (a spreadsheet does not grow a row for a merged cell).
    void merge(const CellRect& rect) { merges_.push_back(rect); }
    void setRowHeight(int row, double points) { heights_[row] = points; }

    [[nodiscard]] const QString& name() const { return name_; }
    [[nodiscard]] const std::map<std::pair<int, int>, CellValue>& cells() const { return cells_; }
    [[nodiscard]] const std::map<int, double>& widths() const { return widths_; }
    [[nodiscard]] const std::vector<RangeFormat>& formats() const { return formats_; }
    [[nodiscard]] const std::vector<CellRect>& merges() const { return merges_; }
    [[nodiscard]] const std::map<int, double>& rowHeights() const { return heights_; }
    [[nodiscard]] const CellValue* value(int row, int column) const;

    // The style of a cell from every format that covers it.
    [[nodiscard]] CellStyle styleAt(int row, int column) const;

private:
    QString name_;
    PageSetup pageSetup_;
    std::map<std::pair<int, int>, CellValue> cells_;
    std::map<int, double> widths_;
    std::vector<RangeFormat> formats_;
    std::vector<CellRect> merges_;
    std::map<int, double> heights_;
};

// The worksheets in their order; a deque, so that adding one leaves the others where they are.
struct WorkbookModel {
    std::deque<SheetModel> sheets;
};

}  // namespace lmr

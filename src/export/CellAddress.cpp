#include "export/CellAddress.h"

#include <QStringList>
#include <algorithm>

namespace lmr {

namespace {

struct CellRef {
    int row = 0;
    int column = 0;
};

std::optional<CellRef> ParseCell(const QString& text) {
    CellRef ref;
    int i = 0;
    const int n = static_cast<int>(text.size());
    for (; i < n && text[i].isLetter(); ++i) {
        const char16_t ch = text[i].toUpper().unicode();
        if (ch < u'A' || ch > u'Z') return std::nullopt;
        ref.column = ref.column * 26 + (ch - u'A' + 1);
        if (ref.column > kSheetColumns) return std::nullopt;
    }
    if (i == 0 || i == n) return std::nullopt;
    for (; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < u'0' || ch > u'9') return std::nullopt;
        ref.row = ref.row * 10 + (ch - u'0');
        if (ref.row > kSheetRows) return std::nullopt;
    }
    if (ref.row < 1) return std::nullopt;
    return ref;
}

}  // namespace

std::optional<CellRect> ParseRangeAddress(const QString& address) {
    const QStringList parts = address.split(QLatin1Char(':'));
    if (parts.size() > 2) return std::nullopt;
    const std::optional<CellRef> first = ParseCell(parts.front());
    const std::optional<CellRef> last = ParseCell(parts.back());
    if (!first || !last) return std::nullopt;
    return CellRect{std::min(first->row, last->row), std::min(first->column, last->column),
                    std::max(first->row, last->row), std::max(first->column, last->column)};
}

}  // namespace lmr

#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "ShownText.h"
#include "export/ExportMessage.h"
#include "export/ProtocolSource.h"

namespace lmr {

// The main window's tables as plain lists: live series by sheet column, or
// the logger grid as rows of ten texts (row 0 the grid's own headers).
class TableSource final : public ProtocolSource {
public:
    bool live = false;
    std::vector<QString> times;                   // X labels of LineSeries3
    std::array<std::vector<QString>, 11> values;  // [c] for sheet column c = 2 ... 10
    std::vector<QStringList> grid;

    [[nodiscard]] bool LivePage() const override { return live; }
    [[nodiscard]] int LiveCount(int column) const override;
    [[nodiscard]] QString LiveTime(int t) const override { return times.at(std::size_t(t)); }
    [[nodiscard]] QString LiveValueText(int column, int t) const override {
        return values.at(std::size_t(column)).at(std::size_t(t));
    }
    [[nodiscard]] int LoggerRowCount() const override { return int(grid.size()); }
    [[nodiscard]] QString LoggerCell(int col, int row) const override {
        return grid.at(std::size_t(row)).at(col);
    }
};

// A grid as the logger leaves it: headers, the records, one empty row.
[[nodiscard]] std::vector<QStringList> LoggerGrid(const std::vector<QStringList>& records);

// Live series of n readings with distinct values in every column.
[[nodiscard]] TableSource LiveSource(int n);

// Collects the message boxes an export asked for.
struct MessageLog {
    std::vector<ExportMessage> messages;
    [[nodiscard]] MessageSink sink() {
        return [this](const ExportMessage& m) { messages.push_back(m); };
    }
};

}  // namespace lmr

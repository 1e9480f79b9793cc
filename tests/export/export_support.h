#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "ShownText.h"
#include "export/ProtocolSource.h"

namespace lmr {

// The main window's pages as plain lists: live series by sheet column, or the logger's records
// as rows of ten texts as the page shows them ("-" where a value has none).
class TableSource final : public ProtocolSource {
public:
    bool live = false;
    std::vector<QString> times;                                 // X labels of LineSeries3
    std::array<std::vector<std::optional<double>>, 11> values;  // [c] for sheet column c = 2 ... 10
    std::vector<QStringList> records;

    [[nodiscard]] bool LivePage() const override { return live; }
    [[nodiscard]] int LiveCount(int column) const override;
    [[nodiscard]] QString LiveTime(int t) const override { return times.at(std::size_t(t)); }
    [[nodiscard]] std::optional<double> LiveNumber(int column, int t) const override {
        return values.at(std::size_t(column)).at(std::size_t(t));
    }
    [[nodiscard]] int LoggerCount() const override { return int(records.size()); }
    [[nodiscard]] QString LoggerTime(int r) const override {
        return records.at(std::size_t(r)).at(0);
    }
    [[nodiscard]] std::optional<double> LoggerNumber(int column, int r) const override;
};

// Live series of n readings with distinct values in every column.
[[nodiscard]] TableSource LiveSource(int n);

}  // namespace lmr

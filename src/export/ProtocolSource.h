#pragma once

#include <QString>
#include <optional>

namespace lmr {

// What the main window holds for the protocol: the live series or the logger
// page's records. Sheet columns count 1 ... 10 as in the protocol (1 time, 2 THC, 3 WBGT,
// 4 RH, 5 tв, 6 tсф, 7 tвт, 8 tтр, 9 tрад, 10 W). Values are numbers as the page shows them
// (rounded to its tenth); nullopt where there is none (the dew point at RH 0), which the
// sheet writes as "-".
class ProtocolSource {
public:
    virtual ~ProtocolSource() = default;

    // True when the page shown is the live page (page 0), else the logger page.
    [[nodiscard]] virtual bool LivePage() const = 0;

    // Points of the live series of sheet column c; columns 1 and 2 are both
    // LineSeries3 (its X labels and its Y values).
    [[nodiscard]] virtual int LiveCount(int column) const = 0;
    // X label of point t of LineSeries3, the time of day it was taken.
    [[nodiscard]] virtual QString LiveTime(int t) const = 0;
    // Y value of point t of the series of sheet column c (2 ... 10).
    [[nodiscard]] virtual std::optional<double> LiveNumber(int column, int t) const = 0;

    // The records of the logger page, each counted once.
    [[nodiscard]] virtual int LoggerCount() const = 0;
    // Record r's time as the page writes it (sheet column 1).
    [[nodiscard]] virtual QString LoggerTime(int r) const = 0;
    // Record r's value of sheet column c (2 ... 10).
    [[nodiscard]] virtual std::optional<double> LoggerNumber(int column, int r) const = 0;
};

}  // namespace lmr

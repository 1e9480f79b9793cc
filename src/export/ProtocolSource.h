#pragma once

#include <QString>

namespace lmr {

// What the main window holds for the protocol: the live series or the logger
// grid. Sheet columns count 1 ... 10 as in the protocol (1 time, 2 THC, 3 WBGT,
// 4 RH, 5 tв, 6 tсф, 7 tвт, 8 tтр, 9 tрад, 10 W).
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
    // Y value of point t of the series of sheet column c (2 ... 10), as number
    // text in the user's locale; an absent value is "-".
    [[nodiscard]] virtual QString LiveValueText(int column, int t) const = 0;

    // Row count of StringGridL, its header row included.
    [[nodiscard]] virtual int LoggerRowCount() const = 0;
    // Text of StringGridL at grid column col (0 ... 9) and grid row.
    [[nodiscard]] virtual QString LoggerCell(int col, int row) const = 0;
};

}  // namespace lmr

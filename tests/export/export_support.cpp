#include "export_support.h"

namespace lmr {

int TableSource::LiveCount(int column) const {
    return column <= 2 ? int(times.size()) : int(values.at(std::size_t(column)).size());
}

std::vector<QStringList> LoggerGrid(const std::vector<QStringList>& records) {
    std::vector<QStringList> grid;
    grid.push_back({"Время", "THC,*C", "WBGT,*C", "RH,%", "tв.,*C", "tш.,*C", "tвт.,*C", "tтр.,*C",
                    "tрад.,*C", "W,Вт/м2"});
    grid.insert(grid.end(), records.begin(), records.end());
    grid.push_back(QStringList(10, QString()));
    return grid;
}

TableSource LiveSource(int n) {
    TableSource s;
    s.live = true;
    for (int t = 0; t < n; ++t) {
        s.times.push_back(QStringLiteral("14:%1:%2")
                              .arg(t / 60, 2, 10, QLatin1Char('0'))
                              .arg(t % 60, 2, 10, QLatin1Char('0')));
        for (int c = 2; c <= 10; ++c) {
            // c*10 + t/10 with one decimal: whole values print without decimals, negatives in
            // column 8.
            const int tenths = (c == 8 ? -1 : 1) * (c * 100 + t);
            const QString text = tenths % 10 == 0 ? QString::number(tenths / 10)
                                                  : QString::number(tenths / 10.0, 'f', 1);
            s.values[std::size_t(c)].push_back(text);
        }
    }
    return s;
}

}  // namespace lmr

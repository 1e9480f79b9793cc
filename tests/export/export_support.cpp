#include "export_support.h"

namespace lmr {

int TableSource::LiveCount(int column) const {
    return column <= 2 ? int(times.size()) : int(values.at(std::size_t(column)).size());
}

std::optional<double> TableSource::LoggerNumber(int column, int r) const {
    const QString& text = records.at(std::size_t(r)).at(column - 1);
    if (text == QLatin1String("-")) return std::nullopt;
    return text.toDouble();
}

TableSource LiveSource(int n) {
    TableSource s;
    s.live = true;
    for (int t = 0; t < n; ++t) {
        s.times.push_back(QStringLiteral("14:%1:%2")
                              .arg(t / 60, 2, 10, QLatin1Char('0'))
                              .arg(t % 60, 2, 10, QLatin1Char('0')));
        for (int c = 2; c <= 10; ++c) {
            // c*10 + t/10: whole values among them, negatives in column 8.
            const int tenths = (c == 8 ? -1 : 1) * (c * 100 + t);
            s.values[std::size_t(c)].push_back(tenths / 10.0);
        }
    }
    return s;
}

}  // namespace lmr

#pragma once

#include <array>
#include <vector>

namespace lmr {

// The live readings the statistics window counts. The main window implements
// it over its live record; absent points are left out.
class StatisticsSource {
public:
    virtual ~StatisticsSource() = default;
    // Y values of the item's live series in order (item 0 tв, 1 RH, 2 tсф).
    [[nodiscard]] virtual std::vector<double> Values(int item) const = 0;
};

struct StatItem {
    const char* text;   // combo box text, UTF-8
    double classWidth;  // width of each of the ten classes
};

// The quantities the statistics window offers, in combo box order. The letter
// after the asterisk is the Cyrillic С, as the instrument's panels print it.
inline constexpr std::array<StatItem, 3> kStatItems{{
    {"Температура tв, *С", 5.0},
    {"Влажность RH, %", 10.0},
    {"Температура tсф, *С", 10.0},
}};

}  // namespace lmr

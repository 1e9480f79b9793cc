#pragma once

#include <array>
#include <vector>

namespace lmr {

// Ten value classes of one quantity: class k holds the readings y with
// k·w <= y < (k+1)·w, readings outside all classes only enter min and max.
inline constexpr int kHistogramClasses = 10;

struct Histogram {
    std::array<int, kHistogramClasses> counts{};
    // Over all readings, also those in no class; 0 and 0 when there are none.
    double min = 0.0;
    double max = 0.0;
};

[[nodiscard]] Histogram ComputeHistogram(const std::vector<double>& values, double classWidth);

// The upper bound (k+1)·w that labels class k.
[[nodiscard]] double ClassUpperBound(int k, double classWidth);

// Each class's share of the readings that fall into some class, in percent;
// all zero when no reading falls into any class.
[[nodiscard]] std::array<double, kHistogramClasses> ClassPercentages(const Histogram& h);

}  // namespace lmr

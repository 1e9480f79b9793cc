#include "assess/Histogram.h"

#include <algorithm>
#include <numeric>

namespace lmr {

Histogram ComputeHistogram(const std::vector<double>& values, double classWidth) {
    Histogram h;
    if (values.empty()) return h;
    // The bounds are compared as products k·w, not by dividing y by w, so a
    // reading of exactly 5.0 lands in the class that starts at 5 despite 0.1 steps.
    for (double y : values) {
        for (int k = 0; k < kHistogramClasses; ++k) {
            if (k * classWidth <= y && y < (k + 1) * classWidth) {
                ++h.counts[k];
                break;
            }
        }
    }
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    h.min = *lo;
    h.max = *hi;
    return h;
}

double ClassUpperBound(int k, double classWidth) {
    return (k + 1) * classWidth;
}

std::array<double, kHistogramClasses> ClassPercentages(const Histogram& h) {
    std::array<double, kHistogramClasses> p{};
    const int total = std::accumulate(h.counts.begin(), h.counts.end(), 0);
    if (total == 0) return p;
    for (int k = 0; k < kHistogramClasses; ++k) p[k] = h.counts[k] * 100.0 / total;
    return p;
}

}  // namespace lmr

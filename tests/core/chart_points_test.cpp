#include <gtest/gtest.h>

#include "core/ChartPoints.h"

namespace lmr {
namespace {

// Points of one series at these X, each with its own row and a value of ten times its row.
TenthsPoints<1> At(std::vector<int> xs, int firstRow) {
    TenthsPoints<1> p;
    p.Resize(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        p.x[i] = xs[i];
        p.row[i] = firstRow + static_cast<int>(i);
        p.tenths[0][i] = 10 * p.row[i];
    }
    return p;
}

TEST(ChartPoints, MergeByXKeepsXAscendingAndALaterPointAfterAnEarlierOneOfItsX) {
    struct Case {
        std::vector<int> old, added;
        std::vector<int> rows;  // the merged points' rows, in order
    };
    const Case cases[] = {
        {{}, {10, 20}, {100, 101}},
        {{10, 20}, {}, {0, 1}},
        {{10, 20, 30}, {40}, {0, 1, 2, 100}},
        {{30, 40}, {10}, {100, 0, 1}},
        // A second download of the same addresses: each after the first's of its address.
        {{10, 20}, {10, 20}, {0, 100, 1, 101}},
        {{10, 30, 50}, {20, 30, 60}, {0, 100, 1, 101, 2, 102}},
    };
    for (const Case& c : cases) {
        TenthsPoints<1> old = At(c.old, 0);
        TenthsPoints<1> added = At(c.added, 100);
        MergeByX(old, added);
        EXPECT_EQ(added.Size(), 0u);
        ASSERT_EQ(old.row, c.rows);
        for (std::size_t k = 0; k < old.Size(); ++k) {
            EXPECT_EQ(old.tenths[0][k], 10 * old.row[k]) << "values follow their points";
            if (k > 0) {
                EXPECT_LE(old.x[k - 1], old.x[k]);
            }
        }
    }
}

}  // namespace
}  // namespace lmr

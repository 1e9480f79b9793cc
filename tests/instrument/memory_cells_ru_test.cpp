#include <gtest/gtest.h>

#include "instrument/MemoryCells.h"

namespace lmr {
namespace {

// Runs under LC_ALL=ru_RU.UTF-8: the decimal separator follows the user's locale.
TEST(MemoryCellsRussianLocale, ValuesUseTheDecimalComma) {
    EXPECT_EQ(MemoryValueText(0xFFFE), "-0,2");
    EXPECT_EQ(MemoryValueText(0x00EA), "23,4");
    EXPECT_EQ(MemoryValueText(0xFFCE), "-5");
    EXPECT_EQ(MemoryValueText(0xFFFF), "-");
}

}  // namespace
}  // namespace lmr

#include <gtest/gtest.h>

#include <QLocale>

#include "measure/NumberText.h"

// This program runs with LC_ALL=ru_RU.UTF-8, where the decimal mark is a comma.
namespace lmr {
namespace {

TEST(NumberTextRu, UsesTheLocaleDecimalComma) {
    ASSERT_EQ(QLocale::system().decimalPoint(), ",") << "needs the ru_RU.UTF-8 locale";
    EXPECT_EQ(TenthText(23.4), "23,4");
    EXPECT_EQ(TenthText(22.0), "22");
    EXPECT_EQ(TenthText(-5.94), "-5,9");
    EXPECT_EQ(TenthText(-0.01), "0");
    // No group separator (ru would write a blank), and an ASCII minus.
    EXPECT_EQ(TenthText(6553.5), "6553,5");
    EXPECT_EQ(TenthText(-1234.56), "-1234,6");
}

TEST(NumberTextRu, ParsingDoesNotDependOnTheLocale) {
    EXPECT_EQ(ParseDecimal("25,5"), 25.5);
    EXPECT_EQ(ParseDecimal("25.5"), 25.5);
    EXPECT_FALSE(ParseDecimal("25 5").has_value());
}

}  // namespace
}  // namespace lmr

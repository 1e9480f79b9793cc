#include <gtest/gtest.h>

#include "export/CellAddress.h"
#include "export/CellNumber.h"
#include "export_support.h"

namespace lmr {
namespace {

TEST(CellNumber, TextsReadAsNumbersOnlyWhereTheSpreadsheetWouldTakeThem) {
    const QLocale c = QLocale::c();
    const QLocale ru(QLocale::Russian, QLocale::Russia);
    ASSERT_EQ(ru.decimalPoint(), QStringLiteral(","));

    EXPECT_EQ(NumberFromCellText("23.4", c), 23.4);
    EXPECT_EQ(NumberFromCellText("23.4", ru), 23.4);  // "." is taken in every locale
    EXPECT_EQ(NumberFromCellText("23,4", ru), 23.4);
    EXPECT_EQ(NumberFromCellText("23,4", c), std::nullopt);
    EXPECT_EQ(NumberFromCellText("-5", c), -5.0);
    EXPECT_EQ(NumberFromCellText("-5,9", ru), -5.9);
    EXPECT_EQ(NumberFromCellText("6548.6", c), 6548.6);
    EXPECT_EQ(NumberFromCellText("0", c), 0.0);

    for (const char* text : {"14:05:33", "-", "", "14:5 7.4.9", "1.2.3", "23,4.5", "--5", "5-",
                             " 5", "5 ", "+5", "1e3", "nan", "inf", ".", "-.", "٣"}) {
        EXPECT_EQ(NumberFromCellText(QString::fromUtf8(text), ru), std::nullopt) << text;
    }
}

TEST(CellAddress, RangesParseToRowsAndColumnsFromOne) {
    const auto header = ParseRangeAddress("A2:K2");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->top, 2);
    EXPECT_EQ(header->left, 1);
    EXPECT_EQ(header->bottom, 2);
    EXPECT_EQ(header->right, 11);

    const auto centred = ParseRangeAddress("A1:J65536");
    ASSERT_TRUE(centred);
    EXPECT_EQ(centred->rows(), 65536);
    EXPECT_EQ(centred->columns(), 10);

    const auto one = ParseRangeAddress("e1");
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->contains(1, 5));
    EXPECT_FALSE(one->contains(1, 4));

    const auto far = ParseRangeAddress("AA3002:XFD1048576");
    ASSERT_TRUE(far);
    EXPECT_EQ(far->left, 27);
    EXPECT_EQ(far->right, kSheetColumns);
    EXPECT_EQ(far->bottom, kSheetRows);

    for (const char* bad : {"", "A", "2", "A0", "2A", "A2:", ":K2", "A2:K2:L3", "XFE1", "A1048577",
                            "A-1", "Я1", "A2 :K2"}) {
        EXPECT_FALSE(ParseRangeAddress(QString::fromUtf8(bad))) << bad;
    }
}

}  // namespace
}  // namespace lmr

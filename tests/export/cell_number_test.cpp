#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lmr

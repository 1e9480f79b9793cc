#include <gtest/gtest.h>

#include "app/StringGrid.h"

namespace lmr {
namespace {

TEST(StringGrid, CellsKeepTheirTextsWhateverTheOrderAndLength) {
    StringGrid g(10, 2, 0);
    g.SetCells(9, 1, QStringLiteral("last"));
    g.SetCells(0, 1, QStringLiteral("16:10:45"));
    g.SetCells(4, 1, QString::fromUtf8("tточ.росы, *C"));
    g.SetCells(4, 1, QStringLiteral("-"));
    g.SetCells(5, 1, QString(300, QLatin1Char('7')));
    g.SetCells(2, 1,
               QString::fromUtf8("a\x1f"
                                 "b"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("16:10:45"));
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("a b")) << "a separator never splits a cell";
    EXPECT_EQ(g.Cells(3, 1), QString());
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("-"));
    EXPECT_EQ(g.Cells(5, 1).size(), 300);
    EXPECT_EQ(g.Cells(9, 1), QStringLiteral("last"));
    // Outside the grid: nothing is read or written.
    g.SetCells(10, 1, QStringLiteral("x"));
    g.SetCells(0, 2, QStringLiteral("x"));
    EXPECT_EQ(g.Cells(10, 1), QString());
    EXPECT_EQ(g.Cells(-1, 0), QString());

    g.SetRowCount(4);
    EXPECT_EQ(g.Cells(9, 3), QString());
    g.SetCells(9, 3, QString::fromUtf8("ё"));
    EXPECT_EQ(g.Cells(9, 3), QString::fromUtf8("ё"));
    g.SetRowCount(2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(9, 1), QStringLiteral("last"));
}

}  // namespace
}  // namespace lmr

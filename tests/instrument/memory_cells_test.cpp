#include <gtest/gtest.h>

#include "ShownText.h"
#include "instrument/MemoryCells.h"

namespace lmr {
namespace {

TEST(MemoryCells, ValueWordsAreSignedTenthsWithMinusOneEmpty) {
    EXPECT_EQ(MemoryValueText(0xFFFF), "-");  // -1: the empty mark
    EXPECT_EQ(MemoryValueText(0xFFFE), test::ShownNumber("-0.2"));
    EXPECT_EQ(MemoryValueText(0xFFCE), "-5");  // -50: a whole number has no decimal part
    EXPECT_EQ(MemoryValueText(0x012C), "30");
    EXPECT_EQ(MemoryValueText(0x00EA), test::ShownNumber("23.4"));
    EXPECT_EQ(MemoryValueText(0x0001), test::ShownNumber("0.1"));
    EXPECT_EQ(MemoryValueText(0), "0");
    EXPECT_EQ(MemoryValueText(0x7FFF), test::ShownNumber("3276.7"));
    EXPECT_EQ(MemoryValueText(0x8000), test::ShownNumber("-3276.8"));
}

const char* const kHeaders[kMemoryGridColumns] = {"№",       "THC,*C",   "RH,%",    "t.,*C",
                                                  "tсф.,*C", "tв.т.,*C", "tт.р.,*C"};

QString CellOfReadGrid(int column, int row) {
    if (row == 0) return QString::fromUtf8(kHeaders[column]);
    if (column == 0) return QString::number(row);
    return QStringLiteral("%1.%2").arg(row).arg(column);
}

TEST(MemoryCells, ClipboardTextOfAReadGridByteForByte) {
    const QString text = GridClipboardText(kMemoryGridColumns, kMemoryGridRows, CellOfReadGrid);
    QString expected = QString::fromUtf8("№\tTHC,*C\tRH,%\tt.,*C\ttсф.,*C\ttв.т.,*C\ttт.р.,*C\n");
    for (int r = 1; r <= 9; ++r) {
        expected += QStringLiteral("%1\t%1.1\t%1.2\t%1.3\t%1.4\t%1.5\t%1.6\n").arg(r);
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.count(QLatin1Char('\n')), 10);
    EXPECT_EQ(text.count(QLatin1Char('\t')), 60);
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
}

TEST(MemoryCells, ClipboardTextOfAnUnreadGridKeepsEmptyFields) {
    const QString text = GridClipboardText(kMemoryGridColumns, kMemoryGridRows, [](int c, int r) {
        if (r == 0) return QString::fromUtf8(kHeaders[c]);
        return c == 0 ? QString::number(r) : QString();
    });
    QString expected = QString::fromUtf8("№\tTHC,*C\tRH,%\tt.,*C\ttсф.,*C\ttв.т.,*C\ttт.р.,*C\n");
    for (int r = 1; r <= 9; ++r) expected += QStringLiteral("%1\t\t\t\t\t\t\n").arg(r);
    EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace lmr

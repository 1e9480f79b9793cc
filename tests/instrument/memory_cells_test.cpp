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

const QString kHeaderLine = QString::fromUtf8("№\tTHC,*C\tRH,%\tt.,*C\ttсф.,*C\ttв.т.,*C\ttт.р.,*C\n");

TEST(MemoryCells, ClipboardTextOfTheCellsByteForByte) {
    MemoryCells cells;
    {
        SCOPED_TRACE("never read: the headers and the cell numbers, the values empty");
        QString expected = kHeaderLine;
        for (int r = 1; r <= 9; ++r) expected += QStringLiteral("%1\t\t\t\t\t\t\n").arg(r);
        EXPECT_EQ(cells.ClipboardText(), expected);
    }
    {
        SCOPED_TRACE("every value read: word r*10+c is r.c");
        MemoryCells::Words words;
        for (int r = 1; r <= 9; ++r) {
            for (int c = 1; c <= 6; ++c) words[std::size_t(r - 1)][std::size_t(c - 1)] = r * 10 + c;
        }
        words[0][1] = 0xFFFF;  // the empty mark
        cells.Take(words);
        const QString text = cells.ClipboardText();
        QString expected = kHeaderLine;
        for (int r = 1; r <= 9; ++r) {
            expected += test::ShownNumber(
                QStringLiteral("%1\t%1.1\t%1.2\t%1.3\t%1.4\t%1.5\t%1.6\n").arg(r).toUtf8().constData());
        }
        expected.replace(test::ShownNumber("\t1.2\t"), "\t-\t");
        EXPECT_EQ(text, expected);
        EXPECT_EQ(text.count(QLatin1Char('\n')), 10);
        EXPECT_EQ(text.count(QLatin1Char('\t')), 60);
        EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    }
    {
        SCOPED_TRACE("a reading lost halfway: the values read are new, the rest keep theirs");
        MemoryCells::Words some;
        some[0][0] = 100;
        cells.Take(some);
        EXPECT_EQ(cells.ClipboardText().section('\n', 1, 1),
                  test::ShownNumber("1\t10\t-\t1.3\t1.4\t1.5\t1.6"));
    }
}

}  // namespace
}  // namespace lmr

#include <gtest/gtest.h>

#include <map>

#include "export/Uxls.h"
#include "export_support.h"

namespace lmr {
namespace {

using Cells = std::map<QString, QString>;  // "B3" -> "20" for a number, "\"14:00:00\"" for a text

QString Ref(int row, int column) {
    return QChar('A' + column - 1) + QString::number(row);
}

Cells CellsOf(const SheetModel& sheet) {
    Cells out;
    for (const auto& [at, v] : sheet.cells()) {
        out[Ref(at.first, at.second)] = v.kind == CellValue::Kind::Number
                                            ? QString::number(v.number)
                                            : QLatin1Char('"') + v.text + QLatin1Char('"');
    }
    return out;
}

// The title and the header row every protocol sheet starts with.
Cells Headings() {
    Cells c{{"E1", "\"ПРОТОКОЛ ИЗМЕРЕНИЙ ПАРАМЕТРОВ МИКРОКЛИМАТА\""}};
    const char* headers[] = {"Время",    "THC, *C",  "WBGT, *C", "RH, %",     "tв., *C",
                             "tсф., *C", "tвт., *C", "tтр., *C", "tрад., *C", "W, Вт/м2"};
    for (int col = 1; col <= 10; ++col) {
        c[Ref(2, col)] = QStringLiteral("\"%1\"").arg(QString::fromUtf8(headers[col - 1]));
    }
    return c;
}

void ExpectRect(const CellRect& r, int top, int left, int bottom, int right) {
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(r.right, right);
}

// Widths, then the header fill, the centring of A:J and the borders down to lastRow, in this
// order, and nothing else.
void ExpectLayout(const SheetModel& sheet, int lastRow) {
    std::map<int, double> widths{{1, 17}};
    for (int c = 2; c <= 11; ++c) widths[c] = 11;
    EXPECT_EQ(sheet.widths(), widths);
    const std::vector<RangeFormat>& f = sheet.formats();
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].what, RangeFormat::What::Fill);
    EXPECT_EQ(f[0].fill, 0xFFFF00u);
    ExpectRect(f[0].rect, 2, 1, 2, 11);
    EXPECT_EQ(f[1].what, RangeFormat::What::Align);
    EXPECT_EQ(f[1].align, HorizontalAlign::Center);
    ExpectRect(f[1].rect, 1, 1, 65536, 10);
    EXPECT_EQ(f[2].what, RangeFormat::What::Borders);
    ExpectRect(f[2].rect, 2, 1, lastRow, 11);
}

void ExpectCells(const Cells& actual, const Cells& expected) {
    for (const auto& [ref, text] : expected) {
        const auto it = actual.find(ref);
        EXPECT_EQ(it == actual.end() ? QStringLiteral("(none)") : it->second, text)
            << ref.toStdString();
    }
    for (const auto& [ref, text] : actual) {
        EXPECT_TRUE(expected.count(ref)) << ref.toStdString() << " holds " << text.toStdString();
    }
}

SheetModel Written(const ProtocolSource& source) {
    SheetModel sheet(QStringLiteral("Лист1"));
    WriteProtocolSheet(sheet, source);
    return sheet;
}

TEST(ProtocolSheet, LiveColumnsRunEachOverItsOwnSeriesAndTheBordersFollowTheTimes) {
    TableSource source = LiveSource(3);
    source.values[8] = {std::nullopt, std::nullopt, 9.5};  // no dew point for the first two
    Cells expected = Headings();
    for (int t = 0; t < 3; ++t) {
        expected[Ref(t + 3, 1)] = QStringLiteral("\"14:00:0%1\"").arg(t);  // times stay texts
        for (int c = 2; c <= 10; ++c) {
            expected[Ref(t + 3, c)] = QString::number((c == 8 ? -1 : 1) * (c * 10 + t / 10.0));
        }
    }
    expected["H3"] = expected["H4"] = "\"-\"";
    expected["H5"] = "9.5";
    {
        SCOPED_TRACE("three readings");
        const SheetModel sheet = Written(source);
        ExpectLayout(sheet, 5);
        ExpectCells(CellsOf(sheet), expected);
    }
    {
        SCOPED_TRACE("a series one point longer than the times, one without points");
        source.values[5].push_back(99);
        source.values[9].clear();
        expected["E6"] = "99";
        for (int t = 0; t < 3; ++t) expected.erase(Ref(t + 3, 9));
        const SheetModel sheet = Written(source);
        ExpectLayout(sheet, 5);
        ExpectCells(CellsOf(sheet), expected);
    }
}

TEST(ProtocolSheet, LoggerRecordsFollowTheHeaderRowWithTheirTimesAsTexts) {
    TableSource source;
    source.records = {
        {"14:5 7.4.9", "22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"},
        {"15:0 7.4.9", "16.7", "16.9", "45", "22", "22", "15.3", "-", "22", "0"},
    };
    Cells expected = Headings();
    for (int r = 0; r < 2; ++r) {
        for (int c = 1; c <= 10; ++c) {
            const QString text = source.records[std::size_t(r)][c - 1];
            expected[Ref(r + 3, c)] =
                c == 1 || text == "-" ? QLatin1Char('"') + text + QLatin1Char('"') : text;
        }
    }
    const SheetModel sheet = Written(source);
    ExpectLayout(sheet, 4);  // the sheet's header row and the two records
    ExpectCells(CellsOf(sheet), expected);
}

TEST(ProtocolSheet, EmptyTablesBorderTheHeaderRowOnly) {
    TableSource live;
    live.live = true;
    TableSource logger;  // before any download
    for (const TableSource* source : {&live, &logger}) {
        SCOPED_TRACE(source->live ? "live page, no points" : "logger page, no records");
        const SheetModel sheet = Written(*source);
        ExpectLayout(sheet, 2);
        ExpectCells(CellsOf(sheet), Headings());
    }
}

}  // namespace
}  // namespace lmr

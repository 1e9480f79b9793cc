#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>
#include <map>

#include "SpreadsheetReadBack.h"
#include "export/Uxls.h"
#include "export_support.h"
#include "measure/Clock.h"
#include "measure/NumberText.h"

namespace lmr {
namespace {

// Runs an export into a folder of its own.
struct FileExport {
    QTemporaryDir dir;
    QString docs = dir.filePath("Документы");
    std::vector<QString> saved;  // every file written
    TestClock clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 33))};

    FileExport() { setAppClock(&clock); }
    ~FileExport() { setAppClock(nullptr); }

    Outcome run(const ProtocolSource& source) {
        WorkbookSettings s;
        s.documentsDir = docs;
        const Valued<QString> written = ExportProtocol(source, s);
        if (written) saved.push_back(*written);
        return written.outcome;
    }
};

// The cells of the first worksheet: reference -> (style index, type, raw value).
struct XmlCell {
    int style = 0;
    QString type;
    QString value;
};
std::map<QString, XmlCell> SheetCells(const QByteArray& xml) {
    std::map<QString, XmlCell> cells;
    QXmlStreamReader r(xml);
    QString ref;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"c") {
            ref = r.attributes().value("r").toString();
            cells[ref] = {
                r.attributes().value("s").toInt(), r.attributes().value("t").toString(), {}};
        } else if (r.isStartElement() && (r.name() == u"v" || r.name() == u"t")) {
            cells[ref].value = r.readElementText();
        }
    }
    return cells;
}

std::map<int, double> ColumnWidths(const QByteArray& xml) {
    std::map<int, double> widths;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"col") {
            const int min = r.attributes().value("min").toInt();
            const int max = r.attributes().value("max").toInt();
            for (int c = min; c <= max; ++c) widths[c] = r.attributes().value("width").toDouble();
        }
    }
    return widths;
}

// What a cell style shows: its fill colour, alignment and the sides with a thin line.
struct XmlStyle {
    QString fill;
    QString align;
    QString borders;  // "lrtb" for the sides drawn
};
std::vector<XmlStyle> CellStyles(const QByteArray& xml) {
    std::vector<QString> fills, borders;
    std::vector<XmlStyle> styles;
    QXmlStreamReader r(xml);
    QString section;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement()) continue;
        const auto name = r.name();
        if (name == u"fills" || name == u"borders" || name == u"cellXfs" ||
            name == u"cellStyleXfs") {
            section = name.toString();
        } else if (section == "fills" && name == u"fill") {
            fills.emplace_back();
        } else if (section == "fills" && name == u"fgColor") {
            fills.back() = r.attributes().value("rgb").toString();
        } else if (section == "borders" && name == u"border") {
            borders.emplace_back();
        } else if (section == "borders" &&
                   (name == u"left" || name == u"right" || name == u"top" || name == u"bottom")) {
            if (r.attributes().value("style") == u"thin") borders.back() += name.at(0);
        } else if (section == "cellXfs" && name == u"xf") {
            const auto a = r.attributes();
            styles.push_back({fills.at(a.value("fillId").toUInt()),
                              {},
                              borders.at(a.value("borderId").toUInt())});
        } else if (section == "cellXfs" && name == u"alignment") {
            styles.back().align = r.attributes().value("horizontal").toString();
        }
    }
    return styles;
}

TEST(WorkbookFile, HundredLiveReadingsReadBackInTheSpreadsheetProgram) {
    FileExport e;
    const TableSource source = LiveSource(100);
    ASSERT_TRUE(e.run(source));
    ASSERT_EQ(e.saved.size(), 1u);
    const QString file = e.saved[0];
    EXPECT_EQ(file, QDir(e.docs).filePath("Протокол 2026-12-08 14-05-33.xlsx"));
    ASSERT_TRUE(QFile::exists(file));

    if (QStandardPaths::findExecutable("unzip").isEmpty()) GTEST_SKIP() << "unzip is not installed";
    const QByteArray sheetXml = Unzip(file, "xl/worksheets/sheet1.xml");
    const auto cells = SheetCells(sheetXml);
    const auto styles = CellStyles(Unzip(file, "xl/styles.xml"));
    const auto widths = ColumnWidths(sheetXml);
    ASSERT_FALSE(cells.empty());

    // Widths as the spreadsheet shows them: 17 and 11 characters.
    ASSERT_EQ(widths.size(), 11u);
    EXPECT_NEAR(widths.at(1), 17.71, 0.01);
    for (int c = 2; c <= 11; ++c) EXPECT_NEAR(widths.at(c), 11.71, 0.01) << c;

    const QString letters = "ABCDEFGHIJK";
    for (int row = 2; row <= 102; ++row) {
        for (int c = 0; c < 11; ++c) {
            const QString ref = letters[c] + QString::number(row);
            ASSERT_TRUE(cells.count(ref)) << ref.toStdString();
            const XmlStyle& s = styles.at(std::size_t(cells.at(ref).style));
            EXPECT_EQ(s.borders, "lrtb") << ref.toStdString();
            EXPECT_EQ(s.fill, row == 2 ? "FFFFFF00" : "") << ref.toStdString();
            EXPECT_EQ(s.align, c < 10 ? "center" : "") << ref.toStdString();
            if (row >= 3 && c >= 1 && c < 10) {
                EXPECT_EQ(cells.at(ref).type, "") << "number expected in " << ref.toStdString();
            }
        }
        EXPECT_EQ(cells.at("A" + QString::number(row)).type, "s") << row;  // times are texts
    }
    EXPECT_EQ(cells.count("K103") + cells.count("A103") + cells.count("K1"), 0u);
    EXPECT_EQ(cells.at("K2").type, "");  // K2: fill and borders, no text
    EXPECT_EQ(cells.at("K2").value, "");
    EXPECT_EQ(cells.at("E1").type, "s");
    EXPECT_EQ(styles.at(std::size_t(cells.at("E1").style)).borders, "");

    if (QStandardPaths::findExecutable("soffice").isEmpty()) {
        GTEST_SKIP() << "soffice (LibreOffice) is not installed; the CSV check is skipped";
    }
    const auto rows = ConvertToCsv(file, e.dir.filePath("csv"));
    ASSERT_EQ(rows.size(), 102u);
    EXPECT_EQ(rows[0].value(4), "ПРОТОКОЛ ИЗМЕРЕНИЙ ПАРАМЕТРОВ МИКРОКЛИМАТА");
    EXPECT_EQ(rows[1].mid(0, 10).join('|'),
              "Время|THC, *C|WBGT, *C|RH, %|tв., *C|tсф., *C|tвт., *C|tтр., *C|tрад., *C|W, Вт/м2");
    for (int t = 0; t < 100; ++t) {
        const QStringList& row = rows[std::size_t(t + 2)];
        EXPECT_EQ(row.value(0), source.times[std::size_t(t)]) << t;
        for (int c = 2; c <= 10; ++c) {
            EXPECT_EQ(row.value(c - 1),
                      QString::number(*source.values[std::size_t(c)][std::size_t(t)]))
                << "row " << t + 3 << " column " << c;
        }
        EXPECT_EQ(row.value(10), "") << t;
    }
}

TEST(WorkbookFile, ASecondExportInTheSameSecondWritesASecondFileAndKeepsTheFirst) {
    FileExport e;
    ASSERT_TRUE(e.run(LiveSource(2)));
    TableSource logger;
    logger.records = {{"14:5 7.4.9", "22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"}};
    ASSERT_TRUE(e.run(logger));
    ASSERT_EQ(e.saved.size(), 2u);
    EXPECT_EQ(e.saved[1], QDir(e.docs).filePath("Протокол 2026-12-08 14-05-33 (2).xlsx"));
    EXPECT_EQ(QDir(e.docs).entryList(QDir::Files).size(), 2);
    if (QStandardPaths::findExecutable("unzip").isEmpty()) GTEST_SKIP() << "unzip is not installed";

    const auto first = SheetCells(Unzip(e.saved[0], "xl/worksheets/sheet1.xml"));
    const auto second = SheetCells(Unzip(e.saved[1], "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(first.count("A4"));  // two live readings, rows 3 and 4
    EXPECT_EQ(first.at("B3").value, "20");
    EXPECT_EQ(second.at("B3").value, "22");  // the logger record
    EXPECT_EQ(second.at("J3").value, "51.2");
    EXPECT_EQ(second.at("A3").type, "s");
    // Nothing below the record.
    EXPECT_EQ(second.count("A4") + second.count("K4"), 0u);
}

TEST(WorkbookFile, NumbersAreWrittenAsTheWindowsShowThem) {
    FileExport e;
    TableSource source = LiveSource(1);
    source.values[4] = {23.4};
    source.values[5] = {-5.9};
    source.values[6] = {RoundToTenth(9.8)};  // 9.800000000000001 after the rounding
    source.values[8] = {std::nullopt};
    ASSERT_TRUE(e.run(source));
    ASSERT_EQ(e.saved.size(), 1u);
    if (QStandardPaths::findExecutable("unzip").isEmpty()) GTEST_SKIP() << "unzip is not installed";
    const auto cells = SheetCells(Unzip(e.saved[0], "xl/worksheets/sheet1.xml"));
    EXPECT_EQ(cells.at("D3").type, "");
    EXPECT_EQ(cells.at("D3").value, "23.4");
    EXPECT_EQ(cells.at("E3").value, "-5.9");
    EXPECT_EQ(cells.at("F3").value, "9.8");  // the number shown, not 9.800000000000001
    EXPECT_EQ(cells.at("H3").type, "s");  // an absent dew point is the text "-"
    EXPECT_EQ(cells.at("A3").type, "s");
}

TEST(WorkbookFile, AFolderOrFileThatCannotBeWrittenFailsTheExportWithItsMessage) {
    {
        SCOPED_TRACE("no documents folder can be made");
        FileExport e;
        QFile blocker(e.dir.filePath("file"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        e.docs = e.dir.filePath("file/Документы");
        const Outcome failed = e.run(LiveSource(1));
        EXPECT_FALSE(failed);
        // Which folder and why, not a spreadsheet program to look for.
        EXPECT_EQ(failed.text, "Нет доступа к папке документов \"" + e.docs +
                                   "\": на её месте или на пути к ней лежит файл.");
        EXPECT_TRUE(e.saved.empty());
    }
    {
        SCOPED_TRACE("the folder went away after an export");
        FileExport e;
        ASSERT_TRUE(e.run(LiveSource(1)));
        ASSERT_TRUE(QDir(e.docs).removeRecursively());
        QFile blocker(e.docs);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        const Outcome failed = e.run(LiveSource(1));
        EXPECT_FALSE(failed);
        EXPECT_TRUE(failed.text.startsWith("Нет доступа к папке документов"))
            << failed.text.toStdString();
        EXPECT_EQ(e.saved.size(), 1u);
        // The folder back, the next export writes its own protocol, not the failed one too.
        blocker.remove();
        ASSERT_TRUE(e.run(LiveSource(1)));
        EXPECT_EQ(e.saved.size(), 2u);
        EXPECT_EQ(QDir(e.docs).entryList(QDir::Files).size(), 1);
    }
    {
        SCOPED_TRACE("the file itself cannot be made");
        FileExport e;
        // The protocol's name taken by a link into nowhere: the folder takes files, this one not.
        ASSERT_TRUE(QDir().mkpath(e.docs));
        const QString path = QDir(e.docs).filePath("Протокол 2026-12-08 14-05-33.xlsx");
        ASSERT_TRUE(QFile::link(e.dir.filePath("gone/protocol.xlsx"), path));
        const Outcome failed = e.run(LiveSource(1));
        EXPECT_FALSE(failed);
        EXPECT_TRUE(failed.text.startsWith("Не удалось записать книгу \"" + path + "\": "))
            << failed.text.toStdString();
        EXPECT_TRUE(e.saved.empty());
    }
}

}  // namespace
}  // namespace lmr

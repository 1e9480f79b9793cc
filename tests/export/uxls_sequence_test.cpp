#include <gtest/gtest.h>

#include "export/RecordingAutomation.h"
#include "export/Uxls.h"
#include "export_support.h"

namespace lmr {
namespace {

const QString kSheet = QStringLiteral("App.WorkSheets(1)");

// The expected conversation, built in the order the protocol is written.
class Expected {
public:
    QStringList lines;

    void add(const QString& line) { lines << line; }
    void cell(int row, int column, const QString& text) {
        const QString cell = QStringLiteral("Cells(%1,%2)").arg(row).arg(column);
        add(kSheet + QStringLiteral(": get ") + cell);
        add(kSheet + QLatin1Char('.') + cell + QStringLiteral(": set Value = \"") + text +
            QLatin1Char('"'));
    }
    void open(bool create) {
        if (create) add("create App");
        add("App: get WorkBooks");
        add("App.WorkBooks: call add");
        add("App: get WorkSheets(1)");
    }
    // Widths, header fill, centring, title and headers.
    void layout() {
        for (int c = 1; c <= 11; ++c) {
            add(kSheet + ": get Columns");
            add(kSheet + QStringLiteral(".Columns: get Item(%1)").arg(c));
            add(kSheet + QStringLiteral(".Columns.Item(%1): set ColumnWidth = %2")
                             .arg(c)
                             .arg(c == 1 ? 17 : 11));
        }
        add(kSheet + ": get Range(\"A2:K2\")");
        add(kSheet + ".Range(\"A2:K2\"): get Interior");
        add(kSheet + ".Range(\"A2:K2\").Interior: set ColorIndex = 6");
        add("App: get Range(\"A1:J65536\")");
        add("App.Range(\"A1:J65536\"): set HorizontalAlignment = 3");
        cell(1, 5, "ПРОТОКОЛ ИЗМЕРЕНИЙ ПАРАМЕТРОВ МИКРОКЛИМАТА");
        const char* headers[] = {"Время",    "THC, *C",  "WBGT, *C", "RH, %",     "tв., *C",
                                 "tсф., *C", "tвт., *C", "tтр., *C", "tрад., *C", "W, Вт/м2"};
        for (int c = 1; c <= 10; ++c) cell(2, c, headers[c - 1]);
    }
    void borders(int lastRow) {
        const QString range = QStringLiteral("App.Range(\"A2:K%1\")").arg(lastRow);
        add(QStringLiteral("App: get Range(\"A2:K%1\")").arg(lastRow));
        for (int i = 1; i <= 4; ++i) {
            add(range + ": get Borders");
            add(range + QStringLiteral(".Borders: get Item(%1)").arg(i));
            add(range + QStringLiteral(".Borders.Item(%1): set LineStyle = 1").arg(i));
        }
    }
    void visible() { add("App: set Visible = true"); }
};

struct Export {
    RecordingAutomation recorder;
    MessageLog log;
    ExcelRefs refs;

    ExportServices services() {
        return {[this] { return recorder.Create(); }, log.sink()};
    }
    ExportStatus run(const ProtocolSource& source) {
        return ExportProtocol(refs, source, services());
    }
};

void ExpectSameCalls(const QStringList& actual, const QStringList& expected) {
    const int n = int(std::min(actual.size(), expected.size()));
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(actual[i].toStdString(), expected[i].toStdString()) << "call " << i;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

TEST(ExportSequence, LiveExportWritesEachColumnOverItsOwnSeriesThenShowsTheApplication) {
    TableSource source = LiveSource(3);
    source.values[8] = {"-", "-", "9.5"};  // dew point absent for the first two readings
    Export e;
    ASSERT_EQ(e.run(source), ExportStatus::Done);

    Expected x;
    x.open(true);
    x.layout();
    x.borders(5);  // header row and three readings
    x.cell(3, 1, "14:00:00");
    x.cell(4, 1, "14:00:01");
    x.cell(5, 1, "14:00:02");
    const char* values[11][3] = {{},
                                 {},
                                 {"20", "20.1", "20.2"},
                                 {"30", "30.1", "30.2"},
                                 {"40", "40.1", "40.2"},
                                 {"50", "50.1", "50.2"},
                                 {"60", "60.1", "60.2"},
                                 {"70", "70.1", "70.2"},
                                 {"-", "-", "9.5"},
                                 {"90", "90.1", "90.2"},
                                 {"100", "100.1", "100.2"}};
    for (int c = 2; c <= 10; ++c) {
        for (int t = 0; t < 3; ++t) x.cell(t + 3, c, values[c][t]);
    }
    x.visible();
    ExpectSameCalls(e.recorder.lines(), x.lines);
    EXPECT_TRUE(e.log.messages.empty());
    EXPECT_FALSE(e.refs.ExcelApp.IsEmpty());
    EXPECT_FALSE(e.refs.ExcelSheet.IsEmpty());
}

TEST(ExportSequence, LiveColumnsOfUnequalLengthKeepTheirOwnCounts) {
    TableSource source = LiveSource(2);
    source.values[5].push_back("99");  // a series one point longer than LineSeries3
    source.values[9].clear();
    Export e;
    ASSERT_EQ(e.run(source), ExportStatus::Done);
    const QStringList lines = e.recorder.lines();
    EXPECT_TRUE(lines.contains(kSheet + ".Cells(5,5): set Value = \"99\""));
    EXPECT_FALSE(lines.contains(kSheet + ": get Cells(3,9)"));
    EXPECT_TRUE(lines.contains("App: get Range(\"A2:K4\")"));  // borders follow LineSeries3
}

TEST(ExportSequence, LoggerExportSkipsTheGridHeaderAndWritesTheTrailingEmptyRow) {
    TableSource source;
    source.grid = LoggerGrid({
        {"14:5 7.4.9", "22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"},
        {"15:0 7.4.9", "16.7", "16.9", "45", "22", "22", "15.3", "9.5", "22", "0"},
    });
    Export e;
    ASSERT_EQ(e.run(source), ExportStatus::Done);

    Expected x;
    x.open(true);
    x.layout();
    x.borders(4);
    const char* rows[3][10] = {
        {"14:5 7.4.9", "22", "21.5", "50", "25", "30", "18.5", "13.9", "33.2", "51.2"},
        {"15:0 7.4.9", "16.7", "16.9", "45", "22", "22", "15.3", "9.5", "22", "0"},
        {"", "", "", "", "", "", "", "", "", ""}};
    for (int c = 1; c <= 10; ++c) {
        for (int r = 0; r < 3; ++r) x.cell(r + 3, c, rows[r][c - 1]);
    }
    x.visible();
    ExpectSameCalls(e.recorder.lines(), x.lines);
}

TEST(ExportSequence, EmptyTablesBorderTheHeaderRowOnly) {
    {
        SCOPED_TRACE("live page, no points");
        TableSource source;
        source.live = true;
        Export e;
        ASSERT_EQ(e.run(source), ExportStatus::Done);
        Expected x;
        x.open(true);
        x.layout();
        x.borders(2);
        x.visible();
        ExpectSameCalls(e.recorder.lines(), x.lines);
    }
    {
        SCOPED_TRACE("logger page before any download");
        TableSource source;
        source.grid = LoggerGrid({});
        Export e;
        ASSERT_EQ(e.run(source), ExportStatus::Done);
        Expected x;
        x.open(true);
        x.layout();
        x.borders(2);
        for (int c = 1; c <= 10; ++c) x.cell(3, c, "");
        x.visible();
        ExpectSameCalls(e.recorder.lines(), x.lines);
    }
}

TEST(ExportSequence, OpeningFailuresShowTheirMessageAndTouchNothingAfter) {
    struct Case {
        const char* fail;
        ExportStatus status;
        QString message;
        int calls;  // the log ends with the failed call
    };
    const Case cases[] = {
        {"Create", ExportStatus::NoApplication,
         "Невозможно открыть Microsoft Excel!Возможно Excel не установлен на компьютере.", 1},
        {"WorkBooks", ExportStatus::NoWorkbook, "Ошибка открытия книги Microsoft Excel!", 2},
        {"add", ExportStatus::NoWorkbook, "Ошибка открытия книги Microsoft Excel!", 3},
        {"WorkSheets", ExportStatus::NoWorkbook, "Ошибка открытия книги Microsoft Excel!", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fail);
        Export e;
        e.recorder.FailMember(c.fail);
        EXPECT_EQ(e.run(LiveSource(2)), c.status);
        ASSERT_EQ(int(e.recorder.calls().size()), c.calls);
        EXPECT_TRUE(e.recorder.calls().back().failed);
        ASSERT_EQ(e.log.messages.size(), 1u);
        EXPECT_EQ(e.log.messages[0].caption, QStringLiteral("Ошибка"));
        EXPECT_EQ(e.log.messages[0].text, c.message);
        EXPECT_EQ(e.log.messages[0].icon, ExportMessage::Icon::Error);
        EXPECT_TRUE(e.refs.ExcelSheet.IsEmpty());
    }
}

TEST(ExportSequence, FailedCellWritesAreSkippedAndTheExportGoesOn) {
    Export e;
    e.recorder.FailMember("Value", 1);   // the title
    e.recorder.FailMember("Cells", 12);  // title, ten headers, then A3
    ASSERT_EQ(e.run(LiveSource(2)), ExportStatus::Done);
    const QStringList lines = e.recorder.lines();
    EXPECT_FALSE(lines.contains(kSheet + ".Cells(3,1): set Value = \"14:00:00\""));
    EXPECT_TRUE(lines.contains(kSheet + ".Cells(4,1): set Value = \"14:00:01\""));
    EXPECT_TRUE(lines.contains(kSheet + ".Cells(2,1): set Value = \"Время\""));
    EXPECT_EQ(lines.back(), QStringLiteral("App: set Visible = true"));
    EXPECT_TRUE(e.log.messages.empty());
}

TEST(ExportSequence, AFailingFormatStepEndsTheExportWithItsMessage) {
    const char* steps[] = {"ColumnWidth", "ColorIndex", "HorizontalAlignment", "LineStyle",
                           "Visible"};
    for (const char* step : steps) {
        SCOPED_TRACE(step);
        Export e;
        e.recorder.FailMember(step, 1);
        EXPECT_EQ(e.run(LiveSource(3)), ExportStatus::Failed);
        const RecordedCall& last = e.recorder.calls().back();
        EXPECT_TRUE(last.failed);
        EXPECT_EQ(last.member, QString(step));
        ASSERT_EQ(e.log.messages.size(), 1u);
        EXPECT_EQ(e.log.messages[0].caption, QStringLiteral("Ошибка"));
        EXPECT_EQ(e.log.messages[0].text, QStringLiteral("Сбой вызова \"%1\".").arg(step));
    }
    {
        SCOPED_TRACE("third width: columns 1 and 2 keep theirs");
        Export e;
        e.recorder.FailMember("ColumnWidth", 3);
        EXPECT_EQ(e.run(LiveSource(1)), ExportStatus::Failed);
        EXPECT_EQ(e.recorder.calls().size(), 4u + 9u);
    }
}

TEST(ExportSequence, ASecondExportAttachesAndAddsASecondWorkbook) {
    Export e;
    ASSERT_EQ(e.run(LiveSource(1)), ExportStatus::Done);
    const Automation app = e.refs.ExcelApp;
    const Automation firstSheet = e.refs.ExcelSheet;
    e.recorder.ClearLog();

    TableSource logger;
    logger.grid = LoggerGrid({{"1:0 1.1.1", "1", "2", "3", "4", "5", "6", "7", "8", "9"}});
    ASSERT_EQ(e.run(logger), ExportStatus::Done);
    Expected x;
    x.open(false);  // no second application
    x.layout();
    x.borders(3);
    const QStringList lines = e.recorder.lines();
    ExpectSameCalls(lines.mid(0, x.lines.size()), x.lines);
    EXPECT_EQ(lines.back(), QStringLiteral("App: set Visible = true"));
    EXPECT_TRUE(e.refs.ExcelApp == app);
    EXPECT_FALSE(e.refs.ExcelSheet == firstSheet);
}

}  // namespace
}  // namespace lmr

#include <gtest/gtest.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "Child.h"
#include "SimProgram.h"
#include "app/TFMain.h"
#include "data/DataFile.h"
#include "link/Transcript.h"
#include "logger/LoggerRow.h"

namespace lmr::test {
namespace {

sim::Options Logger(int count) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(count);
    return o;
}

QStringList Row(const StringGrid* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->ColCount(); ++c) cells << grid->Cells(c, row);
    return cells;
}

TEST(LoggerWindow, DownloadFillsGridAndChartAndKeepsPainting) {
    // At the line's own pace, so that the window has time between records.
    sim::Options o = Logger(3);
    o.paced = true;
    SimProgram p(o);
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    m.SetPanelText(3, "прежний текст");
    // Runs while the window takes events during the download.
    QStringList seen;
    int pointsSeen = 0;
    int chosenWith = -1;  // points of Series3 when it was chosen during the download
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString now = Child<QPushButton>(m, "ButtonZagruzit").text() + " | " + m.PanelText(3);
        if (seen.isEmpty() || seen.back() != now) seen << now;
        pointsSeen =
            std::max(pointsSeen, static_cast<int>(Child<QLineSeries>(m, "Series1").count()));
        // A series chosen while the download runs shows every point so far.
        if (chosenWith < 0 && Child<QLineSeries>(m, "Series1").count() > 0) {
            Child<QComboBox>(m, "ComboBoxZ").setCurrentIndex(2);
            chosenWith = static_cast<int>(Child<QLineSeries>(m, "Series3").count());
            EXPECT_EQ(chosenWith, Child<QLineSeries>(m, "Series1").count());
        }
    });
    watch.start(0);
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    watch.stop();

    // The count rises record by record, the chart grows before the download is over; the
    // button stops the download meanwhile.
    QStringList counts;
    for (const QString& now : seen) {
        if (now.startsWith("Прервать | Загружено записей:")) counts << now.section(',', 0, 0);
    }
    counts.removeDuplicates();
    EXPECT_EQ(counts,
              QStringList({"Прервать | Загружено записей: 1", "Прервать | Загружено записей: 2",
                           "Прервать | Загружено записей: 3"}));
    // (The window's last events are taken after the caption went back.)
    if (!seen.isEmpty() && seen.back() == "Загрузить | Загрузка завершена, загружено записей: 3")
        seen.pop_back();
    for (const QString& s : seen) EXPECT_TRUE(s.startsWith("Прервать | ")) << s.toStdString();
    EXPECT_GE(pointsSeen, 1);
    EXPECT_GE(chosenWith, 1);
    EXPECT_TRUE(Child<QLineSeries>(m, "Series3").isVisible());
    EXPECT_EQ(Child<QPushButton>(m, "ButtonZagruzit").text(), "Загрузить");
    EXPECT_TRUE(Child<QPushButton>(m, "ButtonZagruzit").isEnabled());
    // The logger ran out: the count says whether that was all the meter had.
    EXPECT_EQ(m.PanelText(3), "Загрузка завершена, загружено записей: 3");

    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(),
              5);  // header, three records, one empty row
    const LoggerRow first = MakeLoggerRow(10, DecodeLoggerRecord(sim::LoggerFromCount(3)[0].bytes));
    EXPECT_EQ(Row(&Child<StringGrid>(m, "StringGridL"), 1),
              QStringList(first.cells.begin(), first.cells.end()));
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 1), "22:0 7.4.9");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 3), "23:0 7.4.9");
    EXPECT_EQ(Row(&Child<StringGrid>(m, "StringGridL"), 4), QStringList(10, QString()));
    for (QLineSeries* s : {&Child<QLineSeries>(m, "Series1"), &Child<QLineSeries>(m, "Series2"),
                           &Child<QLineSeries>(m, "Series3"), &Child<QLineSeries>(m, "Series4")}) {
        ASSERT_EQ(s->count(), 3);
        EXPECT_EQ(s->at(0).x(), 10.0);
        EXPECT_EQ(s->at(2).x(), 30.0);
    }
    EXPECT_NEAR(Child<QLineSeries>(m, "Series2").at(0).y(), 45.0, 1e-9);
    EXPECT_NEAR(Child<QLineSeries>(m, "Series3").at(1).y(), 22.1, 1e-9);
    EXPECT_EQ(Child<QLineSeries>(m, "Series5").count(), 0);

    // Bottom labels: the time text of the record behind each point.
    EXPECT_EQ(m.ChartValueGetAxisLabel(0), "22:0 7.4.9");
    EXPECT_EQ(m.ChartValueGetAxisLabel(2), "23:0 7.4.9");
    auto* axis = qobject_cast<QCategoryAxis*>(&Child<QValueAxis>(m, "ChartValueBottomAxis"));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->categoriesLabels(), QStringList({"22:0 7.4.9", "22:30 7.4.9", "23:0 7.4.9"}));
    EXPECT_EQ(Child<QValueAxis>(m, "ChartValueLeftAxis").min(), 0.0);
    EXPECT_EQ(Child<QValueAxis>(m, "ChartValueLeftAxis").max(), 100.0);
}

TEST(LoggerWindow, FullLoggerGives3002Rows) {
    SimProgram p(Logger(3000));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 3002);
    EXPECT_EQ(Child<QLineSeries>(m, "Series4").count(), 3000);
    EXPECT_EQ(Child<QLineSeries>(m, "Series4").at(2999).x(), 30000.0);
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridL").Cells(0, 3000).isEmpty());
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridL").Cells(0, 3001).isEmpty());
    auto* axis = qobject_cast<QCategoryAxis*>(&Child<QValueAxis>(m, "ChartValueBottomAxis"));
    // The simulated logger's times repeat every day: five distinct labels all the same.
    EXPECT_EQ(axis->categoriesLabels().size(), 5);
}

TEST(LoggerWindow, LiveTicksDueAtTheClickNeverKeepTheDownloadFromStarting) {
    SimProgram p(Logger(10));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    // Live measurement with ticks always due: the first one falls in the download's own loop,
    // before its thread is under way.
    m.Session().TimerInterval()->setInterval(0);
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    ASSERT_TRUE(m.Session().TimerInterval()->isActive());
    for (int i = 0; i < 5; ++i) {
        const int rows = Child<StringGrid>(m, "StringGridL").RowCount();
        SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), rows + 10)
            << "download " << i + 1;
    }
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    EXPECT_FALSE(m.Session().TimerInterval()->isActive());
    EXPECT_GT(m.Live().Count(), 0);
}

TEST(LoggerWindow, StartClickedDuringTheDownloadSaysTheLinkIsBusy) {
    sim::Options o = Logger(10);
    o.paced = true;
    SimProgram p(o);
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    QString said;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (said.isEmpty() && Child<StringGrid>(m, "StringGridL").RowCount() > 3) {
            m.ButtonStartStopClick();
            said = m.PanelText(3);
        }
    });
    during.start(0);
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    during.stop();
    EXPECT_EQ(said, "Порт прибора занят другим обменом");
    EXPECT_FALSE(m.Session().TimerInterval()->isActive());
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 12);
}

TEST(LoggerWindow, ClickedFromTheKeyboardTheFormStaysWhereItWasScrolled) {
    SimProgram p(Logger(3));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    m.show();
    m.activateWindow();
    auto* scroll = m.findChild<QScrollArea*>(QStringLiteral("FormScroll"));
    ASSERT_NE(scroll, nullptr);
    Child<QPushButton>(m, "ButtonZagruzit").setFocus();
    ASSERT_TRUE(SimProgram::WaitFor(
        [&] { return Child<QPushButton>(m, "ButtonZagruzit").hasFocus(); }, 2000));
    scroll->ensureWidgetVisible(&Child<QPushButton>(m, "ButtonZagruzit"));
    const int h = scroll->horizontalScrollBar()->value();
    const int v = scroll->verticalScrollBar()->value();
    ASSERT_GT(h + v, 0);
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 5);
    EXPECT_EQ(scroll->horizontalScrollBar()->value(), h);
    EXPECT_EQ(scroll->verticalScrollBar()->value(), v);
    EXPECT_TRUE(Child<QPushButton>(m, "ButtonZagruzit").hasFocus());
}

TEST(LoggerWindow, SecondDownloadAppendsRowsAndSortsPointsByAddress) {
    SimProgram p(Logger(2));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    p.meter().Configure([](sim::Options& o) {
        o.logger = {sim::MakeRecord(500, 250, 300, 9, 0, 8),
                    sim::MakeRecord(500, 250, 300, 9, 10, 8),
                    sim::MakeRecord(500, 250, 300, 9, 20, 8)};
    });
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 7);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 2), "22:30 7.4.9");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 3), "9:0 8.4.9");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 5), "9:20 8.4.9");
    ASSERT_EQ(Child<QLineSeries>(m, "Series1").count(), 5);
    const double xs[] = {10, 10, 20, 20, 30};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Child<QLineSeries>(m, "Series1").at(i).x(), xs[i]) << i;
    // Every point's label is its own record's time, whichever download it came from.
    const char* labels[] = {"22:0 7.4.9", "9:0 8.4.9", "22:30 7.4.9", "9:10 8.4.9", "9:20 8.4.9"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(m.ChartValueGetAxisLabel(i), labels[i]) << i;
    EXPECT_NEAR(Child<QLineSeries>(m, "Series1").at(1).y(), 22.0, 1e-9);
}

TEST(LoggerWindow, ClosingTheWindowEndsTheDownload) {
    SimProgram p(Logger(3000));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    m.show();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (Child<StringGrid>(m, "StringGridL").RowCount() > 20) m.close();
    });
    closer.start(0);
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    closer.stop();
    EXPECT_TRUE(m.Closing());
    EXPECT_LT(Child<StringGrid>(m, "StringGridL").RowCount(), 3002);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount() - 2,
              Child<QLineSeries>(m, "Series1").count());
    EXPECT_FALSE(m.TheLink().IsOpen());
}

TEST(LoggerWindow, StoppedHalfwayKeepsTheRowsReadAndSendsNothingAfterTheRecordInFlight) {
    SimProgram p(Logger(3000));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    // The splash would take the keyboard.
    Child<QTimer>(m, "TimerLogo").stop();
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    // By the button halfway, then by Escape sooner (the line is the same, the test shorter).
    const struct {
        int at;
        std::function<void()> stop;
    } stops[] = {{1500, [&] { Child<QPushButton>(m, "ButtonZagruzit").click(); }},
                 {100, [&] { QTest::keyClick(m.windowHandle(), Qt::Key_Escape); }}};
    int before = 0;
    for (const auto& [at, stop] : stops) {
        p.meter().ClearTranscript();
        QString during;
        QTimer halfway;
        QObject::connect(&halfway, &QTimer::timeout, [&] {
            if (during.isEmpty() &&
                Child<StringGrid>(m, "StringGridL").RowCount() - 2 - before >= at) {
                during = m.PanelText(3);
                stop();
            }
        });
        halfway.start(0);
        SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
        halfway.stop();

        const int read = Child<StringGrid>(m, "StringGridL").RowCount() - 2 - before;
        EXPECT_GE(read, at);
        EXPECT_LT(read, 3000);
        EXPECT_TRUE(
            during.contains(QRegularExpression("^Загружено записей: \\d+, осталось не более "
                                               "(\\d+ мин )?\\d+ с$")))
            << during.toStdString();
        EXPECT_EQ(m.PanelText(3), QString("Загрузка прервана, загружено записей: %1").arg(read));
        EXPECT_EQ(Child<QPushButton>(m, "ButtonZagruzit").text(), "Загрузить");
        EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), before + read);
        EXPECT_FALSE(m.TheLink().IsOpen());
        // The probe, then request and record bytes of each record read, and not one more.
        SimProgram::WaitFor([] { return false; }, 50);
        int host = 0;
        int meter = 0;
        for (const TranscriptEntry& e : p.meter().Transcript()) ++(e.fromHost ? host : meter);
        EXPECT_EQ(host, 1 + 19 * read);
        EXPECT_EQ(meter, 1 + 19 * read);
        // Its file says it was stopped, in its name and its last line, and opens again.
        const QFileInfoList stopped = QDir(m.DataFolder).entryInfoList(
            {QString::fromUtf8("*_прервана*.csv")}, QDir::Files, QDir::Name);
        ASSERT_EQ(stopped.size(), stops[0].at == at ? 1 : 2);
        const QString file = stopped.last().absoluteFilePath();
        EXPECT_TRUE(QDir(m.DataFolder).entryList({"*.csv"}).size() == stopped.size());
        QFile text(file);
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        EXPECT_TRUE(text.readAll().endsWith(
            QString::fromUtf8("# Загрузка прервана, записей в файле: %1\r\n").arg(read).toUtf8()));
        EXPECT_EQ(ReadDataFile(file).value_or({}).rows.size(), size_t(read));
        before += read;
    }
}

TEST(LoggerWindow, QuantityChoiceShowsOneSeries) {
    SimProgram p(Logger(3));
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    Child<QComboBox>(m, "ComboBoxZ").setCurrentIndex(1);  // "Влажность RH, %"
    EXPECT_FALSE(Child<QLineSeries>(m, "Series1").isVisible());
    EXPECT_TRUE(Child<QLineSeries>(m, "Series2").isVisible());
    EXPECT_FALSE(Child<QLineSeries>(m, "Series3").isVisible());
    EXPECT_FALSE(Child<QLineSeries>(m, "Series4").isVisible());
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 3);
    EXPECT_EQ(Child<QValueAxis>(m, "ChartValueLeftAxis").max(), 100.0);
    Child<QComboBox>(m, "ComboBoxZ").setCurrentIndex(3);
    EXPECT_TRUE(Child<QLineSeries>(m, "Series4").isVisible());
    EXPECT_FALSE(Child<QLineSeries>(m, "Series2").isVisible());

    // The value axis, as it is drawn, writes its numbers with the user's decimal mark.
    m.show();
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    QCoreApplication::processEvents();
    QStringList drawn;
    for (const QGraphicsItem* item : Child<QChart>(m, "ChartValue").scene()->items()) {
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) {
            drawn << text->toPlainText();
        }
    }
    EXPECT_TRUE(drawn.contains(ShownNumber("25.0"))) << drawn.join(' ').toStdString();
}

}  // namespace
}  // namespace lmr::test

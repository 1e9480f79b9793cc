// Downloads outlive the program: a program killed in the middle of a download leaves every
// record it had read in the download's file, and a file opens into the logger page as the
// download did, down to the exported protocol.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <fstream>

#include "Child.h"
#include "ChildProcess.h"
#include "SimProgram.h"
#include "app/ElidedLabel.h"
#include "app/FormMain.h"
#include "data/DataFile.h"
#include "export/ExportMessage.h"
#include "logger/LoggerRow.h"
#include "windows/FormAssess.h"

namespace lmr::test {
namespace {

constexpr char kChildPort[] = "LMR_TEST_DOWNLOAD_PORT";
constexpr char kChildFolder[] = "LMR_TEST_DOWNLOAD_FOLDER";

QStringList Row(const StringGrid* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->ColCount(); ++c) cells << grid->Cells(c, row);
    return cells;
}

QStringList DownloadedRow(const std::vector<sim::LoggerRecord>& logger, int i) {
    const LoggerRow row = MakeLoggerRow(static_cast<std::uint16_t>(10 * (i + 1)),
                                        DecodeLoggerRecord(logger[static_cast<size_t>(i)].bytes));
    return QStringList(row.cells.begin(), row.cells.end());
}

// The program as the lmr binary runs it, downloading the logger of the meter at the port it
// is given, until it is killed. It runs only as the child of the test below.
TEST(KilledDownload, Child) {
    const char* port = std::getenv(kChildPort);
    if (port == nullptr) GTEST_SKIP() << "started by KilledDownload.LeavesEveryRecordRead";
    ProgramOptions options;
    options.ports = std::vector<PortTable::Port>{{port, "simulated meter", true}};
    Program program(options);
    program.FMain().DataFolder = QString::fromLocal8Bit(std::getenv(kChildFolder));
    ASSERT_TRUE(SimProgram::WaitFor([&] { return program.Search().PortFound(); }, 10000));
    SimProgram::Finish(program.FMain(), &TFMain::TimerDetektTimer);
    ASSERT_TRUE(program.FMain().Identified());
    SimProgram::Finish(program.FMain(), &TFMain::ButtonZagruzitClick);
}

// Record requests the host began in the meter's last exchange: the probe, then 19 host bytes
// a record.
int RequestsBegun(const std::vector<TranscriptEntry>& t) {
    if (t.empty()) return 0;
    int hostBytes = 0;
    for (const TranscriptEntry& e : t) {
        if (e.exchange == t.back().exchange && e.fromHost) ++hostBytes;
    }
    return (hostBytes - 1 + 18) / 19;
}

TEST(KilledDownload, LeavesEveryRecordReadInItsFileWhichOpensIntoTheSameTable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    const std::string transcript = root + "/meter.transcript";
    const pid_t meter = Spawn({LMR_SIM_PROGRAM, "--link", root + "/ttyUSB0", "--transcript",
                               transcript, "--logger", "3000"});
    for (int i = 0; i < 400 && access((root + "/ttyUSB0").c_str(), F_OK) != 0; ++i) usleep(5000);
    const pid_t program =
        Spawn({"/proc/self/exe", "--gtest_filter=KilledDownload.Child"},
              {std::string(kChildPort) + "=" + root + "/ttyUSB0",
               std::string(kChildFolder) + "=" + root + "/logger", "QT_QPA_PLATFORM=offscreen"});
    // Halfway through the download, the program is killed.
    QElapsedTimer waited;
    waited.start();
    while (RequestsBegun(ReadTranscriptFile(transcript)) < 1500 && waited.elapsed() < 30000) {
        usleep(10000);
    }
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
    usleep(50000);  // the meter writes down the last bytes it had
    const int begun = RequestsBegun(ReadTranscriptFile(transcript));
    kill(meter, SIGTERM);
    waitpid(meter, nullptr, 0);
    ASSERT_GE(begun, 1500) << "the download did not get halfway";
    ASSERT_LT(begun, 3000) << "the download ended before the kill";

    // Each record is written before the next is asked for: all but the one in flight are there.
    const QStringList files = QDir(dir.filePath("logger")).entryList({"*.csv"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString path = dir.filePath("logger/" + files[0]);
    const Valued<DataFileContents> read_contents = ReadDataFile(path);
    ASSERT_TRUE(read_contents) << read_contents.outcome.text.toStdString();
    const DataFileContents& contents = *read_contents;
    const int kept = static_cast<int>(contents.rows.size());
    EXPECT_GE(kept, begun - 1);
    EXPECT_LE(kept, begun);

    // Opened, it gives the table the download gave.
    SimProgram p;
    TFMain& m = p.main();
    m.show();
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    SimProgram::Open(m, path);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), kept + 2);
    // Shown where it went, whichever page was in view; panel 3 shows the start of its long
    // text, which is whole in its tool tip.
    EXPECT_EQ(Child<QTabWidget>(m, "PageControl").currentIndex(), 1);
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridL").isVisible());
    const auto* form = m.findChild<QScrollArea*>(QStringLiteral("FormScroll"));
    ASSERT_NE(form, nullptr);
    const QRect table(Child<StringGrid>(m, "StringGridL").mapTo(form->viewport(), QPoint(0, 0)),
                      Child<StringGrid>(m, "StringGridL").size());
    EXPECT_TRUE(table.intersects(form->viewport()->rect()));
    EXPECT_EQ(Child<QLabel>(m, "StatusPanel3").toolTip(), m.PanelText(3));
    EXPECT_TRUE(m.PanelText(3).contains(path));
    const auto* panel = qobject_cast<const ElidedLabel*>(&Child<QLabel>(m, "StatusPanel3"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(m.PanelText(3).startsWith(panel->ShownText().chopped(1)));
    EXPECT_TRUE(panel->ShownText().endsWith(QChar(0x2026)));

    const std::vector<sim::LoggerRecord> logger = sim::LoggerFromCount(3000);
    for (int i = 0; i < kept; ++i) {
        ASSERT_EQ(Row(&Child<StringGrid>(m, "StringGridL"), i + 1), DownloadedRow(logger, i))
            << "row " << i + 1;
    }
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), kept);
}

// The first sheet of the workbook an export wrote: its cells and its strings.
QByteArray FirstSheet(const QString& workbook) {
    QByteArray out;
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, part});
        unzip.waitForFinished();
        out += unzip.readAllStandardOutput();
    }
    return out;
}

QString ExportLoggerPage(SimProgram& p, const QString& docs) {
    TFMain& m = p.main();
    QString written;
    m.ExportSettings.documentsDir = docs;
    m.ExportSettings.open = [&](const QString& path) {
        written = path;
        return true;
    };
    m.ShowMessage = [](const ExportMessage& e) { ADD_FAILURE() << e.text.toStdString(); };
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    Child<QAction>(m, "N1").trigger();
    return written;
}

TEST(DataFileRoundTrip, DownloadFileOpenAndExportGiveTheSheetOfTheDownload) {
    QTemporaryDir docs;
    sim::Options o;
    o.logger = sim::LoggerFromCount(40);
    o.logger[7] = sim::MakeRecord(0, 250, 180, 1, 30);  // RH 0: no dew point
    QString direct;
    QString file;
    {
        SimProgram p(o);
        ASSERT_TRUE(p.Identify());
        SimProgram::Finish(p.main(), &TFMain::ButtonZagruzitClick);
        ASSERT_EQ(Child<StringGrid>(p.main(), "StringGridL").RowCount(), 42);
        direct = ExportLoggerPage(p, docs.filePath("direct"));
        const QDir logger(p.main().DataFolder);
        const QStringList files = logger.entryList({"*.csv"}, QDir::Files);
        ASSERT_EQ(files.size(), 1);
        file = docs.filePath("download.csv");
        ASSERT_TRUE(QFile::copy(logger.filePath(files[0]), file));
    }
    SimProgram p;
    SimProgram::Open(p.main(), file);
    ASSERT_EQ(Child<StringGrid>(p.main(), "StringGridL").RowCount(), 42);
    const QString reopened = ExportLoggerPage(p, docs.filePath("reopened"));
    ASSERT_FALSE(direct.isEmpty());
    ASSERT_FALSE(reopened.isEmpty());
    const QByteArray sheet = FirstSheet(direct);
    EXPECT_GT(sheet.size(), 1000);
    EXPECT_EQ(FirstSheet(reopened), sheet);
    // Saved from the logger page, it is the file the download wrote.
    const QString saved = docs.filePath("saved.csv");
    SimProgram::Save(p.main(), saved);
    QFile a(file);
    QFile b(saved);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), a.readAll());
}

// Records that are no measurement are shown as the logger gave them, marked, written as such
// and left out of the assessment, which says how many; a file brings them back the same.
TEST(DataFileRoundTrip, ImpossibleRecordsStayAsReadMarkedInTheGridAndTheFileAndOutOfTheAssessment) {
    sim::Options o;
    o.logger = {sim::MakeRecord(550, 310, 360, 10, 0),
                sim::MakeRecord(550, 312, 360, 10, 61),         // minute 61
                sim::MakeRecord(550, 314, 360, 10, 10, 7, 13),  // month 13
                sim::MakeRecord(550, 316, 360, 10, 15, 0),      // day 0
                sim::MakeRecord(550, 318, 360, 10, 20, 32),     // day 32
                sim::MakeRecord(550, 65535, 360, 10, 25),       // a word 65535
                sim::MakeRecord(0, 0, 0, 10, 30),               // words 0: never written
                sim::MakeRecord(550, 320, 360, 10, 35),
                sim::MakeRecord(550, 320, 360, 20, 0)};  // the hour jumps: the end
    const bool invalid[] = {false, true, true, true, true, true, true, false};
    constexpr int kRecords = 8;
    QString file;
    const auto expectMarked = [&](SimProgram& p) {
        TFMain& m = p.main();
        ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), kRecords + 2);
        for (int i = 0; i < kRecords; ++i) {
            SCOPED_TRACE(i);
            // The texts as the logger gave them.
            EXPECT_EQ(Row(&Child<StringGrid>(m, "StringGridL"), i + 1), DownloadedRow(o.logger, i));
            const QModelIndex cell = Child<StringGrid>(m, "StringGridL").model()->index(i, 3);
            EXPECT_EQ(cell.data(Qt::ToolTipRole).toString().isEmpty(), !invalid[i]);
            EXPECT_EQ(cell.data(Qt::AccessibleDescriptionRole).toString().isEmpty(), !invalid[i]);
        }
        TFAssess& a = p.program().FAssess();
        Child<QAction>(m, "N10").trigger();
        a.ComboBoxSource->setCurrentIndex(1);
        a.TimerRefreshTimer();
        EXPECT_EQ(a.Current().count, 2);
        EXPECT_EQ(a.Current().leftOut, 6);
        EXPECT_EQ(a.Current().spanSeconds, 35 * 60);
        EXPECT_LT(a.Current().ths.max, 100);
        bool said = false;
        for (int r = 0; r < a.TableResults->rowCount(); ++r) {
            said =
                said || (a.TableResults->item(r, 0)->text() == "Не учтено недостоверных записей" &&
                         a.TableResults->item(r, 1)->text() == "6");
        }
        EXPECT_TRUE(said);
    };
    QTemporaryDir docs;
    {
        SimProgram p(o);
        ASSERT_TRUE(p.Identify());
        SimProgram::Finish(p.main(), &TFMain::ButtonZagruzitClick);
        expectMarked(p);
        const QDir logger(p.main().DataFolder);
        const QStringList files = logger.entryList({"*.csv"}, QDir::Files);
        ASSERT_EQ(files.size(), 1);
        file = docs.filePath("download.csv");
        ASSERT_TRUE(QFile::copy(logger.filePath(files[0]), file));
    }
    // The file says which lines are no measurement.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), kRecords + 2);
    EXPECT_TRUE(lines[0].endsWith(";Примечание\r"));
    for (int i = 0; i < kRecords; ++i) {
        EXPECT_EQ(lines[i + 1].endsWith(";недостоверная запись\r"), invalid[i])
            << lines[i + 1].data();
        EXPECT_EQ(lines[i + 1].endsWith(";\r"), !invalid[i]) << lines[i + 1].data();
    }
    // Opened again, the same rows, marks and assessment.
    SimProgram p;
    SimProgram::Open(p.main(), file);
    expectMarked(p);
}

TEST(DataFileWindow, SaveAsANameWithoutCsvAsksBeforeReplacingTheFileWithIt) {
    SimProgram p;
    TFMain& m = p.main();
    ASSERT_TRUE(p.Identify());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    SimProgram::Finish(m, &TFMain::TakeReading);
    QTemporaryDir dir;
    const QString kept = dir.filePath("name.csv");
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("the user's own table\n");
    f.close();
    m.AskSavePath = [&] { return dir.filePath("name"); };
    QStringList asked;
    bool replace = false;
    m.AskReplace = [&](const QString& path) {
        asked << path;
        return replace;
    };
    SimProgram::Save(m, {});
    ASSERT_EQ(asked, QStringList{kept});
    EXPECT_EQ(ReadDataFile(kept).value_or({}).rows.size(), 0u) << "replaced without the user's word";
    replace = true;
    SimProgram::Save(m, {});
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(ReadDataFile(kept).value_or({}).rows.size(), 1u);
    // A new name is not asked about.
    m.AskSavePath = [&] { return dir.filePath("other"); };
    SimProgram::Save(m, {});
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(ReadDataFile(dir.filePath("other.csv")).value_or({}).rows.size(), 1u);
}

TEST(DataFileWindow, AFileOpenedIsTheTableADownloadAgainIsShownButCountedOnceAndTheTableClears) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(5);
    SimProgram p(o);
    TFMain& m = p.main();
    std::vector<ExportMessage> messages;
    m.ShowMessage = [&](const ExportMessage& e) { messages.push_back(e); };
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    QTemporaryDir dir;
    const QString file = dir.filePath("five.csv");
    SimProgram::Save(m, file);
    // Opened twice: the file's rows, once.
    for (int i = 0; i < 2; ++i) {
        SimProgram::Open(m, file);
        ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 5 + 2);
        EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 5);
    }
    // The same records downloaded again: shown twice, as the meter gave them twice.
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 10 + 2);
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 10);
    const QString saved = dir.filePath("saved.csv");
    SimProgram::Save(m, saved);
    EXPECT_EQ(ReadDataFile(saved).value_or({}).rows.size(), 5u);
    TFAssess& a = p.program().FAssess();
    Child<QAction>(m, "N10").trigger();
    a.ComboBoxSource->setCurrentIndex(1);
    a.TimerRefreshTimer();
    EXPECT_EQ(a.Current().count, 5);
    // Cleared, the page is as at start; the next download fills it afresh.
    Child<QAction>(m, "FileClearLogger").trigger();
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 1), "");
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 0);
    a.TimerRefreshTimer();
    EXPECT_EQ(a.Current().count, 0);
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 5 + 2);
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 5);
    EXPECT_TRUE(messages.empty());
}

TEST(DataFileWindow, ADownloadWhoseFileCannotBeWrittenKeepsItsRowsAndSaysSo) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(3);
    SimProgram p(o);
    TFMain& m = p.main();
    m.DataFolder = QStringLiteral("/proc/lmr-no-such-folder");
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 5);
    EXPECT_TRUE(m.PanelText(3).contains("Не удалось записать файл /proc/lmr-no-such-folder/"))
        << m.PanelText(3).toStdString();
}

TEST(DataFileWindow, LiveReadingsSaveWithTheirTimesAndABadFileLeavesTheLoggerPageAsItWas) {
    SimProgram p;
    TFMain& m = p.main();
    std::vector<ExportMessage> messages;
    m.ShowMessage = [&](const ExportMessage& e) { messages.push_back(e); };
    ASSERT_TRUE(p.Identify());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    for (int i = 0; i < 3; ++i) {
        SimProgram::Finish(m, &TFMain::TakeReading);
        p.clock().advanceSeconds(3);
    }
    QTemporaryDir dir;
    const QString live = dir.filePath("live.csv");
    SimProgram::Save(m, live);
    const Valued<DataFileContents> read_saved = ReadDataFile(live);
    ASSERT_TRUE(read_saved) << read_saved.outcome.text.toStdString();
    const DataFileContents& saved = *read_saved;
    ASSERT_EQ(saved.rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const DataRow& r = saved.rows[size_t(i)];
        EXPECT_EQ(QDateTime(QDate(r.time.year, r.time.month, r.time.day),
                            QTime(r.time.hour, r.time.minute, r.time.second)),
                  QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45 + 3 * i)));
        EXPECT_EQ(r.rh, float(*LiveValue(m.Live().At(i), Quantity::Rh)));
        EXPECT_EQ(r.tv, float(*LiveValue(m.Live().At(i), Quantity::Tv)));
        EXPECT_EQ(r.tsf, float(*LiveValue(m.Live().At(i), Quantity::Tsf)));
    }
    EXPECT_TRUE(messages.empty());

    // The third line is bad: nothing of the file reaches the page.
    QFile f(live);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const qsizetype third = bytes.indexOf('\n', bytes.indexOf('\n') + 1) + 1;
    bytes.replace(bytes.indexOf(';', third) + 1, 1, "x");
    const QString bad = dir.filePath("bad.csv");
    QFile out(bad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    SimProgram::Open(m, bad);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("строка 3")) << messages[0].text.toStdString();
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2);
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 0);
}

// A large file opens on a thread of its own: the window's thread goes on with its events, the
// table takes every row at the end; stopped, the open leaves the table as it was.
TEST(DataFileWindow, ALargeFileOpensWhileTheWindowGoesOnAndCanBeStopped) {
    QTemporaryDir dir;
    const QString large = dir.filePath("large.csv");
    constexpr int kRows = 150000;
    std::vector<DataRow> rows;
    const QDateTime start(QDate(2009, 4, 7), QTime(8, 0));
    for (int i = 0; i < kRows; ++i) {
        rows.push_back(DataRowOf(start.addSecs(60LL * i), float(30 + i % 50), 20, 25));
    }
    ASSERT_EQ(WriteDataFile(large, rows).text, QString());
    const LoggerRow last = MakeLoggerRow(0, LoggerRecordOf(rows.back()));
    const QString small = dir.filePath("small.csv");
    rows.resize(3);
    ASSERT_EQ(WriteDataFile(small, rows).text, QString());

    SimProgram p;
    TFMain& m = p.main();
    m.ShowMessage = [](const ExportMessage& e) { ADD_FAILURE() << e.text.toStdString(); };
    int ticksDuring = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { ticksDuring += m.FileBusy(); });
    ticks.start(0);
    m.FileOpenClick(large);
    // Nothing of the file yet: it is being read.
    EXPECT_TRUE(m.FileBusy());
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2);
    SimProgram::Settle(m);
    EXPECT_GT(ticksDuring, 0);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), kRows + 2);
    EXPECT_EQ(Row(&Child<StringGrid>(m, "StringGridL"), kRows),
              QStringList(last.cells.begin(), last.cells.end()));
    // The chart draws the whole file thinned to its peaks, and a zoom point by point.
    Child<QComboBox>(m, "ComboBoxZ").setCurrentIndex(1);
    const QList<QPointF> whole = Child<QLineSeries>(m, "Series2").points();
    ASSERT_FALSE(whole.isEmpty());
    EXPECT_LE(whole.size(), 4000);
    EXPECT_EQ(whole.first().x(), 10.0);
    EXPECT_EQ(whole.last().x(), 10.0 * kRows);
    const auto [low, high] = std::minmax_element(
        whole.begin(), whole.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    EXPECT_EQ(low->y(), 30.0);
    EXPECT_EQ(high->y(), 79.0);
    EXPECT_FALSE(Child<QLineSeries>(m, "Series2").pointsVisible());
    Child<QValueAxis>(m, "ChartValueBottomAxis").setRange(10, 1000);
    EXPECT_EQ(Child<QLineSeries>(m, "Series2").count(), 100);
    EXPECT_TRUE(Child<QLineSeries>(m, "Series2").pointsVisible());
    Child<QComboBox>(m, "ComboBoxZ").setCurrentIndex(0);

    SimProgram::Open(m, small);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 3 + 2);
    m.FileOpenClick(large);
    auto* progress = m.findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    // "Прервать", as the user presses it.
    auto* stop = progress->findChild<QPushButton*>();
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "Прервать");
    stop->click();
    SimProgram::Settle(m);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 3 + 2);
    EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), 3);
    EXPECT_TRUE(m.PanelText(3).contains("прервано")) << m.PanelText(3).toStdString();
    EXPECT_EQ(m.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace lmr::test

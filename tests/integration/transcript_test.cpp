#include "link/Transcript.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "SimProgram.h"

namespace lmr::test {
namespace {

const QDateTime kNow(QDate(2009, 4, 7), QTime(16, 10, 45));

auto WithTranscript(const std::string& path) {
    return [path](ProgramOptions& o) { o.transcriptPath = path; };
}

// Every line of the file, parsed; a line that does not parse fails the test.
std::vector<TranscriptEntry> ReadTranscript(const std::string& path) {
    std::vector<TranscriptEntry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::optional<TranscriptEntry> e = ParseTranscriptLine(line);
        EXPECT_TRUE(e.has_value()) << "not a transcript line: " << line;
        if (e) entries.push_back(*e);
    }
    return entries;
}

std::vector<TranscriptEntry> OfExchange(const std::vector<TranscriptEntry>& all,
                                        const std::string& name) {
    std::vector<TranscriptEntry> out;
    for (const TranscriptEntry& e : all) {
        if (e.exchange == name) out.push_back(e);
    }
    return out;
}

TEST(TranscriptOnDemand, HostAndMeterBytesAreWrittenWithTheirExchange) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("lmr.transcript")).toStdString();
    sim::Options channels;
    channels.rh = 500;
    channels.air = 250;
    channels.globe = 300;
    const int64_t started = TranscriptNow();
    SimProgram p(channels, kNow, WithTranscript(path));
    EXPECT_TRUE(p.program().TranscriptProblem().isEmpty());
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    SimProgram::Finish(m, &TFMain::TakeReading);
    const int64_t ended = TranscriptNow();

    const std::vector<TranscriptEntry> all = ReadTranscript(path);
    ASSERT_FALSE(all.empty());
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_GE(all[i].micros, started);
        EXPECT_LE(all[i].micros, ended);
        if (i > 0) {
            EXPECT_GE(all[i].micros, all[i - 1].micros) << "line " << i + 1;
        }
        EXPECT_FALSE(all[i].exchange.empty()) << "line " << i + 1 << " has no exchange";
    }
    // The search's probe that found the meter, then the identification (no probe of its own),
    // then one live reading with its probe.
    const std::vector<TranscriptEntry> probes = OfExchange(all, "probe");
    ASSERT_GE(probes.size(), 2u);
    EXPECT_EQ(TranscriptBytes({probes.end() - 2, probes.end()}), "H55 I0");
    EXPECT_EQ(TranscriptBytes(OfExchange(all, "identify")), "H167 I88 I24 H24");
    EXPECT_EQ(TranscriptBytes(OfExchange(all, "live")),
              "H55 I0 H163 I92 I1 H1 I244 H244 I0 H0 I250 H250 I1 H1 I44 H44");

    // The meter saw the same bytes in the same order: what the host wrote is what crossed the line.
    ASSERT_TRUE(
        SimProgram::WaitFor([&] { return p.meter().Transcript().size() >= all.size(); }, 2000));
    EXPECT_EQ(TranscriptBytes(p.meter().Transcript()), TranscriptBytes(all));
}

TEST(TranscriptOnDemand, FileThatCannotBeOpenedIsReportedAndTheProgramGoesOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {dir.filePath(QStringLiteral("no-such-folder/lmr.transcript")).toStdString(),
         "нет такой папки"},
        // A folder where the file should be.
        {dir.path().toStdString(), "ошибка записи"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        SimProgram p({}, kNow, WithTranscript(c.path));
        const QString problem = p.program().TranscriptProblem();
        EXPECT_TRUE(problem.startsWith(QString::fromUtf8("Запись обмена с прибором не ведётся")))
            << problem.toStdString();
        EXPECT_TRUE(problem.contains(QString::fromStdString(c.path))) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.reason))) << problem.toStdString();
        ASSERT_TRUE(p.Identify());
        EXPECT_EQ(p.main().PanelText(1), QString::fromUtf8("ВЕГ/72"));
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(cases[0].path)));
}

TEST(TranscriptOnDemand, FullDiskIsSaidOnceAndTheProgramGoesOn) {
    SimProgram p({}, kNow, WithTranscript("/dev/full"));
    EXPECT_TRUE(p.program().TranscriptProblem().isEmpty());
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(p.main(), &TFMain::ButtonReadMemoClick);
    SimProgram::WaitFor([] { return false; }, 50);
    EXPECT_EQ(p.program().TranscriptProblem(),
              QString::fromUtf8("Запись обмена с прибором прекращена: не удалось дописать файл "
                                "/dev/full (нет места на диске)."));
    EXPECT_EQ(p.main().PanelText(1), QString::fromUtf8("ВЕГ/72"));
}

}  // namespace
}  // namespace lmr::test

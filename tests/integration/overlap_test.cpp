// No two exchanges interleave on the wire: a live measurement runs while the user downloads the
// logger, reads the cells and sets the clock. The meter's transcript is parsed into exchanges,
// each of which must be whole and in one piece.
#include <gtest/gtest.h>

#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "Child.h"
#include "SimProgram.h"
#include "app/MeterTexts.h"
#include "link/CommandCodes.h"
#include "link/Transcript.h"

namespace lmr::test {
namespace {

QString Text(const char* s) {
    return QString::fromUtf8(s);
}

// One exchange as the meter saw it: the bytes of one tag, parsed by the command shapes.
struct WireExchange {
    std::string tag;
    std::vector<std::string> commands;  // command names in order; empty for a bare probe
    bool whole = false;                 // every byte in its place, nothing missing or extra
    std::string error;
    int64_t first = 0;
    int64_t last = 0;
};

// Probe answer, then per command: code and its answer, parameter bytes each answered, data
// bytes each echoed with the same byte. The identification has no probe of its own.
WireExchange ParseExchange(const std::string& tag, const std::vector<TranscriptEntry>& bytes) {
    WireExchange x;
    x.tag = tag;
    x.first = bytes.front().micros;
    x.last = bytes.back().micros;
    size_t i = 0;
    auto take = [&](bool fromHost, int expected = -1) {
        if (i >= bytes.size() || bytes[i].fromHost != fromHost ||
            (expected >= 0 && bytes[i].byte != expected)) {
            return -1;
        }
        return int(bytes[i++].byte);
    };
    auto fail = [&](const char* what) {
        x.error = std::string(what) + " at byte " + std::to_string(i);
        return x;
    };
    if (bytes.front().fromHost && bytes.front().byte == Code(Command::Probe)) {
        i = 1;
        if (take(false) < 0) return fail("no probe answer");
    }
    while (i < bytes.size()) {
        const int code = take(true);
        const CommandShape* shape = code < 0 ? nullptr : ShapeOf(uint8_t(code));
        if (shape == nullptr || shape->command == Command::Probe) return fail("no command");
        if (take(false) < 0) return fail("command not answered");
        for (int k = 0; k < shape->hostParameterBytes; ++k) {
            if (take(true) < 0 || take(false) < 0) return fail("parameter");
        }
        for (int k = 0; k < shape->dataBytes; ++k) {
            const int d = take(false);
            if (d < 0 || take(true, d) < 0) return fail("data byte or its echo");
        }
        x.commands.push_back(shape->name);
    }
    x.whole = true;
    return x;
}

// The transcript in exchanges; a tag that comes back after another one began is an
// interleaving and fails the test.
std::vector<WireExchange> Exchanges(const std::vector<TranscriptEntry>& transcript) {
    std::vector<WireExchange> out;
    std::vector<TranscriptEntry> current;
    std::map<std::string, bool> seen;
    auto flush = [&] {
        if (current.empty()) return;
        EXPECT_FALSE(seen[current.front().exchange])
            << "exchange " << current.front().exchange << " resumed after another one";
        seen[current.front().exchange] = true;
        out.push_back(ParseExchange(current.front().exchange, current));
        current.clear();
    };
    for (const TranscriptEntry& e : transcript) {
        if (!current.empty() && e.exchange != current.front().exchange) flush();
        current.push_back(e);
    }
    flush();
    return out;
}

// What an exchange was, by its commands: "live", "logger 41", "cells", "clock", "probe".
std::string Kind(const WireExchange& x) {
    if (x.commands.empty()) return "probe";
    for (const std::string& c : x.commands) {
        if (c != x.commands.front()) return "mixed";
    }
    const std::string& c = x.commands.front();
    if (c == "read live" && x.commands.size() == 1) return "live";
    if (c == "read record") return "logger " + std::to_string(x.commands.size());
    if (c == "read cell" && x.commands.size() == size_t(kCellCount * kValuesPerCell)) {
        return "cells";
    }
    if (c == "set clock" && x.commands.size() == 1) return "clock";
    return "odd " + c;
}

TEST(Overlap, LiveMeasurementDownloadCellsAndClockNeverShareTheWire) {
    constexpr int kRecords = 40;
    sim::Options o;
    o.paced = true;  // 9600 baud, so the download takes a while and ticks come due during it
    o.logger = sim::LoggerFromCount(kRecords);
    SimProgram p(o);
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    p.meter().ClearTranscript();

    // Live measurement every 3 s, shortened to 30 ms so that many ticks fall in the download.
    m.Session().TimerInterval()->setInterval(30);
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    ASSERT_TRUE(m.Session().TimerInterval()->isActive());
    ASSERT_TRUE(
        SimProgram::WaitFor([&] { return m.Live().Count() >= 3; }, 5000));

    // While the download runs, the cells and the clock are asked for (as clicks that reached
    // the window would be) and live ticks come due: all find the link busy and say so.
    QStringList refusals;
    int readingsInDownload = 0;
    auto downloading = [&] {
        return m.Downloading();
    };
    // Runs after the window's own handler of the tick.
    QStringList ticks;
    const QMetaObject::Connection tickWatch =
        QObject::connect(m.Session().TimerInterval(), &QTimer::timeout, [&] {
            if (downloading()) ticks << m.PanelText(3);
        });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!downloading()) return;
        readingsInDownload = std::max(readingsInDownload, m.Live().Count());
        const int rows = Child<StringGrid>(m, "StringGridL").RowCount() - 2;
        if (refusals.size() == 0 && rows >= 5) {
            m.ButtonReadMemoClick();
            refusals << m.PanelText(3);
        } else if (refusals.size() == 1 && rows >= 15) {
            m.ButtonSaveClick();
            refusals << m.PanelText(3);
        }
    });
    watch.start(0);
    const int readingsBefore = m.Live().Count();
    m.ButtonZagruzitClick();
    ASSERT_TRUE(SimProgram::WaitFor([&] { return !m.Downloading(); }, 30000));
    watch.stop();
    QObject::disconnect(tickWatch);

    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), kRecords + 2);
    EXPECT_EQ(refusals, QStringList({Text(kInstrumentBusyText), Text(kInstrumentBusyText)}));
    EXPECT_EQ(readingsInDownload, readingsBefore) << "a live reading ran inside the download";
    ASSERT_FALSE(ticks.isEmpty()) << "no tick came due in the download";
    for (int i = 0; i < ticks.size(); ++i) {
        // The last tick may fall after the download's exchange gave the link up and before
        // the window has taken its end in; its reading then runs on a free line.
        if (i == ticks.size() - 1 && ticks[i] == Text("Чтение данных ...")) continue;
        EXPECT_EQ(ticks[i], Text("Измерение пропущено: порт прибора занят другим обменом"));
    }
    EXPECT_TRUE(m.Session().TimerInterval()->isActive()) << "a skipped tick stops nothing";
    EXPECT_EQ(p.meter().Clock().sets, 0);

    // After the download the user's clicks work, and the measurement goes on.
    // A live reading may hold the link at the moment: the click waits until it has not.
    SimProgram::Settle(m);
    SimProgram::Finish(m, &TFMain::ButtonReadMemoClick);
    EXPECT_EQ(m.PanelText(3), Text("Чтение ячеек памяти завершено"));
    SimProgram::Settle(m);
    SimProgram::Finish(m, &TFMain::ButtonSaveClick);
    EXPECT_EQ(m.PanelText(3), Text("Запись времяни и даты завершена"));
    ASSERT_TRUE(SimProgram::WaitFor(
        [&] { return m.Live().Count() >= readingsBefore + 2; }, 5000));
    SimProgram::Settle(m);
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    ASSERT_FALSE(m.Session().TimerInterval()->isActive());

    // The meter takes the last echo on its own thread.
    size_t size = 0;
    SimProgram::WaitFor(
        [&] {
            const size_t now = p.meter().Transcript().size();
            const bool settled = now == size;
            size = now;
            return settled;
        },
        200);
    SimProgram::WaitFor([] { return false; }, 50);
    const std::vector<WireExchange> wire = Exchanges(p.meter().Transcript());
    std::map<std::string, int> kinds;
    std::vector<std::string> order;
    for (const WireExchange& x : wire) {
        EXPECT_TRUE(x.whole) << "exchange " << x.tag << ": " << x.error;
        const std::string kind = Kind(x);
        ++kinds[kind];
        if (kind != "live") order.push_back(kind);
    }
    // Start and stop probes, live readings before and after, and one of each user exchange, in
    // the order asked for.
    EXPECT_EQ(kinds["probe"], 2);
    EXPECT_EQ(kinds["logger " + std::to_string(kRecords + 1)], 1);
    EXPECT_EQ(kinds["cells"], 1);
    EXPECT_EQ(kinds["clock"], 1);
    EXPECT_GE(kinds["live"], readingsBefore + 2);
    EXPECT_EQ(kinds.size(), 5u) << "some exchange is of no known kind";
    const std::vector<std::string> expected = {"probe", "logger 41", "cells", "clock", "probe"};
    EXPECT_EQ(order, expected);
    // Nothing else went over the line while the download held it.
    for (size_t i = 1; i < wire.size(); ++i) EXPECT_GE(wire[i].first, wire[i - 1].last);
}

}  // namespace
}  // namespace lmr::test

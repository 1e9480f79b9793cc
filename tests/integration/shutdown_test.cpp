// Closing the main window in every state of the program ends the event loop within 1 s with
// exit code 0, the search thread joined and the port closed: in this process through
// RunMainWindow, and with the lmr program itself against lmr-sim.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "Child.h"
#include "ChildProcess.h"
#include "SimProgram.h"
#include "app/FormMain.h"
#include "data/DataFile.h"
#include "link/Transcript.h"
#include "meter/PortSearch.h"
#include "windows/TimeMaskEdit.h"

namespace lmr::test {
namespace {

// A sanitized build scans the whole heap for leaks at exit; that is not the closing a user
// waits for, and the in-process tests check the leaks.
constexpr const char* kNoExitLeakScan = "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:halt_on_error=1";

constexpr qint64 kCloseBoundMs = 1000;

bool HostSent(const std::vector<TranscriptEntry>& transcript, uint8_t byte) {
    for (const TranscriptEntry& e : transcript) {
        if (e.fromHost && e.byte == byte) return true;
    }
    return false;
}

// A sound device that takes as long as the samples last.
class SlowSink final : public PcmSink {
public:
    explicit SlowSink(std::atomic<bool>& playing) : playing_(playing) {}
    int Rate() const override { return 8000; }
    bool Write(const int16_t*, int count) override {
        playing_ = true;
        std::this_thread::sleep_for(std::chrono::microseconds(count * 1000000LL / Rate()));
        return true;
    }
    void Drain() override { playing_ = false; }

private:
    std::atomic<bool>& playing_;
};

struct State {
    const char* name;
    sim::Options meter;
    bool identify = true;
    // Before the event loop runs.
    std::function<void(SimProgram&)> prepare;
    // Queued as the loop starts: enters the state (and may stay in it, as a download does).
    std::function<void(SimProgram&)> enter;
    // Whether the state holds when the close comes.
    std::function<bool(SimProgram&)> reached;
    int closeAfterMs = 300;
    // The window's thread waits on the meter then, so only a signal reaches it at once: the
    // close comes as SIGTERM from another thread, and reached must be safe there.
    bool bySignal = false;
    // The close comes as "Выход" rather than the window's close button.
    bool byExit = false;
    // What must hold once the program has ended.
    std::function<void(SimProgram&)> after;
};

sim::Options Paced(int records = 20) {
    sim::Options o;
    o.paced = true;
    o.logger = sim::LoggerFromCount(records);
    return o;
}

State Make(const char* name, sim::Options meter, bool identify = true) {
    State s;
    s.name = name;
    s.meter = std::move(meter);
    s.identify = identify;
    return s;
}

std::vector<State> States() {
    std::vector<State> s;
    State idle = Make("idle", {});
    idle.reached = [](SimProgram& p) {
        return p.main().Identified() && !p.main().Session().TimerInterval()->isActive();
    };
    s.push_back(idle);
    sim::Options silent;
    silent.silent = true;
    State searching = Make("searching", silent, false);
    searching.reached = [](SimProgram& p) {
        return !p.program().Search().PortFound() &&
               p.program().Meter().Current() == JobKind::Search;
    };
    s.push_back(searching);
    State identifying = Make("identifying", {}, false);
    identifying.prepare = [](SimProgram& p) {
        ASSERT_TRUE(SimProgram::WaitFor([&] { return p.program().Search().PortFound(); }, 5000));
        // The meter falls silent after the answer to 167: the identification waits for its code.
        p.meter().Configure([](sim::Options& o) { o.silentAfter = 1; });
    };
    identifying.enter = [](SimProgram& p) { p.main().TimerDetektTimer(); };
    identifying.reached = [](SimProgram& p) { return HostSent(p.meter().Transcript(), 167); };
    identifying.closeAfterMs = 150;
    identifying.bySignal = true;
    s.push_back(identifying);
    State measuring = Make("measuring", {});
    measuring.prepare = [](SimProgram& p) { p.main().Session().TimerInterval()->setInterval(50); };
    measuring.enter = [](SimProgram& p) { p.main().ButtonStartStopClick(); };
    measuring.reached = [](SimProgram& p) {
        return p.main().Session().TimerInterval()->isActive() && p.main().Live().Count() > 0;
    };
    s.push_back(measuring);
    State armed = Make("armed", {});
    armed.prepare = [](SimProgram& p) {
        Child<QCheckBox>(p.program().FOptions(), "CheckBoxTimer").setChecked(true);
        Child<TimeMaskEdit>(p.program().FOptions(), "MaskEditTimeN")
            .setText(QStringLiteral("23:58"));
        Child<TimeMaskEdit>(p.program().FOptions(), "MaskEditTimeK")
            .setText(QStringLiteral("23:59"));
    };
    armed.enter = measuring.enter;
    armed.reached = [](SimProgram& p) {
        return p.main().Session().TimerPeriod()->isActive() &&
               !p.main().Session().TimerInterval()->isActive();
    };
    s.push_back(armed);
    State downloading = Make("downloading", Paced(3000));
    downloading.enter = [](SimProgram& p) { p.main().ButtonZagruzitClick(); };
    downloading.reached = [](SimProgram& p) {
        return Child<StringGrid>(p.main(), "StringGridL").RowCount() > 3;
    };
    s.push_back(downloading);
    State exiting = downloading;
    exiting.name = "downloading, Выход";
    exiting.byExit = true;
    s.push_back(exiting);
    State cells = Make("reading cells", Paced());
    cells.enter = [](SimProgram& p) { p.main().ButtonReadMemoClick(); };
    cells.reached = [](SimProgram& p) { return HostSent(p.meter().Transcript(), 5); };
    cells.closeAfterMs = 100;
    cells.bySignal = true;
    s.push_back(cells);
    // Exchanges with a meter that keeps them waiting: the close is not held back by them.
    const struct {
        const char* name;
        void (TFMain::*click)();
    } slow[] = {{"reading cells, slow meter", &TFMain::ButtonReadMemoClick},
                {"setting the clock, slow meter", &TFMain::ButtonSaveClick},
                {"live reading, slow meter", &TFMain::TakeReading}};
    for (const auto& x : slow) {
        State st = Make(x.name, Paced());
        st.prepare = [](SimProgram& p) {
            // It answers the probe late and then falls silent: the exchange waits on it for
            // well over the bound.
            p.meter().Configure([](sim::Options& o) {
                o.probeDelayMs = 400;
                o.silentAfter = 2;
            });
            p.meter().ClearTranscript();
        };
        st.enter = [click = x.click](SimProgram& p) { (p.main().*click)(); };
        st.reached = [](SimProgram& p) { return HostSent(p.meter().Transcript(), 55); };
        st.closeAfterMs = 150;
        s.push_back(st);
    }
    State exporting = Make("exporting", {});
    exporting.prepare = [](SimProgram& p) {
        // No folder can be made there: the export's error box waits for the user.
        p.main().ExportSettings.documentsDir = QStringLiteral("/proc/lmr-no-such-folder");
    };
    exporting.enter = [](SimProgram& p) { p.main().N1Click(); };
    exporting.reached = [](SimProgram&) { return QApplication::activeModalWidget() != nullptr; };
    s.push_back(exporting);
    // A large table saved over an older file: the close cuts the save short, and the file is
    // the old one or the whole new one, never a part.
    State saving = Make("saving a large file", {}, false);
    auto folder = std::make_shared<QTemporaryDir>();
    const QString target = folder->filePath(QStringLiteral("readings.csv"));
    constexpr int kSavedRows = 400000;
    saving.prepare = [target](SimProgram& p) {
        ASSERT_EQ(WriteDataFile(target, {DataRowOf(QDateTime(QDate(2009, 4, 7), QTime(9, 0)),
                                                   50, 20, 25)})
                      .text,
                  QString());
        std::vector<LoggerEntry> entries(kSavedRows);
        for (int i = 0; i < kSavedRows; ++i) {
            LoggerRecord r{float(30 + i % 50), float(20 + i % 7), float(25 + i % 9),
                           std::uint8_t(i % 60), std::uint8_t(i / 60 % 24), 9, 4,
                           std::uint8_t(1 + i / 1440 % 28)};
            entries[size_t(i)] = MakeLoggerEntry(10 * (i + 1), r, ReadingOrigin::DataFile);
        }
        p.program().Logger().Replace(std::move(entries));
        Child<QTabWidget>(p.main(), "PageControl").setCurrentIndex(1);
    };
    saving.enter = [target](SimProgram& p) { p.main().FileSaveAsClick(target); };
    // The save has its temporary file in the folder open (unnamed on Linux, so it is seen
    // among the process's open files).
    saving.reached = [folder](SimProgram&) {
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList()) {
            if (fd.symLinkTarget().startsWith(folder->path() + '/')) return true;
        }
        return false;
    };
    saving.after = [folder, target](SimProgram&) {
        const Valued<DataFileContents> read = ReadDataFile(target);
        EXPECT_EQ(read.outcome.text, QString());
        const DataFileContents file = read.value_or({});
        EXPECT_TRUE(file.rows.size() == 1 || file.rows.size() == size_t(kSavedRows))
            << file.rows.size() << " rows";
        EXPECT_EQ(QDir(folder->path()).entryList(QDir::Files), QStringList{"readings.csv"});
    };
    saving.closeAfterMs = 100;
    saving.bySignal = true;
    s.push_back(saving);
    State tone = Make("tone playing", {});
    tone.prepare = [](SimProgram& p) {
        Child<QCheckBox>(p.program().FOptions(), "CheckBoxBeep").setChecked(true);
        Child<QCheckBox>(p.program().FOptions(), "CheckBoxT")
            .setChecked(true);  // tв above "0.0" sounds
    };
    tone.enter = [](SimProgram& p) { p.main().TakeReading(); };
    tone.closeAfterMs = 150;
    s.push_back(tone);
    return s;
}

TEST(Shutdown, ClosingTheMainWindowInEveryStateEndsTheProgramInBound) {
    for (const State& st : States()) {
        SCOPED_TRACE(st.name);
        std::atomic<bool> playing{false};
        auto tone =
            std::make_unique<AlsaTone>([] {}, [&] { return std::make_unique<SlowSink>(playing); });
        const bool withTone = std::string(st.name) == "tone playing";
        SimProgram p(st.meter, QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)),
                     [&](ProgramOptions& o) {
                         if (withTone) o.tone = tone.get();
                     });
        if (st.identify) {
            ASSERT_TRUE(p.Identify());
        }
        if (st.prepare) {
            ASSERT_NO_FATAL_FAILURE(st.prepare(p));
        }
        std::function<bool(SimProgram&)> reached = st.reached;
        if (withTone) reached = [&](SimProgram&) { return playing.load(); };

        std::atomic<bool> wasReached{false};
        QElapsedTimer sinceClose;
        std::atomic<int64_t> closedAt{0};
        if (st.enter) QTimer::singleShot(0, &p.main(), [&] { st.enter(p); });
        std::thread signaller;
        if (st.bySignal) {
            signaller = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(st.closeAfterMs));
                // A state entered by a long step of the window's thread comes a little later.
                for (int i = 0; i < 5000 && !reached(p); ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                wasReached = reached(p);
                closedAt = TranscriptNow();
                kill(getpid(), SIGTERM);
            });
        } else {
            // As the window system's close or a click would: asked for at a moment, taken in
            // when the window's thread comes to it. The time runs from the asking.
            signaller = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(st.closeAfterMs));
                closedAt = TranscriptNow();
                QMetaObject::invokeMethod(
                    &p.main(),
                    [&] {
                        wasReached = reached(p);
                        st.byExit ? Child<QAction>(p.main(), "N9").trigger()
                                  : (void)p.main().close();
                    },
                    Qt::QueuedConnection);
            });
        }
        const int code = RunMainWindow(p.program());
        tone.reset();  // joins the tone thread, cutting the tone short
        const double ms = double(TranscriptNow() - closedAt.load()) / 1000;
        if (signaller.joinable()) signaller.join();

        EXPECT_TRUE(wasReached) << "the close came before the state was reached";
        EXPECT_EQ(code, 0);
        EXPECT_LT(ms, double(kCloseBoundMs)) << "closing took " << ms << " ms";
        EXPECT_FALSE(p.program().Meter().Running()) << "worker thread not joined";
        EXPECT_FALSE(p.program().TheLink().IsOpen());
        EXPECT_FALSE(p.main().isVisible());
        if (st.after) st.after(p);
    }
}

// --- The programs themselves ---

// The identify command, its answer, the code and the code's echo.
bool Identified(const std::vector<TranscriptEntry>& t) {
    for (size_t i = 0; i + 3 < t.size(); ++i) {
        if (t[i].fromHost && t[i].byte == 167 && t[i + 3].fromHost) return true;
    }
    return false;
}

std::string TempDir() {
    char dir[] = "/tmp/lmr-shutdown-XXXXXX";
    return mkdtemp(dir) != nullptr ? dir : "";
}

// The exit code, or -1 when the process did not end within timeoutMs (it is then killed), or
// 128 + the signal that ended it.
int WaitExit(pid_t pid, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 5) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        usleep(5000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

struct ProgramRun {
    const char* state;
    std::vector<std::string> simOptions;
    // Whether the state holds, from the meter's transcript.
    std::function<bool(const std::vector<TranscriptEntry>&)> reached;
    std::string dir;
    pid_t sim = -1;
    pid_t lmr = -1;
};

TEST(Shutdown, TheProgramEndsWithZeroOnSigtermWhileSearchingIdentifyingOrIdle) {
    std::vector<ProgramRun> runs = {
        {"searching",
         {"--silent"},
         [](const std::vector<TranscriptEntry>& t) { return HostSent(t, 55); },
         "",
         -1,
         -1},
        // The meter falls silent after its answer to 167: the window waits for the code.
        {"identifying",
         {"--silent-after", "1"},
         [](const std::vector<TranscriptEntry>& t) { return HostSent(t, 167); },
         "",
         -1,
         -1},
        {"idle", {}, Identified, "", -1, -1},
    };
    // All at once: each waits for the identification tick 3 s after its start.
    for (ProgramRun& r : runs) {
        r.dir = TempDir();
        ASSERT_FALSE(r.dir.empty());
        std::vector<std::string> args = {LMR_SIM_PROGRAM, "--link", r.dir + "/ttyUSB0",
                                         "--transcript", r.dir + "/meter.transcript"};
        args.insert(args.end(), r.simOptions.begin(), r.simOptions.end());
        r.sim = Spawn(args);
        for (int i = 0; i < 400 && access((r.dir + "/ttyUSB0").c_str(), F_OK) != 0; ++i) {
            usleep(5000);
        }
        r.lmr = Spawn({LMR_PROGRAM}, {"LMR_PORTS=" + r.dir + "/ttyUSB0", kNoExitLeakScan});
    }
    for (ProgramRun& r : runs) {
        SCOPED_TRACE(r.state);
        const std::string transcript = r.dir + "/meter.transcript";
        QElapsedTimer waited;
        waited.start();
        bool reached = false;
        while (!(reached = r.reached(ReadTranscriptFile(transcript))) && waited.elapsed() < 15000) {
            usleep(20000);
        }
        EXPECT_TRUE(reached) << "the state was not reached";
        usleep(100000);  // well inside the state
        QElapsedTimer closing;
        closing.start();
        kill(r.lmr, SIGTERM);
        const int code = WaitExit(r.lmr, 5000);
        const qint64 ms = closing.elapsed();
        EXPECT_EQ(code, 0);
        EXPECT_LT(ms, kCloseBoundMs) << "closing took " << ms << " ms";
        kill(r.sim, SIGTERM);
        EXPECT_EQ(WaitExit(r.sim, 2000), 0);
        unlink(transcript.c_str());
        rmdir(r.dir.c_str());
    }
}

// A second program started while the first one has the meter finds its port claimed between
// the first one's exchanges, sends it nothing and names the program that has it.
TEST(SecondProgram, LeavesTheMeterOfTheFirstAloneAndNamesIt) {
    const std::string dir = TempDir();
    ASSERT_FALSE(dir.empty());
    const std::string port = dir + "/ttyUSB0";
    const std::string transcript = dir + "/meter.transcript";
    const pid_t sim = Spawn({LMR_SIM_PROGRAM, "--link", port, "--transcript", transcript});
    for (int i = 0; i < 400 && access(port.c_str(), F_OK) != 0; ++i) usleep(5000);
    const pid_t first = Spawn({LMR_PROGRAM}, {"LMR_PORTS=" + port, kNoExitLeakScan});
    QElapsedTimer waited;
    waited.start();
    while (!Identified(ReadTranscriptFile(transcript)) && waited.elapsed() < 15000) usleep(20000);
    ASSERT_TRUE(Identified(ReadTranscriptFile(transcript)));
    const size_t before = ReadTranscriptFile(transcript).size();

    PortTable ports({{port, {}, true}, {dir + "/ttyUSB1", {}, true}});
    Link link(ports);
    PortSearch search;
    std::vector<SearchNote> notes;
    EXPECT_FALSE(search.Run(link, [&](const SearchNote& n) {
        notes.push_back(n);
        if (notes.size() == 2) link.RequestCancel(CancelWhen::AfterStep);
    }));
    ASSERT_EQ(notes.size(), 2u);
    // Said for the rest of the pass, with the port it is about.
    for (const SearchNote& n : notes) {
        EXPECT_EQ(n.kind, SearchNote::Kind::Held);
        EXPECT_EQ(n.port, 1);
        EXPECT_EQ(n.path, port);
        EXPECT_EQ(n.program, "lmr");
        EXPECT_EQ(n.pid, first);
    }
    usleep(100000);
    EXPECT_EQ(ReadTranscriptFile(transcript).size(), before) << "the meter got bytes of the second";

    kill(first, SIGTERM);
    EXPECT_EQ(WaitExit(first, 5000), 0);
    // The first one gone, its claim went with it: the meter is free for the next program.
    link.ClearCancel();
    notes.clear();
    EXPECT_TRUE(search.Run(link, [&](const SearchNote& n) { notes.push_back(n); }));
    kill(sim, SIGTERM);
    EXPECT_EQ(WaitExit(sim, 2000), 0);
    unlink(transcript.c_str());
    rmdir(dir.c_str());
}

}  // namespace
}  // namespace lmr::test

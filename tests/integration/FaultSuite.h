// Every exchange of the program under every fault of the meter: it ends in bound with the port
// closed and a message on panel 3, keeps what it had accepted, shows nothing half read, and the
// program goes on once the meter answers again. The table is instantiated in two test programs
// (identification, the other exchanges) so that their waits run side by side.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "Child.h"
#include "SimProgram.h"
#include "link/CommandCodes.h"
#include "link/Transcript.h"
#include "meter/Identify.h"
#include "windows/FormOptions.h"
#include "windows/TimeMaskEdit.h"

namespace lmr::test {

// The window's texts of the ends of the exchanges, as the user reads them.
inline constexpr char kCellsReadText[] = "Чтение ячеек памяти завершено";
inline constexpr char kClockWrittenText[] = "Запись времяни и даты завершена";
inline constexpr char kClockLostText[] =
    "Связь с прибором прервана — запись даты и времени не завершена";
inline QString DownloadDoneText(int n) {
    return QStringLiteral("Загрузка завершена, загружено записей: %1").arg(n);
}
inline QString DownloadLostText(int n) {
    return QStringLiteral("Связь с прибором прервана, загружено записей: %1").arg(n);
}
inline QString CellsLostText(int n) {
    return QStringLiteral("Связь с прибором прервана, прочитано значений: %1 из 54").arg(n);
}
namespace {

// The bound every exchange ends within (a lost byte is given up after about 1 s).
constexpr qint64 kBoundMs = 1500;
// Logger records that continue the hour sequence (one more breaks it).
constexpr int kRecords = 3;
constexpr int kRecordMeterBytes = 3 + kRecordBytes;  // answers to 173 and the address, data
constexpr int kCellMeterBytes = 3 + 2;

QString Text(const char* s) {
    return QString::fromUtf8(s);
}

// Garbage: another device or a noisy line from the first byte; NoiseAfterOne: the line turns
// noisy after one logger record or live reading.
enum class Fault { Silent, Late, SilentAfter, WrongEcho, Garbage, NoiseAfterOne, Vanish, Stray };

struct Exchange;

struct Case {
    const Exchange* exchange;
    Fault fault;
    int n;  // bytes the meter sends before falling silent or vanishing
    std::string name;
    bool paced = false;  // the line at 9600 baud: noise comes a byte a millisecond
};

struct Exchange {
    const char* name;
    sim::Options meter;
    // Bytes the meter sends in the exchange, the probe answer included.
    int meterBytes;
    // A wrong echo breaks it: the meter has more to send after a data byte.
    bool echoMatters;
    // Brings the program to where the exchange starts (the meter answering).
    std::function<void(SimProgram&)> prepare;
    std::function<void(SimProgram&)> run;
    // After the faulty run: what it shows and keeps. failed: the fault broke the exchange.
    std::function<void(SimProgram&, const Case&, bool failed)> check;
    // The same exchange against the healthy meter: it works.
    std::function<void(SimProgram&, const Case&)> runsAgain;
};

Exchange Make(const char* name, sim::Options meter, int meterBytes, bool echoMatters) {
    Exchange x;
    x.name = name;
    x.meter = std::move(meter);
    x.meterBytes = meterBytes;
    x.echoMatters = echoMatters;
    return x;
}

// Where the fault hits: the meter's byte count at the start, middle and end of the exchange.
int At(const Exchange& x, const char* where) {
    const std::string w = where;
    if (w == "start") return std::min(1, x.meterBytes - 1);
    if (w == "middle") return x.meterBytes / 2;
    return x.meterBytes - 1;
}

bool ProbeFails(const Case& c) {
    switch (c.fault) {
        case Fault::Silent:
        case Fault::Late:
            return true;
        case Fault::SilentAfter:
        case Fault::Vanish:
            return c.n == 0;
        case Fault::WrongEcho:
        case Fault::Garbage:
        case Fault::NoiseAfterOne:
        case Fault::Stray:
            return false;
    }
    return false;
}

bool Breaks(const Case& c) {
    switch (c.fault) {
        case Fault::WrongEcho:
            return c.exchange->echoMatters;
        case Fault::Garbage:
            // More than one answer per host byte: noise, whatever came is not taken.
            return true;
        case Fault::NoiseAfterOne:
            // A case of the download alone, which reads a second record in the exchange.
            return true;
        case Fault::Stray:
            // Bytes not asked for are dropped: the dialogue stays in step.
            return false;
        default:
            return true;
    }
}

// Units the exchange had complete when the meter stopped after c.n bytes (probe answer first).
int CompleteUnits(const Case& c, int unitBytes, int units) {
    if (c.fault == Fault::SilentAfter || c.fault == Fault::Vanish) {
        return std::clamp((c.n - 1) / unitBytes, 0, units);
    }
    return 0;  // a wrong echo stops the meter at the first data byte
}

void ExpectPanel(SimProgram& p, const QString& text) {
    EXPECT_EQ(p.main().PanelText(3), text);
}

// What the program says when the meter's port went away, after the text of the exchange.
QString PortGone(SimProgram& p, const QString& ended = {}) {
    const QString gone = QStringLiteral("Порт COM1 (%1) отключён, прибор ищется снова")
                             .arg(QString::fromStdString(p.PortPath()));
    return ended.isEmpty() ? gone : ended + QStringLiteral(". ") + gone;
}

// --- The exchanges ---

sim::Options Meter(int model = 24, int head = 0) {
    sim::Options o;
    o.model = static_cast<uint8_t>(model);
    o.head = static_cast<uint8_t>(head);
    o.rh = 500;
    o.air = 250;
    o.globe = 300;
    o.logger = sim::LoggerFromCount(kRecords);
    return o;
}

void MustIdentify(SimProgram& p) {
    ASSERT_TRUE(p.Identify());
}

// The search with a meter that does not answer its probe keeps searching; the program says so.
Exchange Search() {
    Exchange x = Make("search", Meter(), 1, false);
    x.run = [](SimProgram& p) {
        // The first pass over COM1 ends with its status text (or with the meter found).
        ASSERT_TRUE(SimProgram::WaitFor(
            [&] {
                return p.program().Search().PortFound() ||
                       p.main().PanelText(3) == Text("Поиск оборудования ...");
            },
            int(kBoundMs)));
    };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        EXPECT_EQ(p.program().Search().PortFound(), !failed);
        if (!failed) return;
        p.main().TimerDetektTimer();  // refused at once: nothing goes to the worker
        ExpectPanel(p, Text("Прибор не найден"));
        if (c.fault != Fault::Late) {
            // The search tries the port again meanwhile: "still searching" is no news, and the
            // refusal of the command stays.
            p.main().ButtonZagruzitClick();
            SimProgram::WaitFor([] { return false; }, 700);
            ExpectPanel(p, Text("Прибор не найден"));
        }
        EXPECT_FALSE(p.main().Identified());
        EXPECT_TRUE(p.main().Session().TimerDetekt()->isActive());
        EXPECT_FALSE(Child<QPushButton>(p.main(), "ButtonStartStop").isEnabled());
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        MustIdentify(p);
        EXPECT_EQ(p.main().PanelText(1), Text("ВЕГ/72"));
        EXPECT_TRUE(Child<QPushButton>(p.main(), "ButtonStartStop").isEnabled());
    };
    return x;
}

// The identification tick: model, and for model 65 the measuring head (one head: which head
// has which name is the session's).
Exchange Identification(int model) {
    const bool withHead = model == kModelWithHead;
    Exchange x = Make(withHead ? "identify 65" : "identify 24", Meter(model, withHead ? 2 : 0),
                      withHead ? 4 : 2, withHead);
    x.prepare = [](SimProgram& p) {
        ASSERT_TRUE(SimProgram::WaitFor([&] { return p.program().Search().PortFound(); }, 5000));
        SimProgram::WaitFor([] { return false; }, 20);  // the search's last text arrives
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::TimerDetektTimer); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        EXPECT_EQ(m.Identified(), !failed);
        if (!failed) {
            EXPECT_FALSE(m.Session().TimerDetekt()->isActive());
            return;
        }
        // The search the failure starts again leaves the failure on the panel.
        ExpectPanel(p, c.fault == Fault::Vanish ? PortGone(p)
                       : c.fault == Fault::Garbage ? Text("Помехи на линии: прибор не опознан")
                                                   : Text("Нет отклика от прибора"));
        // Nothing half read: no model, no head, nothing enabled; the search goes on.
        EXPECT_TRUE(m.PanelText(1).isEmpty());
        EXPECT_TRUE(m.PanelText(2).isEmpty());
        EXPECT_FALSE(Child<QPushButton>(m, "ButtonStartStop").isEnabled());
        EXPECT_TRUE(m.Session().TimerDetekt()->isActive());
        m.ButtonReadMemoClick();  // refused at once: nothing goes to the worker
        ExpectPanel(p, Text("Прибор не найден"));
    };
    x.runsAgain = [model](SimProgram& p, const Case&) {
        MustIdentify(p);
        TFMain& m = p.main();
        const bool withHead = model == kModelWithHead;
        EXPECT_EQ(m.PanelText(1), withHead ? QString() : Text("ВЕГ/72"));
        EXPECT_EQ(m.PanelText(2), withHead ? Text("гол.1") : QString());
        EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").isEnabled(), !withHead);
        SimProgram::Finish(m, &TFMain::ButtonReadMemoClick);
        ExpectPanel(p, Text(kCellsReadText));
    };
    return x;
}

// A tick of live measurement, after one reading that was accepted.
Exchange LiveReading() {
    Exchange x = Make("live", Meter(), 1 + 1 + 6, true);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        TFMain& m = p.main();
        m.Session().TimerInterval()->setInterval(3600 * 1000);  // the test gives the ticks
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        ASSERT_TRUE(m.Session().TimerInterval()->isActive());
        SimProgram::Finish(m, &TFMain::TakeReading);
        ASSERT_EQ(m.Live().Count(), 1);
        p.meter().Configure([](sim::Options& o) { o.air = 300; });
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::TakeReading); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        if (!failed) {
            EXPECT_EQ(m.Live().Count(), 2);
            EXPECT_EQ(Child<QLabel>(m, RowOf(Quantity::Tv).valueName).text(), QStringLiteral("30"));
            return;
        }
        if (c.fault == Fault::Vanish) {
            // The port went away: the measurement ends, and the search looks for it again.
            ExpectPanel(p, PortGone(p));
            EXPECT_FALSE(m.Session().TimerInterval()->isActive());
            EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Старт"));
            EXPECT_FALSE(Child<QPushButton>(m, "ButtonStartStop").isEnabled());
        } else {
            // One reading missed does not end the measurement: the next tick tries again.
            ExpectPanel(p, c.fault == Fault::Garbage
                               ? Text("Помехи на линии: показания не приняты")
                               : Text("Нет отклика от прибора, пропущено измерений: 1"));
            EXPECT_TRUE(m.Session().TimerInterval()->isActive());
            EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Стоп"));
        }
        // The first reading stays; nothing of this one is shown.
        EXPECT_EQ(m.Live().Count(), 1);
        EXPECT_EQ(Child<QLabel>(m, RowOf(Quantity::Tv).valueName).text(), QStringLiteral("25"));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridD").RowCount(), 3);
        EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(GridColumnOf(Quantity::Tv), 1),
                  QStringLiteral("25"));
        EXPECT_TRUE(
            Child<StringGrid>(m, "StringGridD").Cells(GridColumnOf(Quantity::Tv), 2).isEmpty());
    };
    x.runsAgain = [](SimProgram& p, const Case& c) {
        TFMain& m = p.main();
        if (!m.Session().TimerInterval()->isActive())
            SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        ASSERT_TRUE(m.Session().TimerInterval()->isActive());
        const int before = m.Live().Count();
        SimProgram::Finish(m, &TFMain::TakeReading);
        ExpectPanel(p, Text("Чтение данных ..."));
        ASSERT_EQ(m.Live().Count(), before + 1);
        EXPECT_EQ(Child<QLabel>(m, RowOf(Quantity::Tv).valueName).text(), QStringLiteral("30"));
        // The reading after the one missed marks the gap in its row (the count is the session's).
        const int missed = Breaks(c) && c.fault != Fault::Vanish ? 1 : 0;
        const QString note =
            Child<StringGrid>(m, "StringGridD")
                .Model()
                ->data(Child<StringGrid>(m, "StringGridD").Model()->index(before, 0),
                       Qt::ToolTipRole)
                .toString();
        EXPECT_EQ(note, missed ? Text("Перед этим измерением пропущено: 1") : QString());
    };
    return x;
}

// The start click's probe (immediate mode).
Exchange StartProbe() {
    Exchange x = Make("start", Meter(), 1, false);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        p.main().Session().TimerInterval()->setInterval(3600 * 1000);
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonStartStopClick); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        EXPECT_EQ(m.Session().TimerInterval()->isActive(), !failed);
        if (!failed) return;
        ExpectPanel(p, c.fault == Fault::Vanish ? PortGone(p) : Text("Нет отклика от прибора"));
        EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Старт"));
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        TFMain& m = p.main();
        if (m.Session().TimerInterval()->isActive())
            SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        EXPECT_TRUE(m.Session().TimerInterval()->isActive());
        EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Стоп"));
        ExpectPanel(p, Text("Чтение каналов"));
    };
    return x;
}

// The start click's probe in timed mode: it arms the period timer.
Exchange TimedStartProbe() {
    Exchange x = Make("start timed", Meter(), 1, false);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        TFOptions& o = p.program().FOptions();
        Child<QCheckBox>(o, "CheckBoxTimer").setChecked(true);
        Child<TimeMaskEdit>(o, "MaskEditTimeN").setText(QStringLiteral("23:58"));
        Child<TimeMaskEdit>(o, "MaskEditTimeK").setText(QStringLiteral("23:59"));
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonStartStopClick); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        EXPECT_EQ(m.Session().TimerPeriod()->isActive(), !failed);
        EXPECT_FALSE(m.Session().TimerInterval()->isActive());
        if (!failed) return;
        ExpectPanel(p, c.fault == Fault::Vanish ? PortGone(p) : Text("Нет отклика от прибора..."));
        EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Старт"));
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        TFMain& m = p.main();
        if (m.Session().TimerPeriod()->isActive())
            SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        EXPECT_TRUE(m.Session().TimerPeriod()->isActive());
        ExpectPanel(p, Text("Соединение прошло успешно, ожидание начала измерений "));
    };
    return x;
}

// The stop click's probe: it needs no answer, so measurement stops whatever the meter does.
Exchange StopProbe() {
    Exchange x = Make("stop", Meter(), 1, false);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        p.main().Session().TimerInterval()->setInterval(3600 * 1000);
        SimProgram::Finish(p.main(), &TFMain::ButtonStartStopClick);
        ASSERT_TRUE(p.main().Session().TimerInterval()->isActive());
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonStartStopClick); };
    x.check = [](SimProgram& p, const Case& c, bool) {
        TFMain& m = p.main();
        EXPECT_FALSE(m.Session().TimerInterval()->isActive());
        EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), Text("Старт"));
        ExpectPanel(p, c.fault == Fault::Vanish ? PortGone(p) : QStringLiteral(" "));
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        TFMain& m = p.main();
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        ASSERT_TRUE(m.Session().TimerInterval()->isActive());
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        EXPECT_FALSE(m.Session().TimerInterval()->isActive());
    };
    return x;
}

// A download after an earlier one, whose rows must stay.
Exchange LoggerDownload() {
    Exchange x = Make("logger", Meter(), 1 + (kRecords + 1) * kRecordMeterBytes, true);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        SimProgram::Finish(p.main(), &TFMain::ButtonZagruzitClick);
        ASSERT_EQ(Child<StringGrid>(p.main(), "StringGridL").RowCount(), 2 + kRecords);
        p.main().SetPanelText(3, QStringLiteral("до загрузки"));
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonZagruzitClick); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        EXPECT_EQ(Child<QPushButton>(m, "ButtonZagruzit").text(), Text("Загрузить"));
        EXPECT_TRUE(Child<QPushButton>(m, "ButtonZagruzit").isEnabled());
        // The earlier download's rows are untouched.
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, 1), QStringLiteral("22:0 7.4.9"));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, kRecords),
                  QStringLiteral("23:0 7.4.9"));
        if (!failed) {
            EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount() - 2 - kRecords, kRecords);
            ExpectPanel(p, DownloadDoneText(kRecords));
            return;
        }
        if (ProbeFails(c)) {
            ExpectPanel(p, Text("Нет отклика от прибора"));
            EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2 + kRecords);
            return;
        }
        const int accepted =
            c.fault == Fault::NoiseAfterOne ? 1 : CompleteUnits(c, kRecordMeterBytes, kRecords);
        if (c.fault == Fault::Garbage || c.fault == Fault::NoiseAfterOne) {
            // The records read before the noise stay; the download says it is incomplete.
            ExpectPanel(
                p, QStringLiteral("Помехи на линии: загрузка не завершена, загружено записей: %1")
                       .arg(accepted));
        } else {
            ExpectPanel(p, c.fault == Fault::Vanish ? PortGone(p, DownloadLostText(accepted))
                                                    : DownloadLostText(accepted));
        }
        // Whole records only: the one cut off is not shown, the row after the last is empty.
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2 + kRecords + accepted);
        EXPECT_EQ(Child<QLineSeries>(m, "Series1").count(), kRecords + accepted);
        EXPECT_TRUE(
            Child<StringGrid>(m, "StringGridL").Cells(0, 1 + kRecords + accepted).isEmpty());
        if (accepted > 0) {
            EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(0, kRecords + accepted),
                      Child<StringGrid>(m, "StringGridL").Cells(0, accepted));
        }
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        TFMain& m = p.main();
        const int before = Child<StringGrid>(m, "StringGridL").RowCount();
        SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
        ExpectPanel(p, DownloadDoneText(kRecords));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), before + kRecords);
    };
    return x;
}

// The memory cells read again after an earlier reading; the meter's values changed meanwhile.
Exchange MemoryCells() {
    Exchange x = Make("cells", Meter(), 1 + kCellCount * kValuesPerCell * kCellMeterBytes, true);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        SimProgram::Finish(p.main(), &TFMain::ButtonReadMemoClick);
        ASSERT_EQ(Child<StringGrid>(p.main(), "StringGridM").Cells(1, 1), ShownNumber("20.3"));
        p.meter().Configure([](sim::Options& o) {
            for (auto& [address, word] : o.cells) word = 1000;
        });
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonReadMemoClick); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        TFMain& m = p.main();
        int fresh = 0;
        for (int cell = 1; cell <= kCellCount; ++cell) {
            for (int v = 1; v <= kValuesPerCell; ++v) {
                fresh += Child<StringGrid>(m, "StringGridM").Cells(v, cell) == QStringLiteral("100")
                             ? 1
                             : 0;
            }
        }
        if (!failed) {
            ExpectPanel(p, Text(kCellsReadText));
            return;
        }
        if (ProbeFails(c)) {
            ExpectPanel(p, Text("Нет отклика от прибора"));
            EXPECT_EQ(fresh, 0);
            return;
        }
        // The values read are new, in reading order; the rest keep their earlier text.
        const int read = CompleteUnits(c, kCellMeterBytes, kCellCount * kValuesPerCell);
        ExpectPanel(p,
                    c.fault == Fault::Vanish ? PortGone(p, CellsLostText(read))
                    : c.fault == Fault::Garbage
                        ? QStringLiteral(
                              "Помехи на линии: чтение не завершено, прочитано значений: 0 из 54")
                        : CellsLostText(read));
        EXPECT_EQ(fresh, read);
        if (read < kValuesPerCell) {
            EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(6, 1), ShownNumber("11.1"));
        }
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        TFMain& m = p.main();
        SimProgram::Finish(m, &TFMain::ButtonReadMemoClick);
        ExpectPanel(p, Text(kCellsReadText));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(1, 1), QStringLiteral("100"));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(6, 9), QStringLiteral("100"));
    };
    return x;
}

// Setting the meter's clock from the clock fields.
Exchange ClockSetting() {
    Exchange x = Make("clock", Meter(), 1 + 1 + 5, false);
    x.prepare = [](SimProgram& p) {
        MustIdentify(p);
        Child<QSpinBox>(p.main(), "CSpinEditChas").setValue(14);
        Child<QSpinBox>(p.main(), "CSpinEditMin").setValue(30);
    };
    x.run = [](SimProgram& p) { SimProgram::Finish(p.main(), &TFMain::ButtonSaveClick); };
    x.check = [](SimProgram& p, const Case& c, bool failed) {
        if (!failed) {
            ExpectPanel(p, Text(kClockWrittenText));
            return;
        }
        ExpectPanel(p, ProbeFails(c) ? Text("Нет отклика от прибора")
                       : c.fault == Fault::Vanish ? PortGone(p, Text(kClockLostText))
                       : c.fault == Fault::Garbage
                           ? Text("Помехи на линии — запись даты и времени не подтверждена")
                           : Text(kClockLostText));
        if (ProbeFails(c)) {
            EXPECT_EQ(p.meter().Clock().sets, 0);
        }
    };
    x.runsAgain = [](SimProgram& p, const Case&) {
        const int before = p.meter().Clock().sets;
        SimProgram::Finish(p.main(), &TFMain::ButtonSaveClick);
        ExpectPanel(p, Text(kClockWrittenText));
        ASSERT_TRUE(
            SimProgram::WaitFor([&] { return p.meter().Clock().sets == before + 1; }, 1000));
        EXPECT_EQ(p.meter().Clock().hour, 14);
        EXPECT_EQ(p.meter().Clock().minute, 30);
    };
    return x;
}

const std::vector<Exchange>& Exchanges() {
    static const std::vector<Exchange> all = {
        Search(),       Identification(24), Identification(kModelWithHead),
        LiveReading(),  StartProbe(),       TimedStartProbe(),
        StopProbe(),    LoggerDownload(),   MemoryCells(),
        ClockSetting(),
    };
    return all;
}

// Every exchange under every fault; silences at the same byte count are one case.
std::vector<Case> Cases(bool identification) {
    std::vector<Case> cases;
    for (const Exchange& x : Exchanges()) {
        if ((std::string(x.name).rfind("identify", 0) == 0) != identification) continue;
        const std::string n = x.name;
        cases.push_back({&x, Fault::Silent, -1, n + " silent"});
        cases.push_back({&x, Fault::Late, -1, n + " switched on late"});
        std::vector<int> seen;
        for (const char* where : {"start", "middle", "end"}) {
            const int at = At(x, where);
            if (std::find(seen.begin(), seen.end(), at) != seen.end()) continue;
            seen.push_back(at);
            cases.push_back({&x, Fault::SilentAfter, at,
                             n + " silent after " + std::to_string(at) + " (" + where + ")"});
        }
        cases.push_back({&x, Fault::WrongEcho, -1, n + " wrong echo"});
        cases.push_back({&x, Fault::Garbage, -1, n + " garbage"});
        if (n == "logger") {
            cases.push_back({&x, Fault::NoiseAfterOne, 1, n + " noise after one record"});
            cases.push_back(
                {&x, Fault::NoiseAfterOne, 1, n + " noise after one record, paced", true});
        }
        cases.push_back({&x, Fault::Stray, -1, n + " stray byte after the probe"});
        const int at = At(x, "middle");
        cases.push_back({&x, Fault::Vanish, at, n + " vanishing after " + std::to_string(at)});
    }
    return cases;
}

// The meter's options with the fault; sinceStart: how long the meter has been running.
// replies: the logger records and live readings the meter has sent so far.
void ApplyFault(sim::Options& o, const Case& c, double sinceStart, int replies = 0) {
    switch (c.fault) {
        case Fault::Silent:
            o.silent = true;
            break;
        case Fault::Late:
            o.onAfterSeconds = sinceStart + 0.7;
            break;
        case Fault::SilentAfter:
            o.silentAfter = c.n;
            break;
        case Fault::WrongEcho:
            o.wrongEcho = true;
            break;
        case Fault::Garbage:
            o.garbage = true;
            break;
        case Fault::NoiseAfterOne:
            o.noiseAfterReplies = replies + 1;
            o.paced = o.paced || c.paced;
            break;
        case Fault::Vanish:
            o.vanishAfter = c.n;
            break;
        case Fault::Stray:
            o.strayAfterProbe = 1;
            break;
    }
}

// Sets the fault on a running meter.
void Inflict(SimProgram& p, const Case& c) {
    const double sinceStart = double(TranscriptNow() - p.MeterStartMicros()) / 1e6;
    const int replies = p.meter().Replies();
    p.meter().Configure([&](sim::Options& o) { ApplyFault(o, c, sinceStart, replies); });
}

// The meter answers again: healed, switched on by now, or a new one at the same path.
void Heal(SimProgram& p, const Case& c) {
    const sim::Options healthy = p.meter().CurrentOptions();
    sim::Options again = c.exchange->meter;
    again.cells = healthy.cells;
    again.air = healthy.air;
    switch (c.fault) {
        case Fault::Late:
            ASSERT_TRUE(SimProgram::WaitFor(
                [&] {
                    return double(TranscriptNow() - p.MeterStartMicros()) / 1e6 >
                           healthy.onAfterSeconds;
                },
                3000));
            return;
        case Fault::Vanish:
            ASSERT_TRUE(SimProgram::WaitFor([&] { return p.meter().Vanished(); }, 1000));
            p.ReplaceMeter(again);
            return;
        default: {
            // The last stray bytes reach the line and are dropped at the next opening: the meter
            // is repaired once it has been quiet a while, however late a loaded machine sends
            // them (a paced noisy meter still talks after the program has closed the port).
            const auto quiet = [&] {
                const std::vector<TranscriptEntry> t = p.meter().Transcript();
                return t.empty() || TranscriptNow() - t.back().micros >= 100000;
            };
            usleep(50000);
            EXPECT_TRUE(SimProgram::WaitFor(quiet, 3000)) << "the faulty meter never fell quiet";
            p.meter().Configure([&](sim::Options& o) { o = again; });
            return;
        }
    }
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class FaultSuite : public ::testing::TestWithParam<Case> {};

TEST_P(FaultSuite, EndsInBoundSaysWhatHappenedKeepsWhatWasReadAndGoesOn) {
    const Case& c = GetParam();
    const Exchange& x = *c.exchange;
    // An exchange of nothing but the probe fails only when the probe does.
    const bool failed = Breaks(c) && (x.meterBytes > 1 || ProbeFails(c));

    std::unique_ptr<SimProgram> program;
    QElapsedTimer took;
    if (x.prepare) {
        program = std::make_unique<SimProgram>(x.meter);
        ASSERT_NO_FATAL_FAILURE(x.prepare(*program));
        Inflict(*program, c);
        took.start();
        x.run(*program);
    } else {
        // The search runs from the start: the meter is faulty before the program comes up.
        sim::Options faulty = x.meter;
        ApplyFault(faulty, c, 0);
        took.start();
        program = std::make_unique<SimProgram>(faulty);
        x.run(*program);
    }
    SimProgram& p = *program;
    const qint64 ms = took.elapsed();
    // The device node goes with the adapter: the search must not find another test's meter
    // under the vanished pseudo-terminal's number.
    if (c.fault == Fault::Vanish) unlink(p.PortPath().c_str());
    EXPECT_LT(ms, kBoundMs) << "the exchange took " << ms << " ms";
    if (x.prepare) {
        // A failed identification has the search start again, which may be probing by now.
        const bool searching = !p.main().Identified();
        // The search's job is let go at its next port, so that the port is seen closed.
        if (searching) {
            MeterWorker& worker = p.program().Meter();
            // The search may be waiting its turn: the cancel reaches it once it runs.
            for (int i = 0; i < 2000 && !worker.Idle(); ++i) {
                worker.Cancel();
                usleep(1000);
            }
            EXPECT_TRUE(worker.Idle());
        }
        EXPECT_FALSE(p.program().TheLink().IsOpen());
        if (searching) {
            p.program().Search().SearchAgain();
            p.program().Session().StartSearch();
        }
    }
    x.check(p, c, failed);

    Heal(p, c);
    // The port that went away is searched for again: the meter back is identified anew.
    if (x.prepare && c.fault == Fault::Vanish) {
        ASSERT_TRUE(p.Identify());
    }
    x.runsAgain(p, c);
    EXPECT_FALSE(p.program().TheLink().IsOpen());
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string s;
    for (char ch : info.param.name) s += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return s;
}

}  // namespace
}  // namespace lmr::test

#include <gtest/gtest.h>

#include "SimPort.h"
#include "link/CommandCodes.h"
#include "meter/Identify.h"

namespace lmr::test {
namespace {

// The bound every faulty exchange must end within (ReadByte gives up after about 1 s).
constexpr double kBoundMs = 1500;

struct Shape {
    const char* name;
    bool hasData;  // the meter sends data bytes, so an echo fault can hit it
    std::function<void(Link&)> run;
};

void ReadData(Link& link, int n) {
    for (int i = 0; i < n; ++i) (void)link.ReadEchoedByte();
}

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        {"live", true,
         [](Link& l) {
             (void)l.SendCommand(Code(Command::ReadLive));
             for (int i = 0; i < 3; ++i) (void)l.ReadWord();
         }},
        {"cells", true,
         [](Link& l) {
             for (int c = 1; c <= kCellCount; ++c) {
                 for (int i = 0; i < kValuesPerCell; ++i) {
                     const uint16_t a = CellAddress(i, c);
                     (void)l.SendCommand(Code(Command::ReadCell));
                     (void)l.SendCommand(static_cast<uint8_t>(a >> 8));
                     (void)l.SendCommand(static_cast<uint8_t>(a & 0xFF));
                     (void)l.ReadWord();
                 }
             }
         }},
        {"logger", true,
         [](Link& l) {
             for (uint16_t a = kFirstRecordAddress; a <= 100; a += kRecordAddressStep) {
                 (void)l.SendCommand(Code(Command::ReadRecord));
                 (void)l.SendCommand(static_cast<uint8_t>(a >> 8));
                 (void)l.SendCommand(static_cast<uint8_t>(a & 0xFF));
                 ReadData(l, kRecordBytes);
             }
         }},
        {"clock", false,
         [](Link& l) {
             for (uint8_t b : {uint8_t{175}, uint8_t{30}, uint8_t{14}, uint8_t{8}, uint8_t{12},
                               ClockYearCode(2026)}) {
                 (void)l.SendCommand(b);
             }
         }},
    };
    return shapes;
}

struct Outcome {
    double ms = 0;
    bool lost = false;
    bool noisy = false;
    bool answered = false;
    bool openAfter = true;
};

Outcome RunShape(Link& link, const Shape& shape) {
    Outcome out;
    const double start = NowMs();
    {
        Exchange x(link, 1, shape.name);
        out.answered = x.Status() == MeterStatus::Ok;
        if (out.answered) shape.run(link);
        const MeterStatus s = x.Status();
        out.lost = s == MeterStatus::Lost || s == MeterStatus::Gone;
        usleep(20000);  // the meter's last bytes reach the line
        out.noisy = x.Ended() == MeterStatus::Noise;
    }
    out.ms = NowMs() - start;
    out.openAfter = link.IsOpen();
    return out;
}

Outcome RunIdentify(Link& link) {
    Outcome out;
    const double start = NowMs();
    const Identification id = Identify(link, 1);
    out.ms = NowMs() - start;
    out.lost = id.status != MeterStatus::Ok;
    out.answered = true;
    out.openAfter = link.IsOpen();
    return out;
}

// Every shape under a fault: ends in bound with the port closed, lost where bytes went
// missing; a healthy meter afterwards serves the same link again.
void CheckFault(const std::function<void(sim::Options&)>& fault, bool probeFails,
                bool losesEchoedOnly) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        SimPorts bench;
        bench.Meter().Configure(fault);
        const Outcome o = RunShape(bench.link(), shape);
        EXPECT_LT(o.ms, kBoundMs);
        EXPECT_FALSE(o.openAfter);
        EXPECT_EQ(o.answered, !probeFails);
        const bool expectLost = !probeFails && (!losesEchoedOnly || shape.hasData);
        EXPECT_EQ(o.lost, expectLost);

        bench.Meter().Configure([](sim::Options& m) { m = sim::Options{}; });
        const Outcome healthy = RunShape(bench.link(), shape);
        EXPECT_TRUE(healthy.answered);
        EXPECT_FALSE(healthy.lost);
    }
    // The identification of a meter with a head has two commands, so every fault hits it.
    SimPorts bench;
    bench.Meter().Configure([&](sim::Options& m) {
        fault(m);
        m.model = kModelWithHead;
    });
    const Outcome o = RunIdentify(bench.link());
    EXPECT_LT(o.ms, kBoundMs);
    EXPECT_FALSE(o.openAfter);
    EXPECT_TRUE(o.lost);
    bench.Meter().Configure([](sim::Options& m) { m = sim::Options{}; });
    EXPECT_FALSE(RunIdentify(bench.link()).lost);
}

TEST(Faults, SilentMeterFailsTheProbe) {
    CheckFault([](sim::Options& o) { o.silent = true; }, true, false);
}

TEST(Faults, MeterFallingSilentMidExchangeIsLost) {
    // Two bytes: the probe answer and the answer to the command byte.
    CheckFault([](sim::Options& o) { o.silentAfter = 2; }, false, false);
}

TEST(Faults, WrongEchoAbandonsTheExchange) {
    CheckFault([](sim::Options& o) { o.wrongEcho = true; }, false, true);
}

TEST(Faults, LostLinkDoesNothingMoreInThatOpening) {
    SimPorts bench;
    bench.Meter().Configure([](sim::Options& o) { o.silentAfter = 1; });
    Link& link = bench.link();
    Exchange x(link, 1, "live");
    ASSERT_EQ(x.Status(), MeterStatus::Ok);
    EXPECT_EQ(link.SendCommand(163), 0);
    EXPECT_EQ(x.Status(), MeterStatus::Lost);
    const std::string before = bench.HostBytes();
    (void)link.SendCommand(5);
    (void)link.ReadWord();
    EXPECT_FALSE(link.ProbeInstrument());
    EXPECT_EQ(link.TryReadByte(), 0);
    EXPECT_EQ(bench.HostBytes(), before);
    EXPECT_EQ(before, "H55 I0 H163");
}

TEST(Faults, VanishedDeviceIsLostAtOnceAndThenAbsent) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        SimPorts bench;
        bench.Meter().Configure([](sim::Options& o) { o.vanishAfter = 2; });
        const Outcome o = RunShape(bench.link(), shape);
        EXPECT_TRUE(o.answered);
        EXPECT_TRUE(o.lost);
        EXPECT_FALSE(o.openAfter);
        // No waiting for the bound: the hang-up is seen at once.
        EXPECT_LT(o.ms, 500.0);
        EXPECT_TRUE(bench.Meter().Vanished());
        bench.link().OpenPort('1');
        EXPECT_EQ(bench.link().LastOpenStatus(), LinkStatus::NoDevice);
        EXPECT_FALSE(bench.link().ProbeInstrument());
        bench.link().ClosePort();
    }
}

TEST(Faults, GarbageEndsInBoundAndLeavesNothingForTheNextOpening) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        SimPorts bench;
        bench.Meter().Configure([](sim::Options& o) { o.garbage = true; });
        const Outcome o = RunShape(bench.link(), shape);
        EXPECT_LT(o.ms, kBoundMs);
        EXPECT_FALSE(o.openAfter);
        // The bytes beyond one answer per host byte tell the noise from data.
        EXPECT_TRUE(o.noisy);
        bench.Meter().Configure([](sim::Options& m) { m = sim::Options{}; });
        usleep(50000);  // the last random bytes reach the line buffer
        bench.Clear();
        {
            Exchange x(bench.link(), 1, "live");
            ASSERT_EQ(x.Status(), MeterStatus::Ok);
            (void)bench.link().SendCommand(163);
            EXPECT_EQ(bench.link().ReadWord(), 452);
        }
        // Stale random bytes were dropped at the opening, not taken for the probe answer.
        EXPECT_EQ(bench.HostBytes().substr(0, 16), "H55 I0 H163 I92 ");
    }
}

TEST(Faults, StrayByteIsDiscardedAndTheDialogueStaysInStep) {
    sim::Options stray;
    stray.strayAfterProbe = 2;
    SimPorts bench(stray);
    {
        Exchange x(bench.link(), 1, "live");
        ASSERT_EQ(x.Status(), MeterStatus::Ok);
        (void)bench.link().SendCommand(Code(Command::ReadLive));
        EXPECT_EQ(bench.link().ReadWord(), 452);
        EXPECT_EQ(bench.link().ReadWord(), 231);
        EXPECT_EQ(bench.link().ReadWord(), 245);
        EXPECT_EQ(x.Status(), MeterStatus::Ok) << "a glitch behind the probe's answer is no noise";
    }
    EXPECT_EQ(bench.HostBytes().substr(0, 25), "H55 I0 D255 D255 H163 I92");
}

TEST(Faults, MeterSwitchedOnLateAnswersOnlyThen) {
    sim::Options late;
    late.onAfterSeconds = 0.6;
    SimPorts bench(late);
    const Outcome before = RunShape(bench.link(), Shapes()[0]);
    EXPECT_FALSE(before.answered);
    EXPECT_FALSE(before.openAfter);
    usleep(300000);
    const Outcome after = RunShape(bench.link(), Shapes()[0]);
    EXPECT_TRUE(after.answered);
    EXPECT_FALSE(after.lost);
}

}  // namespace
}  // namespace lmr::test

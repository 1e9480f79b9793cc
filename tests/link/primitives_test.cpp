#include <gtest/gtest.h>

#include "SimPort.h"
#include "link/CommandCodes.h"

namespace lmr::test {
namespace {

TEST(Probe, AnswerInEleventhAttemptCountsButNotAfterEleven) {
    sim::Options late;
    late.probeDelayMs = 10 * kReadAttemptMs + 20;  // inside the eleventh attempt
    SimPorts bench(late);
    Link& link = bench.link();
    link.OpenPort('1');
    ASSERT_EQ(link.LastOpenStatus(), LinkStatus::Ok);
    EXPECT_TRUE(link.ProbeInstrument());
    link.ClosePort();

    bench.Meter().Configure([](sim::Options& o) { o.probeDelayMs = 11 * kReadAttemptMs + 60; });
    link.OpenPort('1');
    EXPECT_FALSE(link.ProbeInstrument());
    link.ClosePort();
    // The late answer to the failed probe must not pass for the answer to the next one.
    bench.Meter().Configure([](sim::Options& o) { o.silent = true; });
    usleep(150000);
    link.OpenPort('1');
    EXPECT_FALSE(link.ProbeInstrument());
    link.ClosePort();
}

TEST(Probe, AnyAnswerCountsAndIsNotEchoed) {
    sim::Options zero;
    zero.probeAnswer = 0;
    SimPorts bench(zero);
    Link& link = bench.link();
    link.OpenPort('1');
    EXPECT_TRUE(link.ProbeInstrument());
    EXPECT_EQ(link.ReceiveByte(), 0);
    link.ClosePort();
    EXPECT_EQ(bench.HostBytes(), "H55 I0");
}

TEST(Probe, PortWithoutDeviceAnswersNothingAtOnce) {
    SimPorts bench;
    Link& link = bench.link();
    link.OpenPort('2');  // only COM1 has a device
    EXPECT_EQ(link.LastOpenStatus(), LinkStatus::NoDevice);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.ProbeInstrument());
    EXPECT_EQ(link.ReadByte(), 0);
    EXPECT_EQ(bench.HostBytes(), "");
    link.OpenPort('9');  // no two-digit ports and nothing past COM8
    EXPECT_EQ(link.LastOpenStatus(), LinkStatus::NoDevice);
}

TEST(ReadWord, BigEndianEachByteEchoedInOrder) {
    sim::Options o;
    o.cells[CellAddress(0, 1)] = 0x012C;
    o.cells[CellAddress(1, 1)] = 0xFFFF;
    SimPorts bench(o);
    Link& link = bench.link();
    {
        Exchange x(link, 1, "cells");
        ASSERT_EQ(x.Status(), MeterStatus::Ok);
        bench.Clear();
        (void)link.SendCommand(Code(Command::ReadCell));
        (void)link.SendCommand(0);
        (void)link.SendCommand(73);
        EXPECT_EQ(link.ReadWord(), 300);
        (void)link.SendCommand(Code(Command::ReadCell));
        (void)link.SendCommand(0);
        (void)link.SendCommand(74);
        const uint16_t empty = link.ReadWord();
        EXPECT_EQ(empty, 65535);
        EXPECT_EQ(AsSigned(empty), -1);
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
    }
    // Answers are complements of the host bytes; the data bytes come after the last answer.
    EXPECT_EQ(bench.HostBytes(),
              "H5 I250 H0 I255 H73 I182 I1 H1 I44 H44 "
              "H5 I250 H0 I255 H74 I181 I255 H255 I255 H255");
    EXPECT_EQ(AsSigned(0x8000), -32768);
    EXPECT_EQ(AsSigned(0x7FFF), 32767);
    EXPECT_EQ(AsSigned(0xFFCE), -50);
}

TEST(Exchanges, ExactBytesOfEveryCommandShape) {
    sim::Options o;
    o.model = 65;
    o.head = 2;
    o.rh = 500;
    o.air = 250;
    o.globe = 0xFFCE;
    o.logger = {sim::MakeRecord(500, 250, 300, 14, 5, 7, 4, 9)};
    SimPorts bench(o);
    Link& link = bench.link();
    auto run = [&](const std::vector<uint8_t>& hostBytes, int dataBytes) {
        Exchange x(link, 1, "shape");
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
        bench.Clear();
        for (uint8_t b : hostBytes) (void)link.SendCommand(b);
        for (int i = 0; i < dataBytes; ++i) (void)link.ReadEchoedByte();
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
        return bench.HostBytes();
    };
    EXPECT_EQ(run({163}, 6), "H163 I92 I1 H1 I244 H244 I0 H0 I250 H250 I255 H255 I206 H206");
    EXPECT_EQ(run({167}, 1), "H167 I88 I65 H65");
    EXPECT_EQ(run({171}, 1), "H171 I84 I2 H2");
    EXPECT_EQ(run({175, 30, 14, 8, 12, ClockYearCode(2026)}, 0),
              "H175 I80 H30 I225 H14 I241 H8 I247 H12 I243 H26 I229");
    const sim::InstrumentClock clock = bench.Meter().Clock();
    EXPECT_EQ(clock.minute, 30);
    EXPECT_EQ(clock.hour, 14);
    EXPECT_EQ(clock.day, 8);
    EXPECT_EQ(clock.month, 12);
    EXPECT_EQ(clock.yearCode, 26);
    EXPECT_EQ(run({173, 0, 10}, 16),
              "H173 I82 H0 I255 H10 I245 "
              "I0 H0 I0 H0 I1 H1 I244 H244 I0 H0 I250 H250 I1 H1 I44 H44 "
              "I0 H0 I5 H5 I14 H14 I9 H9 I4 H4 I7 H7 I0 H0 I0 H0");
    // Past the last record the memory reads erased, so the hour breaks the sequence.
    const std::string erased = run({173, 0, 20}, 16);
    EXPECT_EQ(erased.substr(erased.size() - 19), "I255 H255 I255 H255");
    // The simulator saw the same bytes in the same order as the host sent and read them.
    bench.Clear();
    {
        Exchange x(link, 1, "identify");
        (void)link.SendCommand(167);
        (void)link.ReadEchoedByte();
    }
    const std::string host = bench.HostBytes();
    EXPECT_EQ(host, "H55 I0 H167 I88 I65 H65");
    EXPECT_EQ(MeterBytes(bench.Meter(), 6), host);
}

TEST(Transcript, LinesRoundTripAndNameTheExchange) {
    SimPorts bench;
    {
        Exchange x(bench.link(), 1, "live");
        (void)bench.link().SendCommand(163);
        for (int i = 0; i < 6; ++i) (void)bench.link().ReadEchoedByte();
    }
    const std::vector<TranscriptEntry> host = bench.HostTranscript();
    ASSERT_EQ(host.size(), 16u);
    for (size_t i = 1; i < host.size(); ++i) EXPECT_LE(host[i - 1].micros, host[i].micros);
    for (const TranscriptEntry& e : host) {
        EXPECT_EQ(e.exchange, "live");
        const std::string line = FormatTranscriptLine(e);
        const std::optional<TranscriptEntry> back = ParseTranscriptLine(line + "\n");
        ASSERT_TRUE(back) << line;
        EXPECT_EQ(*back, e) << line;
    }
    TranscriptEntry e{1765236000000042, false, 7, ""};
    EXPECT_EQ(FormatTranscriptLine(e), "1765236000.000042 I>H 7 -");
    EXPECT_EQ(ParseTranscriptLine("1765236000.000042 I>H 7 -")->exchange, "");
    e.discarded = true;
    EXPECT_EQ(FormatTranscriptLine(e), "1765236000.000042 I>- 7 -");
    EXPECT_EQ(*ParseTranscriptLine(FormatTranscriptLine(e)), e);
    EXPECT_EQ(ParseTranscriptLine("1.000001 H>I 255 read cell")->exchange, "read cell");
    EXPECT_FALSE(ParseTranscriptLine("1.000001 H<I 255 x"));
    EXPECT_FALSE(ParseTranscriptLine("1.000001 H>I 256 x"));
    EXPECT_FALSE(ParseTranscriptLine("garbage"));
}

}  // namespace
}  // namespace lmr::test

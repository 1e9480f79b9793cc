#pragma once

#include <cstdint>

namespace lmr {

// The host's command bytes. Every host byte after the probe is answered by one byte that the
// host reads and discards; every data byte from the meter is echoed back by the host.
enum class Command : uint8_t {
    ReadCell = 5,      // memory cell value at an address: one signed word, 0xFFFF = empty
    Probe = 55,        // is a meter there: one answer byte, any value, not echoed
    ReadLive = 163,    // the three live channels RH, tв, tсф: three unsigned words
    Identify = 167,    // the meter's model code: 23, 24 or 65
    AskHead = 171,     // the measuring head fitted (only after code 65): 0, 1 or 2
    ReadRecord = 173,  // one data-logger record at an address: 16 bytes
    SetClock = 175,    // minute, hour, day, month, year code; nothing comes back but answers
};

// The shape of the exchange a command opens.
struct CommandShape {
    Command command;
    const char* name;
    int hostParameterBytes;  // bytes the host sends after the code, each answered
    int dataBytes;           // bytes the meter sends, each echoed by the host
};

inline constexpr CommandShape kCommandShapes[] = {
    {Command::ReadCell, "read cell", 2, 2}, {Command::Probe, "probe", 0, 1},
    {Command::ReadLive, "read live", 0, 6}, {Command::Identify, "identify", 0, 1},
    {Command::AskHead, "ask head", 0, 1},   {Command::ReadRecord, "read record", 2, 16},
    {Command::SetClock, "set clock", 5, 0},
};

// The shape of a command code, or nullptr for a byte that is no command.
[[nodiscard]] constexpr const CommandShape* ShapeOf(uint8_t code) {
    for (const CommandShape& s : kCommandShapes) {
        if (static_cast<uint8_t>(s.command) == code) return &s;
    }
    return nullptr;
}

[[nodiscard]] constexpr uint8_t Code(Command c) {
    return static_cast<uint8_t>(c);
}

// Logger records are asked for at 10, 20, … 30000.
inline constexpr uint16_t kFirstRecordAddress = 10;
inline constexpr uint16_t kRecordAddressStep = 10;
inline constexpr uint16_t kLastRecordAddress = 30000;
inline constexpr int kRecordBytes = 16;

// Memory cells 1…9 hold six values each, value i of cell c at address (i + 73) · c.
inline constexpr int kCellCount = 9;
inline constexpr int kValuesPerCell = 6;
[[nodiscard]] constexpr uint16_t CellAddress(int valueIndex, int cell) {
    return static_cast<uint16_t>((valueIndex + 73) * cell);
}

// The clock's year byte: (year + 48) mod 256, which is year − 2000 for 2000…2255.
[[nodiscard]] constexpr uint8_t ClockYearCode(int year) {
    return static_cast<uint8_t>((year + 48) % 256);
}

}  // namespace lmr

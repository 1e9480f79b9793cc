#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

namespace lmr {

namespace {

constexpr const char* kUsage =
    "usage: lmr [--version] [--help] [Qt options]\n"
    "Host program of the LMR microclimate (heat-stress) meter on a serial port.\n"
    "\n"
    "  --version   print the version and exit\n"
    "  --help      print this text and exit\n"
    "\n"
    "Environment:\n"
    "  LMR_PORTS=/dev/ttyUSB0:/dev/ttyS0   the ports searched as COM1, COM2, ...\n"
    "  LMR_TRANSCRIPT=FILE                 write every byte exchanged with the meter to FILE\n";

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-V") == 0) {
            std::printf("lmr %s\n", LMR_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace lmr

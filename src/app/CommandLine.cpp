#include "app/CommandLine.h"

#include <QString>
#include <cstdio>
#include <cstring>

#include "app/ProtocolCommand.h"

namespace lmr {

namespace {

constexpr const char* kUsage =
    "usage: lmr [--version] [--help] [Qt options]\n"
    "       lmr --protocol SURVEY.lmrs [--pdf OUT.pdf] [--xlsx OUT.xlsx]\n"
    "Host program of the LMR microclimate (heat-stress) meter on a serial port.\n"
    "\n"
    "  --version             print the version and exit\n"
    "  --help                print this text and exit\n"
    "  --protocol SURVEY     write the protocol of measurements of a saved survey without\n"
    "                        opening a window, as PDF (--pdf FILE) and/or as a workbook\n"
    "                        (--xlsx FILE), then exit: 0 when written, 1 when the survey or an\n"
    "                        output was refused (the reason on standard error), 2 for a wrong\n"
    "                        command line\n"
    "\n"
    "Environment:\n"
    "  LMR_PORTS=/dev/ttyUSB0:/dev/ttyS0   the ports searched as COM1, COM2, ...\n"
    "  LMR_TRANSCRIPT=FILE                 write every byte exchanged with the meter to FILE\n";

bool Is(const char* arg, const char* name) {
    return std::strcmp(arg, name) == 0;
}

int Refuse(const char* why) {
    std::fprintf(stderr, "lmr: %s (lmr --help)\n", why);
    return 2;
}

// The protocol's options, in any order; anything else is refused, as the window does not open.
int ProtocolFromCommandLine(int argc, const char* const* argv) {
    ProtocolCommand command;
    for (int i = 1; i < argc; ++i) {
        QString* target = nullptr;
        if (Is(argv[i], "--protocol")) {
            target = &command.survey;
        } else if (Is(argv[i], "--pdf")) {
            target = &command.pdf;
        } else if (Is(argv[i], "--xlsx")) {
            target = &command.xlsx;
        } else {
            std::fprintf(stderr, "lmr: неизвестный параметр %s (lmr --help)\n", argv[i]);
            return 2;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            std::fprintf(stderr, "lmr: после %s не указан файл (lmr --help)\n", argv[i]);
            return 2;
        }
        *target = QString::fromLocal8Bit(argv[++i]);
    }
    if (command.survey.isEmpty()) return Refuse("не указан файл обследования: --protocol ФАЙЛ");
    if (command.pdf.isEmpty() && command.xlsx.isEmpty()) {
        return Refuse("не указано, что записать: --pdf ФАЙЛ и/или --xlsx ФАЙЛ");
    }
    return RunProtocolCommand(command, argv[0]);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv) {
    bool protocol = false;
    for (int i = 1; i < argc; ++i) {
        if (Is(argv[i], "--version") || Is(argv[i], "-V")) {
            std::printf("lmr %s\n", LMR_VERSION);
            return 0;
        }
        if (Is(argv[i], "--help") || Is(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        protocol = protocol || Is(argv[i], "--protocol") || Is(argv[i], "--pdf") ||
                   Is(argv[i], "--xlsx");
    }
    if (protocol) return ProtocolFromCommandLine(argc, argv);
    return std::nullopt;
}

}  // namespace lmr

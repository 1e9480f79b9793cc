#include "app/CommandLine.h"

#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "app/ProtocolCommand.h"
#include "data/WholeFile.h"

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

int Refuse(const QString& why) {
    std::fprintf(stderr, "lmr: %s (lmr --help)\n", why.toLocal8Bit().constData());
    return 2;
}

int Refuse(const char* why) {
    return Refuse(QString::fromUtf8(why));
}

// Qt's own options that the window's program takes (with their value where they have one); a
// single or a double dash, as Qt accepts both.
bool IsQtOption(const char* arg, bool* takesValue) {
    static const char* const withValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowtitle", "qwindowicon", "session", "style", "stylesheet", "display", "geometry",
        "name", "title", "visual", "qmljsdebugger"};
    static const char* const alone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync",
                                        "testability"};
    if (arg[0] != '-') return false;
    const char* name = arg[1] == '-' ? arg + 2 : arg + 1;
    for (const char* n : withValue) {
        if (Is(name, n)) {
            *takesValue = true;
            return true;
        }
        // "-style=fusion"
        const std::size_t length = std::strlen(n);
        if (std::strncmp(name, n, length) == 0 && name[length] == '=') {
            *takesValue = false;
            return true;
        }
    }
    for (const char* n : alone) {
        if (Is(name, n)) {
            *takesValue = false;
            return true;
        }
    }
    return false;
}

// The formats an output's suffix may name; an output named for another one is a slip.
bool NamesAnotherFormat(const QString& path, const char* format) {
    static const char* const known[] = {"pdf", "xlsx", "xls", "xlsm", "ods", "csv",
                                        "lmrs", "doc", "docx", "odt", "txt"};
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* k : known) {
        if (suffix == QLatin1String(k)) return suffix != QLatin1String(format);
    }
    return false;
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
        } else if (Is(argv[i], "--version") || Is(argv[i], "-V") || Is(argv[i], "--help") ||
                   Is(argv[i], "-h")) {
            return Refuse(QStringLiteral("%1 не сочетается с --protocol")
                              .arg(QString::fromLocal8Bit(argv[i])));
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
    if (!command.pdf.isEmpty() && !command.xlsx.isEmpty() &&
        (QFileInfo(command.pdf).absoluteFilePath() == QFileInfo(command.xlsx).absoluteFilePath() ||
         SameFileOnDisk(command.pdf, command.xlsx))) {
        return Refuse(QStringLiteral("--pdf и --xlsx называют один файл %1: второй заменил бы первый")
                          .arg(command.pdf));
    }
    for (const auto& [path, format, option] :
         {std::tuple{command.pdf, "pdf", "--pdf"}, std::tuple{command.xlsx, "xlsx", "--xlsx"}}) {
        // The survey itself named as an output is refused as such when the protocol is written.
        if (!path.isEmpty() && NamesAnotherFormat(path, format) &&
            !SameFileOnDisk(path, command.survey)) {
            return Refuse(QStringLiteral("%1 %2: расширение .%3 не того формата, что пишет %1 (.%4)")
                              .arg(QString::fromLatin1(option), path, QFileInfo(path).suffix(),
                                   QString::fromLatin1(format)));
        }
    }
    return RunProtocolCommand(command, argv[0]);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv) {
    bool protocol = false;
    for (int i = 1; i < argc; ++i) {
        protocol = protocol || Is(argv[i], "--protocol") || Is(argv[i], "--pdf") ||
                   Is(argv[i], "--xlsx");
    }
    if (protocol) return ProtocolFromCommandLine(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const bool version = Is(argv[i], "--version") || Is(argv[i], "-V");
        const bool help = Is(argv[i], "--help") || Is(argv[i], "-h");
        if ((version || help) && argc > 2) {
            return Refuse(QStringLiteral("%1 пишется без других параметров")
                              .arg(QString::fromLocal8Bit(argv[i])));
        }
        if (version) {
            std::printf("lmr %s\n", LMR_VERSION);
            return 0;
        }
        if (help) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        // Anything but Qt's own options is refused here, before a display is needed.
        bool takesValue = false;
        if (!IsQtOption(argv[i], &takesValue)) {
            std::fprintf(stderr, "lmr: неизвестный параметр %s\n\n%s", argv[i], kUsage);
            return 2;
        }
        if (takesValue) ++i;
    }
    return std::nullopt;
}

}  // namespace lmr

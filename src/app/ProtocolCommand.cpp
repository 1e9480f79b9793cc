#include "app/ProtocolCommand.h"

#include <QGuiApplication>
#include <csignal>
#include <cstdio>

#include "core/LocalTimeZone.h"
#include "data/WholeFile.h"
#include "measure/FileNumbers.h"
#include "protocol/ProtocolChecks.h"
#include "protocol/ProtocolPdf.h"
#include "protocol/ProtocolWorkbook.h"
#include "protocol/ProtocolWriteError.h"
#include "survey/SurveyFile.h"

namespace lmr {

namespace {

// Ended by a signal while a protocol is written: the temporary file goes, then the program
// ends as the signal would have ended it.
void EndOnSignal(int signal) {
    RemoveWholeFileInProgress();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void Say(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace

int RunProtocolCommand(const ProtocolCommand& command, const char* program) {
    ReadTimeZoneOnce();
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::signal(s, EndOnSignal);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {const_cast<char*>(program), nullptr};
    QGuiApplication app(argc, argv);
    // Qt takes the desktop's locale for the C library too; the workbook's numbers need "C".
    KeepFileNumbersInCLocale();

    for (const QString& out : {command.pdf, command.xlsx}) {
        if (out.isEmpty()) continue;
        // The survey itself under another name (a link) would be written over.
        if (SameFileOnDisk(out, command.survey)) {
            Say(ProtocolWriteError(out, QStringLiteral("это файл самого обследования")));
            return 1;
        }
        if (const Outcome refusal = OutputRefusal(out); !refusal) {
            Say(ProtocolWriteError(out, refusal.text));
            return 1;
        }
    }
    // Only read: a survey that may not be changed (its rights, its folder, its file system)
    // still gives its protocol, and nothing is written in or beside it.
    Outcome loaded;
    const Survey survey = SurveyFile::Read(command.survey, &loaded);
    if (!loaded) {
        Say(loaded.text);
        return 1;
    }
    // What the protocol will say is doubtful or missing: told, and written all the same.
    for (const QString& caution : ProtocolCautions(survey)) {
        Say(QStringLiteral("Внимание: %1").arg(caution));
    }
    const ProtocolContent content = BuildProtocol(survey);
    int code = 0;
    if (!command.pdf.isEmpty()) {
        if (const Outcome written = WriteProtocolPdf(content, command.pdf); !written) {
            Say(written.text);
            code = 1;
        }
    }
    if (!command.xlsx.isEmpty()) {
        if (const Outcome written = WriteProtocolWorkbook(content, command.xlsx); !written) {
            Say(written.text);
            code = 1;
        }
    }
    return code;
}

}  // namespace lmr

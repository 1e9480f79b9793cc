#include "app/ProtocolCommand.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "core/LocalTimeZone.h"
#include "protocol/ProtocolChecks.h"
#include "protocol/ProtocolPdf.h"
#include "protocol/ProtocolWorkbook.h"
#include "protocol/ProtocolWriteError.h"
#include "survey/SurveyFile.h"

namespace lmr {

namespace {

void Say(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

// An output named like the survey itself would be written over it.
bool SameFile(const QString& a, const QString& b) {
    const QFileInfo x(a);
    const QFileInfo y(b);
    return x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath();
}

}  // namespace

int RunProtocolCommand(const ProtocolCommand& command, const char* program) {
    ReadTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {const_cast<char*>(program), nullptr};
    QGuiApplication app(argc, argv);

    for (const QString& out : {command.pdf, command.xlsx}) {
        if (!out.isEmpty() && SameFile(out, command.survey)) {
            Say(ProtocolWriteError(out, QStringLiteral("это файл самого обследования")));
            return 1;
        }
    }
    SurveyFileResult opened;
    const std::unique_ptr<SurveyFile> file = SurveyFile::Open(command.survey, &opened);
    if (!file) {
        Say(opened.error);
        return 1;
    }
    SurveyFileResult loaded;
    const Survey survey = file->Load(&loaded);
    if (!loaded) {
        Say(loaded.error);
        return 1;
    }
    // What the protocol will say is doubtful or missing: told, and written all the same.
    for (const QString& caution : ProtocolCautions(survey)) {
        Say(QStringLiteral("Внимание: %1").arg(caution));
    }
    const ProtocolContent content = BuildProtocol(survey);
    int code = 0;
    if (!command.pdf.isEmpty()) {
        const QString error = WriteProtocolPdf(content, command.pdf);
        if (!error.isEmpty()) {
            Say(error);
            code = 1;
        }
    }
    if (!command.xlsx.isEmpty()) {
        const QString error = WriteProtocolWorkbook(content, command.xlsx);
        if (!error.isEmpty()) {
            Say(error);
            code = 1;
        }
    }
    return code;
}

}  // namespace lmr

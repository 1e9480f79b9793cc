#include "app/FormMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

#include "app/CloseOnSignal.h"
#include "app/CommandLine.h"
#include "app/MainTexts.h"
#include "app/Program.h"
#include "app/QtTranslations.h"
#include "measure/FileNumbers.h"

namespace lmr {

namespace {

ProgramOptions OptionsFromEnvironment() {
    ProgramOptions options;
    // ~/.config/lmr/lmr.ini
    options.settingsFile =
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("lmr"),
                  QStringLiteral("lmr"))
            .fileName();
    if (const char* path = std::getenv("LMR_TRANSCRIPT"); path != nullptr) {
        options.transcriptPath = path;
    }
    return options;
}

// The program goes on without what was asked for at start (the transcript, ports past COM8);
// the technician who asked learns so at once, in the terminal and in a window that does not
// block the main one.
void WarnAtStart(const Program& program, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    std::fprintf(stderr, "lmr: %s\n", text.toLocal8Bit().constData());
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), text,
                                QMessageBox::Ok, &program.FMain());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

}  // namespace

int RunMainWindow(Program& program) {
    const CloseOnSignal closer(program.FMain(), program.TheLink());
    program.FMain().show();
    WarnAtStart(program, program.TranscriptProblem());
    WarnAtStart(program, program.PortsProblem());
    QApplication::exec();
    program.Shutdown();
    return 0;
}

int RunProgram(int argc, char** argv) {
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv)) return *answered;
    HoldCloseSignals();
    QApplication app(argc, argv);
    KeepFileNumbersInCLocale();
    LoadQtTranslations();
    QApplication::setDesktopFileName(QStringLiteral("lmr"));
    // An exception that escapes is shown, and the program still ends with 0.
    try {
        Program program(OptionsFromEnvironment());
        return RunMainWindow(program);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle),
                              QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle), QString());
    }
    return 0;
}

}  // namespace lmr

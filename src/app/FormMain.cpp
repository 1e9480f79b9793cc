#include "app/FormMain.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/MainTexts.h"
#include "app/Program.h"

namespace lmr {

int RunProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("lmr"));
    // An exception that escapes is shown, and the program still ends with 0.
    try {
        Program program;
        program.FMain().show();
        QApplication::exec();
        program.Shutdown();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle),
                              QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle), QString());
    }
    return 0;
}

}  // namespace lmr

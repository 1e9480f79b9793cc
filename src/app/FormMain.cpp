#include "app/FormMain.h"

#include <QApplication>
#include <QMainWindow>

namespace lmr {

int RunProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.show();
    return app.exec();
}

}  // namespace lmr

#include "app/Program.h"

#include <QCoreApplication>

#include "app/MainTexts.h"

namespace lmr {

namespace {

std::unique_ptr<QWidget> MakeAuxWindow(const char* name, const char* caption, int w, int h) {
    auto win = std::make_unique<QWidget>(nullptr, Qt::Window);
    win->setObjectName(QString::fromLatin1(name));
    win->setWindowTitle(QString::fromUtf8(caption));
    win->setFixedSize(w, h);
    win->setAttribute(Qt::WA_QuitOnClose, false);
    return win;
}

}  // namespace

Program::Program() {
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    fmain_ = std::make_unique<TFMain>();
    fstat_ = MakeAuxWindow("FStat", "Статистика", 603, 456);
    foptions_ = MakeAuxWindow("FOptions", "Настройки", 298, 445);
    flogo_ = MakeAuxWindow("FLogo", "FLogo", 604, 211);
    fhelp_ = MakeAuxWindow("FHelp", "Помощь", 462, 477);
    fmain_->SetAuxWindows(fstat_.get(), foptions_.get(), flogo_.get(), fhelp_.get());
}

Program::~Program() { Shutdown(); }

void Program::Shutdown() {}

}  // namespace lmr

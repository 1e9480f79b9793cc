#include "app/Program.h"

#include <QApplication>

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

Program::Program(ProgramOptions options) {
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    ports_ = options.ports ? std::make_unique<PortTable>(*options.ports)
                           : std::make_unique<PortTable>();
    link_ = std::make_unique<Link>(*ports_);
    relay_ = std::make_unique<QObject>();
    search_ = std::make_unique<SearchThread>(*link_, [this](const std::string& text) {
        // Runs on the search thread: hand the text over, touch no widget here.
        const QString t = QString::fromStdString(text);
        QMetaObject::invokeMethod(
            relay_.get(),
            [this, t] {
                if (fmain_) {
                    fmain_->SetPanelText(3, t);
                }
            },
            Qt::QueuedConnection);
    });
    fmain_ = std::make_unique<TFMain>(*link_, *search_);
    if (options.tone == nullptr) {
        ownTone_ = std::make_unique<AlsaTone>([this] {
            // Called on the tone thread: the desktop beep belongs to the window's thread.
            QMetaObject::invokeMethod(relay_.get(), [] { QApplication::beep(); },
                                      Qt::QueuedConnection);
        });
    }
    fmain_->SetTone(options.tone != nullptr ? options.tone : ownTone_.get());
    fstat_ = MakeAuxWindow("FStat", "Статистика", 603, 456);
    foptions_ = MakeAuxWindow("FOptions", "Настройки", 298, 445);
    flogo_ = MakeAuxWindow("FLogo", "FLogo", 604, 211);
    fhelp_ = MakeAuxWindow("FHelp", "Помощь", 462, 477);
    fmain_->SetAuxWindows(fstat_.get(), foptions_.get(), flogo_.get(), fhelp_.get());
}

Program::~Program() { Shutdown(); }

void Program::Shutdown() {
    if (search_) {
        link_->RequestCancel();
        search_->Stop();
    }
    if (fmain_) {
        fmain_->SetTone(nullptr);
    }
    ownTone_.reset();
}

}  // namespace lmr

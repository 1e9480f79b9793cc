// lmr-shot OUTDIR [SECONDS]: starts the program (LMR_PORTS as usual), lets it
// run for SECONDS (default 0) and saves each window, and the scrolled main
// window content, as PNG files in OUTDIR.
#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QTimer>
#include <cstdio>

#include "app/Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lmr-shot OUTDIR [SECONDS]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    lmr::Program program;
    program.FMain().show();
    QTimer::singleShot(seconds * 1000, [&] {
        lmr::TFMain& m = program.FMain();
        m.grab().save(out + "/main.png");
        if (auto* content = m.findChild<QWidget*>(QStringLiteral("FormContent"))) {
            content->grab().save(out + "/main-content.png");
        }
        m.PageControl->setCurrentIndex(0);
        m.PageControl->grab().save(out + "/page-live.png");
        m.PageControl->setCurrentIndex(1);
        m.PageControl->grab().save(out + "/page-logger.png");
        for (QWidget* w : std::initializer_list<QWidget*>{&program.FStat(), &program.FOptions(),
                                                         &program.FLogo(), &program.FHelp()}) {
            w->show();
            w->grab().save(out + "/" + w->objectName() + ".png");
            w->hide();
        }
        QCoreApplication::quit();
    });
    QApplication::exec();
    program.Shutdown();
    return 0;
}

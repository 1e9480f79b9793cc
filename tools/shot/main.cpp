// lmr-shot OUTDIR [SECONDS] [--live]: starts the program (LMR_PORTS as usual),
// lets it run for SECONDS (default 0) and saves each window, and the scrolled
// main window content, as PNG files in OUTDIR. --live presses "Старт" as soon
// as the meter is identified, so the pictures show live readings.
#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QTimer>
#include <cstdio>

#include "app/Program.h"
#include "measure/FileNumbers.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lmr::KeepFileNumbersInCLocale();
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool live = args.removeAll(QStringLiteral("--live")) > 0;
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: lmr-shot OUTDIR [SECONDS] [--live]\n");
        return 2;
    }
    const QString out = args[0];
    QDir().mkpath(out);
    const int seconds = args.size() > 1 ? args[1].toInt() : 0;
    lmr::Program program;
    program.FMain().show();
    QTimer startLive;
    if (live) {
        QObject::connect(&startLive, &QTimer::timeout, [&] {
            if (program.FMain()
                    .findChild<QPushButton*>(QStringLiteral("ButtonStartStop"))
                    ->isEnabled()) {
                startLive.stop();
                program.FMain().findChild<QPushButton*>(QStringLiteral("ButtonStartStop"))->click();
            }
        });
        startLive.start(100);
    }
    QTimer::singleShot(seconds * 1000, [&] {
        lmr::TFMain& m = program.FMain();
        if (live) {
            m.findChild<QTabWidget*>(QStringLiteral("PageControl"))->setCurrentIndex(0);
        }
        m.grab().save(out + "/main.png");
        if (auto* content = m.findChild<QWidget*>(QStringLiteral("FormContent"))) {
            content->grab().save(out + "/main-content.png");
        }
        m.findChild<QTabWidget*>(QStringLiteral("PageControl"))->setCurrentIndex(0);
        m.findChild<QTabWidget*>(QStringLiteral("PageControl"))
            ->grab()
            .save(out + "/page-live.png");
        m.findChild<QTabWidget*>(QStringLiteral("PageControl"))->setCurrentIndex(1);
        m.findChild<QTabWidget*>(QStringLiteral("PageControl"))
            ->grab()
            .save(out + "/page-logger.png");
        for (QWidget* w : std::initializer_list<QWidget*>{&program.FStat(), &program.FOptions(),
                                                          &program.FLogo(), &program.FHelp(),
                                                          &program.FAssess()}) {
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

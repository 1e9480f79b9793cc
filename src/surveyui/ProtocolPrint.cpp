#include "surveyui/ProtocolPrint.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <QPrinter>

#include "protocol/ProtocolPages.h"

namespace lmr {

void SetProtocolPrinter(QPrinter& printer, const ProtocolContent& content) {
    printer.setFullPage(true);  // the layout keeps its own margins
    printer.setResolution(kProtocolDpi);
    printer.setDocName(QStringLiteral("%1 %2").arg(content.title, content.number));
    SetProtocolPage(printer);
}

void PrintProtocol(const ProtocolContent& content, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    SetProtocolPrinter(printer, content);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать протокола"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&content](QPrinter* p) { PaintProtocol(*p, content); });
    // Its tool bar whole, printing included, where the screen has room; as tall as the screen.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (const auto* bar = dialog.findChild<QToolBar*>(); bar != nullptr && screen != nullptr) {
        constexpr int kFrame = 40;  // the window frame and title bar, at most
        const QRect free = screen->availableGeometry();
        const QSize hint = dialog.sizeHint();
        dialog.resize(std::min(std::max(hint.width(), bar->sizeHint().width() + kFrame),
                               free.width() - kFrame),
                      free.height() - kFrame);
    }
    dialog.exec();
}

}  // namespace lmr

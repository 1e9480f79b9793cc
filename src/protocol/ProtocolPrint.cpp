#include "protocol/ProtocolPrint.h"

#include <QPrintPreviewDialog>
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
    dialog.exec();
}

}  // namespace lmr

#include "protocol/ProtocolPrint.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "protocol/ProtocolPages.h"

namespace lmr {

void PrintProtocol(const ProtocolContent& content, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);  // the layout keeps its own margins
    printer.setDocName(QStringLiteral("%1 %2").arg(content.title, content.number));
    SetProtocolPage(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать протокола"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&content](QPrinter* p) { PaintProtocol(*p, content); });
    dialog.exec();
}

}  // namespace lmr

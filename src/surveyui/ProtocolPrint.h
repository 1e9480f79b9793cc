#pragma once

#include <QPrinter>
#include <QWidget>

#include "protocol/ProtocolContent.h"

namespace lmr {

// Opens the desktop's print dialog with a preview of the protocol, as it would be printed on
// A4; returns when the user has printed or closed it.
void PrintProtocol(const ProtocolContent& content, QWidget* parent);

// Sets a printer up for the protocol: A4, no printer margins, the layout's resolution, the
// protocol's name for the print queue. The print dialog starts from it; a test prints to a file.
void SetProtocolPrinter(QPrinter& printer, const ProtocolContent& content);

}  // namespace lmr

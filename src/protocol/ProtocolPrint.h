#pragma once

#include <QWidget>

#include "protocol/ProtocolContent.h"

namespace lmr {

// Opens the desktop's print dialog with a preview of the protocol, as it would be printed on
// A4; returns when the user has printed or closed it.
void PrintProtocol(const ProtocolContent& content, QWidget* parent);

}  // namespace lmr

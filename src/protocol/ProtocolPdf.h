#pragma once

#include <QString>

#include "protocol/ProtocolContent.h"

namespace lmr {

// Writes the protocol as a PDF file at path. Returns an empty text, or why it failed (the file
// is then not left behind).
[[nodiscard]] QString WriteProtocolPdf(const ProtocolContent& content, const QString& path);

}  // namespace lmr

#pragma once

#include <QString>

#include "data/DataFile.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// Writes the protocol as a PDF file at path. Returns an empty text, or why it failed (the file
// is then not left behind). progress is asked before each page; its false stops the writing,
// and nothing is left at path but what was there.
[[nodiscard]] QString WriteProtocolPdf(const ProtocolContent& content, const QString& path,
                                       const DataProgress& progress = {});

}  // namespace lmr

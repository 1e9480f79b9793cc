#pragma once

#include <QString>

#include "data/DataFile.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// Writes the protocol as a PDF file at path; a failure says why (the file is then not left
// behind). progress is asked before each page; its false stops the writing,
// and nothing is left at path but what was there.
[[nodiscard]] Outcome WriteProtocolPdf(const ProtocolContent& content, const QString& path,
                                       const DataProgress& progress = {});

}  // namespace lmr

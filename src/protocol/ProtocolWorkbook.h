#pragma once

#include <QString>

#include "export/WorkbookModel.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// The protocol's tables as one worksheet "Протокол", for labs that fill in their own form:
// one results row per quantity with its workplace, point and height, the figures as numbers.
// Prints on A4 landscape, one page wide, the results' head row on every page.
[[nodiscard]] WorkbookModel ProtocolWorkbook(const ProtocolContent& content);

// Writes it as an .xlsx file at path. Returns an empty text, or why it failed.
[[nodiscard]] QString WriteProtocolWorkbook(const ProtocolContent& content, const QString& path);

}  // namespace lmr

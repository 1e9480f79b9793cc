#pragma once

#include <QString>

#include "data/DataFile.h"
#include "export/WorkbookModel.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// The protocol's tables for labs that fill in their own form: the worksheet "Протокол" with
// one results row per quantity with its workplace, point, height and times, the figures as
// numbers in tenths; the worksheet "Заключение" with the classes and the conclusion. Each prints
// on A4 landscape with its table's head row on every page and the page's number at the foot.
[[nodiscard]] WorkbookModel ProtocolWorkbook(const ProtocolContent& content);

// Writes it as an .xlsx file at path; a failure says why. progress is asked
// once the tables are made; its false stops the writing, leaving at path what was there.
[[nodiscard]] Outcome WriteProtocolWorkbook(const ProtocolContent& content, const QString& path,
                                            const DataProgress& progress = {});

}  // namespace lmr

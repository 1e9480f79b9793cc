#pragma once

#include <QDate>
#include <QString>

namespace lmr {

// A name the file dialog proposes for a survey or its protocol: what it is, the organisation
// and the day, e.g. "Протокол 17-М ООО Литейный завод 2026-03-15"; characters a file name
// cannot hold become spaces, and an empty part is left out.
[[nodiscard]] QString ProposedFileName(const QString& what, const QString& organisation,
                                       const QDate& day);

}  // namespace lmr

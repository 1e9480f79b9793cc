#pragma once

#include <QString>

namespace lmr {

// `lmr --protocol SURVEY.lmrs --pdf OUT.pdf --xlsx OUT.xlsx`: what to write, from where.
struct ProtocolCommand {
    QString survey;
    QString pdf;   // empty: no PDF
    QString xlsx;  // empty: no workbook
};

// Writes the protocol of a saved survey without a window (the offscreen platform where none is
// chosen, so no display is needed). Returns 0, or 1 after saying on standard error, in Russian,
// what was refused and why; what could be written is written.
[[nodiscard]] int RunProtocolCommand(const ProtocolCommand& command, const char* program);

}  // namespace lmr

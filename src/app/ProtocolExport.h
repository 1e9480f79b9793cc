#pragma once

#include <QString>
#include <functional>

#include "export/ExportMessage.h"

namespace lmr {

// Where the main window's protocols go and what opens one once written.
struct ProtocolExport {
    // Where the files go; empty: the user's documents folder. Made when missing.
    QString documentsDir;
    // Opens a written file; false when no program took it. Empty: the desktop's default program.
    std::function<bool(const QString& path)> open;
};

}  // namespace lmr

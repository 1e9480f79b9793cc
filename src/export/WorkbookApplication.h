#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

#include "export/Automation.h"
#include "export/ExportMessage.h"
#include "export/Uxls.h"

namespace lmr {

struct WorkbookSettings {
    // Where the files go; empty: the user's documents folder. Made when missing.
    QString documentsDir;
    // Texts that read as numbers in this locale are stored as numbers.
    QLocale locale;
    // Opens a written file; false when no program took it. Empty: the
    // desktop's default program.
    std::function<bool(const QString& path)> open;
    // Told the path of every file written.
    std::function<void(const QString& path)> saved;
    // Shown when no program opened a file (the file stays).
    MessageSink showMessage;
};

// The spreadsheet application in this process: the object model the protocol
// is written through ("WorkBooks", "WorkSheets", "Range", "Cells", ...). The
// workbook added last is written to a new .xlsx file when the application becomes
// visible, then opened. Member names are matched without regard to case.
class WorkbookApplication {
public:
    // Throws DocumentsFolderError when the documents folder cannot be made or written.
    [[nodiscard]] static Automation Create(const WorkbookSettings& settings);
    [[nodiscard]] static ApplicationFactory Factory(const WorkbookSettings& settings);
};

// "Протокол 2026-12-08 14-05-33.xlsx" in dir, or "... (2).xlsx" and on when
// a file of that name is there already.
[[nodiscard]] QString UniqueProtocolPath(const QString& dir, const QDateTime& when);

// The user's documents folder.
[[nodiscard]] QString DefaultDocumentsDir();

}  // namespace lmr

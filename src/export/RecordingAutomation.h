#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "export/Automation.h"

namespace lmr {

// One late-bound call as the application saw it.
struct RecordedCall {
    enum class Kind { Create, Get, Set, Call };
    QString path;  // the object called on: App, App.WorkSheets(1).Cells(3,1), ...
    Kind kind = Kind::Get;
    QString member;
    VariantList args;  // Get: its arguments; Set: the one value; Create, Call: none
    bool failed = false;

    // "App.WorkSheets(1): get Cells(3,1)", "...: set Value = \"23.4\"", "App: call add".
    [[nodiscard]] QString toString() const;
};

// A stand-in application for tests: accepts every member, records every call
// in order and fails the calls it was told to fail. Objects it hands out share
// one log, so the log is the whole conversation of an export.
class RecordingAutomation {
public:
    RecordingAutomation();

    // A new application object (path "App"); recorded as a Create call.
    // Throws AutomationError when creation was told to fail.
    [[nodiscard]] Automation Create();

    // Fails the n-th call (1-based) of the member, or every one for n = 0.
    void FailMember(const QString& member, int occurrence = 0);
    // Fails the call at this 0-based index of the log.
    void FailCallAt(int index);
    void FailCreate() { FailMember(QStringLiteral("Create"), 0); }

    [[nodiscard]] const std::vector<RecordedCall>& calls() const;
    // The log as text lines, one per call (RecordedCall::toString).
    [[nodiscard]] QStringList lines() const;
    void ClearLog();

    struct Log;

private:
    std::shared_ptr<Log> log_;
};

}  // namespace lmr

#include "export/RecordingAutomation.h"

#include <map>

namespace lmr {

struct RecordingAutomation::Log {
    std::vector<RecordedCall> calls;
    std::map<QString, int> seen;  // calls so far per member
    std::vector<std::pair<QString, int>> memberFailures;
    std::vector<int> indexFailures;

    // Records the call and throws when it is one to fail.
    void record(RecordedCall call) {
        const int index = static_cast<int>(calls.size());
        const int occurrence = ++seen[call.member];
        bool fail = false;
        for (const auto& [member, n] : memberFailures) {
            if (member == call.member && (n == 0 || n == occurrence)) fail = true;
        }
        for (int i : indexFailures) {
            if (i == index) fail = true;
        }
        call.failed = fail;
        const QString member = call.member;
        calls.push_back(std::move(call));
        if (fail) throw AutomationError(QStringLiteral("Сбой вызова \"%1\".").arg(member));
    }
};

namespace {

class RecordingObject final : public AutomationObject {
public:
    RecordingObject(std::shared_ptr<RecordingAutomation::Log> log, QString path)
        : log_(std::move(log)), path_(std::move(path)) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        log_->record({path_, RecordedCall::Kind::Get, name, args});
        return std::make_shared<RecordingObject>(
            log_, path_ + QLatin1Char('.') + name + DisplayArguments(args));
    }
    void setProperty(const QString& name, const Variant& value) override {
        log_->record({path_, RecordedCall::Kind::Set, name, {value}});
    }
    void callMethod(const QString& name) override {
        log_->record({path_, RecordedCall::Kind::Call, name, {}});
    }

private:
    std::shared_ptr<RecordingAutomation::Log> log_;
    QString path_;
};

}  // namespace

QString RecordedCall::toString() const {
    switch (kind) {
        case Kind::Create:
            return QStringLiteral("create ") + path;
        case Kind::Get:
            return path + QStringLiteral(": get ") + member + DisplayArguments(args);
        case Kind::Set:
            return path + QStringLiteral(": set ") + member + QStringLiteral(" = ") +
                   (args.empty() ? QString() : args.front().toDisplay());
        case Kind::Call:
            break;
    }
    return path + QStringLiteral(": call ") + member;
}

RecordingAutomation::RecordingAutomation() : log_(std::make_shared<Log>()) {}

Automation RecordingAutomation::Create() {
    const QString path = QStringLiteral("App");
    log_->record({path, RecordedCall::Kind::Create, QStringLiteral("Create"), {}});
    return Automation(std::make_shared<RecordingObject>(log_, path));
}

void RecordingAutomation::FailMember(const QString& member, int occurrence) {
    log_->memberFailures.emplace_back(member, occurrence);
}

void RecordingAutomation::FailCallAt(int index) {
    log_->indexFailures.push_back(index);
}

const std::vector<RecordedCall>& RecordingAutomation::calls() const {
    return log_->calls;
}

QStringList RecordingAutomation::lines() const {
    QStringList out;
    for (const RecordedCall& c : log_->calls) out << c.toString();
    return out;
}

void RecordingAutomation::ClearLog() {
    log_->calls.clear();
    log_->seen.clear();
}

}  // namespace lmr

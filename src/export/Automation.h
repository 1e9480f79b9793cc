#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

#include "export/Variant.h"

namespace lmr {

// A failed late-bound call: an unknown member, a wrong argument, an object
// that refuses the call. The message is shown to the user as it is.
class AutomationError : public std::runtime_error {
public:
    explicit AutomationError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    [[nodiscard]] const QString& message() const { return message_; }

private:
    QString message_;
};

// The spreadsheet application is there but has nowhere to put its files: the message says
// which folder and why, where "no application" would send the user looking for a program.
class DocumentsFolderError : public AutomationError {
public:
    using AutomationError::AutomationError;
};

// An object of the spreadsheet's object model, reached by member name at run
// time. Implementations throw AutomationError for an unknown member or argument.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    virtual std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                          const VariantList& args) = 0;
    virtual void setProperty(const QString& name, const Variant& value) = 0;
    virtual void callMethod(const QString& name) = 0;
};

// An object reference or empty, copied freely; copies share the object.
// Every call on an empty reference throws AutomationError.
class Automation {
public:
    Automation() = default;
    explicit Automation(std::shared_ptr<AutomationObject> object) : object_(std::move(object)) {}

    [[nodiscard]] bool IsEmpty() const { return !object_; }
    void Clear() { object_.reset(); }

    // GetProperty("Cells", 3, 1), GetProperty("Range", "A2:K2"), GetProperty("Interior").
    template <typename... Args>
    [[nodiscard]] Automation GetProperty(const QString& name, const Args&... args) const {
        return GetPropertyWith(name, VariantList{Variant(args)...});
    }
    [[nodiscard]] Automation GetPropertyWith(const QString& name, const VariantList& args) const;
    void SetProperty(const QString& name, const Variant& value) const;
    void CallMethod(const QString& name) const;

    [[nodiscard]] AutomationObject* object() const { return object_.get(); }
    friend bool operator==(const Automation& a, const Automation& b) {
        return a.object_ == b.object_;
    }

private:
    AutomationObject& target(const QString& name) const;

    std::shared_ptr<AutomationObject> object_;
};

}  // namespace lmr

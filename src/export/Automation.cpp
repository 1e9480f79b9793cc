#include "export/Automation.h"

#include "export/ExportTexts.h"

namespace lmr {

AutomationObject& Automation::target(const QString& name) const {
    if (!object_) throw AutomationError(NoObjectText(name));
    return *object_;
}

Automation Automation::GetPropertyWith(const QString& name, const VariantList& args) const {
    return Automation(target(name).getProperty(name, args));
}

void Automation::SetProperty(const QString& name, const Variant& value) const {
    target(name).setProperty(name, value);
}

void Automation::CallMethod(const QString& name) const {
    target(name).callMethod(name);
}

}  // namespace lmr

#include "export/Variant.h"

#include <QStringList>

namespace lmr {

QString Variant::toDisplay() const {
    switch (kind()) {
        case Kind::Integer:
            return QString::number(toInteger());
        case Kind::Boolean:
            return toBoolean() ? QStringLiteral("true") : QStringLiteral("false");
        case Kind::Text:
            break;
    }
    return QLatin1Char('"') + toText() + QLatin1Char('"');
}

QString DisplayArguments(const VariantList& args) {
    if (args.empty()) return {};
    QStringList parts;
    for (const Variant& a : args) parts << a.toDisplay();
    return QLatin1Char('(') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

}  // namespace lmr

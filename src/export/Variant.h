#pragma once

#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace lmr {

// One argument of a late-bound call: a 32-bit integer, a boolean or a text,
// the three kinds the spreadsheet's object model is driven with.
class Variant {
public:
    enum class Kind { Integer, Boolean, Text };

    Variant(std::int32_t value) : value_(value) {}
    Variant(bool value) : value_(value) {}
    Variant(const QString& value) : value_(value) {}
    // A literal is text, never a boolean (a pointer would otherwise convert to bool).
    Variant(const char* value) : value_(QString::fromUtf8(value)) {}

    [[nodiscard]] Kind kind() const { return static_cast<Kind>(value_.index()); }
    [[nodiscard]] bool isInteger() const { return kind() == Kind::Integer; }
    [[nodiscard]] bool isBoolean() const { return kind() == Kind::Boolean; }
    [[nodiscard]] bool isText() const { return kind() == Kind::Text; }
    // The value of the kind asked for; the caller checks the kind first.
    [[nodiscard]] std::int32_t toInteger() const { return std::get<std::int32_t>(value_); }
    [[nodiscard]] bool toBoolean() const { return std::get<bool>(value_); }
    [[nodiscard]] const QString& toText() const { return std::get<QString>(value_); }
    // The value as written in a call log: 17, true, "A2:K2".
    [[nodiscard]] QString toDisplay() const;

    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

private:
    std::variant<std::int32_t, bool, QString> value_;
};

using VariantList = std::vector<Variant>;

// The arguments as written in a call log: (1,5) or ("A2:K2"); empty for none.
[[nodiscard]] QString DisplayArguments(const VariantList& args);

}  // namespace lmr

#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace lmr {

// How an operation on files, the survey or the export ended: done, or failed with the text the
// user is shown (it names the file and says why; it may be empty where there is nothing to
// say, as for an item that is no longer there). The meter's jobs end with a MeterStatus.
struct Outcome {
    bool ok = true;
    QString text;

    [[nodiscard]] static Outcome Ok() { return {}; }
    [[nodiscard]] static Outcome Failed(QString text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

// A value an operation made, or the outcome that says why there is none.
template <class T>
struct Valued {
    std::optional<T> value;
    Outcome outcome;

    Valued(T v) : value(std::move(v)) {}  // NOLINT: made, implicitly
    Valued(Outcome failed) : outcome(std::move(failed)) {  // NOLINT: failed, implicitly
        outcome.ok = false;
    }
    explicit operator bool() const { return value.has_value(); }
    [[nodiscard]] T value_or(T otherwise) const { return value.value_or(std::move(otherwise)); }
    T& operator*() { return *value; }
    const T& operator*() const { return *value; }
    T* operator->() { return &*value; }
    const T* operator->() const { return &*value; }
};

}  // namespace lmr

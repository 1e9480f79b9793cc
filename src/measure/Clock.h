#pragma once

#include <QDateTime>

namespace lmr {

// Where the program takes the local date and time from. Everything that reads
// the clock (clock fields, time-of-day texts, the measurement time window)
// asks this, so tests run every timer path on a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;
};

// The computer's local clock.
class SystemClock final : public Clock {
public:
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set or moved on.
class TestClock final : public Clock {
public:
    explicit TestClock(QDateTime start) : now_(std::move(start)) {}
    [[nodiscard]] QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceSeconds(qint64 s) { now_ = now_.addSecs(s); }

private:
    QDateTime now_;
};

// The process-wide clock: the system clock unless a test installed another.
[[nodiscard]] Clock& appClock();
// Installs a clock (nullptr puts the system clock back); the caller keeps ownership.
void setAppClock(Clock* clock);

}  // namespace lmr

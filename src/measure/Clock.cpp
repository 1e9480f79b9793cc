#include "measure/Clock.h"

namespace lmr {

namespace {
SystemClock systemClock;
Clock* current = &systemClock;
}  // namespace

Clock& appClock() { return *current; }

void setAppClock(Clock* clock) { current = clock ? clock : &systemClock; }

}  // namespace lmr

#include <gtest/gtest.h>

#include "measure/CriticalLevel.h"
#include "measure/NumberText.h"

namespace lmr {
namespace {

// A limit as the options window keeps it for the text of its edit: no limit when it is no number.
std::optional<double> L(const char* text) {
    return ParseDecimal(QString::fromUtf8(text));
}

TEST(CriticalLevel, LimitsOfTheEditsAsNumbers) {
    struct Case {
        float value;
        bool ticked;
        const char* max;
        const char* min;
        LimitHit hit;
    };
    const Case cases[] = {
        // The start texts "0.0" alarm every reading: max first, min below it.
        {-40.0f, true, "0.0", "0.0", LimitHit::Min},
        {0.0f, true, "0.0", "0.0", LimitHit::Max},
        {0.1f, true, "0.0", "0.0", LimitHit::Max},
        {6553.5f, true, "0.0", "0.0", LimitHit::Max},
        {-1.0f, true, "0.0", "0.0", LimitHit::Min},
        // Unticked never alarms.
        {100.0f, false, "abc", "0.0", LimitHit::None},
        // Inclusive both ways; crossed limits: both hold, the max test wins.
        {25.0f, true, "30", "20", LimitHit::None},
        {30.0f, true, "30", "20", LimitHit::Max},
        {20.0f, true, "30", "20", LimitHit::Min},
        {29.9f, true, "30", "20", LimitHit::None},
        {20.1f, true, "30", "20", LimitHit::None},
        {25.0f, true, "20", "30", LimitHit::Max},
        // Point or comma; a limit that is no number leaves the other one working.
        {25.5f, true, "25,5", "0", LimitHit::Max},
        {25.5f, true, "25.5", "0", LimitHit::Max},
        {25.4f, true, "25,5", "-10", LimitHit::None},
        {100.0f, true, "abc", "-10", LimitHit::None},
        {-20.0f, true, "abc", "-10", LimitHit::Min},
        {40.0f, true, "35", "", LimitHit::Max},
        {-40.0f, true, "35", "", LimitHit::None},
        {0.0f, true, "", "", LimitHit::None},
        // The unrounded single-precision value: 29.96 shows as 30 but is below a max of 30, and
        // the float nearest 25.4 lies below the decimal 25.4.
        {29.96f, true, "30", "0", LimitHit::None},
        {25.4f, true, "25.4", "0", LimitHit::None},
    };
    for (const Case& c : cases) {
        const LimitCheck r = CheckLimit(c.value, c.ticked, L(c.max), L(c.min));
        EXPECT_EQ(r.hit, c.hit) << c.value << " max " << c.max << " min " << c.min;
        EXPECT_EQ(r.alarm, c.hit != LimitHit::None) << c.value;
    }
}

}  // namespace
}  // namespace lmr

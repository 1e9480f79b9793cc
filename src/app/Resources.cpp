#include "app/Resources.h"

#include <QtGlobal>

static void InitLmrResources() { Q_INIT_RESOURCE(lmr); }

namespace lmr {

void InitResources() {
    static const bool done = [] {
        InitLmrResources();
        return true;
    }();
    (void)done;
}

}  // namespace lmr

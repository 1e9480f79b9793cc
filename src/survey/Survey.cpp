#include "survey/Survey.h"

namespace lmr {

std::vector<double> StandardHeights(Posture posture) {
    return posture == Posture::Sitting ? std::vector<double>{0.1, 1.0}
                                       : std::vector<double>{0.1, 1.5};
}

}  // namespace lmr

#include "measure/HeatStress.h"

#include <cmath>

#include "measure/NumberText.h"

namespace lmr {

namespace {

using Ext = long double;  // 80-bit on x86-64, the precision the formulas were made in

// The constants with the exact values and types the instrument's program used;
// changing a type moves ties such as ТНС 21.95 and 13.45 to the other side.
constexpr double kTvtSlopeRh = 0.00381;
constexpr double kTvtSlope = 0.6360000000000001;  // one unit in the last place above 0.636
constexpr double kTvtRh = 0.0546;
constexpr double kPercent = 0.01;
constexpr float kTvtHalf = 0.5f;
constexpr float kTvtFour = 4.0f;
constexpr double kTvtOffset = 4.94;
constexpr Ext kMagnusInvB = 0.057128819775712251484L;  // 1 / 17.5043
constexpr double kMagnusC = 241.2;
constexpr double kTenth = 0.1;
constexpr double kKelvin = 273.2;
constexpr float kGlobeFactor = 4.8e7f;
constexpr double kSigmaMantissa = 567;
constexpr double kSigmaScale = 1e-8;

Ext FourthRoot(Ext x) {
    return std::sqrt(std::sqrt(x));
}

}  // namespace

HeatStress DeriveHeatStress(float rh, float tv, float tsf) {
    HeatStress r;
    const Ext erh = rh;
    const Ext etv = tv;

    const Ext humid = kPercent * erh - kTvtHalf;
    const Ext tvt = (kTvtSlopeRh * erh + kTvtSlope) * etv + kTvtRh * erh -
                    kTvtFour * (humid * humid) - kTvtOffset;
    r.tvt = static_cast<float>(RoundToTenth(static_cast<double>(tvt)));

    if (rh != 0) {
        const Ext a = std::log1p(kPercent * erh - 1) * kMagnusInvB + etv / (etv + kMagnusC);
        r.ttr = static_cast<float>(kMagnusC * a / (1 - a));
    }

    const Ext etvt = r.tvt;
    const Ext etsf = tsf;
    r.ths = static_cast<float>((7 * etvt + 3 * etsf) * kTenth);
    r.wbgt = static_cast<float>((7 * etvt + 2 * etsf + etv) * kTenth);

    r.tg = tsf < tv ? tv : tsf;
    const Ext etg = r.tg;
    const Ext globe = std::pow(etg + kKelvin, Ext{4.0}) +
                      kGlobeFactor * FourthRoot(std::pow(etg - etv, Ext{5.0}));
    r.trad = static_cast<float>(FourthRoot(globe) - kKelvin);

    const Ext etrad = r.trad;
    const Ext flux = std::pow(etrad + kKelvin, Ext{4.0}) - std::pow(etv + kKelvin, Ext{4.0});
    r.w = static_cast<float>(flux * kPercent * kSigmaMantissa * kSigmaScale);
    return r;
}

}  // namespace lmr

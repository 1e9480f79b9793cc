#pragma once

#include <array>

namespace lmr {

// The nine quantities of a reading, in the order of the reading tables' columns 1…9.
enum class Quantity { Ths, Wbgt, Rh, Tv, Tsf, Tvt, Ttr, Trad, W };
inline constexpr int kQuantityCount = 9;

inline constexpr std::array<Quantity, kQuantityCount> kAllQuantities = {
    Quantity::Ths, Quantity::Wbgt, Quantity::Rh,   Quantity::Tv, Quantity::Tsf,
    Quantity::Tvt, Quantity::Ttr,  Quantity::Trad, Quantity::W};

[[nodiscard]] constexpr const std::array<Quantity, kQuantityCount>& AllQuantities() {
    return kAllQuantities;
}

}  // namespace lmr

#pragma once

#include <optional>

namespace lmr {

// The quantities derived from one set of the instrument's three channels.
// Every value is held in single precision, as the instrument's program always did;
// callers round to 0.1 for display (RoundToTenth).
struct HeatStress {
    float tvt = 0;             // wet-bulb temperature, already rounded to 0.1
    std::optional<float> ttr;  // dew point; absent when RH is exactly 0
    float ths = 0;             // heat-stress index (ТНС)
    float wbgt = 0;            // WBGT
    float tg = 0;              // effective globe temperature: tсф, raised to tв when lower
    float trad = 0;            // radiant temperature
    float w = 0;               // irradiance, W/m²
};

// Derives the heat-stress quantities from RH (%), dry-bulb tв and globe tсф (°C).
// Pure; no range check (the channels reach 6553.5).
[[nodiscard]] HeatStress DeriveHeatStress(float rh, float tv, float tsf);

}  // namespace lmr

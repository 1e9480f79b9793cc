#pragma once

#include <QString>
#include <functional>

namespace lmr {

// The two display faces the program carries in its resources: the
// seven-segment readout of the value labels and the drawing face.
struct DisplayFont {
    const char* resource;  // path in the program's resources
    const char* face;      // family name the font registers
};
inline constexpr DisplayFont kDrawingFont{":/fonts/osifont.ttf", "osifont"};
// The seven-segment face with its decimal point standing in for the comma, made at build time.
inline constexpr DisplayFont kReadoutFont{":/fonts/LMRReadout-Bold.ttf", "LMR Readout"};

// Face used by the value labels when the readout font is missing.
inline constexpr const char* kReadoutFallbackFace = "Monospace";

// True when the face name stands anywhere in the list of installed font
// names (one per line); a longer name holding it counts.
[[nodiscard]] bool FontListHasFace(const QString& installed, const QString& face);

// Registers one font from its resource; returns false when it cannot be.
using FontRegistrar = std::function<bool(const DisplayFont&)>;
[[nodiscard]] bool RegisterFontFromResource(const DisplayFont& font);

// Registers every display font that the installed list lacks, drawing face
// first. A font that fails to register is skipped; start-up goes on.
// Returns the face the value labels are to use.
QString InstallDisplayFonts(const QString& installed, const FontRegistrar& registrar);

// The installed font names, one per line.
[[nodiscard]] QString InstalledFontList();

}  // namespace lmr

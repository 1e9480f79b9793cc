#pragma once

namespace lmr {

// Makes the program's carried resources (fonts, pictures) reachable; the
// library that holds them is linked statically, so they are registered by hand.
void InitResources();

}  // namespace lmr

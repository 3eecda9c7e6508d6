#pragma once
// Colour values resolved against the platform: a reference to a system colour slot becomes the
// colour the platform shows for it now. The colour arithmetic of skin loading works on resolved
// values.

#include "skin/model/colour.h"
#include "skin/model/skin_objects.h"

namespace tw {

// A system colour reference becomes the platform's current colour; other values keep their
// red, green and blue.
TColor ColorToRGB(TColor colour);

// Mixes two colours channel by channel with weight w for c1 (out of 100 when w is below 100,
// out of 1000 otherwise).
TColor MixColour(TColor c1, TColor c2, int weight);

// A skin colour slot as the pixel the platform shows for it now.
Pixel SkinPixel(const SkinModel& skin, SkinColour slot);

} // namespace tw

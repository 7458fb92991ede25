#pragma once

#include "images.h"

// The ten species as the dialogs show them: each fish seen from its left side, nose to the left,
// painted in the colours and markings of its skin.

namespace veltamar::assetgen {

// Paints species 0..9 over the picture with soft edges: fins, body, lips, pectoral fin and eye.
// (centreX, centreY) is the centre of the fish's outline and height the pixels from the tip of
// the dorsal fin to the tip of the anal fin (the fish is about two thirds as long as that).
void paintFishPortrait(RgbaImage& image, int species, double centreX, double centreY, double height);

}  // namespace veltamar::assetgen

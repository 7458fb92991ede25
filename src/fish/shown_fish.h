#pragma once

#include <GL/gl.h>

#include <array>

#include "fish/fish_population.h"

// The fish step of a frame: every shown record, in index order, drawn at its position in its
// species' skin (and advanced one frame by the drawing).

namespace veltamar {

void drawShownFish(FishTable& fish, const SpeciesCounts& counts, int revealCount, const GLuint* fishTextures);

}  // namespace veltamar

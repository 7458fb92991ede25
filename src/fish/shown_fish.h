#pragma once

#include <GL/gl.h>

#include <span>

#include "environment/food_pellet.h"
#include "fish/fish_population.h"

// The fish step of a frame: every shown record, in index order, drawn at its position in its
// species' skin (and advanced one frame by the drawing), then steered by the food near it and by
// the fish it touches.

namespace veltamar {

void drawShownFish(FishTable& fish, const SpeciesCounts& counts, int revealCount, const GLuint* fishTextures,
                   std::span<FoodPellet> pellets = {}, bool feedToolChosen = false);

}  // namespace veltamar

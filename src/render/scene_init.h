#pragma once

#include "render/scene_state.h"
#include "render/view_state.h"

// One-time construction of the scene, run by a shell once its OpenGL context is current.

namespace veltamar {

// Sets the fixed OpenGL state, stores the screen size, fixes the tank bounds and builds every
// scene object; the built-in pictures pass through the resource directory (the data directory
// unless the shell named another). When it cannot be used, "Error Find TempPath." is shown and only
// the context-level state and bounds are set up.
void initialiseScene(SceneState& scene, ViewState& view, int screenWidth, int screenHeight);

// Fits a scene to a picture of another size without building it again: the stored size, the tank
// bounds and everything laid out from them (the backdrop surface, the pick grids, the sea floor
// with the bubble emitters on it, the fish's vertical bounds) and the ripple mesh. The fish,
// bubbles, pellets, textures and settings stay as they are. The context must be current.
void fitSceneToSize(SceneState& scene, ViewState& view, int width, int height);

// The fixed OpenGL state of the scene, in the order it is set.
void setFixedGlState();

}  // namespace veltamar

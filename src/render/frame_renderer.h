#pragma once

#include "render/scene_state.h"
#include "render/view_state.h"

// Drawing of one frame of the aquarium. There is no simulation clock: every animated element
// advances by one step per drawn frame.

namespace veltamar {

// What a frame needs from the window that shows it.
class FrameHost {
  public:
    virtual ~FrameHost() = default;
    virtual void hideCursor() = 0;
    virtual void swapBuffers() = 0;
};

// True when a surface of the given colour (red, green, blue from 0 to 1) comes out white in every
// channel under the scene light at this light setting, whatever its normal: the light's ambient
// part and the lighting model's ambient (0.2) alone reach full strength, and lit colours are
// clamped to it.
bool sceneLightIsWhite(int lightSetting, const float (&colour)[3]);

// Draws and presents one frame. Does nothing when the scene has no OpenGL context.
void drawFrame(SceneState& scene, ViewState& view, FrameHost& host);

}  // namespace veltamar

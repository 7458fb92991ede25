#pragma once

#include <string>

#include "render/scene_state.h"
#include "render/view_state.h"

// What the benchmark's user does: how many fish swim, which tool is chosen, and the mouse moves
// and clicks of that tool, the same in every run.

namespace veltamar {

class BenchScenario {
public:
    BenchScenario(const std::string& tool, int fish, SceneState& scene, ViewState& view);

    // Mouse input before frame number `frame`.
    void beforeFrame(int frame);

private:
    SceneState& scene;
    ViewState& view;
};

}  // namespace veltamar

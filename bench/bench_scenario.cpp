#include "bench_scenario.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "settings/live_settings.h"

namespace veltamar {

BenchScenario::BenchScenario(const std::string& tool, int fish, SceneState& scene, ViewState& view)
    : scene(scene), view(view) {
    for (int s = 0; s < SPECIES_COUNT; ++s)
        liveSettings.speciesCounts[s] = fish / SPECIES_COUNT + (s < fish % SPECIES_COUNT);
    if (tool == "none") {
        view.toolMode = TOOL_NONE;
    } else if (tool == "feed") {
        view.toolMode = TOOL_FEED;
    } else if (tool == "swirl") {
        view.toolMode = TOOL_SWIRL;
    } else if (tool == "ripple") {
        view.toolMode = TOOL_RIPPLE;
    } else if (tool == "point") {
        view.toolMode = TOOL_POINT;
    } else if (tool == "touch") {
        view.toolMode = TOOL_TOUCH;
    } else if (tool == "zoomin") {
        view.toolMode = TOOL_ZOOM_IN;
    } else if (tool == "zoomout") {
        view.toolMode = TOOL_ZOOM_OUT;
    } else {
        std::fprintf(stderr, "veltamar-bench: unknown tool %s\n", tool.c_str());
        std::exit(2);
    }
}

void BenchScenario::beforeFrame(int frame) {
    // The pointer circles the middle of the view, twice a second at 64 frames per second.
    const double angle = frame * 0.2;
    const int x = view.screenWidth / 2 + static_cast<int>(view.screenWidth * 0.3 * std::cos(angle));
    const int y = view.screenHeight / 2 + static_cast<int>(view.screenHeight * 0.3 * std::sin(angle));
    mouseMoved(view, x, y);
    // Feed, point, touch and zoom: a click every 12 frames.
    if (view.toolMode != TOOL_NONE && view.toolMode != TOOL_SWIRL && view.toolMode != TOOL_RIPPLE &&
        frame % 12 == 0) {
        leftButtonDown(view, x, y);
        leftButtonUp(view);
    }
    // A new ring every 15 frames, as the view adds one for a click.
    if (view.toolMode == TOOL_RIPPLE && frame % 15 == 0 && leftButtonDown(view, x, y) && scene.rippleMesh) {
        addRipple(*scene.rippleMesh, x, view.screenHeight - y);
        leftButtonUp(view);
    }
}

}  // namespace veltamar

#include "bench_scenario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "settings/live_settings.h"

namespace veltamar {

BenchScenario::BenchScenario(const std::string& tool, int fish, SceneState& scene, ViewState& view)
    : scene(scene), view(view) {
    for (int s = 0; s < SPECIES_COUNT; ++s)
        liveSettings.speciesCounts[s] = fish / SPECIES_COUNT + (s < fish % SPECIES_COUNT);
    static constexpr struct {
        const char* name;
        int mode;
    } TOOLS[] = {{"none", TOOL_NONE},      {"feed", TOOL_FEED},       {"swirl", TOOL_SWIRL},
                 {"ripple", TOOL_RIPPLE},  {"point", TOOL_POINT},     {"touch", TOOL_TOUCH},
                 {"zoomin", TOOL_ZOOM_IN}, {"zoomout", TOOL_ZOOM_OUT}};
    const auto chosen =
        std::find_if(std::begin(TOOLS), std::end(TOOLS), [&](const auto& t) { return tool == t.name; });
    if (chosen == std::end(TOOLS)) {
        std::fprintf(stderr, "veltamar-bench: unknown tool %s\n", tool.c_str());
        std::exit(2);
    }
    view.toolMode = chosen->mode;
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

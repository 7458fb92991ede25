// Cost of the fish step of a frame: fifty fish drawn in immediate mode at 1024 x 768 in an
// offscreen context (Mesa's software renderer on machines without a GPU). Prints the median over
// the measured frames of the time spent issuing the fish (drawShownFish), of that plus glFinish,
// and of the process CPU time for both (which includes a threaded rasteriser's work).

#include <GL/gl.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fish/shown_fish.h"
#include "offscreen_context.h"
#include "render/camera.h"
#include "render/scene_init.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    char pattern[] = "/tmp/veltamar-bench-XXXXXX";
    const std::string data = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", data.c_str(), 1);

    gltest::OffscreenContext gl(1024, 768);
    if (!gl.ok()) {
        std::fprintf(stderr, "no OpenGL context\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);
    glDisable(GL_FOG);
    liveSettings.speciesCounts = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5};

    std::vector<double> issue, withFinish, cpu;
    for (int frame = 0; frame < frames + 30; ++frame) {
        applyFrameCamera(1024, 768, scene.eyeZOffset);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        glFinish();
        const double wall0 = seconds(CLOCK_MONOTONIC), cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        drawShownFish(scene.fish, liveSettings.speciesCounts, 50, scene.fishTextures.data());
        const double wall1 = seconds(CLOCK_MONOTONIC);
        glFinish();
        const double wall2 = seconds(CLOCK_MONOTONIC), cpu2 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        glDisable(GL_LIGHTING);
        if (frame < 30) continue;  // warm-up
        issue.push_back((wall1 - wall0) * 1e3);
        withFinish.push_back((wall2 - wall0) * 1e3);
        cpu.push_back((cpu2 - cpu0) * 1e3);
    }
    std::printf("50 fish, %d frames at 1024 x 768, median per frame:\n", frames);
    std::printf("  issuing the fish (drawShownFish)     %.2f ms\n", median(issue));
    std::printf("  issuing and finishing (glFinish)     %.2f ms\n", median(withFinish));
    std::printf("  process CPU time for both            %.2f ms\n", median(cpu));
    std::filesystem::remove_all(data);
    return 0;
}

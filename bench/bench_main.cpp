// Frame-cost benchmark: the program's own scene initialisation and frame drawing in a real GLX
// window of a given size, with frame pacing off, printing one line of medians.
//
// usage: veltamar-bench --size WxH --fish N [--tool none|feed|swirl|ripple|point|touch|zoomin|zoomout]
//                       [--frames F] [--runs R] [--snapshot FILE.ppm] [--setting "KEY=VALUE"]...
//                       [--headless 1] [--egl-platform any|device|surfaceless] [--print-renderer 1]
// --headless draws into an EGL pbuffer instead of a GLX window, without an X server: on a GPU
// through the EGL device platform where there is one, else through Mesa's surfaceless platform
// (--egl-platform chooses). --print-renderer prints the OpenGL renderer and how the context was
// made, and ends.
// --snapshot keeps the last frame: every run of the same options draws the same frames, so two
// builds can be compared pixel for pixel. --setting sets one of the aquarium's settings by its key
// in the settings file (say "LIGHTQIANGDU=60" or "BACK MANJIANBIAN=1") after the settings are read.

#include <GL/gl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_scenario.h"
#include "platform/heap_tuning.h"
#include "render/egl_pbuffer.h"
#include "render/frame_renderer.h"
#include "render/glx_window.h"
#include "render/scene_init.h"
#include "settings/aquarium_keys.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double wallMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0);
}

// Presents on the window or pbuffer; when asked, first keeps the finished frame from the buffer
// drawn to (the front buffer of a window on Xvfb reads back black with the software renderer).
class SnapshotHost : public FrameHost {
  public:
    SnapshotHost(FrameHost& target, int width, int height) : target(target), width(width), height(height) {}
    void hideCursor() override { target.hideCursor(); }
    void swapBuffers() override {
        if (!pending.empty()) {
            writeDrawnBuffer(pending);
            pending.clear();
        }
        target.swapBuffers();
    }
    // The next frame presented is written to path as a PPM picture.
    void keepNextFrame(const std::string& path) { pending = path; }

  private:
    void writeDrawnBuffer(const std::string& path) const {
        std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
        GLint drawn = GL_BACK;
        glGetIntegerv(GL_DRAW_BUFFER, &drawn);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(static_cast<GLenum>(drawn));
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fprintf(out, "P6\n%d %d\n255\n", width, height);
            for (int y = height - 1; y >= 0; --y)
                std::fwrite(&rgb[static_cast<std::size_t>(y) * width * 3], 3, width, out);
            std::fclose(out);
        }
    }
    FrameHost& target;
    int width, height;
    std::string pending;
};

struct Options {
    int width = 1024;
    int height = 768;
    int fish = 50;
    std::string tool = "none";
    int frames = 300;
    int runs = 5;
    std::string snapshot;
    std::vector<std::string> settings;
    bool headless = false;
    std::string eglPlatform = "any";
    bool printRenderer = false;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--size") std::sscanf(value, "%dx%d", &o.width, &o.height);
        if (key == "--fish") o.fish = std::atoi(value);
        if (key == "--tool") o.tool = value;
        if (key == "--frames") o.frames = std::atoi(value);
        if (key == "--runs") o.runs = std::atoi(value);
        if (key == "--snapshot") o.snapshot = value;
        if (key == "--setting") o.settings.emplace_back(value);
        if (key == "--headless") o.headless = std::atoi(value) != 0;
        if (key == "--egl-platform") o.eglPlatform = value;
        if (key == "--print-renderer") o.printRenderer = std::atoi(value) != 0;
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    keepFrameMemoryInHeap();  // as the program does
    const double startWall = wallMs();
    const Options options = parse(argc, argv);

    char home[] = "/tmp/veltamar-bench-XXXXXX";
    if (!mkdtemp(home)) return 1;
    setenv("XDG_CONFIG_HOME", home, 1);

    std::string problem;
    std::unique_ptr<FrameHost> target;
    std::string madeThrough = "glx";
    if (options.headless) {
        const EglPbuffer::Platform platform = options.eglPlatform == "device" ? EglPbuffer::Platform::Device
                                              : options.eglPlatform == "surfaceless"
                                                  ? EglPbuffer::Platform::Surfaceless
                                                  : EglPbuffer::Platform::Any;
        auto pbuffer = EglPbuffer::create(options.width, options.height, platform, problem);
        if (pbuffer) madeThrough = "egl-" + pbuffer->platformName();
        target = std::move(pbuffer);
    } else {
        target = GlxWindow::createOwn(options.width, options.height, problem);
    }
    if (!target) {
        std::fprintf(stderr, "veltamar-bench: %s\n", problem.c_str());
        std::filesystem::remove_all(home);
        return 1;
    }
    if (options.printRenderer) {
        GLint depthBits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        std::printf("%s, %s (%s, %d-bit depth)\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                    reinterpret_cast<const char*>(glGetString(GL_VERSION)), madeThrough.c_str(), depthBits);
        std::filesystem::remove_all(home);
        return 0;
    }

    SnapshotHost host(*target, options.width, options.height);
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, options.width, options.height);
    for (const std::string& setting : options.settings) {
        const std::size_t equals = setting.find('=');
        const std::string name = setting.substr(0, equals);
        const auto key = std::find_if(AQUARIUM_KEYS.begin(), AQUARIUM_KEYS.end(),
                                      [&](const AquariumKey& k) { return name == k.name; });
        if (equals == std::string::npos || key == AQUARIUM_KEYS.end()) {
            std::fprintf(stderr, "veltamar-bench: no setting %s\n", setting.c_str());
            return 2;
        }
        setSlotValue(*key, liveSettings, std::atof(setting.c_str() + equals + 1));
    }
    BenchScenario scenario(options.tool, options.fish, scene, view);
    scenario.beforeFrame(0);
    drawFrame(scene, view, host);
    const double startupMs = wallMs() - startWall;

    // Let every fish appear and the tool settle before measuring.
    for (int frame = 1; frame <= 60; ++frame) {
        scenario.beforeFrame(frame);
        drawFrame(scene, view, host);
    }

    std::vector<double> cpuPerFrame, wallPerFrame;
    int frame = 61;
    for (int run = 0; run < options.runs; ++run) {
        const double cpu0 = processCpuMs(), wall0 = wallMs();
        for (int i = 0; i < options.frames; ++i, ++frame) {
            scenario.beforeFrame(frame);
            drawFrame(scene, view, host);
        }
        cpuPerFrame.push_back((processCpuMs() - cpu0) / options.frames);
        wallPerFrame.push_back((wallMs() - wall0) / options.frames);
    }

    // One more frame, kept: every run of the same options draws the same frames.
    if (!options.snapshot.empty()) {
        host.keepNextFrame(options.snapshot);
        scenario.beforeFrame(frame);
        drawFrame(scene, view, host);
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "bench size=%dx%d fish=%d tool=%s frames=%d cpu_ms_per_frame=%.3f wall_ms_per_frame=%.3f "
        "startup_ms=%.1f peak_rss_mb=%.1f\n",
        options.width, options.height, options.fish, options.tool.c_str(), options.frames * options.runs,
        median(cpuPerFrame), median(wallPerFrame), startupMs, usage.ru_maxrss / 1024.0);
    std::filesystem::remove_all(home);
    return 0;
}

#include "saver/saver_session.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "audio/audio_device.h"
#include "audio/builtin_sound.h"
#include "audio/sound_arbiter.h"
#include "environment/slide_show.h"
#include "platform/data_directory.h"
#include "platform/frame_pacer.h"
#include "platform/gl_release.h"
#include "render/glx_window.h"
#include "saver/saver_aquarium.h"
#include "saver/saver_loop.h"
#include "saver/scratch_directory.h"
#include "settings/settings_file.h"

namespace veltamar {

namespace {

double nowMs() {
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int runSaver(const SaverOptions& options) {
    keepSettingsReadOnly();
    ScratchDirectory scratch;
    if (!scratch.path().empty()) useResourceDirectory(scratch.path());
    SaverLoop loop;

    std::string problem;
    std::unique_ptr<GlxWindow> window = GlxWindow::adopt(options.windowId, problem);
    if (!window) {
        std::fprintf(stderr, "veltamar: %s\n", problem.c_str());
        return 1;
    }
    requestSwapSync();

    const auto post = [&loop](std::function<void()> task) { loop.post(std::move(task)); };
    auto aquarium = std::make_unique<SaverAquarium>(*window, window->width(), window->height(),
                                                    window->screenWidth(), window->screenHeight(), post);
    // No music list here to decide: with --sound the built-in music plays.
    if (options.sound) ownMusicOn = false;

    // The aquarium view's pacing: at most one frame per 15.625 ms tick, missed ticks dropped.
    const FramePacer pacer(nowMs());
    double nextFrame = 0.0;
    double nextPictureTick = SlideShow::TICK_MS;
    int shownWidth = window->width();
    int shownHeight = window->height();
    while (!loop.stopRequested()) {
        window->processEvents();
        if (window->gone()) break;
        if (window->width() != shownWidth || window->height() != shownHeight) {
            shownWidth = window->width();
            shownHeight = window->height();
            aquarium->resize(shownWidth, shownHeight);
        }
        loop.runPostedTasks();

        double now = nowMs();
        if (now >= nextPictureTick) {
            aquarium->pictureTick();
            nextPictureTick = std::max(nextPictureTick + SlideShow::TICK_MS, now);
        }
        if (now >= nextFrame) {
            // The window is looked at again just before the frame: the daemon may have ended it.
            window->processEvents();
            if (window->gone()) break;
            aquarium->drawFrame();
            if (options.sound) arbitrateSound();
            now = nowMs();
            nextFrame = now + pacer.timerDelayMs(now);
        }
        const double due = std::min(nextFrame, nextPictureTick) - nowMs();
        loop.wait(static_cast<int>(std::ceil(std::max(due, 0.0))), window->connectionFd());
    }

    if (options.sound) {
        stopBuiltInSound();
        closeAudioDevice();
    }
    // A picture still being read is given up: its helper is killed, not waited for.
    aquarium.reset();
    window.reset();
    return 0;
}

}  // namespace veltamar

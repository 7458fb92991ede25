#include "desktop/output_scene.h"

#include <glib-unix.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <memory>

#include "audio/audio_device.h"
#include "audio/builtin_sound.h"
#include "audio/sound_arbiter.h"
#include "desktop/output_supervisor.h"
#include "environment/slide_show.h"
#include "platform/frame_pacer.h"
#include "saver/saver_aquarium.h"

namespace veltamar {

namespace {

double nowMs() {
    return static_cast<double>(g_get_monotonic_time()) / 1000.0;
}

class OutputScene {
  public:
    OutputScene(DesktopSurface& surface, bool sound)
        : surface(surface), sound(sound), loop(g_main_loop_new(nullptr, FALSE)), pacer(nowMs()) {}
    ~OutputScene() {
        *alive = false;
        for (guint source : {frameTimer, pictureTimer})
            if (source) g_source_remove(source);
        // The pictures' textures go while the surface's context is still current.
        aquarium.reset();
        g_main_loop_unref(loop);
    }

    int run() {
        std::vector<guint> signalSources;
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            signalSources.push_back(g_unix_signal_add(signal, onSignal, this));
        surface.changed = [this] { surfaceChanged(); };
        surfaceChanged();
        if (!stopped) g_main_loop_run(loop);
        surface.changed = nullptr;
        for (guint source : signalSources) g_source_remove(source);
        return status;
    }

  private:
    static gboolean onSignal(gpointer self) {
        static_cast<OutputScene*>(self)->stop(0);
        return G_SOURCE_CONTINUE;
    }

    void stop(int endStatus) {
        if (stopped) return;
        stopped = true;
        status = endStatus;
        g_main_loop_quit(loop);
    }

    void surfaceChanged() {
        if (stopped) return;
        if (surface.ended() != SurfaceEnd::NotEnded) {
            stop(statusForEnd(surface.ended()));
            return;
        }
        if (!aquarium && surface.ready()) build();
        scheduleFrame();
    }

    void build() {
        shownWidth = surface.width();
        shownHeight = surface.height();
        // The picture reader's thread hands its results over through GLib's main context; once
        // this scene is gone they are dropped.
        std::shared_ptr<bool> sceneAlive = alive;
        const auto post = [sceneAlive](std::function<void()> task) {
            auto* held = new std::function<void()>([sceneAlive, task = std::move(task)] {
                if (*sceneAlive) task();
            });
            g_main_context_invoke_full(
                nullptr, G_PRIORITY_DEFAULT,
                [](gpointer data) -> gboolean {
                    (*static_cast<std::function<void()>*>(data))();
                    return G_SOURCE_REMOVE;
                },
                held, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
        };
        aquarium =
            std::make_unique<SaverAquarium>(surface, shownWidth, shownHeight, shownWidth, shownHeight, post);
        // With sound the built-in music plays (there is no music list here to decide).
        if (sound) ownMusicOn = false;
        pictureTimer = g_timeout_add(SlideShow::TICK_MS, onPictureTick, this);
    }

    static gboolean onPictureTick(gpointer self) {
        static_cast<OutputScene*>(self)->aquarium->pictureTick();
        return G_SOURCE_CONTINUE;
    }

    // A frame at the next tick, when one may be drawn. None is waited for while the surface cannot
    // be seen: the surface says when that changes.
    void scheduleFrame() {
        if (frameTimer || !aquarium || stopped || !surface.mayDraw()) return;
        const double due = std::max(nextFrame - nowMs(), 0.0);
        frameTimer = g_timeout_add(static_cast<guint>(std::ceil(due)), onFrameTimer, this);
    }

    static gboolean onFrameTimer(gpointer data) {
        auto* self = static_cast<OutputScene*>(data);
        self->frameTimer = 0;
        self->drawFrame();
        return G_SOURCE_REMOVE;
    }

    void drawFrame() {
        surface.beforeFrame();
        if (surface.ended() != SurfaceEnd::NotEnded) {
            stop(statusForEnd(surface.ended()));
            return;
        }
        if (surface.width() != shownWidth || surface.height() != shownHeight) {
            shownWidth = surface.width();
            shownHeight = surface.height();
            aquarium->resize(shownWidth, shownHeight);
        }
        if (!surface.mayDraw()) return;
        aquarium->drawFrame();
        if (sound) arbitrateSound();
        const double now = nowMs();
        nextFrame = now + pacer.timerDelayMs(now);
        scheduleFrame();
    }

    DesktopSurface& surface;
    const bool sound;
    GMainLoop* loop;
    const FramePacer pacer;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    std::unique_ptr<SaverAquarium> aquarium;
    double nextFrame = 0.0;
    guint frameTimer = 0;
    guint pictureTimer = 0;
    int shownWidth = 0;
    int shownHeight = 0;
    bool stopped = false;
    int status = 0;
};

}  // namespace

int statusForEnd(SurfaceEnd end) {
    switch (end) {
        case SurfaceEnd::Input:
            return CHILD_STATUS_INPUT;
        case SurfaceEnd::OutputGone:
            return CHILD_STATUS_OUTPUT_GONE;
        case SurfaceEnd::Failed:
            return 1;
        case SurfaceEnd::NotEnded:
        case SurfaceEnd::Closed:
            break;
    }
    return 0;
}

int runOutputScene(DesktopSurface& surface, bool sound) {
    int status = 0;
    {
        OutputScene scene(surface, sound);
        status = scene.run();
    }
    if (sound) {
        stopBuiltInSound();
        closeAudioDevice();
    }
    return status;
}

}  // namespace veltamar

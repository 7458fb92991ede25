#pragma once

#include <memory>
#include <string>

#include "render/frame_renderer.h"

// An offscreen OpenGL context without any display server: an EGL pbuffer of a given size with a
// compatibility-profile context (so the fixed-function drawing works) current on it. On a machine
// with a GPU and no display it is made through the EGL device platform on that GPU; otherwise
// through Mesa's surfaceless platform (its software renderer here).

namespace veltamar {

class EglPbuffer : public FrameHost {
  public:
    enum class Platform {
        Any,          // a GPU through the device platform, else surfaceless, else any device
        Device,       // the device platform only (a GPU first, else a software device)
        Surfaceless,  // Mesa's surfaceless platform only
    };

    // Nothing (and the reason in error) when no platform gives a context. The colour buffer has 8
    // bits a channel and no alpha where it can, the depth buffer 32 bits where there are, else less.
    static std::unique_ptr<EglPbuffer> create(int width, int height, Platform platform, std::string& error);

    ~EglPbuffer() override;
    EglPbuffer(const EglPbuffer&) = delete;
    EglPbuffer& operator=(const EglPbuffer&) = delete;

    int width() const { return pixelsWide; }
    int height() const { return pixelsHigh; }
    // "device" or "surfaceless": how the context was made.
    const std::string& platformName() const { return madeThrough; }

    void hideCursor() override {}
    // A pbuffer shows nothing; the swap ends the frame as a window's would.
    void swapBuffers() override;

  private:
    EglPbuffer() = default;
    bool open(void* nativeDisplay, int platform, int width, int height);

    void* display = nullptr;
    void* surface = nullptr;
    void* context = nullptr;
    int pixelsWide = 0;
    int pixelsHigh = 0;
    std::string madeThrough;
};

}  // namespace veltamar

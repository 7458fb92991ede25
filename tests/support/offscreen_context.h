#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <memory>

#include "render/egl_pbuffer.h"

// A real OpenGL context for tests, without a display: Mesa's surfaceless EGL platform with a
// pbuffer of the given size (compatibility profile, 24-bit colour, depth buffer), as the program's
// headless benchmark makes it.

namespace veltamar::gltest {

class OffscreenContext {
  public:
    OffscreenContext(int width, int height);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool ok() const { return ready; }
    int width() const { return w; }
    int height() const { return h; }

    // Colour of the pixel at (x, y), y counted from the bottom as OpenGL does.
    std::array<std::uint8_t, 3> pixel(int x, int y) const;
    void swap();

  private:
    int w, h;
    bool ready = false;
    std::unique_ptr<EglPbuffer> pbuffer;
};

}  // namespace veltamar::gltest

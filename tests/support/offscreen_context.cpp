#include "offscreen_context.h"

#include <string>

namespace veltamar::gltest {

OffscreenContext::OffscreenContext(int width, int height) : w(width), h(height) {
    std::string problem;
    pbuffer = EglPbuffer::create(width, height, EglPbuffer::Platform::Surfaceless, problem);
    ready = pbuffer != nullptr;
}

OffscreenContext::~OffscreenContext() = default;

std::array<std::uint8_t, 3> OffscreenContext::pixel(int x, int y) const {
    std::uint8_t rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void OffscreenContext::swap() {
    if (pbuffer) pbuffer->swapBuffers();
}

}  // namespace veltamar::gltest

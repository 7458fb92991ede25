#include "offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace veltamar::gltest {

OffscreenContext::OffscreenContext(int width, int height) : w(width), h(height) {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return;
    EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) return;
    display = dpy;

    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                       EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(dpy, configAttributes, &config, 1, &count) || count == 0) return;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surf = eglCreatePbufferSurface(dpy, config, surfaceAttributes);
    if (surf == EGL_NO_SURFACE) return;
    surface = surf;
    eglBindAPI(EGL_OPENGL_API);
    EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, nullptr);
    if (ctx == EGL_NO_CONTEXT) return;
    context = ctx;
    ready = eglMakeCurrent(dpy, surf, surf, ctx) == EGL_TRUE;
    if (ready) glViewport(0, 0, width, height);
}

OffscreenContext::~OffscreenContext() {
    if (!display) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context) eglDestroyContext(display, context);
    if (surface) eglDestroySurface(display, surface);
    eglTerminate(display);
}

std::array<std::uint8_t, 3> OffscreenContext::pixel(int x, int y) const {
    std::uint8_t rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void OffscreenContext::swap() { eglSwapBuffers(display, surface); }

}  // namespace veltamar::gltest

#include "render/egl_pbuffer.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <vector>

namespace veltamar {

namespace {

template <typename Function>
Function eglFunction(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

bool hasExtension(const char* extensions, const char* name) {
    if (!extensions) return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + length, name))
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

// The EGL devices; a software renderer's device says so in its extensions.
struct Device {
    EGLDeviceEXT handle;
    bool software;
};

std::vector<Device> eglDevices() {
    const auto queryDevices = eglFunction<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    const auto queryString = eglFunction<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    if (!queryDevices || !queryString) return {};
    EGLDeviceEXT handles[16];
    EGLint count = 0;
    if (!queryDevices(16, handles, &count)) return {};
    std::vector<Device> devices;
    for (EGLint i = 0; i < count; ++i)
        devices.push_back(
            {handles[i], hasExtension(queryString(handles[i], EGL_EXTENSIONS), "EGL_MESA_device_software")});
    return devices;
}

EGLint configValue(EGLDisplay display, EGLConfig config, EGLint attribute) {
    EGLint value = 0;
    eglGetConfigAttrib(display, config, attribute, &value);
    return value;
}

// The pbuffer configuration that draws as the benchmark's window does: 8 bits a colour channel
// (EGL lists deeper colour first, which would round differently), no alpha where there is such a
// configuration, and the deepest depth buffer up to 32 bits.
bool chooseConfig(EGLDisplay display, EGLConfig& chosen) {
    const EGLint wanted[] = {EGL_SURFACE_TYPE,
                             EGL_PBUFFER_BIT,
                             EGL_RED_SIZE,
                             8,
                             EGL_GREEN_SIZE,
                             8,
                             EGL_BLUE_SIZE,
                             8,
                             EGL_DEPTH_SIZE,
                             16,
                             EGL_RENDERABLE_TYPE,
                             EGL_OPENGL_BIT,
                             EGL_NONE};
    EGLConfig configs[256];
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, configs, 256, &count)) return false;
    int best = -1;
    for (EGLint i = 0; i < count; ++i) {
        auto value = [&](EGLint attribute) { return configValue(display, configs[i], attribute); };
        if (value(EGL_RED_SIZE) != 8 || value(EGL_GREEN_SIZE) != 8 || value(EGL_BLUE_SIZE) != 8) continue;
        const int depth = value(EGL_DEPTH_SIZE);
        const int score = (value(EGL_ALPHA_SIZE) == 0 ? 100 : 0) + (depth <= 32 ? depth : 0);
        if (score > best) {
            best = score;
            chosen = configs[i];
        }
    }
    return best >= 0;
}

}  // namespace

std::unique_ptr<EglPbuffer> EglPbuffer::create(int width, int height, Platform platform, std::string& error) {
    std::unique_ptr<EglPbuffer> pbuffer(new EglPbuffer());
    const std::vector<Device> devices =
        platform == Platform::Surfaceless ? std::vector<Device>{} : eglDevices();
    auto tryDevices = [&](bool software) {
        for (const Device& device : devices)
            if (device.software == software &&
                pbuffer->open(device.handle, EGL_PLATFORM_DEVICE_EXT, width, height)) {
                pbuffer->madeThrough = "device";
                return true;
            }
        return false;
    };
    auto trySurfaceless = [&] {
        if (!pbuffer->open(EGL_DEFAULT_DISPLAY, EGL_PLATFORM_SURFACELESS_MESA, width, height)) return false;
        pbuffer->madeThrough = "surfaceless";
        return true;
    };
    bool made = false;
    switch (platform) {
        case Platform::Any:
            made = tryDevices(false) || trySurfaceless() || tryDevices(true);
            break;
        case Platform::Device:
            made = tryDevices(false) || tryDevices(true);
            break;
        case Platform::Surfaceless:
            made = trySurfaceless();
            break;
    }
    if (!made) {
        error = "no EGL platform gives an OpenGL pbuffer context";
        return nullptr;
    }
    return pbuffer;
}

bool EglPbuffer::open(void* nativeDisplay, int platform, int width, int height) {
    const auto getPlatformDisplay = eglFunction<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    if (!getPlatformDisplay) return false;
    EGLDisplay dpy = getPlatformDisplay(static_cast<EGLenum>(platform), nativeDisplay, nullptr);
    if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) return false;

    EGLConfig config = nullptr;
    const EGLint count = chooseConfig(dpy, config) ? 1 : 0;
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surf = count > 0 ? eglCreatePbufferSurface(dpy, config, size) : EGL_NO_SURFACE;
    EGLContext ctx = EGL_NO_CONTEXT;
    if (surf != EGL_NO_SURFACE && eglBindAPI(EGL_OPENGL_API))
        ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, nullptr);
    if (ctx == EGL_NO_CONTEXT || !eglMakeCurrent(dpy, surf, surf, ctx)) {
        if (ctx != EGL_NO_CONTEXT) eglDestroyContext(dpy, ctx);
        if (surf != EGL_NO_SURFACE) eglDestroySurface(dpy, surf);
        eglTerminate(dpy);
        return false;
    }
    display = dpy;
    surface = surf;
    context = ctx;
    pixelsWide = width;
    pixelsHigh = height;
    glViewport(0, 0, width, height);
    return true;
}

EglPbuffer::~EglPbuffer() {
    if (!display) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
}

void EglPbuffer::swapBuffers() {
    eglSwapBuffers(display, surface);
}

}  // namespace veltamar

#include "platform/gl_release.h"

#include <EGL/egl.h>
#include <GL/glx.h>

namespace veltamar {

void releaseCurrentGlContext() {
    if (glXGetCurrentContext() != nullptr) {
        glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
        return;
    }
    if (eglGetCurrentContext() != EGL_NO_CONTEXT)
        eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void requestSwapSync() {
    if (glXGetCurrentContext() != nullptr) {
        using SwapIntervalMesa = int (*)(unsigned int);
        using SwapIntervalSgi = int (*)(int);
        if (auto mesa = reinterpret_cast<SwapIntervalMesa>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")))) {
            mesa(1);
        } else if (auto sgi = reinterpret_cast<SwapIntervalSgi>(
                       glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalSGI")))) {
            sgi(1);
        }
        return;
    }
    if (eglGetCurrentContext() != EGL_NO_CONTEXT) eglSwapInterval(eglGetCurrentDisplay(), 1);
}

}  // namespace veltamar

#include "render/gl_error_watch.h"

#include <GL/gl.h>

#include <cstdio>

namespace veltamar {

namespace {
long errors = 0;
}

long checkFrameGlErrors(long frameNumber) {
    // The flag holds one error at a time; a handful of reads empties it.
    for (int i = 0; i < 8; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (errors % 1000 == 0)
            std::fprintf(stderr, "OpenGL error 0x%04x in frame %ld (%ld so far)\n", error, frameNumber, errors + 1);
        ++errors;
    }
    return errors;
}

long glErrorsSeen() { return errors; }

}  // namespace veltamar

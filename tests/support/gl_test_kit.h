#pragma once

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "render/frame_renderer.h"

// Small things the OpenGL tests share: a frame host that does nothing, reading back the frame
// buffer and keeping it as a picture to look at, and counting what a draw sends.

namespace veltamar::gltest {

struct NullFrameHost : FrameHost {
    int swaps = 0;
    int cursorHides = 0;
    void hideCursor() override { ++cursorHides; }
    void swapBuffers() override { ++swaps; }
};

struct FramebufferImage {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // bottom row first, as OpenGL reads it
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

inline FramebufferImage readFramebuffer(int width, int height) {
    FramebufferImage image{width, height, std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    return image;
}

// Keeps the picture as <build>/test-artifacts/gl/<name>.ppm for people to look at (and in
// $VELTAMAR_SHOT_DIR too when that is set).
inline void keepPicture(const FramebufferImage& image, const std::string& name) {
    std::vector<std::string> directories = {GL_ARTIFACT_DIR};
    if (const char* extra = std::getenv("VELTAMAR_SHOT_DIR")) directories.emplace_back(extra);
    for (const std::string& directory : directories) {
        std::error_code ignored;
        std::filesystem::create_directories(directory, ignored);
        FILE* out = std::fopen((directory + "/" + name + ".ppm").c_str(), "wb");
        if (!out) continue;
        std::fprintf(out, "P6\n%d %d\n255\n", image.width, image.height);
        for (int y = image.height - 1; y >= 0; --y) std::fwrite(image.at(0, y), 3, image.width, out);
        std::fclose(out);
    }
}

// The polygons (and their vertices) a draw sends, through OpenGL's feedback mode. A quad may be
// reported as one four-sided polygon or as two triangles.
struct FeedbackCount {
    int polygons = 0;
    int vertices = 0;
    bool overflow = false;
};

inline FeedbackCount countFeedbackPolygons(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint values = glRenderMode(GL_RENDER);
    FeedbackCount count;
    count.overflow = values < 0;
    for (GLint i = 0; i < values;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const GLint n = static_cast<GLint>(buffer[i++]);
            ++count.polygons;
            count.vertices += n;
            i += n * 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            break;  // lines and points are not counted
        }
    }
    return count;
}

}  // namespace veltamar::gltest

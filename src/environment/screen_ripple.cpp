#include "environment/screen_ripple.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace veltamar {

namespace {

// How far a ring pushes the picture, in texture widths per unit of the ring's profile. A young ring
// moves the copy by up to about 8 pixels on a 1024-pixel view; at 0.005 the largest push would be
// half a pixel and nobody would see a ring at all.
constexpr double RIPPLE_STRENGTH = 0.25;

int gridCell(int pixel, int size) {
    if (size <= 0) return 0;
    return std::clamp(static_cast<int>(static_cast<double>(pixel) / size * RIPPLE_GRID), 0, RIPPLE_GRID - 1);
}

int nextPowerOfTwo(int v) {
    int p = 1;
    while (p < v) p <<= 1;
    return p;
}

// Textures of any size (OpenGL 2.0 and later) hold the copy exactly; older drivers need
// power-of-two sides.
bool anyTextureSize() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && std::atoi(version) >= 2) ||
           (extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr);
}

}  // namespace

void resizeRippleMesh(RippleMesh& mesh, int width, int height) {
    mesh.width = width;
    mesh.height = height;
    mesh.diagonal = static_cast<int>(std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height));
    for (int k = 0; k < RIPPLE_SLOTS; ++k) {
        mesh.age[k] = mesh.diagonal + 256;
        mesh.centreX[k] = mesh.centreY[k] = mesh.maxAge[k] = 0;
    }
    for (int i = 0; i < RIPPLE_GRID; ++i) {
        for (int j = 0; j < RIPPLE_GRID; ++j) {
            RippleVertex& v = mesh.vertices[i][j];
            v.x = 2.0f * i / 31.0f - 1.0f;
            v.y = 2.0f * j / 31.0f - 1.0f;
            v.s0 = v.s = i / 31.0f;
            v.t0 = v.t = j / 31.0f;
        }
    }
}

int rippleMaxAge(const RippleMesh& mesh, int gx, int gy) {
    static constexpr int CORNERS[4][2] = {{0, 0}, {32, 0}, {32, 32}, {0, 32}};
    double farthest = 0.0;
    for (const auto& corner : CORNERS)
        farthest = std::max(farthest, std::hypot(static_cast<double>(gx - corner[0]), static_cast<double>(gy - corner[1])));
    return static_cast<int>(mesh.width * (farthest * 0.03125)) + 42;
}

void addRipple(RippleMesh& mesh, int mx, int my) {
    for (int k = 0; k < RIPPLE_SLOTS; ++k) {
        if (mesh.age[k] < mesh.maxAge[k]) continue;
        mesh.centreX[k] = gridCell(mx, mesh.width);
        mesh.centreY[k] = gridCell(my, mesh.height);
        mesh.age[k] = 4;
        mesh.maxAge[k] = rippleMaxAge(mesh, mesh.centreX[k], mesh.centreY[k]) / 5;
        return;
    }
}

void advanceRipples(RippleMesh& mesh) {
    const auto& vectors = rippleVectors();
    const auto& amplitudes = rippleAmplitudes();

    // Only ripples young enough to have strength left move anything.
    int live[RIPPLE_SLOTS];
    double strength[RIPPLE_SLOTS];
    int liveCount = 0;
    for (int k = 0; k < RIPPLE_SLOTS; ++k) {
        ++mesh.age[k];
        const double fade = 1.0 - mesh.age[k] / 256.0;
        if (fade <= 0.0) continue;
        live[liveCount] = k;
        strength[liveCount++] = fade * fade * RIPPLE_STRENGTH;
    }

    for (int i = 0; i < RIPPLE_GRID; ++i) {
        for (int j = 0; j < RIPPLE_GRID; ++j) {
            RippleVertex& v = mesh.vertices[i][j];
            double s = v.s0, t = v.t0;
            for (int l = 0; l < liveCount; ++l) {
                const int k = live[l];
                const int di = i - mesh.centreX[k];
                const int dj = j - mesh.centreY[k];
                const RippleVector& vec = vectors[std::abs(di)][std::abs(dj)];
                const int n = std::clamp(mesh.age[k] - vec.r, 0, 255);
                const double amplitude = amplitudes[n] * strength[l];
                s += (di < 0 ? -1 : 1) * amplitude * vec.dx;
                t += (dj < 0 ? -1 : 1) * amplitude * vec.dy;
            }
            v.s = static_cast<float>(s);
            v.t = static_cast<float>(t);
        }
    }
}

void fitScreenCopy(ScreenCopy& copy, int width, int height) {
    const bool exact = anyTextureSize();
    const int w = exact ? std::max(width, 1) : nextPowerOfTwo(std::max(width, 1));
    const int h = exact ? std::max(height, 1) : nextPowerOfTwo(std::max(height, 1));
    if (copy.texture == 0 || (w <= copy.textureWidth && h <= copy.textureHeight)) return;
    const std::vector<unsigned char> zeros(static_cast<std::size_t>(w) * h * 4, 0);
    glBindTexture(GL_TEXTURE_2D, copy.texture);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    copy.textureWidth = w;
    copy.textureHeight = h;
}

void drawScreenRipple(RippleMesh& mesh, ScreenCopy& copy) {
    if (copy.texture == 0 || mesh.width <= 0 || mesh.height <= 0) return;
    fitScreenCopy(copy, mesh.width, mesh.height);
    glBindTexture(GL_TEXTURE_2D, copy.texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, mesh.width, mesh.height);

    // The grid is laid directly over the viewport, so the copy covers the view at any size; the
    // texture matrix maps the grid's 0..1 onto the part of the texture the copy filled.
    glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT | GL_CURRENT_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(static_cast<float>(mesh.width) / copy.textureWidth, static_cast<float>(mesh.height) / copy.textureHeight, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    for (int i = 0; i < RIPPLE_GRID - 1; ++i) {
        for (int j = 0; j < RIPPLE_GRID - 1; ++j) {
            const RippleVertex* corners[4] = {&mesh.vertices[i][j], &mesh.vertices[i][j + 1], &mesh.vertices[i + 1][j + 1],
                                              &mesh.vertices[i + 1][j]};
            glBegin(GL_POLYGON);
            for (const RippleVertex* v : corners) {
                glTexCoord2f(v->s, v->t);
                glVertex3f(v->x, v->y, 0.0f);
            }
            glEnd();
        }
    }
    advanceRipples(mesh);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace veltamar

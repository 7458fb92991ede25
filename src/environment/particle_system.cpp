#include "environment/particle_system.h"

#include <algorithm>
#include <new>

#include "assets/builtin_textures.h"
#include "platform/crt_rand.h"

namespace veltamar {

namespace {

constexpr float BUBBLE_LIFT = 0.00083333333f;  // upward acceleration per step
constexpr float BUBBLE_LIFE = 200.0f;
constexpr float RISE_TOP = 130.0f;
constexpr float SINK_BOTTOM = -25.0f;

// Difference of two successive draws, first minus second.
int drawDifference(int modulus) {
    const int first = crtRand() % modulus;
    const int second = crtRand() % modulus;
    return first - second;
}

void drawTint(Particle& p) {
    p.red = static_cast<float>(crtRand() % 255);
    p.green = static_cast<float>(crtRand() % 255);
    p.blue = static_cast<float>(crtRand() % 255);
}

void seedBubble(Particle& p) {
    p.x = static_cast<float>(crtRand() % 200 - 100);
    p.y = static_cast<float>((crtRand() % 9) * 0.005 - 1.0);
    p.z = static_cast<float>((crtRand() % 6) * 0.005);
    p.vx = static_cast<float>(drawDifference(9000) * 0.000007);
    p.vy = static_cast<float>((crtRand() % 9000) * 0.000042 * 0.33333334);
    p.vz = static_cast<float>((crtRand() % 9000) * 0.000001);
    p.ax = 0.0f;
    p.ay = BUBBLE_LIFT;
    p.az = 0.0f;
    p.life = BUBBLE_LIFE;
    p.size = static_cast<float>((crtRand() % 20 + 2) * 0.1);
    p.fade = static_cast<float>((crtRand() % 50) * 0.05);
    drawTint(p);
}

// A new rise from the bottom; the bubble keeps its size.
void rebirthBubble(Particle& p) {
    p.x = static_cast<float>(crtRand() % 200 - 100);
    p.y = static_cast<float>((crtRand() % 9) * 0.005 - 1.0);
    p.z = static_cast<float>((crtRand() % 9000) * 0.000001);
    p.vx = static_cast<float>(drawDifference(9000) * 0.000007);
    p.vy = static_cast<float>((crtRand() % 9000) * 0.000042);
    p.vz = static_cast<float>((crtRand() % 90000) * 0.000001);
    p.ax = 0.0f;
    p.ay = BUBBLE_LIFT;
    p.az = 0.0f;
    p.life = BUBBLE_LIFE;
    p.fade = static_cast<float>((crtRand() % 50) * 0.05);
    drawTint(p);
}

}  // namespace

bool ParticleSystem::init(int n) {
    particles.reset();
    count = capacity = 0;
    if (n <= 0) return n == 0;
    particles.reset(new (std::nothrow) Particle[n]());
    if (!particles) return false;
    count = capacity = n;
    return true;
}

BubbleSystem::BubbleSystem() : limit(900), spare(0), tint(true) {}

bool BubbleSystem::init(int n) {
    if (!ParticleSystem::init(n)) return false;
    for (int k = 0; k < capacity; ++k) seedBubble(particles[k]);
    loadBuiltInTexture(RESOURCE_PARTICLE, resourceDirectory, "Particle1", TextureKind::Plain, texture);
    return true;
}

void BubbleSystem::update() {
    const int n = std::min(count, capacity);
    for (int k = 0; k < n; ++k) {
        Particle& p = particles[k];
        p.x += p.vx;
        p.y += p.vy;
        p.z += p.vz;
        p.vy += p.ay;
        p.life -= p.fade;
        if (p.y <= SINK_BOTTOM || p.y >= RISE_TOP || p.life <= 0.0f) rebirthBubble(p);
    }
}

void drawBubbles(BubbleSystem& system, int n) {
    system.count = std::clamp(n, 0, system.capacity);
    glBindTexture(GL_TEXTURE_2D, system.texture);
    glBegin(GL_QUADS);
    for (int k = 0; k < system.count; ++k) {
        const Particle& p = system.particles[k];
        const float jitterX = static_cast<float>((crtRand() % 20) * 0.01);
        const float jitterZ = static_cast<float>((crtRand() % 20) * 0.01);
        if (system.tint)
            glColor3ub(static_cast<GLubyte>(p.red), static_cast<GLubyte>(p.green),
                       static_cast<GLubyte>(p.blue));
        const float cx = p.x + jitterX;
        const float z = p.z + jitterZ;
        const float s = p.size;
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(cx - s, p.y - s, z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(cx - s, p.y + s, z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(cx + s, p.y + s, z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(cx + s, p.y - s, z);
    }
    glEnd();
    system.update();
    if (system.tint) glColor3ub(255, 255, 255);
}

}  // namespace veltamar

#pragma once

#include <GL/gl.h>

#include <memory>
#include <string>

// Small particle systems: a pool of particles that an owner draws and advances once per frame.
// The bubbles are the one kind the aquarium uses.

namespace veltamar {

struct Particle {
    float x, y, z;
    float vx, vy, vz;
    float ax, ay, az;
    float life;
    float fade;              // taken from life each step
    float size;              // half the side of the square
    float red, green, blue;  // 0..254, used only when tinting is on
};

class ParticleSystem {
  public:
    virtual ~ParticleSystem() = default;

    // Allocates n particles with every field 0. Returns false, leaving the system empty, when the
    // pool cannot be allocated.
    virtual bool init(int n);
    // Advances the first count particles by one step.
    virtual void update() = 0;

    int count = 0;     // particles currently in use
    int capacity = 0;  // particles allocated
    std::unique_ptr<Particle[]> particles;
};

class BubbleSystem : public ParticleSystem {
  public:
    BubbleSystem();

    // Allocates and seeds n bubbles, then loads the bubble picture ("Particle1") from the packed
    // resources in resourceDirectory.
    bool init(int n) override;
    void update() override;

    int limit;
    int spare;
    bool tint;  // particles wear their own colours; the scene turns this off
    GLuint texture = 0;
    std::string resourceDirectory;  // where the bubble picture is unpacked
};

// Uses the first n particles (never more than the pool holds): draws each as a textured square
// facing the camera with a little random shimmer, then advances the system. The caller sets the
// matrix and the blending.
void drawBubbles(BubbleSystem& system, int n);

}  // namespace veltamar

#pragma once

#include <GL/gl.h>

// The feed tool's food: a flat cream-coloured pellet that tumbles and sinks from the point where
// it was dropped, drifting a little, until it falls out of sight or a fish eats it.

namespace veltamar {

constexpr int FOOD_PELLET_COUNT = 20;

class FoodPellet {
public:
    // Inactive, with a random drop point ((rand % 60) - 30, (rand % 30) - 15, -70).
    FoodPellet();
    virtual ~FoodPellet() = default;

    float drift[3] = {0.0f, 1.0f, 0.0f};  // offset from the drop point
    float spin = 0.0f;                    // degrees about x
    float turn = 0.0f;                    // degrees about y
    float sinkSpeed = 0.0f;               // taken from drift y per frame
    float alive = 0.0f;                   // 1 while the pellet exists, 0 once sunk or eaten
    GLuint shapeList = 0;
    float worldPosition[3] = {0.0f, 0.0f, 0.0f};  // where it was last drawn; what the fish see
    float dropPoint[3] = {0.0f, 0.0f, 0.0f};
    bool active = false;
};

// Gives the pellet a fresh random drift, tumble and sinking speed, alive; compiles its shape into a
// display list the first time (the shape never changes, so later seedings reuse the list).
void initFoodPellet(FoodPellet& pellet);
void dropFoodPellet(FoodPellet& pellet, float x, float y, float z);

// Draws an active pellet (at the current matrix, translated to its drop point) and advances it one
// frame; a pellet that is no longer alive turns inactive instead of being drawn.
void drawFoodPellet(FoodPellet& pellet);

// The parts of initFoodPellet and drawFoodPellet that do not draw: the random seeding and one
// frame's sinking and drifting.
void seedFoodPellet(FoodPellet& pellet);
void stepFoodPellet(FoodPellet& pellet);

void nudgeFoodPellet(FoodPellet& pellet, float dx, float dy, float dz);
void eatFoodPellet(FoodPellet& pellet);

// The first inactive pellet, or nullptr when all are in use.
FoodPellet* firstFreePellet(FoodPellet (&pellets)[FOOD_PELLET_COUNT]);

}  // namespace veltamar

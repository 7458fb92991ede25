#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>

#include "assets/texture_loader.h"
#include "environment/backdrop_surface.h"
#include "environment/bubble_emitters.h"
#include "environment/food_pellet.h"
#include "environment/screen_ripple.h"
#include "environment/sea_floor.h"
#include "environment/swirl_marker.h"
#include "environment/tank_bounds.h"
#include "fish/fish_population.h"
#include "fish/pick_grids.h"
#include "fish/picking.h"

// The scene data of the aquarium view: everything the frame drawing reads and animates. The view
// holds one SceneState by value for its whole life.

namespace veltamar {

constexpr int FISH_TEXTURE_SLOTS = 12;

// A clicked world point assembled over one or more frames by the tool pass.
struct WorldPointCapture {
    bool xCaptured = false;
    bool yCaptured = false;
    float x = 0.0f;
    float y = 0.0f;
};

struct SceneState {
    int fishRevealCount = 0;
    long framesDrawn = 0;
    PickColumns pickColumns{};
    PickRows pickRows{};
    BubbleEmitterSet bubbles;
    SeaFloorGrid seaFloorGrid;
    FishTable fish;  // each record draws its random start values when it is constructed
    SwirlMarker swirl;
    FoodPellet foodPellets[FOOD_PELLET_COUNT];  // constructed after the fish: they draw too
    BackdropPatch backdrop;
    TankBounds tank;

    GLuint backgroundTexture = 0;
    OpaqueRows backgroundOpaqueRows;  // of the built-in backdrop picture, found when it was loaded
    std::array<GLuint, FISH_TEXTURE_SLOTS> fishTextures{};
    ScreenCopy screenCopy;
    std::unique_ptr<RippleMesh> rippleMesh;
    float eyeZOffset = -5.0f;

    WorldPointCapture capture;
    PickSweep pickSweep;

    // True once an OpenGL context exists and the fixed state is set; a frame without it draws
    // nothing.
    bool contextReady = false;
    // True when the data directory was usable and the textures, settings and scene objects were
    // built (false after "Error Find TempPath.").
    bool populated = false;
};

}  // namespace veltamar

#pragma once

#include <array>
#include <string>

#include "environment/particle_system.h"
#include "environment/tank_bounds.h"

// The three bubble emitters near the back of the tank. Each shows 110 minus the bubble setting
// of its 110 bubbles; they are drawn additively over everything drawn before them.

namespace veltamar {

constexpr int BUBBLE_EMITTER_COUNT = 3;
constexpr int BUBBLES_PER_EMITTER = 110;

struct EmitterPosition {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct BubbleEmitterSet {
    std::array<BubbleSystem, BUBBLE_EMITTER_COUNT> bubbleEmitters;
    std::array<EmitterPosition, BUBBLE_EMITTER_COUNT> positions;
};

// Bubbles each emitter shows for the current bubble setting: always within 0..110.
int bubblesShownPerEmitter();

// Places the emitters relative to sea-floor point (45, 10), seeds them, loads their picture from
// the packed resources in resourceDirectory and runs them 110 steps so the bubbles are already
// spread out when the first frame is shown. Needs the sea floor and the settings.
void setUpBubbleEmitters(BubbleEmitterSet& set, const TankBounds& tank, const std::string& resourceDirectory);
// Only the emitters' places, for a tank of other bounds; the bubbles go on as they were.
void placeBubbleEmitters(BubbleEmitterSet& set, const TankBounds& tank);

// The frame's bubble pass: each emitter drawn and advanced one step at its place. The caller sets
// the additive blending and depth state around it.
void drawBubbleEmitters(BubbleEmitterSet& set);

}  // namespace veltamar

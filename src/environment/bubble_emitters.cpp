#include "environment/bubble_emitters.h"

#include <GL/gl.h>

#include "environment/sea_floor.h"
#include "settings/live_settings.h"

namespace veltamar {

namespace {

// How far behind the sea floor each emitter stands.
constexpr float EMITTER_SETBACK[BUBBLE_EMITTER_COUNT] = {100.0f, 200.0f, 50.0f};
// The emitters are drawn this far from their stored positions.
constexpr EmitterPosition DRAW_OFFSET = {5.0f, -45.0f, -60.0f};
constexpr int WARM_UP_STEPS = 110;

}  // namespace

int bubblesShownPerEmitter() {
    return BUBBLES_PER_EMITTER - bubbleSettingInRange();
}

void placeBubbleEmitters(BubbleEmitterSet& set, const TankBounds& tank) {
    const SeaFloorVertex floor = seaFloorPoint(45, 10);
    for (int e = 0; e < BUBBLE_EMITTER_COUNT; ++e)
        set.positions[e] = {floor.x, tank.sceneBottom - floor.y - 5.0f,
                            floor.z + tank.sceneBack - EMITTER_SETBACK[e]};
}

void setUpBubbleEmitters(BubbleEmitterSet& set, const TankBounds& tank,
                         const std::string& resourceDirectory) {
    placeBubbleEmitters(set, tank);
    for (int e = 0; e < BUBBLE_EMITTER_COUNT; ++e) {
        BubbleSystem& emitter = set.bubbleEmitters[e];
        emitter.resourceDirectory = resourceDirectory;
        emitter.init(BUBBLES_PER_EMITTER);
        emitter.tint = false;
        for (int step = 0; step < WARM_UP_STEPS; ++step) drawBubbles(emitter, bubblesShownPerEmitter());
    }
}

void drawBubbleEmitters(BubbleEmitterSet& set) {
    for (int e = 0; e < BUBBLE_EMITTER_COUNT; ++e) {
        const EmitterPosition& at = set.positions[e];
        glPushMatrix();
        glTranslatef(at.x + DRAW_OFFSET.x, at.y + DRAW_OFFSET.y, at.z + DRAW_OFFSET.z);
        drawBubbles(set.bubbleEmitters[e], bubblesShownPerEmitter());
        glPopMatrix();
    }
}

}  // namespace veltamar

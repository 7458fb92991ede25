#include "render/frame_renderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>

#include "environment/backdrop_colour_plane.h"
#include "environment/backdrop_surface.h"
#include "environment/bubble_emitters.h"
#include "environment/own_backdrop.h"
#include "fish/shown_fish.h"
#include "platform/heap_tuning.h"
#include "render/camera.h"
#include "render/gl_error_watch.h"
#include "render/idle_counter.h"
#include "render/text_overlay.h"
#include "render/tool_pass.h"
#include "settings/live_settings.h"

namespace veltamar {

namespace {

constexpr int MAX_REVEAL = 50;
// Frames after which starting up is over: every fish has appeared and the renderer has compiled
// what the frame draws, the help text included, which shows for the first 200 frames (five seconds
// at the program's pace).
constexpr long SETTLED_FRAMES = 320;

// Ambient and diffuse strength of the scene light from the light setting (0 = full strength).
GLfloat sceneLightStrength(int lightSetting) {
    return static_cast<GLfloat>((100 - lightSetting) * 0.01);
}

void setSceneLight(int lightSetting) {
    const GLfloat v = sceneLightStrength(lightSetting);
    const GLfloat colour[] = {v, v, v, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, colour);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, colour);
    glEnable(GL_LIGHTING);
}

bool isToolPassMode(int toolMode) {
    return toolMode == TOOL_FEED || toolMode == TOOL_POINT || toolMode == TOOL_SWIRL;
}

// The swirl marker, once every fish has appeared: drawn, then one glide toward its target.
void swirlStep(SceneState& scene, const ViewState& view) {
    if (view.toolMode != TOOL_SWIRL || scene.fishRevealCount != MAX_REVEAL) return;
    glPushMatrix();
    drawSwirlMarker(scene.swirl);
    stepSwirlMarker(scene.swirl);
    glPopMatrix();
}

void foodStep(SceneState& scene) {
    for (FoodPellet& pellet : scene.foodPellets) {
        if (!pellet.active) continue;
        glPushMatrix();
        drawFoodPellet(pellet);
        glPopMatrix();
    }
}

// Feed, point and swirl clicks: the clicked world point is assembled from the picks (over one or
// more frames) and handed to the food or the swirl marker. The point and swirl requests are never
// cleared here, so in those tools the point follows the mouse. Leaves the colour at (1, 1, 1, 0).
void toolPass(SceneState& scene, ViewState& view) {
    if (!isToolPassMode(view.toolMode)) return;
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    sweepPickGrids(scene.pickColumns, scene.pickRows, scene.pickSweep, scene.tank);
    if (view.feedRequest || view.pointRequest || view.swirlRequest) {
        const float x = pickWorldX(scene.pickColumns, view.mouseX, view.mouseY);
        const float y = pickWorldY(scene.pickRows, view.mouseX, view.mouseY);
        offerPickedPoint(scene.capture, x, y, scene.tank);
    }
    if (view.feedRequest) {
        if (const auto point = takeCapturedPoint(scene.capture)) {
            view.feedRequest = false;
            if (FoodPellet* pellet = firstFreePellet(scene.foodPellets)) {
                dropFoodPellet(*pellet, point->x, point->y - 2.0f, -70.0f);
                pellet->active = true;
            }
        }
    }
    if (view.toolMode == TOOL_SWIRL) {
        if (const auto point = takeCapturedPoint(scene.capture))
            setSwirlTarget(scene.swirl, point->x, point->y - 2.0f, -70.0f);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
}

// Touch, zoom and swirl clicks act on the fish under the pointer, once per click.
void fishPicking(SceneState& scene, ViewState& view) {
    FishTool tool;
    switch (view.toolMode) {
        case TOOL_TOUCH:
            tool = FishTool::Touch;
            break;
        case TOOL_ZOOM_IN:
            tool = FishTool::ZoomIn;
            break;
        case TOOL_ZOOM_OUT:
            tool = FishTool::ZoomOut;
            break;
        case TOOL_SWIRL:
            tool = FishTool::Swirl;
            break;
        default:
            return;
    }
    if (!view.buttonHeld) return;
    view.buttonHeld = false;
    pickFishUnderCursor(scene.fish, liveSettings.speciesCounts, view.mouseX, view.mouseY, tool);
}

// The backdrop picture carries the current colour, lit with whatever normal the fish left.
bool backdropLitWhite() {
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    const float colour[3] = {current[0], current[1], current[2]};
    return sceneLightIsWhite(liveSettings.lightSetting, colour);
}

}  // namespace

bool sceneLightIsWhite(int lightSetting, const float (&colour)[3]) {
    // Emission is none and the light is not attenuated, so each channel is at least
    // (model ambient + light ambient) x colour; a little is kept to spare for rounding.
    constexpr float MODEL_AMBIENT = 0.2f;
    constexpr float SPARE = 1.0f / 256.0f;
    const float ambient = MODEL_AMBIENT + sceneLightStrength(lightSetting);
    return std::all_of(std::begin(colour), std::end(colour),
                       [&](float c) { return ambient * c >= 1.0f + SPARE; });
}

void drawFrame(SceneState& scene, ViewState& view, FrameHost& host) {
    if (!scene.contextReady) return;

    scene.fishRevealCount = std::min(scene.fishRevealCount + 1, MAX_REVEAL);

    applyFrameCamera(view.screenWidth, view.screenHeight, scene.eyeZOffset);
    glViewport(0, 0, view.screenWidth, view.screenHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    drawTextOverlay(view);

    if (advanceIdleCounter()) host.hideCursor();

    setSceneLight(liveSettings.lightSetting);
    drawBackdropColourPlane(scene.tank);

    // Fish: each shown record in its species' skin, drawn where the last frame left it, then moved
    // and steered by food and by the fish it touches.
    if (scene.populated)
        drawShownFish(scene.fish, liveSettings.speciesCounts, scene.fishRevealCount,
                      scene.fishTextures.data(), scene.foodPellets, view.toolMode == TOOL_FEED);

    // The backdrop picture (the user's own picture while one is on show), behind the fish drawn
    // before it.
    if (liveSettings.showTerra != 0 && backgroundIndexInRange() == 0)
        drawChosenBackdropPicture(scene.backdrop, scene.backgroundTexture, scene.backgroundOpaqueRows,
                                  backdropLitWhite());

    if (scene.populated) swirlStep(scene, view);

    // Bubbles: additive, over everything drawn before them.
    glPushMatrix();
    glDisable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    drawBubbleEmitters(scene.bubbles);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();

    glDisable(GL_LIGHTING);

    if (scene.populated) {
        foodStep(scene);
        toolPass(scene, view);
        fishPicking(scene, view);
    }
    if (view.toolMode == TOOL_RIPPLE && scene.rippleMesh)
        drawScreenRipple(*scene.rippleMesh, scene.screenCopy);

    glFinish();
    host.swapBuffers();
    checkFrameGlErrors(++scene.framesDrawn);
    if (scene.framesDrawn == SETTLED_FRAMES) giveBackFreedHeap();
}

}  // namespace veltamar

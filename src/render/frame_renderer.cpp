#include "render/frame_renderer.h"

#include <GL/gl.h>

#include <algorithm>

#include "environment/backdrop_colour_plane.h"
#include "environment/backdrop_surface.h"
#include "environment/bubble_emitters.h"
#include "environment/own_backdrop.h"
#include "fish/shown_fish.h"
#include "render/camera.h"
#include "render/text_overlay.h"
#include "settings/live_settings.h"
#include "view/idle_counter.h"

namespace veltamar {

namespace {

constexpr int MAX_REVEAL = 50;

// Ambient and diffuse strength of the scene light from the light setting (0 = full strength).
void setSceneLight(int lightSetting) {
    const GLfloat v = static_cast<GLfloat>((100 - lightSetting) * 0.01);
    const GLfloat colour[] = {v, v, v, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, colour);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, colour);
    glEnable(GL_LIGHTING);
}

bool isToolPassMode(int toolMode) {
    return toolMode == TOOL_FEED || toolMode == TOOL_POINT || toolMode == TOOL_SWIRL;
}

// Feed, point and swirl clicks: the clicked world point is assembled from the picks and handed to
// the food or the swirl marker. The current colour is left at (1, 1, 1, 0).
void toolPass(SceneState& scene, ViewState& view) {
    if (!isToolPassMode(view.toolMode)) return;
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    (void)scene;
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
}

}  // namespace

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

    // Fish: each shown record in its species' skin, drawn where the last frame left it, then moved.
    if (scene.populated)
        drawShownFish(scene.fish, liveSettings.speciesCounts, scene.fishRevealCount, scene.fishTextures.data());

    // The backdrop picture (the user's own picture while one is on show), behind the fish drawn
    // before it.
    if (liveSettings.showTerra != 0 && backgroundIndexInRange() == 0)
        drawChosenBackdropPicture(scene.backdrop, scene.backgroundTexture);

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

    toolPass(scene, view);

    glFinish();
    host.swapBuffers();
}

}  // namespace veltamar

#include "render/scene_init.h"

#include <GL/gl.h>

#include <string>

#include "assets/builtin_textures.h"
#include "assets/texture_loader.h"
#include "environment/backdrop_surface.h"
#include "environment/bubble_emitters.h"
#include "environment/sea_floor.h"
#include "fish/fish_population.h"
#include "fish/pick_grids.h"
#include "platform/data_directory.h"
#include "platform/message_box.h"
#include "platform/outline_font.h"
#include "settings/settings_file.h"

namespace veltamar {

namespace {

constexpr GLfloat LIGHT_AMBIENT[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat LIGHT_DIFFUSE[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat LIGHT_POSITION[] = {1000.0f, -1000.0f, 1000.0f, 1.0f};

// Fog is set up for the first frame only: the frame drawing switches it off and never on again.
void setUpFog() {
    const GLfloat fogColour[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, -10.0f);
    glFogf(GL_FOG_END, 100.0f);
    glEnable(GL_FOG);
}

// The sea floor spans the tank's width and depth.
void buildSeaFloorUnderTank(SceneState& scene) {
    buildSeaFloor(scene.seaFloorGrid, static_cast<int>(scene.tank.sceneRight - scene.tank.sceneLeft),
                  static_cast<int>(-scene.tank.sceneBack), 1);
}

}  // namespace

void setFixedGlState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glLightfv(GL_LIGHT1, GL_AMBIENT, LIGHT_AMBIENT);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, LIGHT_DIFFUSE);
    glLightfv(GL_LIGHT1, GL_POSITION, LIGHT_POSITION);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
}

void initialiseScene(SceneState& scene, ViewState& view, int screenWidth, int screenHeight) {
    buildOutlineFont(locateOutlineFontFile());
    setFixedGlState();
    scene.contextReady = true;

    view.screenWidth = screenWidth;
    view.screenHeight = screenHeight;
    scene.tank = tankBoundsForScreen(screenWidth, screenHeight);

    buildBackdropControlPoints(scene.backdrop, scene.tank);
    drawBackdropSurface(scene.backdrop.backdropControlPoints, scene.backdrop.backdropDivisions);

    const auto directory = locateResourceDirectory();
    if (!directory) {
        showMessage("Error Find TempPath.", "ERROR");
        return;
    }

    scene.backgroundOpaqueRows =
        loadBuiltInTexture(RESOURCE_BACKGROUND, *directory, "BackGround0", TextureKind::BlackKeyedMipmapped,
                           scene.backgroundTexture);
    for (int i = 0; i < FISH_TEXTURE_SLOTS; ++i)
        loadBuiltInTexture(RESOURCE_FISH_FIRST + i, *directory, "fish" + std::to_string(i),
                           TextureKind::Plain, scene.fishTextures[i]);

    loadSettings();

    buildSeaFloorUnderTank(scene);

    // Populating the scene, in this order because it decides which random draws each part gets:
    // the bubble emitters, the fish with their pick grids right after them, the swirl marker.
    setUpBubbleEmitters(scene.bubbles, scene.tank, *directory);
    placeFish(scene.fish, scene.tank.sceneTop, scene.tank.sceneBottom);
    buildPickGrids(scene.pickColumns, scene.pickRows, scene.tank);
    placeSwirlMarker(scene.swirl, 0.0f, 0.0f, -70.0f);

    scene.screenCopy.texture = createBlankTexture();
    scene.screenCopy.textureWidth = scene.screenCopy.textureHeight = 128;
    scene.rippleMesh = std::make_unique<RippleMesh>();
    resizeRippleMesh(*scene.rippleMesh, screenWidth, screenHeight);
    for (FoodPellet& pellet : scene.foodPellets) initFoodPellet(pellet);

    setUpFog();
    scene.populated = true;
}

void fitSceneToSize(SceneState& scene, ViewState& view, int width, int height) {
    view.screenWidth = width;
    view.screenHeight = height;
    scene.tank = tankBoundsForScreen(width, height);
    fitBackdropControlPoints(scene.backdrop, scene.tank);
    if (!scene.populated) return;
    fitFishBounds(scene.fish, scene.tank.sceneTop, scene.tank.sceneBottom);
    buildPickGrids(scene.pickColumns, scene.pickRows, scene.tank);
    buildSeaFloorUnderTank(scene);
    placeBubbleEmitters(scene.bubbles, scene.tank);
    if (scene.rippleMesh) resizeRippleMesh(*scene.rippleMesh, width, height);
}

}  // namespace veltamar

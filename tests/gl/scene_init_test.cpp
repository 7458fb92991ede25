#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "platform/crt_rand.h"
#include "platform/message_box.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "settings/live_settings.h"
#include "temp_config_home.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

TEST(SceneInit, LoadsTexturesAndSettingsAndLeavesNoTemporaryFiles) {
    gltest::OffscreenContext gl(320, 240);
    ASSERT_TRUE(gl.ok());
    TempConfigHome home;
    home.writeSettings("[Aquarium Settings]\nLIGHTQIANGDU=40\n");
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);

    EXPECT_TRUE(scene.populated);
    EXPECT_EQ(view.screenWidth, 1024);
    EXPECT_FLOAT_EQ(scene.tank.sceneRight, 49);
    EXPECT_NE(scene.backgroundTexture, 0u);
    for (GLuint texture : scene.fishTextures) EXPECT_NE(texture, 0u);
    EXPECT_NE(scene.screenCopy.texture, 0u);
    ASSERT_TRUE(scene.rippleMesh);
    EXPECT_EQ(scene.rippleMesh->width, 1024);
    for (const FoodPellet& pellet : scene.foodPellets) EXPECT_NE(pellet.shapeList, 0u);
    for (int slot : {10, 11}) {
        GLint width = -1;
        glBindTexture(GL_TEXTURE_2D, scene.fishTextures[slot]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0) << "fish texture slot " << slot << " exists without an image";
    }

    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(home.dataDirectory()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"OrvessaSet.ini"}) << "no .ad, .bmp or .wav file is left";

    // The light strength from the file: (100 - 40) x 0.01.
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);
    GLfloat ambient[4], diffuse[4];
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    EXPECT_NEAR(ambient[0], 0.6f, 1e-6);
    EXPECT_NEAR(diffuse[2], 0.6f, 1e-6);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
}

TEST(SceneInit, TheBubblesTakeTheirRandomDrawsBeforeTheFishArePlaced) {
    gltest::OffscreenContext gl(320, 240);
    ASSERT_TRUE(gl.ok());
    TempConfigHome home;
    home.writeSettings("[Fish Number]\nFish0=5\nFish1=5\nFish2=5\nFish3=5\nFish4=5\nFish5=5\nFish6=5\nFish7=5\n"
                       "Fish8=5\nFish9=5\n");
    crtSrand(1);
    auto scene = std::make_unique<SceneState>();
    ViewState view;
    initialiseScene(*scene, view, 1024, 768);

    // The same draws by hand, in building order: the scene's records, the bubble emitters, the fish.
    crtSrand(1);
    auto replica = std::make_unique<SceneState>();
    BubbleEmitterSet bubbles;
    setUpBubbleEmitters(bubbles, scene->tank, home.dataDirectory());
    placeFish(replica->fish, scene->tank.sceneTop, scene->tank.sceneBottom);
    for (std::size_t i = 0; i < replica->fish.size(); ++i) {
        EXPECT_EQ(scene->fish[i].position.x, replica->fish[i].position.x) << i;
        EXPECT_EQ(scene->fish[i].position.y, replica->fish[i].position.y) << i;
        EXPECT_EQ(scene->fish[i].speed, replica->fish[i].speed) << i;
    }
    EXPECT_EQ(scene->bubbles.bubbleEmitters[0].particles[0].x, bubbles.bubbleEmitters[0].particles[0].x);
}

TEST(SceneInit, WithoutADataDirectoryOnlyTheContextLevelStateExists) {
    gltest::OffscreenContext gl(320, 240);
    ASSERT_TRUE(gl.ok());
    TempConfigHome home;
    std::ofstream(home.dataDirectory().substr(0, home.dataDirectory().size() - 1)) << "in the way";
    std::vector<std::string> messages;
    auto previous = setMessageHandler([&](const std::string& text, const std::string& caption) {
        messages.push_back(caption + ": " + text);
    });
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 800, 600);
    setMessageHandler(previous);

    EXPECT_EQ(messages, std::vector<std::string>{"ERROR: Error Find TempPath."});
    EXPECT_TRUE(scene.contextReady);
    EXPECT_FALSE(scene.populated);
    EXPECT_FLOAT_EQ(scene.tank.sceneLeft, -49);
    EXPECT_EQ(scene.backgroundTexture, 0u);
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);  // draws without the missing objects
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

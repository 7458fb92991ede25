#include <gtest/gtest.h>

#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "platform/outline_font.h"
#include "render/camera.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "render/text_overlay.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Window-space z of every vertex a draw sends, through OpenGL's feedback mode.
std::vector<float> vertexDepths(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint values = glRenderMode(GL_RENDER);
    std::vector<float> depths;
    for (GLint i = 0; i < values;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) break;
        const GLint n = static_cast<GLint>(buffer[i++]);
        for (GLint v = 0; v < n; ++v, i += 3) depths.push_back(buffer[i + 2]);
    }
    return depths;
}

// Colour and depth of the whole drawing, as the next things drawn would find them.
struct Drawing {
    std::vector<GLubyte> colour;
    std::vector<GLfloat> depth;
};

Drawing drawnWith(int width, int height, void (*drawText)(const char*)) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Where the help text's lines stand, each with every printable character: the line running off
    // to the right shows glyphs from ever wider angles.
    const float places[][2] = {{-5.5f, 2.0f}, {-4.0f, -4.0f}};
    std::string text;
    for (char c = ' '; c <= '~'; ++c) text += c;
    for (const auto& at : places) {
        glPushMatrix();
        glTranslatef(at[0], at[1], -60.0f);
        drawText(text.c_str());
        glPopMatrix();
    }
    Drawing d{std::vector<GLubyte>(width * height * 3), std::vector<GLfloat>(width * height)};
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, d.colour.data());
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, d.depth.data());
    return d;
}

// The glyph solid with its face at the back too: the face mirrored behind it, drawn between the
// face and the sides.
void drawClosedGlyphs(const char* text) {
    static FTExtrudeFont font(locateOutlineFontFile().c_str());
    font.UseDisplayList(false);
    font.FaceSize(100);
    font.CharMap(ft_encoding_unicode);
    font.Depth(FONT_EXTRUSION * 100);
    for (const char* c = text; *c; ++c) {
        const wchar_t glyph[2] = {static_cast<wchar_t>(*c), 0};
        const auto render = [&](FTGL::RenderMode mode) {
            glPushMatrix();
            glScalef(0.01f, 0.01f, 0.01f);
            font.Render(glyph, 1, FTPoint(), FTPoint(), mode);
            glPopMatrix();
        };
        render(FTGL::RENDER_FRONT);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, -FONT_EXTRUSION);
        glScalef(1.0f, 1.0f, -1.0f);
        render(FTGL::RENDER_FRONT);
        glPopMatrix();
        render(FTGL::RENDER_SIDE);
        glTranslatef(glyphMetrics[static_cast<unsigned char>(*c)].cellIncX, 0.0f, 0.0f);
    }
}

// Dark pixels in the middle of the screen, where the help text stands.
int darkPixelsInTextArea(const gltest::OffscreenContext& gl) {
    int dark = 0;
    for (int y = 300; y < 460; y += 2)
        for (int x = 380; x < 800; x += 2) {
            const auto p = gl.pixel(x, y);
            if (p[0] + p[1] + p[2] < 200) ++dark;
        }
    return dark;
}

}  // namespace

TEST(OutlineFont, BuildsTheLatinGlyphsEmNormalisedAndExtruded) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    // Processor time of this thread: the work itself, whatever else the machine is busy with.
    const double cpuStart = threadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    const std::string file = locateOutlineFontFile();
    ASSERT_FALSE(file.empty()) << "a bold sans face is installed";
    const int built = buildOutlineFont(file);
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double cpuMs = threadCpuMs() - cpuStart;
    RecordProperty("font_build_cpu_ms", std::to_string(cpuMs));
    std::printf("outline font: %d glyphs from %s in %.1f ms (%.1f ms of processor time)\n", built,
                file.c_str(), wallMs, cpuMs);
    EXPECT_GE(built, 180) << "printable ASCII and most of Latin-1";
    ASSERT_NE(fontListBase, 0u);

    const GlyphMetrics& a = glyphMetrics['A'];
    EXPECT_GT(a.cellIncX, 0.55f);
    EXPECT_LT(a.cellIncX, 0.95f);
    EXPECT_NEAR(a.blackBoxY, 0.73f, 0.06f) << "capitals stand about three quarters of the em";
    EXPECT_GT(glyphMetrics[' '].cellIncX, 0.2f) << "a space advances without ink";
    EXPECT_EQ(glyphMetrics[7].cellIncX, 0.0f) << "control codes have no glyph";
    EXPECT_GT(glyphMetrics[0xE9].cellIncX, 0.4f) << "e acute of Latin-1";

    // A glyph's list is made when text first needs it; each moves the position on by its advance.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList(fontListBase + 'A');
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f) << "no list is made before text needs it";
    makeGlyphLists("AI");
    glCallList(fontListBase + 'A');
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12], a.cellIncX, 1e-5);
    EXPECT_NEAR(m[13], 0.0f, 1e-6);

    // Face at z = 0, sides reaching 0.2 behind it: under glOrtho(.., -1, 1) that is window z 0.5
    // and 0.6.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const std::vector<float> depths = vertexDepths([] { glCallList(fontListBase + 'I'); });
    ASSERT_FALSE(depths.empty());
    EXPECT_NEAR(*std::min_element(depths.begin(), depths.end()), 0.5f, 1e-4);
    EXPECT_NEAR(*std::max_element(depths.begin(), depths.end()), 0.6f, 1e-4);
}

// The glyphs leave out the face at the back: under the view's camera it never shows, so the text
// leaves the same pixels and, within rounding, the same depth for what is drawn after it.
TEST(OutlineFont, LeavingOutTheFaceAtTheBackChangesNoPixelTheTextLeaves) {
    constexpr int W = 1024, H = 768;
    gltest::OffscreenContext gl(W, H);
    ASSERT_TRUE(gl.ok());
    ASSERT_GT(buildOutlineFont(locateOutlineFontFile()), 0);
    glViewport(0, 0, W, H);
    applyFrameCamera(W, H, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.9f, 0.8f, 0.1f);

    const Drawing closed = drawnWith(W, H, drawClosedGlyphs);
    const Drawing open = drawnWith(W, H, [](const char* text) { printText("%s", text); });
    EXPECT_GT(std::count(open.colour.begin(), open.colour.end(), GLubyte{0}), 0);
    EXPECT_GT(std::count(open.colour.begin(), open.colour.end(), GLubyte{230}), 2000) << "the text is drawn";
    EXPECT_TRUE(open.colour == closed.colour);
    float largest = 0.0f;
    for (std::size_t i = 0; i < open.depth.size(); ++i)
        largest = std::max(largest, std::abs(open.depth[i] - closed.depth[i]));
    EXPECT_LT(largest, 1e-6f);
}

TEST(OutlineFont, AMissingFaceGivesEmptyListsAndDrawsNothing) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    EXPECT_EQ(buildOutlineFont("/nonexistent/NoSuchFace-Bold.ttf"), 0);
    EXPECT_NE(fontListBase, 0u) << "the lists are still reserved";
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    EXPECT_TRUE(vertexDepths([] { printText("%s", "Nothing to see"); }).empty());
    EXPECT_EQ(buildOutlineFont(""), 0);
    printText(nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextOverlay, TheLinesShowDuringTheFirstTwoHundredFramesAndWithF1) {
    gltest::OffscreenContext gl(1024, 768);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);
    liveSettings = LiveSettings{};
    liveSettings.backFixed = 1;
    liveSettings.backColor = 16777215;  // a white plane behind the text
    liveSettings.bubbleSetting = 110;
    overlayFrameCounter = 0;
    gltest::NullFrameHost host;

    drawFrame(scene, view, host);  // the fogged first frame
    drawFrame(scene, view, host);
    const int withText = darkPixelsInTextArea(gl);
    EXPECT_GT(withText, 300) << "the four lines stand in the middle of the screen";

    while (view.helpOverlayOn) drawFrame(scene, view, host);
    EXPECT_EQ(overlayFrameCounter, 0);
    drawFrame(scene, view, host);
    EXPECT_EQ(darkPixelsInTextArea(gl), 0) << "hidden after 200 frames";

    toggleHelpOverlay(view);
    drawFrame(scene, view, host);
    EXPECT_EQ(darkPixelsInTextArea(gl), withText) << "F1 shows the same text again";
    liveSettings = LiveSettings{};
}

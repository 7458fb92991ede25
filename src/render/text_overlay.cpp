#include "render/text_overlay.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/outline_font.h"
#include "platform/product_info.h"

namespace veltamar {

int overlayFrameCounter = 0;

namespace {

constexpr int TEXT_BUFFER_SIZE = 256;

struct OverlayLine {
    const char* text;
    float x, y, z;
};

// The glyphs carry no texture coordinates of their own that the text should use: whatever texture
// the previous frame left bound is sampled at the current texture coordinate, as for geometry
// sent without any. The outline library does send coordinates, so the texture matrix maps them
// all onto the current coordinate while the text is drawn.
void pinTextureCoordinates() {
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, current);
    const GLfloat pinned[16] = {0, 0, 0, 0, 0,          0,          0,          0,
                                0, 0, 0, 0, current[0], current[1], current[2], current[3]};
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadMatrixf(pinned);
    glMatrixMode(GL_MODELVIEW);
}

void releaseTextureCoordinates() {
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

bool advanceTextOverlay(ViewState& view) {
    if (view.helpOverlayOn) ++overlayFrameCounter;
    if (overlayFrameCounter > OVERLAY_FRAMES) {
        view.helpOverlayOn = false;
        overlayFrameCounter = 0;
    }
    return view.helpOverlayOn;
}

void drawTextOverlay(ViewState& view) {
    if (!advanceTextOverlay(view)) return;
    const OverlayLine lines[] = {
        {PRODUCT_TITLE, -5.5f, 2.0f, -60.0f},
        {"[Right Click]: Toolbar popup", -4.0f, -1.0f, -60.0f},
        {"[ESC]: Exit", -4.0f, -2.0f, -60.0f},
        {MAKER_WEB_ADDRESS, -4.0f, -4.0f, -60.0f},
    };
    for (const OverlayLine& line : lines) {
        glPushMatrix();
        glTranslatef(line.x, line.y, line.z);
        printText("%s", line.text);
        glPopMatrix();
    }
}

void printText(const char* format, ...) {
    if (!format || fontListBase == 0) return;
    char text[TEXT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (written <= 0) return;
    makeGlyphLists(text);

    // The current colour, normal and texture coordinate stay as they were.
    glPushAttrib(GL_LIST_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    pinTextureCoordinates();
    glListBase(fontListBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    releaseTextureCoordinates();
    glPopAttrib();
}

}  // namespace veltamar

#pragma once

#include <GL/gl.h>

#include <array>
#include <string>

// Extruded outline glyphs for the text floating in the scene: one display list per character
// code (made when text first shows the character), each drawing its glyph at the current position
// and then moving the position on by the glyph's advance, so a string is drawn with one
// glCallLists. Glyphs are em-normalised (the em is one unit high) and extruded toward -z, the way
// Windows builds outline fonts.

namespace veltamar {

// What is known of one built glyph, in em units.
struct GlyphMetrics {
    float blackBoxX = 0.0f, blackBoxY = 0.0f;  // size of the glyph's ink
    float originX = 0.0f, originY = 0.0f;      // upper-left corner of the ink from the origin
    float cellIncX = 0.0f, cellIncY = 0.0f;    // how far the glyph moves the position
};

constexpr int FONT_LIST_COUNT = 256;   // lists reserved, one per character code
constexpr int FONT_GLYPH_COUNT = 255;  // codes 0..254 are built (Latin-1)
constexpr float FONT_EXTRUSION = 0.2f;

// Base of the 256 reserved lists (0 before the font is built) and the metrics of the built glyphs.
extern GLuint fontListBase;
extern std::array<GlyphMetrics, FONT_LIST_COUNT> glyphMetrics;

// The font file of the text: a bold sans TrueType face found through fontconfig, DejaVu Sans Bold
// when it is installed. Empty when fontconfig knows no usable face.
std::string locateOutlineFontFile();

// Reserves the 256 lists, opens the font file with the given extrusion (in em units) and measures
// codes 1..254. Codes the face has no glyph for, and code 0, draw nothing. A missing or unreadable
// face leaves every list empty: text then draws nothing. Returns how many codes have a glyph.
int buildOutlineFont(const std::string& fontFile, float extrusion = FONT_EXTRUSION);

// Makes the lists of the glyphs in the text that have none yet (in the current context, outside
// any list being compiled); text is drawn through the lists once this has run for it.
void makeGlyphLists(const char* text);

}  // namespace veltamar

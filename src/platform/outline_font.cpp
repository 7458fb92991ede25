#include "platform/outline_font.h"

#include <FTGL/ftgl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <bitset>
#include <memory>

namespace veltamar {

GLuint fontListBase = 0;
std::array<GlyphMetrics, FONT_LIST_COUNT> glyphMetrics{};

namespace {

// The outlines are taken at this many units to the em and scaled down to one unit; it only sets
// the precision of the outline coordinates.
constexpr unsigned int EM_UNITS = 100;
constexpr float UNIT = 1.0f / EM_UNITS;

// The outline library keeps every glyph it made, with its tessellated mesh, until the glyph cache
// is dropped (on a new face size or with the font object); for a whole character set that is tens
// of megabytes of fresh memory and most of the start-up time. Dropping the cache every few glyphs
// keeps the memory small and reused.
constexpr int GLYPHS_PER_CACHE = 16;

bool setUpFace(FTExtrudeFont& font) {
    return font.FaceSize(EM_UNITS) && font.CharMap(ft_encoding_unicode);
}

std::unique_ptr<FTExtrudeFont> openExtrudedFont(const std::string& fontFile, float extrusion) {
    auto font = std::make_unique<FTExtrudeFont>(fontFile.c_str());
    if (font->Error() != 0) return nullptr;
    // The glyphs go into our own lists, so the library must not compile lists of its own.
    font->UseDisplayList(false);
    if (!setUpFace(*font)) return nullptr;
    font->Depth(extrusion * EM_UNITS);
    return font;
}

// Which character codes the face has a glyph for (FTGL would draw the missing-glyph box instead).
class GlyphCoverage {
  public:
    explicit GlyphCoverage(const std::string& fontFile) {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return;
        }
        if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
            face = nullptr;
            return;
        }
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    }
    ~GlyphCoverage() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    GlyphCoverage(const GlyphCoverage&) = delete;
    GlyphCoverage& operator=(const GlyphCoverage&) = delete;

    bool usable() const { return face != nullptr; }
    bool has(unsigned long code) const { return face && FT_Get_Char_Index(face, code) != 0; }

  private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// A glyph's list is made the first time text shows it: the few dozen glyphs the text uses take a
// fraction of the memory of the whole character set's meshes, and a saver that shows no text makes
// none. The face stays open for that. It is never closed: the outline library's own FreeType
// instance may be gone before static objects are destroyed at exit.
struct GlyphMaker {
    std::unique_ptr<FTExtrudeFont> font;
    std::bitset<FONT_LIST_COUNT> covered, made;
    int madeSinceCacheReset = 0;
};

GlyphMaker& glyphMaker() {
    static GlyphMaker* maker = new GlyphMaker;
    return *maker;
}

// A glyph is a solid: its face, and its sides reaching back by the extrusion. The face at the back
// is left out: the text always faces the viewer, so the face in front and the sides cover it at
// every pixel, and with both in one go the list is a single draw.
void makeGlyphList(FTExtrudeFont& font, int code) {
    const wchar_t text[2] = {static_cast<wchar_t>(code), 0};
    glNewList(fontListBase + code, GL_COMPILE);
    glPushMatrix();
    glScalef(UNIT, UNIT, UNIT);
    font.Render(text, 1, FTPoint(), FTPoint(), FTGL::RENDER_FRONT | FTGL::RENDER_SIDE);
    glPopMatrix();
    glTranslatef(glyphMetrics[code].cellIncX, 0.0f, 0.0f);
    glEndList();
}

}  // namespace

std::string locateOutlineFontFile() {
    if (!FcInit()) return {};
    Pattern request(FcPatternCreate());
    if (!request) return {};
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(request.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddInteger(request.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddString(request.get(), FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());

    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, request.get(), &result));
    if (!match || result != FcResultMatch) return {};
    FcBool scalable = FcFalse;
    if (FcPatternGetBool(match.get(), FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable) return {};
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    return reinterpret_cast<const char*>(file);
}

int buildOutlineFont(const std::string& fontFile, float extrusion) {
    glyphMetrics = {};
    GlyphMaker& maker = glyphMaker();
    maker = {};
    fontListBase = glGenLists(FONT_LIST_COUNT);
    if (fontListBase == 0 || fontFile.empty()) return 0;

    GlyphCoverage coverage(fontFile);
    if (!coverage.usable()) return 0;

    std::unique_ptr<FTExtrudeFont> font = openExtrudedFont(fontFile, extrusion);
    if (!font) return 0;
    int built = 0;
    for (int code = 1; code < FONT_GLYPH_COUNT; ++code) {
        if (!coverage.has(static_cast<unsigned long>(code))) continue;
        if (built > 0 && built % GLYPHS_PER_CACHE == 0 && !setUpFace(*font)) break;
        const wchar_t text[2] = {static_cast<wchar_t>(code), 0};
        const float advance = font->Advance(text, 1) * UNIT;
        const FTBBox box = font->BBox(text, 1);

        GlyphMetrics& m = glyphMetrics[code];
        m.blackBoxX = (box.Upper().Xf() - box.Lower().Xf()) * UNIT;
        m.blackBoxY = (box.Upper().Yf() - box.Lower().Yf()) * UNIT;
        m.originX = box.Lower().Xf() * UNIT;
        m.originY = box.Upper().Yf() * UNIT;
        m.cellIncX = advance;
        maker.covered.set(static_cast<std::size_t>(code));
        ++built;
    }
    maker.font = std::move(font);
    return built;
}

void makeGlyphLists(const char* text) {
    GlyphMaker& maker = glyphMaker();
    if (!maker.font || fontListBase == 0 || !text) return;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        const std::size_t code = *c;
        if (!maker.covered[code] || maker.made[code]) continue;
        if (maker.madeSinceCacheReset == GLYPHS_PER_CACHE) {
            if (!setUpFace(*maker.font)) {
                maker.font.reset();
                return;
            }
            maker.madeSinceCacheReset = 0;
        }
        makeGlyphList(*maker.font, static_cast<int>(code));
        maker.made.set(code);
        ++maker.madeSinceCacheReset;
    }
}

}  // namespace veltamar

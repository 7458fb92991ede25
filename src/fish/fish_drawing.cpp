// Drawing one fish from the shared model, and its per-frame life.
//
// Each part's vertices are worked out on the CPU exactly as they would be sent one by one, and are
// handed to OpenGL as vertex arrays: a fish is 1002 vertices a frame, and in selection mode (the
// picking of a click) Mesa's one-by-one path keeps memory it never gives back. The part's quad
// strips go to OpenGL as one list of triangles, in one call: as dozens of strips, each strip was a
// draw of its own for the renderer to set up.

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <vector>

#include "fish/fish.h"

namespace veltamar {

namespace {

constexpr int PECTORAL_MOVING_COLUMNS = 9;  // the last columns of the outer edge stay still

// One fish: every strip of every part, both halves of the mirrored ones.
constexpr int MAX_FISH_VERTICES = 1100;
constexpr int MAX_FISH_STRIPS = 64;

// The arrays of the fish being drawn, handed to OpenGL in one call.
struct FishArrays {
    GLfloat positions[MAX_FISH_VERTICES][3];
    GLfloat normals[MAX_FISH_VERTICES][3];
    GLfloat texCoords[MAX_FISH_VERTICES][2];
    GLint stripFirst[MAX_FISH_STRIPS];
    GLsizei stripLength[MAX_FISH_STRIPS];
    int vertices = 0;
    int strips = 0;
};

FishArrays& fishArrays() {
    static FishArrays arrays;
    return arrays;
}

// The strips' quads as triangles, two per quad, split along the same diagonal and with their
// corners in the same order as the renderer splits a quad strip, so the pixels are the same. Every
// fish has the same strips, so the list is made once.
const std::vector<GLushort>& stripTriangles(const FishArrays& arrays) {
    static std::vector<GLushort> triangles;
    if (!triangles.empty()) return triangles;
    for (int strip = 0; strip < arrays.strips; ++strip) {
        const int first = arrays.stripFirst[strip];
        for (int i = first + 3; i < first + arrays.stripLength[strip]; i += 2)
            for (int corner : {i - 3, i - 2, i, i - 1, i - 3, i})
                triangles.push_back(static_cast<GLushort>(corner));
    }
    return triangles;
}

}  // namespace

void Fish::drawFish() {
    const SegmentYaws yaws = updateTurn();
    const auto pectoral = pectoralWave.step();
    const auto tail = tailWave.step();

    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // model z becomes world up, model y world -z
    updatePitch();
    const double h = heading * 0.017453292;
    glRotatef(-pitch, static_cast<GLfloat>(std::sin(h)), static_cast<GLfloat>(-std::cos(h)), 0.0f);
    wanderStep();

    FishArrays& arrays = fishArrays();
    arrays.vertices = arrays.strips = 0;
    for (int part = 0; part < FISH_PART_COUNT; ++part)
        drawPart(static_cast<FishPart>(part), yaws, tail, pectoral);

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arrays.positions);
    glNormalPointer(GL_FLOAT, 0, arrays.normals);
    glTexCoordPointer(2, GL_FLOAT, 0, arrays.texCoords);
    const std::vector<GLushort>& triangles = stripTriangles(arrays);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_SHORT, triangles.data());
    glPopClientAttrib();
    // Like vertices sent one by one, the fish leaves the current normal and texture coordinate at
    // those of its last vertex: what is drawn next without its own relies on them.
    glNormal3fv(arrays.normals[arrays.vertices - 1]);
    glTexCoord2fv(arrays.texCoords[arrays.vertices - 1]);

    stepFish();
    updateBoxes();
    glPopMatrix();
}

// Adds the part's quad strips (and those of its mirrored half) to the fish's arrays, with
// partTransform turning every scaled, displaced position by the yaw of the part's body segment.
// Normals follow the GL matrix only, not the segment yaw.
void Fish::drawPart(FishPart part, const SegmentYaws& yaws, const std::array<float, FIN_WAVE_VALUES>& tail,
                    const std::array<float, FIN_WAVE_VALUES>& pectoral) {
    const FishPartLayout& layout = fishPartLayout(part);
    setPartTransform(yaws[layout.yawSegment]);
    const float* m = partTransform.data();
    const FishVertex* vertices = FISH_MODEL_VERTICES + fishPartFirstVertex(part);
    const float scale = static_cast<float>(size);
    FishArrays& arrays = fishArrays();
    int& count = arrays.vertices;

    auto emit = [&](int row, int column, float mirror) {
        const FishVertex& v = vertices[row * layout.columns + column];
        float x = v.position[0] * scale;
        float y = v.position[1] * scale;
        float z = v.position[2] * scale;
        if (part == FishPart::TailFin && row == TAIL_TRAILING_ROW) {
            y += scale * tail[column];
        } else if (part == FishPart::PectoralFins && row == PECTORAL_OUTER_ROW &&
                   column < PECTORAL_MOVING_COLUMNS) {
            const float c = scale * pectoral[column];
            y += c;
            z += c;
        }
        y *= mirror;
        GLfloat* position = arrays.positions[count];
        position[0] = m[0] * x + m[4] * y + m[8] * z;
        position[1] = m[1] * x + m[5] * y + m[9] * z;
        position[2] = m[2] * x + m[6] * y + m[10] * z;
        arrays.normals[count][0] = v.normal[0];
        arrays.normals[count][1] = v.normal[1];
        arrays.normals[count][2] = v.normal[2];
        arrays.texCoords[count][0] = v.texCoord[0];
        arrays.texCoords[count][1] = v.texCoord[1];
        ++count;
    };

    const int halves = layout.mirrored ? 2 : 1;
    for (int half = 0; half < halves; ++half) {
        const float mirror = half == 0 ? 1.0f : -1.0f;
        for (int row = 0; row + 1 < layout.rows; ++row) {
            arrays.stripFirst[arrays.strips] = count;
            arrays.stripLength[arrays.strips++] = 2 * layout.columns;
            for (int column = 0; column < layout.columns; ++column) {
                emit(row, column, mirror);
                emit(row + 1, column, mirror);
            }
        }
    }
}

}  // namespace veltamar

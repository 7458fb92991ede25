// Drawing one fish in immediate mode from the shared model, and its per-frame life.

#include <GL/gl.h>

#include <cmath>

#include "fish/fish.h"

namespace veltamar {

namespace {

constexpr int PECTORAL_MOVING_COLUMNS = 9;  // the last columns of the outer edge stay still

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

    for (int part = 0; part < FISH_PART_COUNT; ++part)
        drawPart(static_cast<FishPart>(part), yaws, tail, pectoral);

    stepFish();
    updateBoxes();
    glPopMatrix();
}

// Emits the part's quad strips (and those of its mirrored half) with partTransform turning every
// scaled, displaced position by the yaw of the part's body segment. Normals follow the GL matrix
// only, not the segment yaw.
void Fish::drawPart(FishPart part, const SegmentYaws& yaws, const std::array<float, FIN_WAVE_VALUES>& tail,
                    const std::array<float, FIN_WAVE_VALUES>& pectoral) {
    const FishPartLayout& layout = fishPartLayout(part);
    setPartTransform(yaws[layout.yawSegment]);
    const float* m = partTransform.data();
    const FishVertex* vertices = FISH_MODEL_VERTICES + fishPartFirstVertex(part);
    const float scale = static_cast<float>(size);

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
        const GLfloat turned[3] = {m[0] * x + m[4] * y + m[8] * z, m[1] * x + m[5] * y + m[9] * z,
                                   m[2] * x + m[6] * y + m[10] * z};
        glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
        glTexCoord2f(v.texCoord[0], v.texCoord[1]);
        glVertex3fv(turned);
    };

    const int halves = layout.mirrored ? 2 : 1;
    for (int half = 0; half < halves; ++half) {
        const float mirror = half == 0 ? 1.0f : -1.0f;
        for (int row = 0; row + 1 < layout.rows; ++row) {
            glBegin(GL_QUAD_STRIP);
            for (int column = 0; column < layout.columns; ++column) {
                emit(row, column, mirror);
                emit(row + 1, column, mirror);
            }
            glEnd();
        }
    }
}

}  // namespace veltamar

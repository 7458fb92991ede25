#include "fish/picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>

#include "render/camera.h"

namespace veltamar {

namespace {

constexpr GLsizei SELECTION_BUFFER = 512;

// The strips are drawn from vertex arrays: vertices sent one by one in selection mode make Mesa
// keep memory it never gives back.
void drawQuad(const GLfloat (&corners)[4][3]) {
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glDrawArrays(GL_QUADS, 0, 4);
    glPopClientAttrib();
}

void drawColumnStrip() {
    static const GLfloat corners[4][3] = {{-0.5f, -30.0f, 1.0f}, {0.5f, -30.0f, 1.0f}, {0.5f, 30.0f, 1.0f}, {-0.5f, 30.0f, 1.0f}};
    drawQuad(corners);
}

void drawRowStrip() {
    static const GLfloat corners[4][3] = {{-90.0f, -0.5f, 1.0f}, {90.0f, -0.5f, 1.0f}, {90.0f, 0.5f, 1.0f}, {-90.0f, 0.5f, 1.0f}};
    drawQuad(corners);
}

template <std::size_t N>
int pickStrip(const std::array<Point3, N>& points, int mouseX, int mouseY, void (*strip)()) {
    return pickLowestName(mouseX, mouseY, STRIP_PICK_BOX, [&] {
        for (std::size_t i = 0; i < N; ++i) {
            glLoadName(static_cast<GLuint>(i));
            glPushMatrix();
            glTranslatef(points[i].x, points[i].y, points[i].z);
            strip();
            glPopMatrix();
        }
    });
}

// One grid's sweep along one coordinate (x for the columns, y for the rows).
template <std::size_t N>
void sweepGrid(std::array<Point3, N>& points, float Point3::*coordinate, float edge, bool& flag) {
    for (Point3& p : points) {
        const float first = points[0].*coordinate;
        if (edge - 1.0f > first) flag = true;
        if (edge + 1.0f < first) {
            flag = false;
            p.*coordinate -= 0.1f;
        } else {
            p.*coordinate += flag ? 0.1f : -0.1f;
        }
    }
}

}  // namespace

int pickLowestName(int mouseX, int mouseY, double boxPixels, const std::function<void()>& draw) {
    glPushMatrix();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLuint buffer[SELECTION_BUFFER];
    glSelectBuffer(SELECTION_BUFFER, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(mouseX, viewport[3] - mouseY, boxPixels, boxPixels, viewport);
    const Frustum f = frameFrustum(viewport[2], viewport[3]);
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);
    glMatrixMode(GL_MODELVIEW);
    draw();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    glPopMatrix();

    // Hit records: name count, nearest and farthest depth, then the names.
    int lowest = -1;
    for (GLint h = 0, at = 0; h < hits && at < SELECTION_BUFFER; ++h) {
        const GLuint names = buffer[at];
        for (GLuint n = 0; n < names && at + 3 + static_cast<GLint>(n) < SELECTION_BUFFER; ++n) {
            const int name = static_cast<int>(buffer[at + 3 + n]);
            if (lowest < 0 || name < lowest) lowest = name;
        }
        at += 3 + static_cast<GLint>(names);
    }
    return lowest;
}

float pickWorldX(const PickColumns& columns, int mouseX, int mouseY) {
    const int hit = pickStrip(columns, mouseX, mouseY, drawColumnStrip);
    return hit < 0 ? 0.0f : columns[hit].x;
}

float pickWorldY(const PickRows& rows, int mouseX, int mouseY) {
    const int hit = pickStrip(rows, mouseX, mouseY, drawRowStrip);
    return hit < 0 ? 0.0f : rows[hit].y;
}

void sweepPickGrids(PickColumns& columns, PickRows& rows, PickSweep& sweep, const TankBounds& tank) {
    sweepGrid(columns, &Point3::x, tank.sceneLeft, sweep.columns);
    sweepGrid(rows, &Point3::y, tank.sceneBottom, sweep.rows);
}

void applyFishTool(Fish& fish, FishTool tool) {
    switch (tool) {
        case FishTool::Touch:
            if (fish.inShelfBand()) fish.turnHeading(0.0f, true, TURN_QUARTER);
            fish.approachSpeed(0.4f, 0.15f);
            break;
        case FishTool::ZoomIn:
            fish.size = std::min(fish.size + 2, 8);
            break;
        case FishTool::ZoomOut:
            fish.size = std::max(fish.size - 2, 2);
            break;
        case FishTool::Swirl:
            break;
    }
}

int pickFishUnderCursor(FishTable& fish, const SpeciesCounts& counts, int mouseX, int mouseY, FishTool tool) {
    const int tested = std::min(populationTotal(counts), FISH_CAPACITY);
    for (int i = 0; i < tested; ++i) {
        Fish& f = fish[i];
        const int hit = pickLowestName(mouseX, mouseY, FISH_PICK_BOX, [&] {
            glTranslatef(f.position.x, f.position.y, f.position.z);
            f.drawFish();
        });
        if (hit < 0) continue;
        applyFishTool(f, tool);
        return i;
    }
    return -1;
}

}  // namespace veltamar

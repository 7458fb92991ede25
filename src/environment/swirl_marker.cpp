#include "environment/swirl_marker.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace veltamar {

float swirlAngle = 0.0f;

namespace {

constexpr float STEP = 1.5f;

// A 15-spoke web of 10 rings seen along the view axis: a GLU wire cone, compiled the first time it
// is drawn and replayed afterwards.
void callConeList() {
    static GLuint coneList = 0;
    if (coneList != 0 && glIsList(coneList)) {
        glCallList(coneList);
        return;
    }
    coneList = glGenLists(1);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_LINE);
    glNewList(coneList, GL_COMPILE_AND_EXECUTE);
    gluCylinder(quadric, 3.0, 0.0, 1.0, 15, 10);
    glEndList();
    gluDeleteQuadric(quadric);
}

}  // namespace

void placeSwirlMarker(SwirlMarker& m, float x, float y, float z) {
    const float point[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) m.spawn[i] = m.current[i] = m.target[i] = point[i];
    drawSwirlMarker(m);
}

void setSwirlTarget(SwirlMarker& m, float x, float y, float z) {
    m.target[0] = x;
    m.target[1] = y;
    m.target[2] = z;
}

void drawSwirlMarker(SwirlMarker& m) {
    swirlAngle += 0.1f;
    if (swirlAngle > 360.0f) swirlAngle = 0.0f;
    glPushMatrix();
    glTranslatef(m.current[0], m.current[1], m.current[2]);
    glRotatef(swirlAngle, 0.0f, 0.0f, 1.0f);
    callConeList();
    glPopMatrix();
}

void moveSwirlMarker(SwirlMarker& m) {
    for (int axis = 0; axis < 3; ++axis) {
        const float distance = std::fabs(m.current[axis] - m.target[axis]);
        if (distance <= STEP) continue;
        m.current[axis] += m.current[axis] > m.target[axis] ? -STEP : STEP;
    }
}

// Drawing does not move the marker, so the distances noted before it are the ones the move uses.
void stepSwirlMarker(SwirlMarker& m) {
    drawSwirlMarker(m);
    moveSwirlMarker(m);
}

}  // namespace veltamar

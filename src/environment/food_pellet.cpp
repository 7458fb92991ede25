#include "environment/food_pellet.h"

#include <cmath>

#include "platform/crt_rand.h"

namespace veltamar {

namespace {

// Difference of two successive draws, first minus second.
float drawDifference() {
    const int first = crtRand();
    const int second = crtRand();
    return static_cast<float>(first - second);
}

// A flat ellipse 0.6 wide and 0.3 high in cream, drawn without texture.
GLuint compilePelletShape() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glColor3ub(243, 225, 159);
    glBegin(GL_POLYGON);
    for (int k = 0; k < 500; ++k) {
        const float a = static_cast<float>(k) * 0.01256637f;
        glVertex2f(0.3f * std::cos(a), 0.15f * std::sin(a));
    }
    glEnd();
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
    glEndList();
    return list;
}

}  // namespace

FoodPellet::FoodPellet() {
    const int x = crtRand() % 60 - 30;
    const int y = crtRand() % 30 - 15;
    dropPoint[0] = static_cast<float>(x);
    dropPoint[1] = static_cast<float>(y);
    dropPoint[2] = -70.0f;
}

void seedFoodPellet(FoodPellet& p) {
    p.drift[0] = drawDifference() * 0.000042115542f;
    p.drift[1] = 1.0f;
    p.drift[2] = drawDifference() * 0.000011597033f;
    p.spin = drawDifference() * 0.0054933317f;
    const float firstTurn = drawDifference() * 0.0054933317f;
    p.turn = firstTurn + drawDifference() * 0.0054933317f;
    p.sinkSpeed = static_cast<float>(crtRand() % 10) * 0.0005f + 0.005f;
    p.alive = 1.0f;
    p.worldPosition[0] = p.worldPosition[1] = p.worldPosition[2] = 0.0f;
}

void initFoodPellet(FoodPellet& pellet) {
    seedFoodPellet(pellet);
    if (pellet.shapeList == 0) pellet.shapeList = compilePelletShape();
}

void dropFoodPellet(FoodPellet& pellet, float x, float y, float z) {
    pellet.dropPoint[0] = x;
    pellet.dropPoint[1] = y;
    pellet.dropPoint[2] = z;
    initFoodPellet(pellet);
}

void stepFoodPellet(FoodPellet& p) {
    if (p.drift[1] > -10.0f) {
        p.drift[0] += drawDifference() * 0.00000006103702f;
        p.drift[1] -= p.sinkSpeed;
        p.drift[2] += drawDifference() * 0.00000006103702f;
        p.spin += 0.4f;
        p.turn += 2.0f;
    } else {
        p.drift[1] = -40.0f;
        p.spin -= static_cast<float>(crtRand()) * 0.000006103702f;
        p.turn += static_cast<float>(crtRand()) * 0.000030518509f;
        p.alive = 0.0f;
    }
}

void drawFoodPellet(FoodPellet& p) {
    glTranslatef(p.dropPoint[0], p.dropPoint[1], p.dropPoint[2]);
    if (static_cast<int>(p.alive) != 0) {
        glPushMatrix();
        glRotatef(p.turn, 0.0f, 1.0f, 0.0f);
        glTranslatef(p.drift[0], p.drift[1] - 0.2f, p.drift[2]);
        glRotatef(p.spin, 1.0f, 0.0f, 0.0f);
        glCallList(p.shapeList);
        glPopMatrix();
        p.worldPosition[0] = p.dropPoint[0] + p.drift[0];
        p.worldPosition[1] = p.dropPoint[1] + p.drift[1] - 0.2f;
        p.worldPosition[2] = p.dropPoint[2] + p.drift[2];
    } else {
        p.active = false;
    }
    stepFoodPellet(p);
}

void nudgeFoodPellet(FoodPellet& pellet, float dx, float dy, float dz) {
    pellet.drift[0] += dx;
    pellet.drift[1] += dy;
    pellet.drift[2] += dz;
}

void eatFoodPellet(FoodPellet& pellet) { pellet.alive = 0.0f; }

FoodPellet* firstFreePellet(FoodPellet (&pellets)[FOOD_PELLET_COUNT]) {
    for (FoodPellet& pellet : pellets)
        if (!pellet.active) return &pellet;
    return nullptr;
}

}  // namespace veltamar

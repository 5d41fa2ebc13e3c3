#include "render/meshes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "render/objects.h"
#include "render/sphere.h"

namespace {

template <typename Draw>
unsigned int compile(Draw draw)
{
    const GLuint list = glGenLists(1);
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    draw();
    glEndList();
    return list;
}

// The quadric's +Z axis becomes +Y.
void standUpright()
{
    glRotatef(270.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
}

GLUquadric* texturedQuadric()
{
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    return quadric;
}

}  // namespace

void drawGoalRing()
{
    drawTorus(goalRingRadius, goalRingTube);
}

void drawItemSphere()
{
    static const SphereMesh sphere = makeSphereMesh(itemRadius, 50, 50);
    drawSphereMesh(sphere);
}

void drawBallSphere(float radius)
{
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    gluSphere(quadric, radius, 50, 50);
    gluDeleteQuadric(quadric);
}

void drawCylinderBody(float side)
{
    const float h = side * 0.5f;
    glPushMatrix();
    standUpright();
    GLUquadric* quadric = texturedQuadric();
    gluCylinder(quadric, h, h, side, 30, 10);
    gluDisk(quadric, 0.0, h, 30, 10);
    gluDeleteQuadric(quadric);
    glPopMatrix();
}

void drawCylinderTop(float side)
{
    const float h = side * 0.5f;
    glPushMatrix();
    glTranslatef(0.0f, side, 0.0f);
    standUpright();
    GLUquadric* quadric = texturedQuadric();
    gluDisk(quadric, 0.0, h, 30, 10);
    gluDeleteQuadric(quadric);
    glPopMatrix();
}

Meshes buildMeshes(const Course& course)
{
    Meshes meshes;
    meshes.goalRing = compile(drawGoalRing);
    meshes.itemSphere = compile(drawItemSphere);
    for (float radius : {0.25f, 0.5f, 1.0f}) {
        meshes.balls.push_back({radius, compile([radius] { drawBallSphere(radius); })});
    }
    for (const Block& block : course.blocks) {
        const float side = block.size.x;
        if (block.shape != Shape::Cylinder || cylinderMesh(meshes, side) != nullptr) continue;
        meshes.cylinders.push_back({side, compile([side] { drawCylinderBody(side); }),
                                    compile([side] { drawCylinderTop(side); })});
    }
    return meshes;
}

unsigned int ballList(const Meshes& meshes, float radius)
{
    for (const BallMesh& ball : meshes.balls) {
        if (ball.radius == radius) return ball.sphere;
    }
    return 0;
}

const CylinderMesh* cylinderMesh(const Meshes& meshes, float side)
{
    const auto found = std::find_if(meshes.cylinders.begin(), meshes.cylinders.end(),
                                    [side](const CylinderMesh& c) { return c.side == side; });
    return found == meshes.cylinders.end() ? nullptr : &*found;
}

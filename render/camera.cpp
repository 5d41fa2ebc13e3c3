#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "sim/rotation.h"

void applyViewRotation(const Camera& camera)
{
    if (!camera.firstPersonView) {
        glTranslatef(0.0f, 0.0f, -25.0f);
        glRotatef(15.0f, 1.0f, 0.0f, 0.0f);
    }
    const float quarterTurns = static_cast<float>(camera.viewQuadrant) * 90.0f;
    glRotatef(quarterTurns, 0.0f, 1.0f, 0.0f);
    glRotatef(camera.cameraYaw, 0.0f, 1.0f, 0.0f);
    // Pitch about the camera's own horizontal axis, whatever the heading.
    const Vec3 axis = rotateVector({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, quarterTurns + camera.cameraYaw);
    glRotatef(camera.cameraPitch, axis.x, axis.y, axis.z);
}

void loadProjection(bool firstPersonView, int width, int height)
{
    // The smallest ball's radius is 0.25; even in the corners of a wide
    // screen, where a plane comes nearest to the near plane, 0.1 stays clear.
    const double near = firstPersonView ? 0.1 : 1.0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height > 0 ? height : 1), near, 200.0);
}

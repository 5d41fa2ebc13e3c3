#include "render/camera.h"

#include <GL/gl.h>

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

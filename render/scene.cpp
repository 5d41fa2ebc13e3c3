#include "render/scene.h"

#include <GL/gl.h>

#include "render/camera.h"
#include "render/objects.h"
#include "render/shadow.h"
#include "render/skybox.h"
#include "render/view_volume.h"

void drawScene(const Game& game, const Graphics& graphics)
{
    const Ball& b = game.ball;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    loadProjection(game.camera.firstPersonView, viewport[2], viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyViewRotation(game.camera);
    glTranslatef(-b.position.x, -b.position.y, -b.position.z);

    // The light follows the ball, set after the camera so it is a world position.
    const GLfloat ambient[4] = {0.15f, 0.15f, 0.15f, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat grey[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat light[4] = {b.position.x, b.position.y + 2.0f * b.radius + 3.0f,
                              b.position.z + 0.3f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, grey);
    glLightfv(GL_LIGHT0, GL_POSITION, light);

    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMateriali(GL_FRONT, GL_SHININESS, 10);

    drawSkyBox(game.camera, graphics);
    // The ball's own view looks out from inside the ball: neither the ball
    // nor the shadow right under the eye is in the picture.
    const bool chaseView = !game.camera.firstPersonView;
    if (chaseView) drawBall(b, graphics);

    const GLfloat noHighlight[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, noHighlight);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    // Everything below is drawn one radius lower so the sphere drawn around
    // the ball's lowest point rests on the tops it stands on.
    glTranslatef(0.0f, -b.radius, 0.0f);
    const Course& course = game.course;
    const ViewVolume view = currentViewVolume();
    for (const Block& block : course.blocks) {
        if (!outOfView(view, block.position, block.size)) drawBlock(block, false, graphics);
    }
    drawGoal(course.goalPosition, game.goalAngle, graphics);
    if (chaseView) drawBallShadow(b, course.blocks, graphics);
    drawSeeThroughItems(course, graphics);
}

#include "render/shadow.h"

#include <GL/gl.h>

#include <cmath>

#include "render/objects.h"
#include "render/texturing.h"

float findShadowReceiver(const Ball& b, const std::vector<Block>& blocks, const Vec3& position,
                         Block& receiver)
{
    const float x = position.x;
    const float y = position.y;
    const float z = position.z;
    const float r = b.radius;
    float h = -1.0f;
    for (const Block& block : blocks) {
        const Vec3& p = block.position;
        const Vec3& s = block.size;
        // The lower edges are widened by the radius, the upper ones are not.
        if (!(x + r >= p.x && x <= p.x + s.x)) continue;
        if (!(r + z >= p.z && z <= p.z + s.z)) continue;
        const float top = p.y + s.y;
        if (!(y + 0.01f >= top)) continue;
        if (h < top) {
            h = top;
            receiver = block;
        }
    }
    return h;
}

void drawBallShadow(const Ball& b, const std::vector<Block>& blocks, const Graphics& graphics)
{
    Block receiver{};
    const float h = findShadowReceiver(b, blocks, b.position, receiver);
    if (h < 0.0f) return;

    glPushAttrib(GL_ENABLE_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, black);
    glMaterialfv(GL_FRONT, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT, GL_EMISSION, black);

    // Mark the receiver's whole top face, hidden parts too.
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    drawBlock(receiver, true, graphics);

    // The blob, only where the face was marked and where nothing hides it.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    disableTexturing(graphics.textures);
    const float r = b.radius;
    glTranslatef(b.position.x, h + 0.01f, b.position.z);
    glColor3f(0.0f, 0.0f, 0.0f);
    glTranslatef(-0.25f * r, 0.0f, 0.0f);
    drawDisc(r);
    glTranslatef(0.5f * r, 0.0f, 0.0f);
    drawDisc(r);
    glTranslatef(-0.25f * r, 0.0f, 0.25f * r);
    drawDisc(r);
    glTranslatef(0.0f, 0.0f, -0.5f * r);
    drawDisc(r);

    glPopMatrix();
    glPopAttrib();
}

void drawDisc(float radius)
{
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, 0.0f, 0.0f);
    const double step = 0.06283185482025147;
    const double last = 6.346017336845398;
    for (float a = 0.0f; a <= last; a = static_cast<float>(a + step)) {
        glVertex3f(radius * std::sin(a), 0.0f, radius * std::cos(a));
    }
    glEnd();
}

#include "render/skybox.h"

#include <GL/gl.h>

#include "render/camera.h"

namespace {

struct SkyCorner {
    float s, t;
    float x, y, z;
};

// Faces in drawing order: texture index and four (s, t) -> corner pairs.
// Seen from inside, s = 0 is on the viewer's right and t = 0 at the bottom.
struct SkyFace {
    int texture;
    SkyCorner corners[4];
};

constexpr float n = -0.5f;
constexpr float p = 0.5f;

const SkyFace skyFaces[6] = {
    {0, {{0, 0, p, n, n}, {1, 0, n, n, n}, {1, 1, n, p, n}, {0, 1, p, p, n}}},  // -z
    {1, {{0, 0, p, n, p}, {1, 0, p, n, n}, {1, 1, p, p, n}, {0, 1, p, p, p}}},  // +x
    {2, {{0, 0, n, n, p}, {1, 0, p, n, p}, {1, 1, p, p, p}, {0, 1, n, p, p}}},  // +z
    {3, {{0, 0, n, n, n}, {1, 0, n, n, p}, {1, 1, n, p, p}, {0, 1, n, p, n}}},  // -x
    {4, {{1, 1, n, p, n}, {0, 1, n, p, p}, {0, 0, p, p, p}, {1, 0, p, p, n}}},  // top
    {5, {{1, 0, n, n, n}, {0, 0, n, n, p}, {0, 1, p, n, p}, {1, 1, p, n, n}}},  // bottom
};

}  // namespace

void drawSkyBox(const Camera& camera, const Textures& textures)
{
    glPushMatrix();
    glLoadIdentity();
    applyViewRotation(camera);
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    // The shader pair lights every draw, whatever GL_LIGHTING says. A white
    // emission saturates its lit colour, so the pictures come out exactly as
    // the fixed-function path shows them unlit; it is put back afterwards.
    GLfloat emission[4];
    glGetMaterialfv(GL_FRONT, GL_EMISSION, emission);
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, white);

    glScalef(200.0f, 200.0f, 200.0f);
    for (const SkyFace& face : skyFaces) {
        glBindTexture(GL_TEXTURE_2D, textures.sky[face.texture]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBegin(GL_QUADS);
        for (const SkyCorner& c : face.corners) {
            glTexCoord2f(c.s, c.t);
            glVertex3f(c.x, c.y, c.z);
        }
        glEnd();
    }

    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glPopAttrib();
    glPopMatrix();
}

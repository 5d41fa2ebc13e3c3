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

// From this viewport height up, the 512-texel faces are magnified even at
// the corners of the screen.
constexpr GLint magnifiedHeight = 600;

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

void drawSkyBox(const Camera& camera, const Graphics& graphics)
{
    const Textures& textures = graphics.textures;
    const ShaderProgram& shader = graphics.shader;
    glPushMatrix();
    glLoadIdentity();
    applyViewRotation(camera);
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    // The sky is unlit: its pictures show as they are. The shader pair would
    // light every pixel of it only to saturate the result, at the cost of
    // most of a software-rendered frame, so the fixed-function pipeline
    // draws it and the pair comes back for the course.
    const bool shaderOn = shader.active && shader.use != nullptr;
    if (shaderOn) shader.use(0);

    // A face spans a quarter turn of view and the screen's height only 45
    // degrees, so on a screen this tall or taller every texel of the sky is
    // magnified: the mipmaps would never be read, and skipping the search
    // for them saves a share of every frame. Smaller windows keep them.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const GLint minFilter = viewport[3] >= magnifiedHeight ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR;

    glScalef(200.0f, 200.0f, 200.0f);
    for (const SkyFace& face : skyFaces) {
        glBindTexture(GL_TEXTURE_2D, textures.sky[face.texture]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
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

    if (shaderOn) shader.use(shader.program);
    glPopAttrib();
    glPopMatrix();
}

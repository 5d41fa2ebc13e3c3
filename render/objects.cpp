#include "render/objects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/meshes.h"
#include "render/texturing.h"
#include "render/view_volume.h"

void drawBlock(const Block& block, bool topOnly, const Graphics& graphics)
{
    const Textures& textures = graphics.textures;
    const float sx = block.size.x;
    const float sy = block.size.y;
    const float sz = block.size.z;
    const float h = sx * 0.5f;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(block.position.x, block.position.y, block.position.z);
    // Model the block as a cube of edge sx, squeezed to its real height and depth.
    glScalef(1.0f, sy / sx, sz / sx);
    glTranslatef(h, h, h);
    glColor4f(1.0f, 1.0f, 1.0f, block.opacity);
    bindFilteredTexture(textureOf(textures, block));
    // Glass panes lie flat against the faces of the bars inside them. Held a
    // little behind in depth, a pane's inner face never ties with the bar
    // face on the same plane, which showed as stripes changing every frame.
    const bool seeThrough = block.opacity < 1.0f;
    if (seeThrough) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 1.0f);
    }
    // An opaque block blended at alpha 1 comes out as its own colour exactly;
    // skipping the blend spares reading back every pixel it covers.
    const bool blending = glIsEnabled(GL_BLEND);
    if (!seeThrough && blending) glDisable(GL_BLEND);

    if (block.shape == Shape::Cylinder) {
        glTranslatef(0.0f, -h, 0.0f);
        glRotatef(block.spin, 0.0f, 1.0f, 0.0f);
        const CylinderMesh* mesh = cylinderMesh(graphics.meshes, sx);
        if (!topOnly) {
            if (mesh) glCallList(mesh->body);
            else drawCylinderBody(sx);
        }
        if (mesh) glCallList(mesh->top);
        else drawCylinderTop(sx);
    } else if (topOnly) {
        glBegin(GL_QUADS);
        glVertex3f(-h, h, -h);
        glVertex3f(-h, h, h);
        glVertex3f(h, h, h);
        glVertex3f(h, h, -h);
        glEnd();
    } else {
        glScalef(sx, sx, sx);
        drawUnitCube(block.flipTexture);
    }

    if (seeThrough) glDisable(GL_POLYGON_OFFSET_FILL);
    if (!seeThrough && blending) glEnable(GL_BLEND);
    disableTexturing(textures);
    glPopMatrix();
}

namespace {

struct CubeCorner {
    float s, t;
    float x, y, z;
};

void emitFace(float nx, float ny, float nz, const CubeCorner (&corners)[4])
{
    glNormal3f(nx, ny, nz);
    for (const CubeCorner& c : corners) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
}

}  // namespace

void drawUnitCube(bool flipTexture)
{
    // Flipping swaps 0 and 1 in s on five faces and in t on the back face,
    // which mirrors the picture on every face.
    const float a = flipTexture ? 1.0f : 0.0f;
    const float b = 1.0f - a;
    const float n = -0.5f;
    const float p = 0.5f;
    glBegin(GL_QUADS);
    emitFace(0, 1, 0, {{a, 1, n, p, n}, {a, 0, n, p, p}, {b, 0, p, p, p}, {b, 1, p, p, n}});
    emitFace(0, -1, 0, {{a, 0, n, n, n}, {b, 0, p, n, n}, {b, 1, p, n, p}, {a, 1, n, n, p}});
    emitFace(-1, 0, 0, {{a, 0, n, n, n}, {b, 0, n, n, p}, {b, 1, n, p, p}, {a, 1, n, p, n}});
    emitFace(1, 0, 0, {{b, 0, p, n, n}, {b, 1, p, p, n}, {a, 1, p, p, p}, {a, 0, p, n, p}});
    emitFace(0, 0, 1, {{a, 0, n, n, p}, {b, 0, p, n, p}, {b, 1, p, p, p}, {a, 1, n, p, p}});
    emitFace(0, 0, -1, {{1, a, n, n, n}, {0, a, n, p, n}, {0, b, p, p, n}, {1, b, p, n, n}});
    glEnd();
}

void drawBall(const Ball& b, const Graphics& graphics)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(b.position.x, b.position.y, b.position.z);
    glColor3f(b.colour.x, b.colour.y, b.colour.z);
    const float* r = b.rotation.m;
    const GLfloat rotation[16] = {r[0], r[1], r[2], 0.0f, r[3], r[4], r[5], 0.0f,
                                  r[6], r[7], r[8], 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    glMultMatrixf(rotation);
    bindFilteredTexture(graphics.textures.ball);
    if (const unsigned int list = ballList(graphics.meshes, b.radius)) {
        glCallList(list);
    } else {
        drawBallSphere(b.radius);
    }
    disableTexturing(graphics.textures);
    glPopMatrix();
}

namespace {

void drawItem(const Vec3& position, float r, float g, float b, float alpha, const Meshes& meshes)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glColor4f(r, g, b, alpha);
    // Only the near half: a far face drawn before the near one in front of it
    // would be blended in too, as stripes across the see-through sphere.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    if (meshes.itemSphere != 0) {
        glCallList(meshes.itemSphere);
    } else {
        drawItemSphere();
    }
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

// A size orb or a checkpoint, and its squared distance from the eye.
struct SeeThroughItem {
    float distance;
    const SizeOrb* orb;
    const Checkpoint* checkpoint;
};

float squaredEyeDistance(const GLfloat (&modelView)[16], const Vec3& p)
{
    float sum = 0.0f;
    for (int row = 0; row < 3; ++row) {
        const float e = modelView[row] * p.x + modelView[4 + row] * p.y + modelView[8 + row] * p.z +
                        modelView[12 + row];
        sum += e * e;
    }
    return sum;
}

}  // namespace

void drawSizeOrb(const SizeOrb& orb, const Graphics& graphics)
{
    // Red shrinks the ball, green restores it, blue makes it large.
    const float r = orb.sizeKind == 0 ? 1.0f : 0.0f;
    const float g = orb.sizeKind == 1 ? 1.0f : 0.0f;
    const float b = orb.sizeKind == 2 ? 1.0f : 0.0f;
    drawItem(orb.position, r, g, b, orb.alpha, graphics.meshes);
}

void drawCheckpoint(const Checkpoint& checkpoint, const Graphics& graphics)
{
    const Vec3& c = checkpoint.colour;
    drawItem(checkpoint.position, c.x, c.y, c.z, checkpoint.alpha, graphics.meshes);
}

void drawSeeThroughItems(const Course& course, const Graphics& graphics)
{
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    // Spheres out of view are left out: they would add no pixel.
    const ViewVolume view = currentViewVolume();
    const auto inView = [&view](const Vec3& p) {
        return !outOfView(view, {p.x - itemRadius, p.y - itemRadius, p.z - itemRadius},
                          {2.0f * itemRadius, 2.0f * itemRadius, 2.0f * itemRadius});
    };
    std::vector<SeeThroughItem> items;
    for (const SizeOrb& orb : course.sizeOrbs) {
        if (inView(orb.position)) items.push_back({squaredEyeDistance(modelView, orb.position), &orb, nullptr});
    }
    for (const Checkpoint& checkpoint : course.checkpoints) {
        if (inView(checkpoint.position)) {
            items.push_back({squaredEyeDistance(modelView, checkpoint.position), nullptr, &checkpoint});
        }
    }
    // Far to near: each blends over whatever lies behind it.
    std::stable_sort(items.begin(), items.end(),
                     [](const SeeThroughItem& a, const SeeThroughItem& b) { return a.distance > b.distance; });
    for (const SeeThroughItem& item : items) {
        if (item.orb) {
            drawSizeOrb(*item.orb, graphics);
        } else {
            drawCheckpoint(*item.checkpoint, graphics);
        }
    }
}

void drawGoal(const Vec3& position, float angle, const Graphics& graphics)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const GLfloat yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    // The ring's highlight stays set for what is drawn after it (the
    // see-through items are lit with it), whether the ring is in view or not.
    glMaterialfv(GL_FRONT, GL_SPECULAR, yellow);
    glMateriali(GL_FRONT, GL_SHININESS, 1);
    const float reach = goalRingRadius + goalRingTube;
    if (outOfView(currentViewVolume(), {-reach, -reach, -reach}, {2.0f * reach, 2.0f * reach, 2.0f * reach})) {
        glPopMatrix();
        return;
    }
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    if (graphics.meshes.goalRing != 0) {
        glCallList(graphics.meshes.goalRing);
    } else {
        drawGoalRing();
    }
    glPopMatrix();
}

void drawTorus(float majorRadius, float tubeRadius)
{
    const double step = 2.0 * std::numbers::pi / 100.0;
    for (int i = 0; i < 100; ++i) {
        const double s0 = i * step;
        const double s1 = (i + 1) * step;
        const double c0 = std::cos(s0), n0 = std::sin(s0);
        const double c1 = std::cos(s1), n1 = std::sin(s1);
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= 100; ++j) {
            const double t = j * step;
            const double ct = std::cos(t), st = std::sin(t);
            const double d = majorRadius + tubeRadius * ct;
            const double z = tubeRadius * st;

            GLfloat normal[3] = {float(ct * c0), float(ct * n0), float(st)};
            const float length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] +
                                           normal[2] * normal[2]);
            for (float& component : normal) component /= length;
            glTexCoord2f(i / 100.0f, j / 100.0f);
            glNormal3fv(normal);
            glVertex3f(float(d * c0), float(d * n0), float(z));

            const GLfloat normal1[3] = {float(ct * c1), float(ct * n1), float(st)};
            glTexCoord2f((i + 1) / 100.0f, j / 100.0f);
            glNormal3fv(normal1);
            glVertex3f(float(d * c1), float(d * n1), float(z));
        }
        glEnd();
    }
}

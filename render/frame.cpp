#include "render/frame.h"

#include <algorithm>
#include <cmath>

#include "render/end_screen.h"
#include "render/font_layout.h"
#include "render/shadow.h"
#include "render/view_volume.h"
#include "sim/items.h"
#include "sim/rotation.h"

namespace {

constexpr float white[4] = {1, 1, 1, 1};
constexpr float black[4] = {0, 0, 0, 1};
constexpr float yellow[4] = {1, 1, 0, 1};

void copy4(float (&to)[4], const float (&from)[4])
{
    std::copy(std::begin(from), std::end(from), std::begin(to));
}

Draw& addDraw(Frame& frame, Pass pass, MeshId mesh, const Mat4& modelView)
{
    Draw draw{};
    draw.pass = pass;
    draw.geometry.mesh = mesh;
    draw.modelView = modelView;
    frame.draws.push_back(draw);
    return frame.draws.back();
}

// The scratch mesh's vertices from `first` on, as one run, for a draw.
Draw& addScratchDraw(Frame& frame, Pass pass, uint32_t firstRun, const Mat4& modelView)
{
    Draw& draw = addDraw(frame, pass, MeshId::None, modelView);
    draw.geometry.scratch = true;
    draw.geometry.firstRun = firstRun;
    draw.geometry.runCount = uint32_t(frame.scratch.runs.size()) - firstRun;
    return draw;
}

void clearScratch(Mesh& mesh)
{
    mesh.positions.clear();
    mesh.normals.clear();
    mesh.texCoords.clear();
    mesh.runs.clear();
    mesh.triangles.clear();
}

// The camera's turn without the move to the ball: the chase offset (unless
// first-person), the quarter turns, the yaw and the pitch about the turned
// horizontal axis. The sky turns by exactly this.
}  // namespace

void applyViewRotation(Mat4& m, const Camera& camera)
{
    if (!camera.firstPersonView) {
        translate(m, 0.0f, 0.0f, -25.0f);
        rotate(m, 15.0f, 1.0f, 0.0f, 0.0f);
    }
    const float quarterTurns = static_cast<float>(camera.viewQuadrant) * 90.0f;
    rotate(m, quarterTurns, 0.0f, 1.0f, 0.0f);
    rotate(m, camera.cameraYaw, 0.0f, 1.0f, 0.0f);
    const Vec3 axis = rotateVector({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, quarterTurns + camera.cameraYaw);
    rotate(m, camera.cameraPitch, axis.x, axis.y, axis.z);
}

namespace {

void textured(Surface& material, unsigned int texture, Filter filter)
{
    material.texture = texture;
    material.filter = filter;
}

}  // namespace

void addSky(Frame& frame, const Camera& camera, const MeshSet& meshes, const TextureIds& textures)
{
    Mat4 m = identityMat4;
    applyViewRotation(m, camera);
    scale(m, 200.0f, 200.0f, 200.0f);
    // A face spans a quarter turn of view and the screen's height only 45
    // degrees, so from this height up every texel of the sky is magnified
    // and the mipmaps would never be read.
    const Filter filter = frame.height >= 600 ? Filter::SkyLinear : Filter::SkyMipmapped;
    for (int face = 0; face < 6; ++face) {
        Draw& draw = addDraw(frame, Pass::Sky, meshes.sky[face], m);
        draw.material.lit = false;
        textured(draw.material, textures.sky[face], filter);
        // Unlit: the pictures show as they are, and the shader pair would
        // only saturate what it lit.
        draw.state.shader = false;
        draw.state.depthTest = false;
        draw.state.blend = Blend::Off;
    }
}


void addBall(Frame& frame, Pass pass, const Ball& b, const Mat4& view, const MeshSet& meshes,
             const TextureIds& textures, float alpha)
{
    Mat4 m = view;
    translate(m, b.position.x, b.position.y, b.position.z);
    const float* r = b.rotation.m;
    const Mat4 rotation{{r[0], r[1], r[2], 0.0f, r[3], r[4], r[5], 0.0f, r[6], r[7], r[8], 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}};
    m = multiply(m, rotation);
    Draw& draw = addDraw(frame, pass, meshOfSize(meshes.balls, b.radius), m);
    draw.material.colour[0] = b.colour.x;
    draw.material.colour[1] = b.colour.y;
    draw.material.colour[2] = b.colour.z;
    draw.material.colour[3] = alpha;
    copy4(draw.material.specular, white);
    draw.material.shininess = 10.0f;
    textured(draw.material, textures.ball, Filter::Mipmapped);
}


unsigned int textureOfBlock(const TextureIds& textures, const Block& block)
{
    switch (block.material) {
    case Material::Metal: return textures.metal;
    case Material::Glass: return textures.glass;
    case Material::Wood: return textures.wood[static_cast<unsigned int>(block.grain) % 6];
    case Material::None: break;
    }
    return 0;
}


void addBlock(Frame& frame, Pass pass, const Block& block, const Vec3& position, bool topOnly, const Mat4& base,
              const MeshSet& meshes, const TextureIds& textures, const float (&specular)[4], float shininess)
{
    const float sx = block.size.x;
    const float h = sx * 0.5f;
    Mat4 m = base;
    translate(m, position.x, position.y, position.z);
    // A cube of edge sx, squeezed to the block's real height and depth.
    scale(m, 1.0f, block.size.y / sx, block.size.z / sx);
    translate(m, h, h, h);
    Surface material;
    material.colour[3] = block.opacity;
    copy4(material.specular, specular);
    material.shininess = shininess;
    textured(material, textureOfBlock(textures, block), Filter::Mipmapped);
    DrawState state;
    // Glass panes lie flat against the faces of the bars inside them: held a
    // little behind in depth, a pane never ties with a bar face on its plane.
    const bool seeThrough = block.opacity < 1.0f;
    state.polygonOffset = seeThrough;
    // An opaque block blended at alpha 1 is its own colour exactly; not
    // blending spares reading back every pixel it covers.
    state.blend = seeThrough ? Blend::Alpha : Blend::Off;

    auto add = [&](MeshId mesh, const Mat4& at) {
        Draw& draw = addDraw(frame, pass, mesh, at);
        draw.material = material;
        draw.state = state;
    };
    if (block.shape == Shape::Cylinder) {
        translate(m, 0.0f, -h, 0.0f);
        rotate(m, block.spin, 0.0f, 1.0f, 0.0f);
        // The quadric's +z axis stands up as +y.
        auto standUpright = [](Mat4& at) {
            rotate(at, 270.0f, 1.0f, 0.0f, 0.0f);
            rotate(at, 90.0f, 0.0f, 0.0f, 1.0f);
        };
        if (!topOnly) {
            Mat4 body = m;
            standUpright(body);
            add(meshOfSize(frame.fast ? meshes.fastCylinderBodies : meshes.cylinderBodies, sx), body);
        }
        Mat4 top = m;
        translate(top, 0.0f, sx, 0.0f);
        standUpright(top);
        add(meshOfSize(frame.fast ? meshes.fastCylinderTops : meshes.cylinderTops, sx), top);
    } else if (topOnly) {
        const uint32_t firstRun = uint32_t(frame.scratch.runs.size());
        beginRun(frame.scratch, Primitive::Quads);
        const float up[3] = {0.0f, 1.0f, 0.0f};
        addVertex(frame.scratch, -h, h, -h, up, 0.0f, 0.0f);
        addVertex(frame.scratch, -h, h, h, up, 0.0f, 0.0f);
        addVertex(frame.scratch, h, h, h, up, 0.0f, 0.0f);
        addVertex(frame.scratch, h, h, -h, up, 0.0f, 0.0f);
        endRun(frame.scratch);
        Draw& draw = addScratchDraw(frame, pass, firstRun, m);
        draw.material = material;
        draw.state = state;
    } else {
        scale(m, sx, sx, sx);
        add(block.flipTexture ? meshes.flippedCube : meshes.cube, m);
    }
}

namespace {

float squaredEyeDistance(const Mat4& modelView, const Vec3& p)
{
    const float* m = modelView.m;
    float sum = 0.0f;
    for (int row = 0; row < 3; ++row) {
        const float e = m[row] * p.x + m[4 + row] * p.y + m[8 + row] * p.z + m[12 + row];
        sum += e * e;
    }
    return sum;
}

}  // namespace

void addSeeThroughItems(Frame& frame, const Course& course, const CourseState& state, const Mat4& base,
                        const MeshSet& meshes, const float (&specular)[4])
{
    const ViewVolume view = viewVolume(frame.projection, base);
    const auto inView = [&view](const Vec3& p) {
        return !outOfView(view, {p.x - itemSphereRadius, p.y - itemSphereRadius, p.z - itemSphereRadius},
                          {2.0f * itemSphereRadius, 2.0f * itemSphereRadius, 2.0f * itemSphereRadius});
    };
    // As many as the course has: the room is the frame's, so once it has
    // grown a frame takes nothing from the heap.
    std::vector<SeeThroughItem>& items = frame.seeThrough;
    items.clear();
    uint32_t order = 0;
    for (size_t i = 0; i < course.sizeOrbs.size(); ++i, ++order) {
        const SizeOrb& orb = course.sizeOrbs[i];
        if (!inView(orb.position)) continue;
        // Red shrinks the ball, green restores it, blue makes it large.
        items.push_back({squaredEyeDistance(base, orb.position), order, orb.position,
                         {orb.sizeKind == 0 ? 1.0f : 0.0f, orb.sizeKind == 1 ? 1.0f : 0.0f,
                          orb.sizeKind == 2 ? 1.0f : 0.0f, state.sizeOrbs[i].alpha}});
    }
    for (size_t i = 0; i < course.checkpoints.size(); ++i, ++order) {
        const Checkpoint& c = course.checkpoints[i];
        if (!inView(c.position)) continue;
        const Vec3 colour = checkpointColour(state.checkpoints[i]);
        items.push_back({squaredEyeDistance(base, c.position), order, c.position,
                         {colour.x, colour.y, colour.z, state.checkpoints[i].pulse.alpha}});
    }
    // Far to near: each blends over whatever lies behind it. Equally far
    // items keep the course's order: the order breaks ties, so std::sort
    // (which takes nothing from the heap, unlike std::stable_sort) gives the
    // stable order.
    std::sort(items.begin(), items.end(), [](const SeeThroughItem& a, const SeeThroughItem& b) {
        return a.distance > b.distance || (a.distance == b.distance && a.order < b.order);
    });
    for (size_t i = 0; i < items.size(); ++i) {
        Mat4 m = base;
        translate(m, items[i].position.x, items[i].position.y, items[i].position.z);
        Draw& draw = addDraw(frame, Pass::SeeThrough, meshes.itemSphere, m);
        copy4(draw.material.colour, items[i].colour);
        copy4(draw.material.specular, specular);
        draw.material.shininess = 1.0f;
        // Only the near half: a far face drawn before the near one in front
        // of it would be blended in too, as stripes across the sphere.
        draw.state.cullBack = true;
    }
}

// Returns whether a shadow was drawn.
bool addShadow(Frame& frame, const Ball& b, const Course& course, const CourseState& state, const Mat4& base,
               const MeshSet& meshes, const TextureIds& textures)
{
    size_t receiver = 0;
    const float h = findShadowReceiver(b, course.blocks, state.blocks, b.position, receiver);
    if (h < 0.0f) return false;
    const size_t firstMark = frame.draws.size();
    addBlock(frame, Pass::ShadowMark, course.blocks[receiver], state.blocks[receiver].position, true, base, meshes,
             textures, black, 1.0f);
    for (size_t i = firstMark; i < frame.draws.size(); ++i) {
        // The receiver's whole top face, hidden parts too, into the stencil.
        DrawState& state = frame.draws[i].state;
        state.colourWrite = false;
        state.depthTest = false;
        state.stencil = Stencil::Mark;
    }
    const float r = b.radius;
    Mat4 m = base;
    translate(m, b.position.x, h + 0.01f, b.position.z);
    // Four discs about the point under the ball: a patch with a scalloped edge.
    const float steps[4][2] = {{-0.25f * r, 0.0f}, {0.5f * r, 0.0f}, {-0.25f * r, 0.25f * r}, {0.0f, -0.5f * r}};
    for (const auto& step : steps) {
        translate(m, step[0], 0.0f, step[1]);
        Draw& draw = addDraw(frame, Pass::ShadowBlob, meshOfSize(meshes.discs, r), m);
        copy4(draw.material.colour, black);
        draw.material.shininess = 1.0f;
        draw.state.stencil = Stencil::Equal;
    }
    return true;
}


void addEndPicture(Frame& frame, const TextureIds& textures)
{
    Mat4 m = identityMat4;
    translate(m, 0.0f, 0.0f, -1.0f);
    const EndQuad quad = endQuadSize(frame.width, frame.height);
    const float x = quad.width / 2.0f;
    const float y = quad.height / 2.0f;
    const uint32_t firstRun = uint32_t(frame.scratch.runs.size());
    const float toward[3] = {0.0f, 0.0f, 1.0f};
    beginRun(frame.scratch, Primitive::Quads);
    addVertex(frame.scratch, -x, -y, 0.0f, toward, 0.0f, 0.0f);
    addVertex(frame.scratch, -x, y, 0.0f, toward, 0.0f, 1.0f);
    addVertex(frame.scratch, x, y, 0.0f, toward, 1.0f, 1.0f);
    addVertex(frame.scratch, x, -y, 0.0f, toward, 1.0f, 0.0f);
    endRun(frame.scratch);
    Draw& draw = addScratchDraw(frame, Pass::EndPicture, firstRun, m);
    draw.material.texture = textures.end;
    draw.material.filter = Filter::Keep;
}

namespace {

// Every scratch vertex has a normal and texture coordinates, so that one set
// of arrays serves all of them.
void addRectangle(Mesh& mesh, float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1)
{
    const float toward[3] = {0.0f, 0.0f, 1.0f};
    addVertex(mesh, x0, y0, 0.0f, toward, s0, t0);
    addVertex(mesh, x1, y0, 0.0f, toward, s1, t0);
    addVertex(mesh, x1, y1, 0.0f, toward, s1, t1);
    addVertex(mesh, x0, y1, 0.0f, toward, s0, t1);
}

Draw& addOverlayDraw(Frame& frame, uint32_t firstRun)
{
    Draw& draw = addScratchDraw(frame, Pass::Overlay, firstRun, identityMat4);
    draw.screenSpace = true;
    draw.material.lit = false;
    draw.state.depthTest = false;
    draw.state.shader = false;
    return draw;
}

}  // namespace

void addOverlay(Frame& frame, const OverlayBlock& block, const TextureIds& textures)
{
    if (block.lines.empty()) return;
    // The player's text size scales the letters and the lines alike.
    const float scale = std::clamp(block.scale, 1.0f, 2.0f);
    const int advance = int(float(glyphAdvance) * scale);
    const int tall = int(float(glyphHeight) * scale);
    const int lineHeight = int(24.0f * scale);
    constexpr int margin = 12;
    size_t longest = 0;
    for (const OverlayLine& line : block.lines) longest = std::max(longest, line.text.size());
    const int width = int(longest) * advance;
    const int height = int(block.lines.size()) * lineHeight;
    const bool centre = block.place == OverlayPlace::AboveCentre;
    // Above the centre: the chase view holds the ball at the centre.
    const int left = centre ? (frame.width - width) / 2 : margin;
    const int top = centre ? (frame.height * 2 / 3 + height / 2) : frame.height - margin;

    uint32_t firstRun = uint32_t(frame.scratch.runs.size());
    beginRun(frame.scratch, Primitive::Quads);
    addRectangle(frame.scratch, float(left - 8), float(top - height - 8), float(left + width + 8), float(top + 4), 0, 0,
                 0, 0);
    endRun(frame.scratch);
    Draw& band = addOverlayDraw(frame, firstRun);
    const float dim[4] = {0.0f, 0.0f, 0.0f, 0.5f};
    copy4(band.material.colour, dim);

    // Light glyphs added onto the dark band.
    const float cellS = 1.0f / fontColumns;
    const float cellT = 1.0f / fontRows;
    const float glyphS = float(fontGlyphTexels) / float(fontCellTexels) * cellS;
    for (size_t i = 0; i < block.lines.size(); ++i) {
        const OverlayLine& line = block.lines[i];
        firstRun = uint32_t(frame.scratch.runs.size());
        beginRun(frame.scratch, Primitive::Quads);
        const float baseY = float(top - int(i + 1) * lineHeight + 2);
        for (size_t k = 0; k < line.text.size(); ++k) {
            const unsigned char c = static_cast<unsigned char>(line.text[k]);
            if (c <= ' ' || c >= 128) continue;
            const float s0 = float(c % fontColumns) * cellS;
            const float t1 = 1.0f - float(c / fontColumns) * cellT;
            const float x0 = float(left) + float(k) * float(advance);
            addRectangle(frame.scratch, x0, baseY, x0 + float(advance), baseY + float(tall), s0, t1 - cellT,
                         s0 + glyphS, t1);
        }
        endRun(frame.scratch);
        Draw& text = addOverlayDraw(frame, firstRun);
        text.material.colour[0] = line.colour[0];
        text.material.colour[1] = line.colour[1];
        text.material.colour[2] = line.colour[2];
        text.material.texture = textures.font;
        text.material.filter = Filter::Linear;
        text.state.blend = Blend::Add;
    }
}


void addGoal(Frame& frame, const Vec3& goal, float angle, const Mat4& base, const MeshSet& meshes)
{
    Mat4 ring = base;
    translate(ring, goal.x, goal.y, goal.z);
    const float reach = goalRingHoopRadius + goalRingTubeRadius;
    if (outOfView(viewVolume(frame.projection, ring), {-reach, -reach, -reach}, {2 * reach, 2 * reach, 2 * reach})) {
        return;
    }
    rotate(ring, angle, 0.0f, 1.0f, 0.0f);
    Draw& draw = addDraw(frame, Pass::Goal, meshes.goalRing, ring);
    copy4(draw.material.specular, yellow);
    draw.material.shininess = 1.0f;
}

namespace {

void addScene(Frame& frame, const FrameInput& input, const MeshSet& meshes, const TextureIds& textures)
{
    const Game& game = *input.game;
    const Ball& b = game.ball;
    const bool chaseView = !game.camera.firstPersonView;
    Mat4 view = identityMat4;
    applyViewRotation(view, game.camera);
    translate(view, -b.position.x, -b.position.y, -b.position.z);
    frame.view = view;

    // The light follows the ball.
    Light& light = frame.light;
    const float place[4] = {b.position.x, b.position.y + 2.0f * b.radius + 3.0f, b.position.z + 0.3f, 1.0f};
    copy4(light.position, place);
    transformPoint(view, light.position, light.eyePosition);
    const float dim[4] = {0.15f, 0.15f, 0.15f, 1.0f};
    const float grey[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    copy4(light.ambient, dim);
    copy4(light.diffuse, white);
    copy4(light.specular, grey);

    addSky(frame, game.camera, meshes, textures);
    // The ball's own view looks out from inside the ball: neither the ball
    // nor the shadow right under the eye is in the picture.
    if (chaseView) addBall(frame, Pass::Ball, b, view, meshes, textures, 1.0f);

    // Everything below is drawn one radius lower so the sphere drawn around
    // the ball's lowest point rests on the tops it stands on.
    Mat4 base = view;
    translate(base, 0.0f, -b.radius, 0.0f);
    const Course& course = *game.course;
    const CourseState& state = game.courseState;
    const ViewVolume volume = viewVolume(frame.projection, base);
    for (size_t i = 0; i < course.blocks.size(); ++i) {
        const Block& block = course.blocks[i];
        const Vec3& position = state.blocks[i].position;
        if (outOfView(volume, position, block.size)) continue;
        addBlock(frame, Pass::Blocks, block, position, false, base, meshes, textures, black, 10.0f);
    }

    addGoal(frame, course.goalPosition, game.goalAngle, base, meshes);
    // The ring's highlight lights the items after it, unless the shadow's
    // black came in between: so it has always been drawn.
    const bool shadow = chaseView && addShadow(frame, b, course, state, base, meshes, textures);
    addSeeThroughItems(frame, course, state, base, meshes, shadow ? black : yellow);
    if (input.ghost) {
        const size_t first = frame.draws.size();
        addBall(frame, Pass::Ghost, *input.ghost, view, meshes, textures, 0.4f);
        for (size_t i = first; i < frame.draws.size(); ++i) {
            frame.draws[i].state.depthTest = false;
            frame.draws[i].state.cullBack = true;
        }
    }
}

}  // namespace

Mat4 sceneProjection(bool firstPersonView, int width, int height)
{
    // The smallest ball's radius is 0.25; even in the corners of a wide
    // screen, where a plane comes nearest to the near plane, 0.1 stays clear.
    const double near = firstPersonView ? 0.1 : 1.0;
    return perspective(45.0, double(width) / double(height > 0 ? height : 1), near, 200.0);
}

void describeFrame(Frame& frame, const FrameInput& input, const MeshSet& meshes, const TextureIds& textures)
{
    frame.width = input.width;
    frame.fast = input.fast;
    frame.height = input.height > 0 ? input.height : 1;
    frame.draws.clear();
    clearScratch(frame.scratch);
    const Game& game = *input.game;
    frame.projection = sceneProjection(game.camera.firstPersonView, frame.width, frame.height);
    frame.overlayProjection = orthographic(0, frame.width, 0, frame.height, -1, 1);
    if (game.gameState == Playing) {
        addScene(frame, input, meshes, textures);
    } else {
        // Full ambient light: the picture shows at full brightness.
        copy4(frame.light.ambient, white);
        const float toward[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        copy4(frame.light.position, toward);
        copy4(frame.light.eyePosition, toward);
        copy4(frame.light.diffuse, white);
        copy4(frame.light.specular, white);
        addEndPicture(frame, textures);
    }
    for (const OverlayBlock& block : input.overlay) addOverlay(frame, block, textures);
    if (input.menu) addMenu(frame, *input.menu, textures);
}

size_t sceneDrawCount(const Frame& frame)
{
    size_t count = 0;
    while (count < frame.draws.size() && frame.draws[count].pass != Pass::Overlay) ++count;
    return count;
}

bool clearsColour(const Frame& frame, DrawSpan span)
{
    return span.first >= std::min(span.last, frame.draws.size()) || frame.draws[span.first].pass != Pass::Sky;
}

#define GL_GLEXT_PROTOTYPES
#include "tests/render/classic_pieces.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <functional>

#include "render/shapes.h"

namespace {

constexpr float black[4] = {0, 0, 0, 1};

Frame frameFromStacks()
{
    Frame frame;
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    frame.width = viewport[2];
    frame.height = viewport[3];
    glGetFloatv(GL_PROJECTION_MATRIX, frame.projection.m);
    glGetFloatv(GL_MODELVIEW_MATRIX, frame.view.m);
    frame.overlayProjection = orthographic(0, frame.width, 0, frame.height, -1, 1);
    return frame;
}

// The meshes of the pieces: the fixed shapes and a cylinder of every width
// among `blocks`, uploaded for one drawing and released after it.
void drawWith(const std::vector<Block>& blocks, const Graphics& graphics,
              const std::function<void(Frame&, const MeshSet&, const TextureIds&)>& build, MeshSet extra = {})
{
    Course course;
    course.blocks = blocks;
    MeshSet meshes = extra.meshes.empty() ? buildMeshSet(course) : std::move(extra);
    const ClassicBuffers buffers = uploadClassicMeshes(meshes, graphics.textures.white);
    Frame frame = frameFromStacks();
    build(frame, meshes, textureIdsOf(graphics.textures));
    runClassicDraws(frame, 0, meshes, buffers, graphics.shader);
    glDeleteBuffers(GLsizei(buffers.buffers.size()), buffers.buffers.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(frame.view.m);
}

}  // namespace

void drawBlock(const Block& block, bool topOnly, const Graphics& graphics)
{
    drawWith({block}, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds& textures) {
        addBlock(frame, Pass::Blocks, block, startPosition(block), topOnly, frame.view, meshes, textures, black, 10.0f);
        // A top alone is only ever drawn to mark the stencil, as the shadow does.
        for (Draw& draw : frame.draws) {
            if (!topOnly) break;
            draw.state.colourWrite = false;
            draw.state.depthTest = false;
            draw.state.stencil = Stencil::Mark;
        }
    });
}

void drawBall(const Ball& ball, const Graphics& graphics)
{
    drawWith({}, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds& textures) {
        addBall(frame, Pass::Ball, ball, frame.view, meshes, textures, 1.0f);
    });
}

void drawSeeThroughItems(const Course& course, const CourseState& state, const Graphics& graphics)
{
    drawWith({}, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds&) {
        addSeeThroughItems(frame, course, state, frame.view, meshes, black);
    });
}

void drawSizeOrb(const SizeOrb& orb, float alpha, const Graphics& graphics)
{
    Course course;
    course.sizeOrbs = {orb};
    CourseState state = startState(course);
    state.sizeOrbs[0].alpha = alpha;
    drawSeeThroughItems(course, state, graphics);
}

void drawCheckpoint(const Checkpoint& checkpoint, const CheckpointState& now, const Graphics& graphics)
{
    Course course;
    course.checkpoints = {checkpoint};
    CourseState state = startState(course);
    state.checkpoints[0] = now;
    drawSeeThroughItems(course, state, graphics);
}

void drawGoal(const Vec3& position, float angle, const Graphics& graphics)
{
    drawWith({}, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds&) {
        addGoal(frame, position, angle, frame.view, meshes);
    });
}

void drawBallShadow(const Ball& ball, const std::vector<Block>& blocks, const Graphics& graphics)
{
    drawWith(blocks, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds& textures) {
        Course course;
        course.blocks = blocks;
        addShadow(frame, ball, course, startState(course), frame.view, meshes, textures);
    });
}

void drawSkyBox(const Camera& camera, const Graphics& graphics)
{
    drawWith({}, graphics, [&](Frame& frame, const MeshSet& meshes, const TextureIds& textures) {
        addSky(frame, camera, meshes, textures);
    });
}

void drawDisc(float radius, const Graphics& graphics)
{
    MeshSet disc;
    disc.meshes.push_back(shadowDisc(radius));
    drawWith({}, graphics,
             [&](Frame& frame, const MeshSet&, const TextureIds&) {
                 frame.draws.push_back({Pass::ShadowBlob, {false, MeshId(0), 0, 0}, frame.view, false, {}, {}});
                 frame.draws.back().material.colour[0] = 0.0f;
                 frame.draws.back().material.colour[1] = 0.0f;
                 frame.draws.back().material.colour[2] = 0.0f;
             },
             std::move(disc));
}

void drawScene(const Game& game, const Graphics& graphics)
{
    Graphics drawing = graphics;
    FrameInput input;
    input.game = &game;
    const Frame stacks = frameFromStacks();
    input.width = stacks.width;
    input.height = stacks.height;
    drawing.meshes = buildMeshSet(*game.course);
    drawing.classic = uploadClassicMeshes(drawing.meshes, graphics.textures.white);
    drawGame(drawing, input);
    glDeleteBuffers(GLsizei(drawing.classic.buffers.size()), drawing.classic.buffers.data());
}

void drawEndScreen(const Graphics& graphics)
{
    Game game;
    game.gameState = EndScreen;
    drawScene(game, graphics);
}

void drawOverlay(const std::vector<std::string>& lines, OverlayPlace place, const Graphics& graphics)
{
    OverlayBlock block;
    for (const std::string& line : lines) block.lines.push_back({line, {1, 1, 1}});
    block.place = place;
    drawWith({}, graphics, [&](Frame& frame, const MeshSet&, const TextureIds& textures) {
        addOverlay(frame, block, textures);
    });
}

void drawMeshHere(const Mesh& mesh, const Graphics& graphics)
{
    MeshSet one;
    one.meshes.push_back(mesh);
    const ClassicBuffers buffers = uploadClassicMeshes(one, graphics.textures.white);
    drawClassicMesh(one, buffers, MeshId(0));
    glDeleteBuffers(GLsizei(buffers.buffers.size()), buffers.buffers.data());
}

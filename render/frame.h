#pragma once
// A frame as a value: every draw of one picture, in order, each with its
// mesh, its model-view matrix, its material and its GL state, and the
// projection and light they share. describeFrame makes it from a Game and
// touches no GL; a backend (render/classic_backend.h, render/shader_backend.h)
// only carries it out. Tests can read a frame without any GL context.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/matrix.h"
#include "render/mesh.h"
#include "render/meshes.h"
#include "sim/game.h"

// What a draw belongs to, in the order the scene is drawn.
enum class Pass : uint8_t {
    Sky,
    Ball,
    Blocks,
    Goal,
    ShadowMark,   // the receiver's top face into the stencil, no colour
    ShadowBlob,   // the blob where the mark is
    SeeThrough,   // orbs and checkpoints, far to near
    Ghost,        // a second ball, see-through, over everything
    EndPicture,
    Overlay,      // text in window pixels
};

// How a texture is filtered when bound. `Keep` leaves the texture's own
// settings (the end picture has never set any); `Linear` reads the top
// level only, smoothly (the font, drawn a little smaller than its texels).
enum class Filter : uint8_t { Keep, Mipmapped, SkyLinear, SkyMipmapped, Nearest, Linear };

enum class Stencil : uint8_t { Off, Mark, Equal };
enum class Blend : uint8_t { Off, Alpha, Add };

struct Surface {
    float colour[4] = {1, 1, 1, 1};      // the current colour: ambient and diffuse
    float specular[4] = {0, 0, 0, 1};
    float shininess = 0.0f;
    bool lit = true;
    unsigned int texture = 0;            // 0: the white texel
    Filter filter = Filter::Keep;
};

struct DrawState {
    bool depthTest = true;
    bool colourWrite = true;
    bool cullBack = false;
    bool polygonOffset = false;          // glass held a little behind its bars
    bool shader = true;                  // the Phong pair (classic backend)
    Blend blend = Blend::Alpha;
    Stencil stencil = Stencil::Off;

    bool operator==(const DrawState&) const = default;
};

// The geometry of a draw: a mesh of the set, or vertices of the frame's own
// scratch mesh (shapes that change with the frame: a receiver's top, the
// end picture, the overlay).
struct Geometry {
    bool scratch = false;
    MeshId mesh = MeshId::None;
    uint32_t firstRun = 0;               // runs of the mesh (scratch: of the scratch mesh)
    uint32_t runCount = 0;
};

struct Draw {
    Pass pass;
    Geometry geometry;
    Mat4 modelView;
    bool screenSpace = false;            // projected by the frame's overlay projection
    Surface material;
    DrawState state;
};

struct Light {
    float position[4];       // in the level
    float eyePosition[4];    // the same under the view, as GL keeps it
    float ambient[4];        // the light model's
    float diffuse[4];
    float specular[4];
};

// A line of text in window pixels, for the overlay.
struct OverlayLine {
    std::string text;
    float colour[3] = {1, 1, 1};
};

enum class OverlayPlace : uint8_t { TopLeft, AboveCentre };

struct OverlayBlock {
    std::vector<OverlayLine> lines;
    OverlayPlace place = OverlayPlace::TopLeft;
    float scale = 1.0f;  // the player's text size: 1, 1.5 or 2
};

// An orb or a checkpoint in view, as the far-to-near sort handles it.
struct SeeThroughItem {
    float distance;          // squared, from the eye
    uint32_t order;          // in the course: orbs first, then checkpoints
    Vec3 position;
    float colour[4];
};

struct Frame {
    int width = 0;
    int height = 0;
    bool fast = false;                       // the fast graphics: see FrameInput
    Mat4 projection = identityMat4;
    Mat4 overlayProjection = identityMat4;   // window pixels, origin bottom left
    Mat4 view = identityMat4;                // the camera, where the light is placed
    Light light{};
    std::vector<Draw> draws;
    Mesh scratch;
    std::vector<SeeThroughItem> seeThrough;  // the sort's room, kept from frame to frame
};

// Which draws of a frame a backend carries out, [first, last), and whether
// it clears first: the scene and the text over it can go to different
// targets (the fast graphics draw the scene smaller and scale it up).
struct DrawSpan {
    size_t first = 0;
    size_t last = SIZE_MAX;
    bool clear = true;
};

// The draws before the overlay (the text and a menu): the scene.
size_t sceneDrawCount(const Frame& frame);

// The fast graphics draw the scene (the draws before sceneDrawCount) at
// this fraction of the target's width and height, a ninth of the pixels,
// scale it up and draw the overlay over it at the target's own resolution,
// so the text stays sharp. Scaling up costs a pass over every pixel
// whatever the fraction, so only the scene's share gets smaller; on the
// route's views the pictures stay within about 2 of 255 of the full ones.
// The window and the page both draw this way.
constexpr float fastScale = 1.0f / 3.0f;

// The fast scene's width or height for a target this wide or high.
constexpr int fastSceneSize(int full)
{
    const int size = int(float(full) * fastScale + 0.5f);
    return size < 1 ? 1 : size;
}

// Whether a span's clear has to clear the colour as well as the depth and
// the stencil: not when the span opens with the sky, whose box reaches round
// the eye inside the far plane in every view and is drawn opaque, so every
// pixel's colour is written before anything reads it.
bool clearsColour(const Frame& frame, DrawSpan span);

// The textures a frame names, by their GL names.
struct TextureIds {
    unsigned int ball = 0, metal = 0, glass = 0, end = 0, white = 0, font = 0;
    unsigned int wood[6] = {};
    unsigned int sky[6] = {};
};

struct MenuPicture;

struct FrameInput {
    const Game* game = nullptr;
    int width = 1280;
    int height = 1024;
    const Ball* ghost = nullptr;                // drawn see-through over the scene
    std::vector<OverlayBlock> overlay;          // drawn last, in order
    const MenuPicture* menu = nullptr;          // a menu over everything, or none
    // The fast graphics: cylinders of one ring, and the scene drawn at
    // fastScale of the width and height and scaled up.
    bool fast = false;
};

// The scene's projection: 45 degrees up and down, far plane 200. The chase
// view's near plane is at 1; the ball's own view looks out from the ball's
// centre, and its near plane lies closer than any top, wall or underside the
// ball can touch. A height of 0 counts as 1.
Mat4 sceneProjection(bool firstPersonView, int width, int height);

// A block's draws under `base` (the level's model-view), with its
// material's picture and the highlight given; `topOnly` draws just its top
// face (the shadow marks it in the stencil).
void addBlock(Frame& frame, Pass pass, const Block& block, const Vec3& position, bool topOnly, const Mat4& base,
              const MeshSet& meshes, const TextureIds& textures, const float (&specular)[4], float shininess);

// The pieces a frame is made of, each appending its draws: for a frame of
// its own and for tests that draw one piece under a view of their choosing.
// `view` is the camera, `base` the level's model-view (the camera moved one
// ball radius down).
void applyViewRotation(Mat4& m, const Camera& camera);
// The picture of a block's material (0: none).
unsigned int textureOfBlock(const TextureIds& textures, const Block& block);
void addSky(Frame& frame, const Camera& camera, const MeshSet& meshes, const TextureIds& textures);
void addBall(Frame& frame, Pass pass, const Ball& b, const Mat4& view, const MeshSet& meshes,
             const TextureIds& textures, float alpha);
void addGoal(Frame& frame, const Vec3& goal, float angle, const Mat4& base, const MeshSet& meshes);
// The orbs and checkpoints in view, far to near, lit with this highlight.
void addSeeThroughItems(Frame& frame, const Course& course, const CourseState& state, const Mat4& base,
                        const MeshSet& meshes, const float (&specular)[4]);
// The ball's shadow on the top under it; false when there is none.
bool addShadow(Frame& frame, const Ball& b, const Course& course, const CourseState& state, const Mat4& base,
               const MeshSet& meshes, const TextureIds& textures);
void addEndPicture(Frame& frame, const TextureIds& textures);
void addOverlay(Frame& frame, const OverlayBlock& block, const TextureIds& textures);
// A menu screen over the frame (render/menu_draws.cpp).
void addMenu(Frame& frame, const MenuPicture& picture, const TextureIds& textures);

// Fills `frame` (reusing its storage: no allocation once it has grown) with
// the scene while the game is playing, or the end picture after the goal,
// then the overlay.
void describeFrame(Frame& frame, const FrameInput& input, const MeshSet& meshes, const TextureIds& textures);

#pragma once
// The shader renderer: only what OpenGL ES 2.0, WebGL 1 and desktop GL 2.1
// share (vertex buffers, attributes, uniforms, indexed triangles and one
// shader pair), carrying out a frame description. The meshes live in
// buffers uploaded once; the frame's scratch mesh goes into a buffer kept
// from frame to frame, grown only when a frame needs more.

#include <cstdint>
#include <string>
#include <vector>

#include "render/frame.h"
#include "render/meshes.h"

struct ShaderMeshBuffers {
    unsigned int vertices = 0;   // positions, then normals, then texture coordinates
    unsigned int indices = 0;
    uint32_t vertexCount = 0;
    uint32_t indexCount = 0;
    bool normals = false;
    bool texCoords = false;
};

struct ShaderUniforms {
    int modelViewProjection = -1, modelView = -1, normalMatrix = -1;
    int lightPosition = -1, lightModelAmbient = -1, lightDiffuse = -1, lightSpecular = -1;
    int colour = -1, specular = -1, shininess = -1, picture = -1;
};

// What a program was last sent, so that a draw sends only what changed
// (NaN: not yet known, unequal to anything).
struct SentUniforms {
    float modelViewProjection[16];
    float modelView[16];
    float colour[4];
    float specular[4];
    float shininess[1];
};

// The three builds of the pair: the unlit draws, lit materials without a
// highlight, and lit ones with it.
enum class ShaderKind : uint8_t { Unlit, Matte, Shiny };
constexpr size_t shaderKinds = 3;

struct ShaderPair {
    unsigned int program = 0;
    ShaderUniforms uniforms;
    SentUniforms sent;
};

struct ShaderRenderer {
    ShaderPair pairs[shaderKinds];           // indexed by ShaderKind
    std::vector<ShaderMeshBuffers> meshes;   // indexed by MeshId
    unsigned int white = 0;                  // the texture of untextured draws
    // The scratch mesh: its vertices, its runs as triangles, and where each
    // run's triangles start, all reused from frame to frame.
    ShaderMeshBuffers scratch;
    uint32_t scratchVertexCapacity = 0;
    uint32_t scratchIndexCapacity = 0;
    std::vector<uint16_t> scratchTriangles;
    std::vector<uint32_t> scratchRunStarts;
};

// The program a draw is carried out with: unlit draws and those that write
// no colour (the shadow's stencil mark) need no lighting, and a material
// with no highlight colour needs no specular term.
ShaderKind shaderKindOf(const Draw& draw);

// The shader pair's source for this GL: "#version 100" and a default
// precision for OpenGL ES and WebGL, "#version 120" on the desktop, then
// the build's defines (LIT, SPECULAR), then the file's text.
std::string shaderSourceFor(const std::string& text, bool embedded, ShaderKind kind = ShaderKind::Shiny);

// Builds the pair's three programs from "shaders/es.vs" and "shaders/es.fs" and uploads
// every mesh of the set. Needs a current GL context. Returns an empty text,
// or what went wrong (the renderer is then unusable).
std::string initShaderRenderer(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture);
// Another course's meshes in place of the ones uploaded, whose buffers go.
void replaceShaderMeshes(ShaderRenderer& renderer, const MeshSet& meshes);
// The programs and every buffer given back to GL, as when the player turns
// to the classic renderer; the textures are not the renderer's and stay.
void releaseShaderRenderer(ShaderRenderer& renderer);
// The same with the pair's files named.
std::string initShaderRendererFrom(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture,
                                   const char* vertexPath, const char* fragmentPath);

// Clears and runs every draw of the frame (or the span's).
void drawFrameWithShaders(ShaderRenderer& renderer, const Frame& frame, DrawSpan span = {});

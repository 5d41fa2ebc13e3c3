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
    int colour = -1, specular = -1, shininess = -1, lit = -1, picture = -1;
};

struct ShaderRenderer {
    unsigned int program = 0;
    ShaderUniforms uniforms;
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

// The shader pair's source for this GL: "#version 100" and a default
// precision for OpenGL ES and WebGL, "#version 120" on the desktop, then
// the file's text.
std::string shaderSourceFor(const std::string& text, bool embedded);

// Builds the pair from "shaders/es.vs" and "shaders/es.fs" and uploads
// every mesh of the set. Needs a current GL context. Returns an empty text,
// or what went wrong (the renderer is then unusable).
std::string initShaderRenderer(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture);
// The same with the pair's files named.
std::string initShaderRendererFrom(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture,
                                   const char* vertexPath, const char* fragmentPath);

// Clears and runs every draw of the frame.
void drawFrameWithShaders(ShaderRenderer& renderer, const Frame& frame);

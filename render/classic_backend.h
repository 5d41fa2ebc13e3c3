#pragma once
// The classic renderer: OpenGL 1.x's fixed-function pipeline, with the
// Phong pair over ARB shader objects where the driver has them, carrying out
// a frame description. The meshes live in buffer objects, uploaded once.

#include <vector>

#include "assets/shader_program.h"
#include "render/frame.h"
#include "render/meshes.h"

struct ClassicBuffers {
    std::vector<unsigned int> buffers;   // one per mesh of the set
    unsigned int white = 0;              // the texture of untextured draws
};

// Needs a current GL context.
ClassicBuffers uploadClassicMeshes(const MeshSet& meshes, unsigned int whiteTexture);

// The GL settings every frame relies on and nothing changes for good.
void setClassicFixedState();

// One mesh with whatever state, matrices and colour GL has now.
void drawClassicMesh(const MeshSet& meshes, const ClassicBuffers& buffers, MeshId id);

// Clears, places the light and runs every draw of the frame (or the span's).
void drawFrameClassic(const Frame& frame, const MeshSet& meshes, const ClassicBuffers& buffers,
                      const ShaderProgram& shader, DrawSpan span = {});

// The light and the draws from `first` on, without clearing: for drawing
// single pieces over a picture.
void placeClassicLight(const Frame& frame);
void runClassicDraws(const Frame& frame, size_t first, const MeshSet& meshes, const ClassicBuffers& buffers,
                     const ShaderProgram& shader, size_t last = SIZE_MAX);

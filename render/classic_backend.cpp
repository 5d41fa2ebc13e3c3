#define GL_GLEXT_PROTOTYPES
#include "render/classic_backend.h"

#include <algorithm>

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/gl_state.h"

namespace {

GLenum primitiveOf(Primitive primitive)
{
    switch (primitive) {
    case Primitive::Triangles: return GL_TRIANGLES;
    case Primitive::TriangleStrip: return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan: return GL_TRIANGLE_FAN;
    case Primitive::Quads: return GL_QUADS;
    case Primitive::QuadStrip: return GL_QUAD_STRIP;
    }
    return GL_TRIANGLES;
}

void enable(GLenum capability, bool on)
{
    if (on) glEnable(capability);
    else glDisable(capability);
}

// A mesh's arrays one after the other in one buffer: positions, normals,
// texture coordinates.
void pointArrays(const Mesh& mesh, const char* base)
{
    const size_t count = mesh.vertexCount();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, base);
    if (!mesh.normals.empty()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, base + count * 3 * sizeof(float));
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (!mesh.texCoords.empty()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, base + count * (mesh.normals.empty() ? 3 : 6) * sizeof(float));
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void drawRuns(const Mesh& mesh, uint32_t firstRun, uint32_t runCount)
{
    for (uint32_t i = firstRun; i < firstRun + runCount; ++i) {
        const Run& run = mesh.runs[i];
        glDrawArrays(primitiveOf(run.primitive), GLint(run.first), GLsizei(run.count));
    }
}

void applyTexture(const Surface& material, unsigned int white)
{
    if (material.texture == 0) {
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, white);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, material.texture);
    applyTextureFilter(material.filter);
}

}  // namespace

ClassicBuffers uploadClassicMeshes(const MeshSet& meshes, unsigned int whiteTexture)
{
    ClassicBuffers uploaded;
    uploaded.white = whiteTexture;
    uploaded.buffers.assign(meshes.meshes.size(), 0);
    for (size_t i = 0; i < meshes.meshes.size(); ++i) {
        const Mesh& mesh = meshes.meshes[i];
        GLuint buffer = 0;
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        const size_t bytes = (mesh.positions.size() + mesh.normals.size() + mesh.texCoords.size()) * sizeof(float);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), nullptr, GL_STATIC_DRAW);
        size_t at = 0;
        for (const std::vector<float>* part : {&mesh.positions, &mesh.normals, &mesh.texCoords}) {
            const size_t size = part->size() * sizeof(float);
            if (size) glBufferSubData(GL_ARRAY_BUFFER, GLintptr(at), GLsizeiptr(size), part->data());
            at += size;
        }
        uploaded.buffers[i] = buffer;
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return uploaded;
}

void drawClassicMesh(const MeshSet& meshes, const ClassicBuffers& buffers, MeshId id)
{
    const Mesh& mesh = meshOf(meshes, id);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.buffers[size_t(id)]);
    pointArrays(mesh, nullptr);
    drawRuns(mesh, 0, uint32_t(mesh.runs.size()));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void setClassicFixedState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_GENERATE_MIPMAP_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glFrontFace(GL_CCW);
}

void placeClassicLight(const Frame& frame)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(frame.view.m);
    const Light& light = frame.light;
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, light.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light.position);
}

void runClassicDraws(const Frame& frame, size_t first, const MeshSet& meshes, const ClassicBuffers& buffers,
                     const ShaderProgram& shader, size_t last)
{
    const bool haveShader = shader.program != 0 && shader.use != nullptr && shader.active;
    bool shaderOn = haveShader;
    last = std::min(last, frame.draws.size());
    for (size_t i = first; i < last; ++i) {
        const Draw& draw = frame.draws[i];
        const Geometry& geometry = draw.geometry;
        if (!geometry.scratch && geometry.mesh == MeshId::None) continue;
        if (haveShader && draw.state.shader != shaderOn) {
            shaderOn = draw.state.shader;
            shader.use(shaderOn ? shader.program : 0);
        }
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(draw.screenSpace ? frame.overlayProjection.m : frame.projection.m);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(draw.modelView.m);
        applyDrawState(draw.state);
        enable(GL_LIGHTING, draw.material.lit);
        glMaterialfv(GL_FRONT, GL_SPECULAR, draw.material.specular);
        glMaterialf(GL_FRONT, GL_SHININESS, draw.material.shininess);
        glColor4fv(draw.material.colour);
        applyTexture(draw.material, buffers.white);

        if (geometry.scratch) {
            glBindBuffer(GL_ARRAY_BUFFER, 0);
            const Mesh& mesh = frame.scratch;
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
            // Every scratch vertex has a normal and texture coordinates.
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
            drawRuns(mesh, geometry.firstRun, geometry.runCount);
        } else {
            drawClassicMesh(meshes, buffers, geometry.mesh);
        }
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // Back to what the next frame and the fixed state expect.
    if (haveShader && !shaderOn) shader.use(shader.program);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, buffers.white);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void drawFrameClassic(const Frame& frame, const MeshSet& meshes, const ClassicBuffers& buffers,
                      const ShaderProgram& shader, DrawSpan span)
{
    if (span.clear) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear((clearsColour(frame, span) ? GL_COLOR_BUFFER_BIT : 0) | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    placeClassicLight(frame);
    runClassicDraws(frame, span.first, meshes, buffers, shader, span.last);
}

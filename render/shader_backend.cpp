#ifdef __EMSCRIPTEN__
#include <GLES2/gl2.h>
#else
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#endif

#include "render/shader_backend.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "assets/shader_program.h"
#include "render/gl_state.h"

namespace {

constexpr GLuint positionAttribute = 0;
constexpr GLuint normalAttribute = 1;
constexpr GLuint texCoordAttribute = 2;

std::string readSource(const char* path, std::string& error)
{
    char* text = readTextFile(path);
    if (text == nullptr) {
        error = std::string("cannot read ") + path;
        return {};
    }
    std::string source(text);
    std::free(text);
    return source;
}

GLuint compile(GLenum kind, const std::string& source, const char* path, std::string& error)
{
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string(path) + " does not compile: " + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint buildProgram(const char* vertexPath, const char* fragmentPath, ShaderKind kind, std::string& error)
{
#ifdef __EMSCRIPTEN__
    const bool embedded = true;
#else
    const bool embedded = false;
#endif
    const std::string vertexText = readSource(vertexPath, error);
    if (!error.empty()) return 0;
    const std::string fragmentText = readSource(fragmentPath, error);
    if (!error.empty()) return 0;
    const GLuint vertex = compile(GL_VERTEX_SHADER, shaderSourceFor(vertexText, embedded, kind), vertexPath, error);
    if (vertex == 0) return 0;
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, shaderSourceFor(fragmentText, embedded, kind), fragmentPath, error);
    if (fragment == 0) {
        glDeleteShader(vertex);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    // Fixed places, so a mesh's arrays are pointed at the same way for every draw.
    glBindAttribLocation(program, positionAttribute, "position");
    glBindAttribLocation(program, normalAttribute, "normal");
    glBindAttribLocation(program, texCoordAttribute, "texCoord");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        error = std::string("the shader pair does not link: ") + log;
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

ShaderUniforms uniformsOf(GLuint program)
{
    ShaderUniforms u;
    u.modelViewProjection = glGetUniformLocation(program, "modelViewProjection");
    u.modelView = glGetUniformLocation(program, "modelView");
    u.normalMatrix = glGetUniformLocation(program, "normalMatrix");
    u.lightPosition = glGetUniformLocation(program, "lightPosition");
    u.lightModelAmbient = glGetUniformLocation(program, "lightModelAmbient");
    u.lightDiffuse = glGetUniformLocation(program, "lightDiffuse");
    u.lightSpecular = glGetUniformLocation(program, "lightSpecular");
    u.colour = glGetUniformLocation(program, "colour");
    u.specular = glGetUniformLocation(program, "specular");
    u.shininess = glGetUniformLocation(program, "shininess");
    u.picture = glGetUniformLocation(program, "picture");
    return u;
}

// A mesh's arrays one after the other in one buffer, sized for `capacity`
// vertices: positions, normals, texture coordinates.
void writeVertices(const Mesh& mesh, uint32_t capacity)
{
    const size_t count = mesh.vertexCount();
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(count * 3 * sizeof(float)), mesh.positions.data());
    if (!mesh.normals.empty())
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(capacity * 3 * sizeof(float)),
                        GLsizeiptr(count * 3 * sizeof(float)), mesh.normals.data());
    if (!mesh.texCoords.empty())
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(capacity * 6 * sizeof(float)),
                        GLsizeiptr(count * 2 * sizeof(float)), mesh.texCoords.data());
}

constexpr size_t bytesPerVertex = 8 * sizeof(float);

ShaderMeshBuffers uploadMesh(const Mesh& mesh)
{
    ShaderMeshBuffers uploaded;
    uploaded.vertexCount = mesh.vertexCount();
    uploaded.indexCount = uint32_t(mesh.triangles.size());
    uploaded.normals = !mesh.normals.empty();
    uploaded.texCoords = !mesh.texCoords.empty();
    glGenBuffers(1, &uploaded.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, uploaded.vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(uploaded.vertexCount * bytesPerVertex), nullptr, GL_STATIC_DRAW);
    writeVertices(mesh, uploaded.vertexCount);
    glGenBuffers(1, &uploaded.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, uploaded.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(mesh.triangles.size() * sizeof(uint16_t)),
                 mesh.triangles.data(), GL_STATIC_DRAW);
    return uploaded;
}

// The arrays of a buffer laid out for `capacity` vertices.
void pointAttributes(const ShaderMeshBuffers& buffers, uint32_t capacity)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
    glVertexAttribPointer(positionAttribute, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    if (buffers.normals) {
        glEnableVertexAttribArray(normalAttribute);
        glVertexAttribPointer(normalAttribute, 3, GL_FLOAT, GL_FALSE, 0,
                              reinterpret_cast<const void*>(size_t(capacity) * 3 * sizeof(float)));
    } else {
        // The unlit shapes that have none: any normal will do.
        glDisableVertexAttribArray(normalAttribute);
        glVertexAttrib3f(normalAttribute, 0.0f, 0.0f, 1.0f);
    }
    if (buffers.texCoords) {
        glEnableVertexAttribArray(texCoordAttribute);
        glVertexAttribPointer(texCoordAttribute, 2, GL_FLOAT, GL_FALSE, 0,
                              reinterpret_cast<const void*>(size_t(capacity) * 6 * sizeof(float)));
    } else {
        glDisableVertexAttribArray(texCoordAttribute);
        glVertexAttrib2f(texCoordAttribute, 0.0f, 0.0f);
    }
}

// The frame's scratch mesh into its buffers, grown (to twice what is asked,
// so growth soon stops) only when this frame needs more than ever before.
void uploadScratch(ShaderRenderer& renderer, const Mesh& scratch)
{
    renderer.scratchTriangles.clear();
    renderer.scratchRunStarts.clear();
    for (const Run& run : scratch.runs) {
        renderer.scratchRunStarts.push_back(uint32_t(renderer.scratchTriangles.size()));
        appendTriangles(run, renderer.scratchTriangles);
    }
    renderer.scratchRunStarts.push_back(uint32_t(renderer.scratchTriangles.size()));

    ShaderMeshBuffers& buffers = renderer.scratch;
    buffers.vertexCount = scratch.vertexCount();
    buffers.indexCount = uint32_t(renderer.scratchTriangles.size());
    buffers.normals = !scratch.normals.empty();
    buffers.texCoords = !scratch.texCoords.empty();
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
    if (buffers.vertexCount > renderer.scratchVertexCapacity) {
        renderer.scratchVertexCapacity = buffers.vertexCount * 2;
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(renderer.scratchVertexCapacity * bytesPerVertex), nullptr,
                     GL_DYNAMIC_DRAW);
    }
    if (buffers.vertexCount > 0) writeVertices(scratch, renderer.scratchVertexCapacity);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
    if (buffers.indexCount > renderer.scratchIndexCapacity) {
        renderer.scratchIndexCapacity = buffers.indexCount * 2;
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(renderer.scratchIndexCapacity * sizeof(uint16_t)), nullptr,
                     GL_DYNAMIC_DRAW);
    }
    if (buffers.indexCount > 0)
        glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, GLsizeiptr(buffers.indexCount * sizeof(uint16_t)),
                        renderer.scratchTriangles.data());
}

// The inverse transpose of the model-view's upper 3x3, column-major, as GL
// makes its normal matrix; a matrix with no inverse gives its own 3x3.
void normalMatrixOf(const Mat4& m, float (&out)[9])
{
    const float a = m.m[0], b = m.m[4], c = m.m[8];
    const float d = m.m[1], e = m.m[5], f = m.m[9];
    const float g = m.m[2], h = m.m[6], i = m.m[10];
    const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const float D = -(b * i - c * h), E = a * i - c * g, F = -(a * h - b * g);
    const float G = b * f - c * e, H = -(a * f - c * d), I = a * e - b * d;
    const float determinant = a * A + b * B + c * C;
    if (determinant == 0.0f) {
        const float same[9] = {a, d, g, b, e, h, c, f, i};
        for (int k = 0; k < 9; ++k) out[k] = same[k];
        return;
    }
    // The inverse's transpose is the cofactor matrix over the determinant
    // (A, B, C its first row), stored by columns.
    const float cofactors[9] = {A, D, G, B, E, H, C, F, I};
    for (int k = 0; k < 9; ++k) out[k] = cofactors[k] / determinant;
}

}  // namespace

ShaderKind shaderKindOf(const Draw& draw)
{
    const Surface& m = draw.material;
    if (!m.lit || !draw.state.colourWrite) return ShaderKind::Unlit;
    const bool highlight = m.specular[0] != 0.0f || m.specular[1] != 0.0f || m.specular[2] != 0.0f;
    return highlight ? ShaderKind::Shiny : ShaderKind::Matte;
}

std::string shaderSourceFor(const std::string& text, bool embedded, ShaderKind kind)
{
    const char* defines = kind == ShaderKind::Unlit ? "" : kind == ShaderKind::Matte ? "#define LIT\n"
                                                                                       : "#define LIT\n#define SPECULAR\n";
    return (embedded ? "#version 100\nprecision mediump float;\n" : "#version 120\n") + std::string(defines) + text;
}

std::string initShaderRendererFrom(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture,
                                   const char* vertexPath, const char* fragmentPath)
{
    std::string error;
    for (size_t k = 0; k < shaderKinds; ++k) {
        ShaderPair& pair = renderer.pairs[k];
        pair.program = buildProgram(vertexPath, fragmentPath, ShaderKind(k), error);
        if (pair.program == 0) return error;
        pair.uniforms = uniformsOf(pair.program);
        glUseProgram(pair.program);
        glUniform1i(pair.uniforms.picture, 0);
    }
    glUseProgram(0);
    renderer.white = whiteTexture;
    renderer.meshes.clear();
    for (const Mesh& mesh : meshes.meshes) {
        if (mesh.vertexCount() > 65536) return "a mesh has more vertices than 16-bit indices reach";
        renderer.meshes.push_back(uploadMesh(mesh));
    }
    glGenBuffers(1, &renderer.scratch.vertices);
    glGenBuffers(1, &renderer.scratch.indices);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return {};
}

void replaceShaderMeshes(ShaderRenderer& renderer, const MeshSet& meshes)
{
    for (const ShaderMeshBuffers& buffers : renderer.meshes) {
        glDeleteBuffers(1, &buffers.vertices);
        glDeleteBuffers(1, &buffers.indices);
    }
    renderer.meshes.clear();
    for (const Mesh& mesh : meshes.meshes) renderer.meshes.push_back(uploadMesh(mesh));
}

void releaseShaderRenderer(ShaderRenderer& renderer)
{
    glUseProgram(0);
    for (const ShaderPair& pair : renderer.pairs) {
        if (pair.program) glDeleteProgram(pair.program);
    }
    for (const ShaderMeshBuffers& buffers : renderer.meshes) {
        glDeleteBuffers(1, &buffers.vertices);
        glDeleteBuffers(1, &buffers.indices);
    }
    glDeleteBuffers(1, &renderer.scratch.vertices);
    glDeleteBuffers(1, &renderer.scratch.indices);
    renderer = {};
}

std::string initShaderRenderer(ShaderRenderer& renderer, const MeshSet& meshes, unsigned int whiteTexture)
{
    return initShaderRendererFrom(renderer, meshes, whiteTexture, "shaders/es.vs", "shaders/es.fs");
}

namespace {

constexpr float unknown = std::numeric_limits<float>::quiet_NaN();

// Copies `value` into `held` and says whether it differed (NaN, the value
// of nothing sent yet, differs from everything).
template <size_t N>
bool changed(float (&held)[N], const float* value)
{
    if (std::equal(held, held + N, value)) return false;
    std::copy(value, value + N, held);
    return true;
}

template <size_t N>
void forget(float (&held)[N])
{
    std::fill(held, held + N, unknown);
}

void forget(SentUniforms& sent)
{
    forget(sent.modelViewProjection);
    forget(sent.modelView);
    forget(sent.colour);
    forget(sent.specular);
    forget(sent.shininess);
}

// What GL holds within one frame, so that a draw changes only what differs
// from the draw before it.
struct Held {
    const ShaderPair* pair = nullptr;
    const ShaderMeshBuffers* arrays = nullptr;
    unsigned int texture = 0;
    Filter filter = Filter::Keep;
    bool textureKnown = false;
    bool stateKnown = false;
    DrawState state;
};

void sendUniforms(ShaderPair& pair, ShaderKind kind, const Frame& frame, const Draw& draw)
{
    const ShaderUniforms& u = pair.uniforms;
    SentUniforms& sent = pair.sent;
    const Mat4 modelViewProjection =
        multiply(draw.screenSpace ? frame.overlayProjection : frame.projection, draw.modelView);
    if (changed(sent.modelViewProjection, modelViewProjection.m))
        glUniformMatrix4fv(u.modelViewProjection, 1, GL_FALSE, modelViewProjection.m);
    const Surface& material = draw.material;
    if (changed(sent.colour, material.colour)) glUniform4fv(u.colour, 1, material.colour);
    if (kind == ShaderKind::Unlit) return;
    if (changed(sent.modelView, draw.modelView.m)) {
        glUniformMatrix4fv(u.modelView, 1, GL_FALSE, draw.modelView.m);
        float normalMatrix[9];
        normalMatrixOf(draw.modelView, normalMatrix);
        glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, normalMatrix);
    }
    if (kind == ShaderKind::Matte) return;
    if (changed(sent.specular, material.specular)) glUniform4fv(u.specular, 1, material.specular);
    if (changed(sent.shininess, &material.shininess)) glUniform1f(u.shininess, material.shininess);
}

void useTexture(Held& held, const Surface& material, unsigned int white)
{
    const unsigned int texture = material.texture == 0 ? white : material.texture;
    if (held.textureKnown && held.texture == texture && held.filter == material.filter) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    if (material.texture != 0) applyTextureFilter(material.filter);
    held.textureKnown = true;
    held.texture = texture;
    held.filter = material.filter;
}

void runDraw(ShaderRenderer& renderer, Held& held, const Frame& frame, const Draw& draw)
{
    const Geometry& geometry = draw.geometry;
    if (!geometry.scratch && geometry.mesh == MeshId::None) return;
    const ShaderKind kind = shaderKindOf(draw);
    ShaderPair& pair = renderer.pairs[size_t(kind)];
    if (held.pair != &pair) {
        glUseProgram(pair.program);
        held.pair = &pair;
    }
    sendUniforms(pair, kind, frame, draw);
    useTexture(held, draw.material, renderer.white);
    if (!held.stateKnown || !(held.state == draw.state)) {
        applyDrawState(draw.state);
        held.state = draw.state;
        held.stateKnown = true;
    }

    if (geometry.scratch) {
        if (held.arrays != &renderer.scratch) pointAttributes(renderer.scratch, renderer.scratchVertexCapacity);
        held.arrays = &renderer.scratch;
        const uint32_t first = renderer.scratchRunStarts[geometry.firstRun];
        const uint32_t last = renderer.scratchRunStarts[geometry.firstRun + geometry.runCount];
        glDrawElements(GL_TRIANGLES, GLsizei(last - first), GL_UNSIGNED_SHORT,
                       reinterpret_cast<const void*>(size_t(first) * sizeof(uint16_t)));
    } else {
        const ShaderMeshBuffers& buffers = renderer.meshes[size_t(geometry.mesh)];
        if (held.arrays != &buffers) pointAttributes(buffers, buffers.vertexCount);
        held.arrays = &buffers;
        glDrawElements(GL_TRIANGLES, GLsizei(buffers.indexCount), GL_UNSIGNED_SHORT, nullptr);
    }
}

}  // namespace

void drawFrameWithShaders(ShaderRenderer& renderer, const Frame& frame, DrawSpan span)
{
    if (span.clear) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear((clearsColour(frame, span) ? GL_COLOR_BUFFER_BIT : 0) | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    const Light& light = frame.light;
    for (ShaderPair& pair : renderer.pairs) {
        forget(pair.sent);
        if (&pair == &renderer.pairs[size_t(ShaderKind::Unlit)]) continue;
        const ShaderUniforms& u = pair.uniforms;
        glUseProgram(pair.program);
        glUniform4fv(u.lightPosition, 1, light.eyePosition);
        glUniform4fv(u.lightModelAmbient, 1, light.ambient);
        glUniform4fv(u.lightDiffuse, 1, light.diffuse);
        if (u.lightSpecular >= 0) glUniform4fv(u.lightSpecular, 1, light.specular);
    }
    glActiveTexture(GL_TEXTURE0);
    glEnableVertexAttribArray(positionAttribute);
    uploadScratch(renderer, frame.scratch);

    Held held;
    const size_t last = std::min(span.last, frame.draws.size());
    for (size_t i = span.first; i < last; ++i) runDraw(renderer, held, frame, frame.draws[i]);

    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    // Off again: on a desktop GL, attribute 0 stands for the fixed-function
    // vertex array too.
    glDisableVertexAttribArray(positionAttribute);
    glDisableVertexAttribArray(normalAttribute);
    glDisableVertexAttribArray(texCoordAttribute);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}

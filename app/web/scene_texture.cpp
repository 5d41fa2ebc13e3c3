#include "app/web/scene_texture.h"

#include <GLES2/gl2.h>

namespace {

// WebGL 1 has a packed depth and stencil buffer of its own, under these
// names (an OpenGL ES 2 header knows them only as extensions).
constexpr GLenum webglDepthStencil = 0x84F9;
constexpr GLenum webglDepthStencilAttachment = 0x821A;

constexpr GLuint cornerAttribute = 0;

const char* const vertexSource =
    "#version 100\n"
    "attribute vec2 corner;\n"
    "varying vec2 place;\n"
    "void main() {\n"
    "    place = corner * 0.5 + 0.5;\n"
    "    gl_Position = vec4(corner, 0.0, 1.0);\n"
    "}\n";

const char* const fragmentSource =
    "#version 100\n"
    "precision mediump float;\n"
    "uniform sampler2D scene;\n"
    "varying vec2 place;\n"
    "void main() {\n"
    "    gl_FragColor = texture2D(scene, place);\n"
    "}\n";

// One triangle reaching past the corners covers the viewport with no
// diagonal seam: half of its area is clipped away, never drawn.
const float cornerPositions[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};

GLuint compile(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;
    glDeleteShader(shader);
    return 0;
}

bool makeProgram(SceneTexture& scene)
{
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (vertex && fragment) {
        scene.program = glCreateProgram();
        glAttachShader(scene.program, vertex);
        glAttachShader(scene.program, fragment);
        glBindAttribLocation(scene.program, cornerAttribute, "corner");
        glLinkProgram(scene.program);
        GLint linked = GL_FALSE;
        glGetProgramiv(scene.program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            glDeleteProgram(scene.program);
            scene.program = 0;
        }
    }
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    if (scene.program == 0) return false;
    glUseProgram(scene.program);
    glUniform1i(glGetUniformLocation(scene.program, "scene"), 0);
    glGenBuffers(1, &scene.corners);
    glBindBuffer(GL_ARRAY_BUFFER, scene.corners);
    glBufferData(GL_ARRAY_BUFFER, sizeof cornerPositions, cornerPositions, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return true;
}

void releaseTarget(SceneTexture& scene)
{
    if (scene.framebuffer) glDeleteFramebuffers(1, &scene.framebuffer);
    if (scene.colour) glDeleteTextures(1, &scene.colour);
    if (scene.depthStencil) glDeleteRenderbuffers(1, &scene.depthStencil);
    scene.framebuffer = scene.colour = scene.depthStencil = 0;
}

}  // namespace

bool fitSceneTexture(SceneTexture& scene, int width, int height)
{
    if (scene.width == width && scene.height == height && (scene.framebuffer || scene.failed)) return !scene.failed;
    releaseTarget(scene);
    scene.width = width;
    scene.height = height;
    scene.failed = true;
    if (scene.program == 0 && !scene.programFailed) scene.programFailed = !makeProgram(scene);
    if (scene.program == 0) return false;

    glGenTextures(1, &scene.colour);
    glBindTexture(GL_TEXTURE_2D, scene.colour);
    // Smooth filtering and clamped edges: what lets WebGL 1 sample a
    // texture whose sides are not powers of two.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenRenderbuffers(1, &scene.depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, scene.depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, webglDepthStencil, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &scene.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, scene.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, scene.colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, webglDepthStencilAttachment, GL_RENDERBUFFER, scene.depthStencil);
    scene.failed = glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (scene.failed) releaseTarget(scene);
    return !scene.failed;
}

void drawSceneTexture(SceneTexture& scene)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glUseProgram(scene.program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, scene.colour);
    glBindBuffer(GL_ARRAY_BUFFER, scene.corners);
    glEnableVertexAttribArray(cornerAttribute);
    glVertexAttribPointer(cornerAttribute, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisableVertexAttribArray(cornerAttribute);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_DEPTH_TEST);
}

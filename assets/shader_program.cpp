#include "assets/shader_program.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The ARB shader-object calls, looked up from the current GL.
struct ShaderCalls {
    PFNGLCREATEPROGRAMOBJECTARBPROC createProgramObject = nullptr;
    PFNGLCREATESHADEROBJECTARBPROC createShaderObject = nullptr;
    PFNGLSHADERSOURCEARBPROC shaderSource = nullptr;
    PFNGLCOMPILESHADERARBPROC compileShader = nullptr;
    PFNGLATTACHOBJECTARBPROC attachObject = nullptr;
    PFNGLLINKPROGRAMARBPROC linkProgram = nullptr;
    PFNGLUSEPROGRAMOBJECTARBPROC useProgramObject = nullptr;
    // Only to tell why a build failed.
    PFNGLGETOBJECTPARAMETERIVARBPROC getObjectParameter = nullptr;
    PFNGLGETINFOLOGARBPROC getInfoLog = nullptr;
};

template <typename Function>
bool lookUp(Function& function, const char* name)
{
    // The GL's own lookup, not GLUT's: it also serves a context made
    // without a window (EGL), as the benchmark and tools make.
    function = reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
    return function != nullptr;
}

bool hasExtension(const char* name)
{
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (all == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool starts = at == all || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

// GL lookups hand out addresses for any name, so the extensions are checked
// by name first.
bool lookUpEntryPoints(ShaderCalls& gl)
{
    if (!hasExtension("GL_ARB_shader_objects") || !hasExtension("GL_ARB_vertex_shader") ||
        !hasExtension("GL_ARB_fragment_shader")) {
        return false;
    }
    bool found = lookUp(gl.createProgramObject, "glCreateProgramObjectARB");
    found = lookUp(gl.createShaderObject, "glCreateShaderObjectARB") && found;
    found = lookUp(gl.shaderSource, "glShaderSourceARB") && found;
    found = lookUp(gl.compileShader, "glCompileShaderARB") && found;
    found = lookUp(gl.attachObject, "glAttachObjectARB") && found;
    found = lookUp(gl.linkProgram, "glLinkProgramARB") && found;
    found = lookUp(gl.useProgramObject, "glUseProgramObjectARB") && found;
    found = lookUp(gl.getObjectParameter, "glGetObjectParameterivARB") && found;
    found = lookUp(gl.getInfoLog, "glGetInfoLogARB") && found;
    return found;
}

// The info log on one line, so the reason fits the one line we print.
std::string infoLogOf(const ShaderCalls& gl, GLhandleARB object)
{
    GLint length = 0;
    gl.getObjectParameter(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        GLsizei written = 0;
        gl.getInfoLog(object, length, &written, log.data());
        log.resize(static_cast<size_t>(written));
    }
    for (char& c : log) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    while (!log.empty() && log.back() == ' ') log.pop_back();
    return log.empty() ? "no log" : log;
}

ShaderProgram fail(const std::string& why)
{
    std::fprintf(stderr, "shaders: %s; drawing without them\n", why.c_str());
    return ShaderProgram{};
}

// Compiles one stage; a missing file never reaches the GL.
bool compileStage(const ShaderCalls& gl, GLenum stage, const char* path, GLhandleARB& shader, std::string& error)
{
    char* source = readTextFile(path);
    if (source == nullptr) {
        error = std::string("cannot read ") + path;
        return false;
    }
    shader = gl.createShaderObject(stage);
    const GLcharARB* sources[1] = {source};
    gl.shaderSource(shader, 1, sources, nullptr);
    std::free(source);
    gl.compileShader(shader);
    GLint compiled = 0;
    gl.getObjectParameter(shader, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
    if (!compiled) {
        error = std::string(path) + " does not compile: " + infoLogOf(gl, shader);
        return false;
    }
    return true;
}

}  // namespace

ShaderProgram initShaderProgramFrom(const char* vertexPath, const char* fragmentPath)
{
    ShaderCalls gl;
    if (!lookUpEntryPoints(gl)) return fail("the GL has no ARB shader objects");

    gl.useProgramObject(0);
    std::string error;
    GLhandleARB built = gl.createProgramObject();
    GLhandleARB vertex = 0;
    GLhandleARB fragment = 0;
    // Both halves are tried, so that two broken files are both named.
    std::string fragmentError;
    const bool vertexBuilt = compileStage(gl, GL_VERTEX_SHADER_ARB, vertexPath, vertex, error);
    const bool fragmentBuilt = compileStage(gl, GL_FRAGMENT_SHADER_ARB, fragmentPath, fragment, fragmentError);
    if (!vertexBuilt || !fragmentBuilt) {
        return fail(vertexBuilt ? fragmentError : fragmentBuilt ? error : error + "; " + fragmentError);
    }
    gl.attachObject(built, vertex);
    gl.attachObject(built, fragment);
    gl.linkProgram(built);
    GLint linked = 0;
    gl.getObjectParameter(built, GL_OBJECT_LINK_STATUS_ARB, &linked);
    if (!linked) {
        return fail("the program does not link: " + infoLogOf(gl, built));
    }
    gl.useProgramObject(built);
    return ShaderProgram{built, gl.useProgramObject, true};
}

ShaderProgram initShaderProgram()
{
    return initShaderProgramFrom("shaders/phong.vs", "shaders/phong.fs");
}

void useShaderProgram(ShaderProgram& shader, bool on)
{
    if (shader.program == 0 || shader.use == nullptr) return;
    shader.use(on ? shader.program : 0);
    shader.active = on;
}

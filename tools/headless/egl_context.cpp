#include "tools/headless/egl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstring>

namespace {

bool hasExtension(const char* list, const char* name)
{
    if (list == nullptr) {
        return false;
    }
    size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
        bool startsWord = p == list || p[-1] == ' ';
        bool endsWord = p[length] == '\0' || p[length] == ' ';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

// Mesa's surfaceless platform needs no X server at all; the default display
// is the fallback for drivers without it (it may still find X if DISPLAY is
// set, which is harmless).
EGLDisplay openDisplay()
{
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay != nullptr) {
            EGLDisplay display =
                getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
            if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) {
                return display;
            }
        }
    }
    EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) {
        return display;
    }
    return EGL_NO_DISPLAY;
}

bool fail(const char* what)
{
    std::fprintf(stderr, "headless GL: %s (EGL error 0x%x)\n", what, eglGetError());
    return false;
}

} // namespace

bool makeHeadlessContext()
{
    static bool made = false;
    if (made) {
        return true;
    }
    EGLDisplay display = openDisplay();
    if (display == EGL_NO_DISPLAY) {
        return fail("no EGL display");
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return fail("desktop OpenGL is not available through EGL");
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
        // Surfaceless contexts may be made without any config.
        config = nullptr;
    }
    // The rolling matrix uses the fixed-function matrix stack, so the context
    // must be a compatibility one.
    const EGLint contextAttributes[] = {
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    }
    if (context == EGL_NO_CONTEXT) {
        return fail("cannot create an OpenGL context");
    }
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        // Without EGL_KHR_surfaceless_context a tiny pbuffer stands in.
        const EGLint pbufferConfig[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                        EGL_OPENGL_BIT, EGL_NONE};
        if (!eglChooseConfig(display, pbufferConfig, &config, 1, &count) || count < 1) {
            return fail("no surfaceless context and no pbuffer config");
        }
        const EGLint size[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
        EGLSurface surface = eglCreatePbufferSurface(display, config, size);
        eglDestroyContext(display, context);
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
        if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT ||
            !eglMakeCurrent(display, surface, surface, context)) {
            return fail("cannot make a context current");
        }
    }
    made = true;
    return true;
}

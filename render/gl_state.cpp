#ifdef __EMSCRIPTEN__
#include <GLES2/gl2.h>
#else
#include <GL/gl.h>
#include <GL/glext.h>
#endif

#include "render/gl_state.h"

namespace {

void enable(GLenum capability, bool on)
{
    if (on) glEnable(capability);
    else glDisable(capability);
}

}  // namespace

void applyDrawState(const DrawState& state)
{
    enable(GL_DEPTH_TEST, state.depthTest);
    const GLboolean write = state.colourWrite ? GL_TRUE : GL_FALSE;
    glColorMask(write, write, write, write);
    if (state.cullBack) glCullFace(GL_BACK);
    enable(GL_CULL_FACE, state.cullBack);
    if (state.polygonOffset) glPolygonOffset(1.0f, 1.0f);
    enable(GL_POLYGON_OFFSET_FILL, state.polygonOffset);
    enable(GL_BLEND, state.blend != Blend::Off);
    if (state.blend == Blend::Add) glBlendFunc(GL_ONE, GL_ONE);
    else glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    enable(GL_STENCIL_TEST, state.stencil != Stencil::Off);
    if (state.stencil == Stencil::Mark) {
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    } else if (state.stencil == Stencil::Equal) {
        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    }
}

void applyTextureFilter(Filter filter)
{
    switch (filter) {
    case Filter::Keep: break;
    case Filter::Mipmapped:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        break;
    case Filter::SkyLinear:
    case Filter::SkyMipmapped:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        filter == Filter::SkyLinear ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        break;
    case Filter::Nearest:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        break;
    case Filter::Linear:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        break;
    }
}

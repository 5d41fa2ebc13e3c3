#include "render/overlay.h"

#include <GL/freeglut.h>

namespace {

void* const font = GLUT_BITMAP_HELVETICA_18;
constexpr int lineHeight = 24;
constexpr int margin = 12;

}  // namespace

void drawOverlay(const std::vector<std::string>& lines, OverlayPlace place, const ShaderProgram& shader)
{
    if (lines.empty()) return;
    // A copy: the program switched off for the text and on again after.
    ShaderProgram program = shader;
    const bool shaderWasOn = program.active;
    useShaderProgram(program, false);
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int width = 0;
    for (const std::string& line : lines) {
        const int w = glutBitmapLength(font, reinterpret_cast<const unsigned char*>(line.c_str()));
        if (w > width) width = w;
    }
    const int height = int(lines.size()) * lineHeight;
    const int left = place == OverlayPlace::AboveCentre ? (viewport[2] - width) / 2 : margin;
    const int top = place == OverlayPlace::AboveCentre ? (viewport[3] * 2 / 3 + height / 2) : viewport[3] - margin;

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glRectf(float(left - 8), float(top - height - 8), float(left + width + 8), float(top + 4));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (size_t i = 0; i < lines.size(); ++i) {
        glRasterPos2i(left, top - int(i + 1) * lineHeight + 6);
        glutBitmapString(font, reinterpret_cast<const unsigned char*>(lines[i].c_str()));
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    useShaderProgram(program, shaderWasOn);
}

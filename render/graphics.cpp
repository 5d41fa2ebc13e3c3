#include "render/graphics.h"

#include <cstdio>

TextureIds textureIdsOf(const Textures& textures)
{
    TextureIds ids;
    ids.ball = textures.ball;
    ids.metal = textures.metal;
    ids.glass = textures.glass;
    ids.end = textures.end;
    ids.white = textures.white;
    ids.font = textures.font;
    for (size_t i = 0; i < 6; ++i) {
        ids.wood[i] = textures.wood[i];
        ids.sky[i] = textures.sky[i];
    }
    return ids;
}

Graphics initGraphics(const Course& course, Renderer renderer)
{
    Graphics graphics;
    graphics.renderer = renderer;
    if (renderer == Renderer::Classic) setClassicFixedState();
    graphics.textures = loadTextures();
    graphics.meshes = buildMeshSet(course);
    if (renderer == Renderer::Shaders) {
        const std::string error = initShaderRenderer(graphics.shaders, graphics.meshes, graphics.textures.white);
        if (error.empty()) return graphics;
        std::fprintf(stderr, "skycourse: the shader renderer cannot start (%s); drawing with the classic one\n",
                     error.c_str());
        graphics.renderer = Renderer::Classic;
        setClassicFixedState();
    }
    graphics.shader = initShaderProgram();
    graphics.classic = uploadClassicMeshes(graphics.meshes, graphics.textures.white);
    return graphics;
}

void drawGame(Graphics& graphics, const FrameInput& input)
{
    describeFrame(graphics.frame, input, graphics.meshes, textureIdsOf(graphics.textures));
    if (graphics.renderer == Renderer::Shaders) drawFrameWithShaders(graphics.shaders, graphics.frame);
    else drawFrameClassic(graphics.frame, graphics.meshes, graphics.classic, graphics.shader);
}

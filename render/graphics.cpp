#include "render/graphics.h"

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
    setClassicFixedState();
    graphics.textures = loadTextures();
    graphics.shader = initShaderProgram();
    graphics.meshes = buildMeshSet(course);
    graphics.classic = uploadClassicMeshes(graphics.meshes, graphics.textures.white);
    return graphics;
}

void drawGame(Graphics& graphics, const FrameInput& input)
{
    describeFrame(graphics.frame, input, graphics.meshes, textureIdsOf(graphics.textures));
    drawFrameClassic(graphics.frame, graphics.meshes, graphics.classic, graphics.shader);
}

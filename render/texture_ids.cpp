#include "render/graphics.h"

// Apart from the start-up of both renderers, which the browser build, with
// the shader renderer only, does not link.
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

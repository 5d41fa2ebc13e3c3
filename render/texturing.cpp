#include "render/texturing.h"

#include <GL/gl.h>

unsigned int textureOf(const Textures& textures, const Block& block)
{
    switch (block.material) {
    case Material::Metal: return textures.metal;
    case Material::Glass: return textures.glass;
    case Material::Wood: return textures.wood[static_cast<unsigned int>(block.grain) % textures.wood.size()];
    case Material::None: break;
    }
    return 0;
}

void bindFilteredTexture(unsigned int texture)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void disableTexturing(const Textures& textures)
{
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.white);
}

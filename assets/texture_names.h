#pragma once
// GL texture names of the game's pictures. Plain numbers, so the level
// builder can stamp them into blocks without touching GL.

#include <vector>

inline unsigned int ballTexture = 0;
inline unsigned int metalTexture = 0;
inline unsigned int glassTexture = 0;
inline unsigned int endTexture = 0;
// woodTextures[i] is the texture of "wood<i+1>.bmp".
inline std::vector<unsigned int> woodTextures;
// pos_z, neg_x, neg_z, pos_x, pos_y, neg_y, in that order.
inline unsigned int skyTextures[6] = {0, 0, 0, 0, 0, 0};

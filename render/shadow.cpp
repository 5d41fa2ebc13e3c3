#include "render/shadow.h"

float findShadowReceiver(const Ball& b, const std::vector<Block>& blocks, const std::vector<BlockState>& states,
                         const Vec3& position, size_t& receiver)
{
    const float x = position.x;
    const float y = position.y;
    const float z = position.z;
    const float r = b.radius;
    float h = -1.0f;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Vec3& p = states[i].position;
        const Vec3& s = blocks[i].size;
        // The lower edges are widened by the radius, the upper ones are not.
        if (!(x + r >= p.x && x <= p.x + s.x)) continue;
        if (!(r + z >= p.z && z <= p.z + s.z)) continue;
        const float top = p.y + s.y;
        if (!(y + 0.01f >= top)) continue;
        if (h < top) {
            h = top;
            receiver = i;
        }
    }
    return h;
}

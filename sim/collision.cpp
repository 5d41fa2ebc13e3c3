#include "sim/collision.h"

#include <cmath>

#include "sim/timing.h"

namespace {

const int topFace = 4;
const int bottomFace = 5;
const float landingSoundSpeed = -0.1f;
const float bounceFactor = 0.6324555f;
const float smallestBounce = 5.0f;

void landOnTop(Game& game, const Block& block, const BlockState& state, Vec3& centre, bool jumpHeld)
{
    Vec3& v = game.ball.velocity;
    const float r = game.ball.radius;
    game.airborne = false;
    const Vec3& moving = state.velocity;
    if (moving.y < 0.0f) {
        // A sinking top takes the ball down with it instead of bouncing it.
        v.y = moving.y;
    } else {
        // Only a static top rings: riding a rising lift would otherwise sound
        // at every step.
        if (v.y < landingSoundSpeed && moving.y == 0.0f) {
            game.events.push_back({EventKind::Landing, block.material, -v.y});
        }
        v.y = bounceFactor * std::fabs(v.y);
        if (v.y < smallestBounce) {
            v.y = 0.0f;
        }
    }
    if (jumpHeld) {
        float root = std::sqrt(2.0f * r);
        v.y = root * 20.0f;
        game.events.push_back({EventKind::Jump});
    }
    centre.x = centre.x + moving.x * stepLength;
    centre.y = centre.y + moving.y * stepLength;
    centre.z = centre.z + moving.z * stepLength;
}

// True when no face of the block can touch a ball of radius r at centre.
// Every face test needs the centre within r of the block on all three axes;
// this asks for twice that, so that no rounding in the face tests can make
// a contact this would have ruled out. Most blocks of the course are far
// from the ball, and this is what keeps a step cheap.
bool farFrom(const Vec3& position, const Vec3& size, const Vec3& centre, float r)
{
    const float reach = 2.0f * r;
    // Axis by axis by name: this runs for every block at every ball step.
    return centre.x + reach < position.x || centre.x - reach > position.x + size.x ||
           centre.y + reach < position.y || centre.y - reach > position.y + size.y ||
           centre.z + reach < position.z || centre.z - reach > position.z + size.z;
}

void meetBlock(Game& game, const Block& block, const BlockState& state, Vec3& centre, bool jumpHeld);

bool inside(const Vec3& p, const Vec3& low, const Vec3& high)
{
    return low.x <= p.x && p.x <= high.x && low.y <= p.y && p.y <= high.y && low.z <= p.z && p.z <= high.z;
}

} // namespace

void collideBlocks(Game& game, bool jumpHeld)
{
    Ball& b = game.ball;
    game.airborne = true;
    Vec3 centre{b.position.x, b.position.y + b.radius, b.position.z};
    const std::vector<Block>& blocks = game.course->blocks;
    const std::vector<BlockState>& states = game.courseState.blocks;
    // The blocks go in the course's order either way; the grid only leaves
    // out blocks that this test would pass over, so the ball ends where
    // asking every block puts it, to the last bit.
    size_t rest = 0;
    const NearBlocks near = nearBlocks(game.blockGrid.get(), *game.course, centre, b.radius);
    if (near.found && states.size() == blocks.size()) {
        rest = blocks.size();
        for (const uint32_t* i = near.first; i != near.last; ++i) {
            if (farFrom(states[*i].position, blocks[*i].size, centre, b.radius)) continue;
            meetBlock(game, blocks[*i], states[*i], centre, jumpHeld);
            // Pushed out of the box the list holds for: the blocks after
            // this one are all asked, as without a grid.
            if (!inside(centre, near.low, near.high)) {
                rest = *i + 1;
                break;
            }
        }
    }
    for (size_t i = rest; i < blocks.size(); ++i) {
        // The far ones, nearly all, are passed over here without a call.
        if (farFrom(states[i].position, blocks[i].size, centre, b.radius)) continue;
        meetBlock(game, blocks[i], states[i], centre, jumpHeld);
    }
    b.position = {centre.x, centre.y - b.radius, centre.z};
}

void collideBlock(Game& game, const Block& block, const BlockState& state, Vec3& centre, bool jumpHeld)
{
    if (farFrom(state.position, block.size, centre, game.ball.radius)) return;
    meetBlock(game, block, state, centre, jumpHeld);
}

namespace {

void meetBlock(Game& game, const Block& block, const BlockState& state, Vec3& centre, bool jumpHeld)
{
    const float r = game.ball.radius;
    Vec3& velocity = game.ball.velocity;
    const int face = firstContactFace(state.position, block.size, centre, r);
    if (face == 6) {
        return;
    }
    int n = (face / 2 + 2) % 3;
    // The face height and the radius are summed in double and rounded once,
    // so the centre sits on the float nearest the true contact height.
    double plane = static_cast<double>(state.position[n]);
    if (face % 2 == 0) {
        centre[n] = static_cast<float>(plane + block.size[n] + r);
    } else {
        centre[n] = static_cast<float>(plane - r);
    }

    if (face == topFace) {
        landOnTop(game, block, state, centre, jumpHeld);
    } else if (face == bottomFace) {
        velocity.y = 0.0f;
    } else {
        velocity[n] = state.velocity[n];
    }
}

}  // namespace

bool faceContact(const Vec3& p, const Vec3& s, const Vec3& centre, float r, int face)
{
    int u = face / 2;
    int w = (u + 1) % 3;
    int n = (u + 2) % 3;
    for (int k : {u, w}) {
        // Sides reach down to r below the block so a ball hanging just under
        // an edge still meets them.
        float below = (k == 1) ? r : 0.0f;
        if (p[k] > centre[k] + below || centre[k] > p[k] + s[k]) {
            return false;
        }
    }
    if (face % 2 == 0) {
        float plane = p[n] + s[n];
        return centre[n] - r <= plane && plane <= centre[n];
    }
    return centre[n] <= p[n] && p[n] <= centre[n] + r;
}

int firstContactFace(const Vec3& p, const Vec3& s, const Vec3& centre, float r)
{
    // Each pair of faces asks for the centre across two of the block's
    // spans; each span is tested once here, with faceContact's sums.
    const bool acrossX = !(p.x > centre.x || centre.x > p.x + s.x);
    // The sides reach down to r below the block, as in faceContact.
    const bool acrossY = !(p.y > centre.y + r || centre.y > p.y + s.y);
    const bool acrossZ = !(p.z > centre.z || centre.z > p.z + s.z);
    if (acrossX && acrossY) {
        const float plane = p.z + s.z;
        if (centre.z - r <= plane && plane <= centre.z) return 0;
        if (centre.z <= p.z && p.z <= centre.z + r) return 1;
    }
    if (acrossY && acrossZ) {
        const float plane = p.x + s.x;
        if (centre.x - r <= plane && plane <= centre.x) return 2;
        if (centre.x <= p.x && p.x <= centre.x + r) return 3;
    }
    if (acrossZ && acrossX) {
        const float plane = p.y + s.y;
        if (centre.y - r <= plane && plane <= centre.y) return 4;
        if (centre.y <= p.y && p.y <= centre.y + r) return 5;
    }
    return 6;
}

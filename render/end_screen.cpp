#include "render/end_screen.h"

#include <algorithm>
#include <cmath>

EndQuad endQuadSize(int viewportWidth, int viewportHeight)
{
    // At distance 1 the 45 degree view reaches tan(22.5) up and down; the
    // quad's width 1/cos(22.5) overshoots that by a margin of about 2 %.
    const float w = static_cast<float>(1.0 / std::cos(0.39269909262657166));
    const float h = w * 1024.0f / 1280.0f;
    if (viewportWidth <= 0 || viewportHeight <= 0) return {w, h};
    // A screen wider than 5:4 sees further sideways (the vertical view is
    // fixed): grow the picture evenly until it covers it, never squashing it.
    // A narrower screen is covered already.
    const double aspect = static_cast<double>(viewportWidth) / viewportHeight;
    const double scale = std::max(1.0, aspect / 1.25);
    return {static_cast<float>(w * scale), static_cast<float>(h * scale)};
}

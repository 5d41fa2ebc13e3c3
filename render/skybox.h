#pragma once

#include "render/graphics.h"
#include "sim/game.h"

// The six sky faces around the eye, turned with the camera, drawn unlit and
// without depth so that everything else covers them.
void drawSkyBox(const Camera& camera, const Graphics& graphics);

#pragma once
// A 1280 x 1024 offscreen framebuffer on a headless GL context, with the
// game's own pictures and shaders loaded from the game folder.

#include "render/graphics.h"

constexpr int frameWidth = 1280;
constexpr int frameHeight = 1024;

// Makes the context and the framebuffer current and sets the game's
// projection for the frame. False, with a line on stderr, without GL.
bool openOffscreenFrame();

// Makes the built game folder, where the game and its media are, the
// working directory, as for the game started from its folder: the bench
// may be started anywhere, even from the sources, whose shaders/ would
// otherwise pass for the media. False, with a line on stderr, when it cannot.
bool enterGameFolder();

// The game's pictures and shaders for this renderer, from the game folder
// entered above.
Graphics loadGraphicsFromGameFolder(Renderer renderer = Renderer::Classic);

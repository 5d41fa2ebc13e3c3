#pragma once
// A 1280 x 1024 offscreen framebuffer on a headless GL context, with the
// game's own pictures and shaders loaded from the game folder.

#include "render/graphics.h"

constexpr int frameWidth = 1280;
constexpr int frameHeight = 1024;

// Makes the context and the framebuffer current and sets the game's
// projection for the frame. False, with a line on stderr, without GL.
bool openOffscreenFrame();

// Starts the renderer's graphics with the game folder as the working
// directory, as the game runs from it.
Graphics loadGraphicsFromGameFolder(Renderer renderer = Renderer::Classic);

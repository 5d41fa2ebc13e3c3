#pragma once
// The page's fast graphics: WebGL 1 has no framebuffer blit, so the scene
// is drawn into a texture a third of the canvas's size and laid over the
// canvas as one textured triangle, smoothly filtered; the text then goes
// on top at the canvas's own resolution.

struct SceneTexture {
    unsigned int framebuffer = 0, colour = 0, depthStencil = 0;
    int width = 0, height = 0;
    bool failed = false;      // this size could not be made: every pixel drawn as usual
    unsigned int program = 0, corners = 0;
    bool programFailed = false;
};

// The target at this size, made or remade when the canvas changed size;
// false, and the canvas bound again, when WebGL cannot make it. A size that
// failed is not tried again every frame, only once the canvas changes.
bool fitSceneTexture(SceneTexture& scene, int width, int height);

// The texture laid over the whole of the framebuffer bound, at its
// viewport, with no depth or stencil test and no blending.
void drawSceneTexture(SceneTexture& scene);

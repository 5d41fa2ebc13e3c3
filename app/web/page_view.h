#pragma once
// The page's canvas and its WebGL context: the game drawn into it by the
// shader renderer, from the same frame description as the desktop's.

#include <string>

#include <emscripten/html5_webgl.h>

#include "app/input/game_screen.h"
#include "app/web/scene_texture.h"
#include "assets/textures.h"
#include "render/frame.h"
#include "render/meshes.h"
#include "render/shader_backend.h"

struct PageView {
    const char* canvas = "#canvas";
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    int width = gameScreenWidth;        // the canvas on the page, in CSS pixels: what the mouse moves over
    int height = gameScreenHeight;
    int pixelWidth = gameScreenWidth;    // its drawing buffer
    int pixelHeight = gameScreenHeight;
    Textures textures;
    MeshSet meshes;
    ShaderRenderer shaders;
    Frame frame;
    SceneTexture scene;                 // the fast graphics' smaller scene
};

// A WebGL 1 context on the canvas, the pictures (from the page's files) and
// the shader renderer for this course. Empty, or what went wrong.
std::string openPageView(PageView& view, const Course& course);
// Another course played: its meshes in place of the last course's.
void changePageCourse(PageView& view, const Course& course);
// The canvas's size on the page and its drawing buffer's.
void resizePageView(PageView& view, int width, int height, int pixelWidth, int pixelHeight);
// The frame the front describes, drawn as the desktop draws it. Fast: the
// scene through the smaller texture, and where WebGL cannot make one every
// pixel drawn as usual.
void drawPageFrame(PageView& view, const FrameInput& input);

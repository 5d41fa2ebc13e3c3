#pragma once
// The end picture: a quad one unit in front of the eye that fills the screen.

// Width and height of the end picture's quad, one unit in front of the eye,
// for a viewport of the given size: the 1280x1024 quad as it stands, and on
// any other screen shape that quad grown evenly until it covers the view.
struct EndQuad {
    float width;
    float height;
};
EndQuad endQuadSize(int viewportWidth, int viewportHeight);

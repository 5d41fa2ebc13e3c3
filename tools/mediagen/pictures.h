#pragma once
// Every picture the game loads, made from code.

#include "tools/mediagen/picture.h"

#include <string>
#include <vector>

// variant 1..6: six different woods (pine, oak, walnut, cherry, weathered
// boards, end-grain blocks).
Picture makeWood(int variant, int size);
Picture makeMetal(int size);
Picture makeGlass(int size);
// Wrapped by a GLU sphere: s runs around the ball, t from pole to pole.
Picture makeBall(int width, int height);
Picture makeEndPicture(int size);
// White characters on black, 512 by 256, laid out as render/font_layout.h says.
Picture makeFont();

struct NamedPicture {
    std::string file; // e.g. "wood3.bmp"
    Picture picture;
};
std::vector<NamedPicture> makeAllPictures();

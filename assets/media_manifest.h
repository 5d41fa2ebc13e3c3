#pragma once
// The game's media by file name: what the generator writes, what the game
// loads, and what the tests look for. Pictures live under "images/", sounds
// under "sounds/".

#include <cstddef>

inline constexpr const char* pictureFiles[] = {
    "ball.bmp",  "metal.bmp", "glass.bmp", "theEnd.bmp", "wood1.bmp", "wood2.bmp",
    "wood3.bmp", "wood4.bmp", "wood5.bmp", "wood6.bmp",
    // The sky box faces in the order the sky draws them.
    "pos_z.bmp", "neg_x.bmp", "neg_z.bmp", "pos_x.bmp", "pos_y.bmp", "neg_y.bmp",
    // The overlay's characters, laid out as render/font_layout.h says.
    "font.bmp",
};
inline constexpr std::size_t pictureCount = std::size(pictureFiles);
inline constexpr std::size_t firstWoodPicture = 4;
inline constexpr std::size_t firstSkyPicture = 10;
inline constexpr std::size_t fontPicture = 16;

inline constexpr const char* soundFiles[] = {
    "jump.wav", "hitMetal.wav", "hitWood.wav", "save.wav", "shrink.wav",
    "grow.wav", "fall.wav",     "MI2.wav",     "musicVictory.mp3",
};
inline constexpr std::size_t soundCount = std::size(soundFiles);

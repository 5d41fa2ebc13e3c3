// The whole game to its last picture: the recorded route played by the
// replay tool, then its `shot` of the screen it ends on. The player must see
// the end picture over the whole screen: gold lettering across the middle on
// a dark night sky, and no scene left anywhere.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/xvfb.h"

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // top row first

    const unsigned char* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

Picture readPng(const std::string& path)
{
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return Picture{};
    picture.width = int(image.width);
    picture.height = int(image.height);
    return picture;
}

bool gold(const unsigned char* p) { return p[0] > 190 && p[1] > 110 && p[2] < 140 && p[0] > p[2] + 80; }
bool nightSky(const unsigned char* p) { return p[2] > p[0] && p[0] < 90 && p[1] < 90; }
bool black(const unsigned char* p) { return p[0] + p[1] + p[2] < 15; }

TEST(FinishScreen, TheRouteEndsOnTheEndPictureOverTheWholeScreen)
{
    startXvfb();
    const std::string dir = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    const std::string script = dir + "/skycourse-finish-" + std::to_string(getpid()) + ".replay";
    const std::string shot = dir + "/skycourse-finish-" + std::to_string(getpid()) + ".png";
    {
        // The route ends with Esc: the shot goes in just before it.
        std::ifstream route(ROUTE_PATH);
        std::ofstream out(script);
        bool shotTaken = false;
        for (std::string line; std::getline(route, line);) {
            if (line == "key down 27" && !shotTaken) {
                out << "shot " << shot << "\n";
                shotTaken = true;
            }
            out << line << "\n";
        }
        if (!shotTaken) out << "shot " << shot << "\n";
    }
    const std::string command = std::string("'") + REPLAY_PATH + "' '" + script + "' > /dev/null";
    const int status = std::system(command.c_str());
    std::remove(script.c_str());
    ASSERT_EQ(status, 0) << "the replay with its shot failed";

    const Picture picture = readPng(shot);
    std::remove(shot.c_str());
    ASSERT_EQ(picture.width, 1280);
    ASSERT_EQ(picture.height, 1024);

    // Lettering: gold runs across the middle band, spread over most of the
    // width ("THE END"), none near the top and bottom edges.
    int goldInBand = 0, leftmost = picture.width, rightmost = -1;
    for (int y = picture.height * 2 / 5; y < picture.height * 3 / 5; y += 4) {
        for (int x = 0; x < picture.width; ++x) {
            if (gold(picture.at(x, y))) {
                ++goldInBand;
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    EXPECT_GT(goldInBand, 2000) << "no lettering across the middle";
    EXPECT_GT(rightmost - leftmost, picture.width / 2) << "the lettering does not span the picture";

    // Every edge of the screen shows the picture's night sky (but for its
    // few stars): no black border, no scene (daylight sky, grey metal) left.
    int edgePixels = 0, skyPixels = 0, blackPixels = 0;
    for (int x = 0; x < picture.width; x += 8) {
        for (int y : {0, 1, picture.height - 2, picture.height - 1}) {
            ++edgePixels;
            skyPixels += nightSky(picture.at(x, y)) ? 1 : 0;
            blackPixels += black(picture.at(x, y)) ? 1 : 0;
        }
    }
    for (int y = 0; y < picture.height; y += 8) {
        for (int x : {0, 1, picture.width - 2, picture.width - 1}) {
            ++edgePixels;
            skyPixels += nightSky(picture.at(x, y)) ? 1 : 0;
            blackPixels += black(picture.at(x, y)) ? 1 : 0;
        }
    }
    EXPECT_EQ(blackPixels, 0) << "a black border around the end picture";
    EXPECT_GE(skyPixels * 100, edgePixels * 98) << "the end picture does not reach every edge";
}

}  // namespace

// The text over the picture: drawn where asked, over the end picture or the
// scene, leaving the rest of the picture and the GL state as they were.

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <vector>

#include "render/end_screen.h"
#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"

namespace {

struct Box {
    int left, bottom, right, top;
};

// Where the overlay changed the picture, and how much of it is bright text.
Box changed(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after, int width,
            int& whitePixels)
{
    Box box{width, 1 << 20, -1, -1};
    whitePixels = 0;
    for (size_t i = 0; i < before.size(); i += 4) {
        const int x = int(i / 4) % width;
        const int y = int(i / 4) / width;
        if (before[i] != after[i] || before[i + 1] != after[i + 1] || before[i + 2] != after[i + 2]) {
            box = {std::min(box.left, x), std::min(box.bottom, y), std::max(box.right, x), std::max(box.top, y)};
        }
        whitePixels += after[i] > 200 && after[i + 1] > 200 && after[i + 2] > 200;
    }
    return box;
}

TEST(Overlay, TheSignIsDrawnWhereAskedAndTheRestIsLeftAlone)
{
    struct Case {
        OverlayPlace place;
        bool centred;
    };
    for (const Case& c : {Case{OverlayPlace::AboveCentre, true}, Case{OverlayPlace::TopLeft, false}}) {
        setUpDrawing();
        const int width = viewWidth;
        const int height = viewHeight;
        drawEndScreen(drawing());
        const std::vector<unsigned char> before = readAll(width, height);
        const GLboolean lightingBefore = glIsEnabled(GL_LIGHTING);
        GLint programBefore = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &programBefore);
        ASSERT_NE(programBefore, 0) << "the scene's shader is on, as in the game";
        drawOverlay({"paused"}, c.place, drawing());
        const std::vector<unsigned char> after = readAll(width, height);

        int white = 0;
        const Box box = changed(before, after, width, white);
        ASSERT_GE(box.right, 0) << "nothing was drawn";
        EXPECT_GT(white, 20) << "the letters are bright";
        EXPECT_LT(box.right - box.left, width / 2) << "a small sign";
        EXPECT_LT(box.top - box.bottom, height / 4);
        if (c.centred) {
            EXPECT_LT(std::abs((box.left + box.right) / 2 - width / 2), 8);
            EXPECT_GT(box.bottom, height / 2 + 8) << "clear of the ball at the centre";
            EXPECT_LT(box.top, height * 7 / 8);
        } else {
            EXPECT_LT(box.left, width / 8);
            EXPECT_GT(box.top, height * 7 / 8);
        }
        EXPECT_EQ(glIsEnabled(GL_LIGHTING), lightingBefore);
        GLint programAfter = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &programAfter);
        EXPECT_EQ(programAfter, programBefore);
        GLint matrixMode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
        EXPECT_EQ(matrixMode, GL_MODELVIEW);
    }
}

}  // namespace

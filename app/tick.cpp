#include "app/tick.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "render/end_screen.h"
#include "render/scene.h"
#include "sim/ball.h"
#include "sim/block_motion.h"
#include "sim/game_state.h"
#include "sim/items.h"
#include "world/world.h"

int windowWidth = 1280;
int windowHeight = 1024;

namespace {
constexpr unsigned int tickMilliseconds = 25;
}

bool advanceTick()
{
    if (gameState == EndScreen) return false;

    // Each list gets its whole 0.025 s before the next one starts, so every
    // ball step of the tick sees the blocks at their end-of-tick places.
    for (Block* block : blocks) {
        runFixedSteps(block->stepTimer, [block] { moveBlockStep(*block); });
    }
    for (SizeOrb* orb : sizeOrbs) {
        runFixedSteps(orb->stepTimer, [orb] { pulseAlpha(*orb); });
    }
    for (Checkpoint* checkpoint : checkpoints) {
        runFixedSteps(checkpoint->stepTimer, [checkpoint] { pulseAlpha(*checkpoint); });
    }
    if (ball) {
        runFixedSteps(ball->stepTimer, [] { ballStep(*ball); });
    }
    runFixedSteps(goalStepTimer, [] { spinGoal(); });
    return true;
}

void onTimer(int)
{
    // Once the end screen is up the tick chain stops for good.
    if (!advanceTick()) return;
    glutPostRedisplay();
    glutTimerFunc(tickMilliseconds, onTimer, 0);
}

void onDisplay()
{
    if (gameState == Playing) {
        drawScene();
    } else if (gameState == EndScreen) {
        drawEndScreen();
    }
}

void onReshape(int width, int height)
{
    // A window shrunk to no height would make the aspect ratio infinite.
    if (height < 1) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height), 1.0, 200.0);
    windowWidth = width > 0 ? width : 1;
    windowHeight = height;
}

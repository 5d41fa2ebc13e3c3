#include "app/window.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include "app/best_times.h"
#include "sim/items.h"
#include "sim/timing.h"

bool startGlut(int& argc, char** argv)
{
    // GLUT ends the process with a cryptic line when it cannot open the
    // display, so X is asked first. The probe stays connected until GLUT's
    // own connection is made: a server that resets when its last client
    // leaves would otherwise be resetting just as GLUT connects.
    Display* probe = XOpenDisplay(nullptr);
    if (!probe) return false;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    XCloseDisplay(probe);
    return true;
}

namespace {

// Auto-repeat would send a held Shift+arrow again and again, a quarter turn
// each; held arrows and the jump key stay held without it.
void finishWindow()
{
    glutIgnoreKeyRepeat(1);
    glutSetCursor(GLUT_CURSOR_NONE);
}

}  // namespace

bool openGameWindow()
{
    glutGameModeString("1280x1024:32@75");
    // Asked first: entering a mode the display lacks makes freeglut print a
    // warning of its own on every start.
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) glutEnterGameMode();
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0) {
        // Where the mode switch leaves the desktop's larger virtual screen
        // in place (XF86VidMode), the game-mode window comes out at the
        // virtual screen's size and the monitor would show only its
        // top-left corner, off-centre. Hold it to the mode's own size.
        glutPositionWindow(0, 0);
        glutReshapeWindow(glutGameModeGet(GLUT_GAME_MODE_WIDTH), glutGameModeGet(GLUT_GAME_MODE_HEIGHT));
        finishWindow();
        return true;
    }
    // Most displays cannot switch to that mode (nor can Xvfb); the game
    // then fills the screen as it is rather than having no window at all.
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutCreateWindow("Skycourse");
    glutFullScreen();
    finishWindow();
    return false;
}

void openOrdinaryWindow(int width, int height)
{
    glutInitWindowSize(width, height);
    glutCreateWindow("Skycourse");
    glutIgnoreKeyRepeat(1);
}

void reshapeWindow(WindowSize& window, int width, int height)
{
    // A window shrunk to no height would make the aspect ratio infinite.
    if (height < 1) height = 1;
    glViewport(0, 0, width, height);
    window.width = width > 0 ? width : 1;
    window.height = height;
}

std::string timerLine(const Game& game)
{
    return formatRunTime(int64_t(game.ticksPlayed) * tickMilliseconds) + "   checkpoints " +
           std::to_string(checkpointsTaken(game.course)) + "/" + std::to_string(game.course.checkpoints.size());
}

namespace {

OverlayLine overlayLine(const SplitLine& split)
{
    switch (split.look) {
    case SplitLook::Ahead: return {split.text, {0.35f, 1.0f, 0.35f}};
    case SplitLook::Behind: return {split.text, {1.0f, 0.35f, 0.3f}};
    default: return {split.text};
    }
}

}  // namespace

FrameInput frameInput(const Play& play, const Race& race, const WindowSize& window, const std::string& runLine)
{
    const Game& game = play.game;
    FrameInput input;
    input.game = &game;
    input.width = window.width;
    input.height = window.height;
    input.ghost = ghostBall(race, play.ghostShown);
    if (game.gameState == Playing) {
        if (play.timerShown) {
            OverlayBlock timer{{{timerLine(game)}}, OverlayPlace::TopLeft};
            if (const std::optional<SplitLine> split = raceSplit(race, game)) timer.lines.push_back(overlayLine(*split));
            input.overlay.push_back(std::move(timer));
        }
        if (play.paused) input.overlay.push_back({{{"paused"}}, OverlayPlace::AboveCentre});
    } else if (play.timerShown && !runLine.empty()) {
        OverlayBlock end{{{runLine}}, OverlayPlace::TopLeft};
        for (const SplitLine& line : race.endLines) end.lines.push_back(overlayLine(line));
        input.overlay.push_back(std::move(end));
    }
    return input;
}

void showFrame(const Play& play, const Race& race, Graphics& graphics, const WindowSize& window,
               const std::string& runLine)
{
    drawGame(graphics, frameInput(play, race, window, runLine));
    glutSwapBuffers();
}

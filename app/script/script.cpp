#include "app/script/script.h"

bool applyScriptInput(const ScriptCommand& command, Input& input, Camera& camera, ScriptScreen& screen)
{
    switch (command.kind) {
    case ScriptKind::KeyDown:
        return pressKey(input, camera, static_cast<unsigned char>(command.a));
    case ScriptKind::KeyUp:
        releaseKey(input, static_cast<unsigned char>(command.a));
        break;
    case ScriptKind::SpecialDown:
        pressSpecial(input, camera, command.a, command.b);
        break;
    case ScriptKind::SpecialUp:
        releaseSpecial(input, camera, command.a);
        break;
    case ScriptKind::Mouse:
        // The pointer warp has nothing to move here.
        movePointer(input, camera, command.a, command.b, screen.width, screen.height);
        break;
    case ScriptKind::Window:
        screen = {command.a, command.b};
        break;
    default:
        break;
    }
    return false;
}

void restartScript(Game& game, Input& input)
{
    // The course's grid is kept: it holds for every run of the course.
    if (game.blockGrid && game.blockGrid->course == game.course) {
        game = newGame(game.blockGrid, game.seed);
    } else {
        game = newGame(game.course, game.seed);
    }
    input = Input{};
}

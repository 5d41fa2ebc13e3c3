#include "app/front/front.h"

#include <algorithm>
#include <utility>

#include "app/files/small_file.h"
#include "app/front/frame_input.h"
#include "app/input/key_codes.h"
#include "app/race/best_run.h"
#include "app/race/best_times_file.h"
#include "app/script/rows.h"
#include "app/files/printable.h"
#include "app/script/script_course.h"
#include "app/script/watching.h"

namespace {

// A tick of game time with its sounds, its row, its recording and the race;
// at the ring, the one end of a run. False, having changed nothing, once
// the end screen is up.
bool playTick(Front& f)
{
    const GameTick tick = advancePlay(f.play);
    if (tick.ticked) {
        noteRunTick(f.race.script);
        raceTick(f.race, f.play.game);
        noteSigns(f.sign, f.play.game);
    }
    f.asks.events.insert(f.asks.events.end(), f.play.game.events.begin(), f.play.game.events.end());
    if (tick.goalReached) {
        const std::string folder = f.watching ? "" : f.dataFolder;
        const RunFinished finished = finishRun(f.play.game, folder, f.race.script, f.race.marks);
        f.runLine = finished.line;
        if (!finished.problem.empty()) f.asks.line = "skycourse: " + finished.problem;
        f.asks.filesWritten = !folder.empty();
        finishRace(f.race, finished.newBest, finished.fastest);
    }
    ++f.tickNumber;
    if (f.keepRows) f.rows += formatRow(f.tickNumber, f.play.game);
    recordTick(f.recording);
    return tick.ticked;
}

// The ticks of one tick of the clock while watching; false once the script
// is over or the end screen is up.
bool playWatchedTicks(Front& f)
{
    for (int i = 0; i < f.speed; ++i) {
        if (!nextWatchedTick(f.watch, f.play.input, f.play.game) || !playTick(f)) return false;
    }
    return true;
}

// Mouse look takes the pointer and gives it back.
void followMouseLook(Front& f)
{
    // The pointer is the player's own while the menu is open.
    const bool wanted = !f.play.input.mouseLookDisabled && !menuOpen(f);
    if (wanted == f.pointerCaptured) return;
    f.pointerCaptured = wanted;
    f.asks.pointerCaptured = wanted;
}

// The what the best times screen shows, read from the player's files when
// the menu opens: the times, the best run's split times, the fastest
// stretches added up.
MenuData menuDataOf(const Front& f)
{
    MenuData data;
    std::vector<std::string> problems;
    std::vector<CourseListing> listed = listCourses(f.courseFolders, problems);
    if (std::none_of(listed.begin(), listed.end(), [](const CourseListing& c) { return c.id == builtInCourseId; })) {
        listed.insert(listed.begin(), {builtInCourseId, "The Ascent", 235000, ""});
    }
    for (const CourseListing& listing : listed) {
        CourseEntry entry{listing.name, listing.parMs, 0, listing.id};
        CourseTimes times{listing.name, {}, {}, 0};
        const std::string folder = courseRunsFolder(f.playerFolder, listing.id);
        if (!folder.empty()) {
            std::string text;
            if (readSmallFile(bestTimesPath(folder), largestTimesFile, text) == SmallFile::Read) {
                parseBestTimes(text, times.runs);
            }
            if (!times.runs.empty()) entry.bestMs = times.runs.front().milliseconds;
            RunMarks marks;
            if (readBestRunMarks(folder, listing.id == builtInCourseId ? 3 : 0, marks)) {
                for (int32_t tick : marks.checkpointTicks) times.bestRunSplitsMs.push_back(ticksToMilliseconds(tick));
                times.bestRunSplitsMs.push_back(ticksToMilliseconds(marks.ringTick));
                std::vector<int64_t> fastest;
                if (readSmallFile(fastestStretchesPath(folder), 4096, text) == SmallFile::Read &&
                    parseFastestStretches(text, marks.checkpointTicks.size() + 1, fastest) &&
                    std::find(fastest.begin(), fastest.end(), 0) == fastest.end()) {
                    for (int64_t stretch : fastest) times.sumOfFastestMs += stretch;
                }
            }
        }
        data.courses.push_back(entry);
        data.times.push_back(times);
    }
    return data;
}

// The pause opens the menu over the frozen game; going on closes it.
void followMenu(Front& f)
{
    if (f.play.paused == menuOpen(f)) return;
    if (f.play.paused) {
        f.menuData = menuDataOf(f);
        f.menu = openMenu(f.settings, f.bindings);
    } else {
        f.menu.screen = MenuScreen::Closed;
    }
    // The shell shows the pointer for the menu, and hides it after.
    f.pointerCaptured = !f.play.input.mouseLookDisabled && !menuOpen(f);
    f.asks.pointerCaptured = f.pointerCaptured;
}

void followPause(Front& f)
{
    if (f.musicSoft == f.play.paused) return;
    f.musicSoft = f.play.paused;
    f.asks.musicSoft = f.musicSoft;
}

// A restart: the race, the music and the ticks as at start-up too, even
// from the end screen, where the ticks had stopped.
void followRestart(Front& f)
{
    f.runLine.clear();
    restartRace(f.race);
    f.asks.restartMusic = true;
    f.musicSoft = false;
    if (f.ticking && restartTickLoop(f.loop, f.now())) f.asks.ticksRestarted = true;
}

// A key's outcome: written into the recording and the run, heard, or the
// way out.
void followKey(Front& f, const KeyOutcome& outcome)
{
    if (outcome.record) {
        recordInput(f.recording, outcome.command);
        noteRunInput(f.race.script, outcome.command);
    }
    if (outcome.command.kind == ScriptKind::Restart) followRestart(f);
    if (outcome.mute) f.asks.toggleMute = !f.asks.toggleMute;
    if (outcome.quit) f.asks.quit = true;
    if (outcome.mute) f.settings.mute = !f.settings.mute;
    followMenu(f);
    followMouseLook(f);
    followPause(f);
    f.asks.redraw = true;
}

// A pointer at (x, y) of a screen this size turns the view, and is written
// down when it did.
bool followPointer(Front& f, int x, int y, int width, int height)
{
    if (f.watching) return false;
    // The recorded line is the move as the game took it, so a replay turns
    // the view alike whatever the player's settings then.
    adjustPointer(f.settings, width, height, x, y);
    const PointerOutcome outcome = movePlayPointer(f.play, x, y, width, height);
    if (outcome.record) {
        recordPointer(f.recording, x, y, width, height);
        noteRunPointer(f.race.script, x, y, width, height);
        f.asks.redraw = true;
    }
    return outcome.warp;
}

// The mouse-look key pressed and let go, as the player would.
void switchMouseLook(Front& f)
{
    followKey(f, pressAction(f.play, Action::MouseLook));
    followKey(f, releaseAction(f.play, Action::MouseLook));
}

// The race on the course played: the --ghost file, or this course's best
// run; a run of another course is refused in one line.
Race raceOn(Front& f, const std::string& ghostPath)
{
    std::string problem;
    std::optional<Ghost> ghost = loadRaceGhost(ghostPath, f.watching, f.dataFolder, problem);
    if (ghost && !(*ghost->game.course == *f.play.game.course)) {
        problem = (ghostPath.empty() ? bestRunPath(f.dataFolder) : ghostPath) + " is a run of another course";
        ghost.reset();
    }
    if (!problem.empty()) f.asks.line = "skycourse: " + problem + "; playing without a ghost";
    Race race = startRace(std::move(ghost), !ghostPath.empty() && problem.empty(), *f.play.game.course);
    race.script.course = f.course.id == builtInCourseId ? "" : f.course.id;
    return race;
}

// Another course chosen in the menu: a run of it from its start, raced
// against its own best run. A --record file ends whole here, as at Esc:
// it is a run of the course left.
void playCourse(Front& f, FoundCourse course)
{
    finishRecording(f.recording);
    f.course = std::move(course);
    f.dataFolder = courseRunsFolder(f.playerFolder, f.course.id);
    f.play = startPlay(newGame(f.course.course, f.seed));
    f.play.timerShown = f.settings.showTimer;
    f.play.ghostShown = f.settings.showGhost;
    f.race = raceOn(f, "");
    f.runLine.clear();
    f.sign = {};
    f.menu.screen = MenuScreen::Closed;
    f.asks.courseChanged = true;
    f.asks.restartMusic = true;
    f.musicSoft = false;
    f.asks.musicSoft = false;
    if (f.ticking && restartTickLoop(f.loop, f.now())) f.asks.ticksRestarted = true;
    if (f.ticking) f.loop.clock = startTickClock(f.now());
    f.pointerCaptured = !f.play.input.mouseLookDisabled;
    f.asks.pointerCaptured = f.pointerCaptured;
}

// Settings chosen in the menu: in effect at once, and kept, but for what
// the command line gave and the player has not changed since.
void takeSettings(Front& f, const PlayerSettings& chosen)
{
    const PlayerSettings before = f.settings;
    PlayerSettings saved = chosen;
    GivenSettings& given = f.given;
    if (given.mute && chosen.mute == before.mute) saved.mute = f.savedSettings.mute; else given.mute.reset();
    if (given.renderer && chosen.renderer == before.renderer) saved.renderer = f.savedSettings.renderer; else given.renderer.reset();
    if (given.graphics && chosen.graphics == before.graphics) saved.graphics = f.savedSettings.graphics; else given.graphics.reset();
    if (given.fullScreen && chosen.fullScreen == before.fullScreen) saved.fullScreen = f.savedSettings.fullScreen; else given.fullScreen.reset();
    f.settings = chosen;
    if (chosen.showTimer != before.showTimer) f.play.timerShown = chosen.showTimer;
    if (chosen.showGhost != before.showGhost) f.play.ghostShown = chosen.showGhost;
    f.asks.settings = chosen;
    if (f.settingsPath.empty() || saved == f.savedSettings) return;
    const std::string problem = savePlayerSettings(f.settingsPath, saved);
    if (problem.empty()) {
        f.savedSettings = saved;
        f.asks.filesWritten = true;
    } else {
        f.asks.line = "skycourse: " + problem;
    }
}

// What the menu asked for, done as the player's own key would do it: a
// restart is recorded as Backspace's is; going on is the pause key's.
void followMenuAsk(Front& f, const MenuAsk& ask)
{
    switch (ask.kind) {
    case MenuAskKind::None: break;
    case MenuAskKind::Resume: followKey(f, pressAction(f.play, Action::Pause)); break;
    case MenuAskKind::Restart: followKey(f, pressAction(f.play, Action::Restart)); break;
    case MenuAskKind::StartCourse:
        if (ask.courseId == f.course.id) {
            followKey(f, pressAction(f.play, Action::Restart));
        } else {
            FoundCourse chosen;
            const std::string problem = findCourse(ask.courseId, f.courseFolders, chosen);
            if (problem.empty()) playCourse(f, std::move(chosen));
            else f.menu.notice = problem;  // the menu stays open, saying why
        }
        break;
    case MenuAskKind::Quit: f.asks.quit = true; break;
    case MenuAskKind::SettingsChanged: takeSettings(f, f.menu.settings); break;
    case MenuAskKind::BindingsChanged:
        f.bindings = f.menu.bindings;
        if (!f.keysPath.empty()) {
            const std::string problem = saveKeyBindings(f.keysPath, f.bindings);
            if (problem.empty()) f.asks.filesWritten = true; else f.asks.line = "skycourse: " + problem;
        }
        break;
    }
    f.asks.redraw = true;
}

// The keys a menu answers to; the others go to the game as while paused.
bool menuTakes(const Menu& menu, PlayerKey key)
{
    if (menu.screen == MenuScreen::WaitingForKey || menu.screen == MenuScreen::Clash) return true;
    if (key.special) return key.code == keyUp || key.code == keyDown || key.code == keyLeft || key.code == keyRight;
    return key.code == keyEnter || key.code == keyBackspace;
}

// A pad's input pressed while the menu is open. Moving about is the
// d-pad's or the left stick's, A takes and B goes back whatever is bound,
// so that no binding can lock a player out; while the menu waits for a
// binding, the button pressed is the answer, Start the way out. Any other
// button does its action as while paused: Start closes the menu.
void padInMenu(Front& f, int input)
{
    if (f.menu.screen == MenuScreen::WaitingForKey && input < padButtonCount) {
        followMenuAsk(f, pressMenuPlayerKey(f.menu, padKey(input), f.menuData));
        return;
    }
    static constexpr struct {
        int input;
        MenuKey key;
    } moves[] = {
        {padUp, MenuKey::Up},          {padStickUp, MenuKey::Up},       {padDown, MenuKey::Down},
        {padStickDown, MenuKey::Down}, {padLeft, MenuKey::Left},        {padStickLeft, MenuKey::Left},
        {padRight, MenuKey::Right},    {padStickRight, MenuKey::Right}, {padA, MenuKey::Accept},
        {padB, MenuKey::Back},
    };
    for (const auto& move : moves) {
        if (move.input == input) {
            followMenuAsk(f, pressMenuKey(f.menu, move.key, f.menuData));
            return;
        }
    }
    Action action;
    if (input < padButtonCount && actionOfKey(f.bindings, padKey(input), action)) {
        followKey(f, pressAction(f.play, action));
    }
}

}  // namespace

void startFront(Front& f, FrontStart start)
{
    f.now = std::move(start.now);
    f.seed = start.seed;
    f.courseFolders = std::move(start.courseFolders);
    if (!f.watching) {
        f.course = std::move(start.course);
        f.play = startPlay(newGame(f.course.course, f.seed));
    }
    f.bindings = std::move(start.bindings);
    f.playerFolder = std::move(start.dataFolder);
    f.dataFolder = courseRunsFolder(f.playerFolder, f.course.id);
    f.keepRows = start.keepRows;
    f.savedSettings = start.settings;
    f.settings = start.settings;
    f.given = start.given;
    if (f.given.mute) f.settings.mute = *f.given.mute;
    if (f.given.renderer) f.settings.renderer = *f.given.renderer;
    if (f.given.graphics) f.settings.graphics = *f.given.graphics;
    if (f.given.fullScreen) f.settings.fullScreen = *f.given.fullScreen;
    f.settingsPath = std::move(start.settingsPath);
    f.keysPath = std::move(start.keysPath);
    f.play.timerShown = f.settings.showTimer;
    f.play.ghostShown = f.settings.showGhost;
    f.pointerCaptured = !f.play.input.mouseLookDisabled;
    f.race = raceOn(f, start.ghostPath);
    if (!f.watching && f.course.id != builtInCourseId) recordInput(f.recording, {ScriptKind::Course, 0, 0, f.course.id});
}

std::string frontWatch(Front& f, const std::string& path, int speed)
{
    ScriptPlayer watch;
    std::string problem = loadWatch(watch, path);
    if (!problem.empty()) return problem;
    FoundCourse course;
    problem = scriptCourse(watch.lines, f.courseFolders, course);
    if (!problem.empty()) return "skycourse: " + printable(path) + ": " + problem;
    f.watch = std::move(watch);
    f.watching = true;
    finishRecording(f.recording);
    f.speed = speed < slowestWatchSpeed ? slowestWatchSpeed : speed > fastestWatchSpeed ? fastestWatchSpeed : speed;
    f.asks.courseChanged = f.course.course != course.course;
    f.course = std::move(course);
    f.play = startPlay(newScriptGame(f.course));
    // A best run is no ghost for a watched script; a --ghost file still is.
    if (!f.race.ghostFromFile) f.race.ghost.reset();
    f.race.script = {};
    restartRace(f.race);
    f.tickNumber = 0;
    f.rows.clear();
    if (f.ticking) followRestart(f);
    return "";
}

std::string frontCourse(Front& f, const std::string& nameOrFile)
{
    FoundCourse chosen;
    const std::string problem = findCourse(nameOrFile, f.courseFolders, chosen);
    if (!problem.empty()) return problem;
    if (f.watching) {
        f.watching = false;
        f.watch = {};
    }
    playCourse(f, std::move(chosen));
    return "";
}

std::string frontGhost(Front& f, const std::string& path)
{
    std::string problem;
    std::optional<Ghost> ghost = loadRaceGhost(path, f.watching, f.dataFolder, problem);
    if (!ghost) return problem;
    f.race.ghost = std::move(ghost);
    f.race.ghostFromFile = true;
    // Raced from the next run on: its first tick starts the ghost too.
    f.asks.redraw = true;
    return "";
}

void frontStartTicks(Front& f)
{
    f.ticking = true;
    startTickLoop(f.loop, f.now());
}

void frontTicks(Front& f)
{
    if (!f.ticking) return;
    const int owed = playDueTicks(f.loop, f.play, f.now(), [&f] { return f.watching ? playWatchedTicks(f) : playTick(f); });
    if (owed > 0) f.asks.redraw = true;
}

void frontKey(Front& f, PlayerKey key, bool down, int modifiers)
{
    if (down && !key.special && key.code == keyEscape && (f.watching || menuOpen(f))) {
        f.asks.quit = true;
        return;
    }
    if (f.watching) {
        // A watched run takes no keys, but for the timer's and the ghost's,
        // which change only what is shown of it.
        Action action;
        if (down && actionNowOfKey(f.bindings, key, action) && (action == Action::Timer || action == Action::Ghost)) {
            followKey(f, pressAction(f.play, action));
        }
        return;
    }
    if (down && menuOpen(f) && menuTakes(f.menu, key)) {
        f.menuKeysHeld.push_back(key);
        followMenuAsk(f, pressMenuPlayerKey(f.menu, key, f.menuData));
        return;
    }
    // A key pressed in the menu is let go there too: nothing of it reaches
    // the game or the run. One held from before the pause lets go as usual.
    if (!down) {
        const auto held = std::find(f.menuKeysHeld.begin(), f.menuKeysHeld.end(), key);
        if (held != f.menuKeysHeld.end()) {
            f.menuKeysHeld.erase(held);
            return;
        }
    }
    followKey(f, down ? pressPlayKey(f.play, f.bindings, key, modifiers) : releasePlayKey(f.play, f.bindings, key));
}

void frontAction(Front& f, Action action, bool down)
{
    if (f.watching) return;
    followKey(f, down ? pressAction(f.play, action) : releaseAction(f.play, action));
}

void frontPad(Front& f, const PadReading& now)
{
    if (f.watching) return;
    const unsigned inputs = padInputs(now, f.settings.padDeadZone);
    const unsigned pressed = inputs & ~f.padInputsHeld;
    f.padInputsHeld = inputs;
    f.padMenuHeld &= inputs;
    // An input pressed in the menu is let go there too: A taking Resume
    // is no jump, and its release never reaches the game. One held from
    // before the pause lets go as usual.
    for (int input = 0; input < padInputCount; ++input) {
        if (!(pressed >> input & 1u) || !menuOpen(f)) continue;
        f.padMenuHeld |= 1u << input;
        padInMenu(f, input);
    }
    const unsigned actions = padActions(f.bindings, inputs & ~f.padMenuHeld);
    const std::vector<PadChange> changes = padChanges(f.padActionsHeld, actions);
    f.padActionsHeld = actions;
    for (const PadChange& change : changes) frontAction(f, change.action, change.down);
    // The right stick moves the pointer about the centre of the screen a
    // script's mouse lines are given in, whatever the window's size.
    const ScriptScreen screen;
    const int lookX = stickLook(now.rightX, f.settings.padDeadZone);
    const int lookY = stickLook(now.rightY, f.settings.padDeadZone);
    if (lookX != 0 || lookY != 0) {
        followPointer(f, screen.width / 2 + lookX, screen.height / 2 + lookY, screen.width, screen.height);
    }
}

bool frontPointer(Front& f, int x, int y)
{
    if (menuOpen(f)) {
        pointMenu(f.menu, f.menuData, x, y, f.screen.width, f.screen.height);
        f.asks.redraw = true;
        return false;
    }
    return followPointer(f, x, y, f.screen.width, f.screen.height);
}

bool frontTap(Front& f, int x, int y)
{
    if (!menuOpen(f)) return false;
    followMenuAsk(f, clickMenu(f.menu, f.menuData, x, y, f.screen.width, f.screen.height));
    return true;
}

bool menuOpen(const Front& f)
{
    return f.menu.screen != MenuScreen::Closed;
}

void frontResize(Front& f, int width, int height)
{
    if (width <= 0 || height <= 0) return;
    f.screen.width = width;
    f.screen.height = height;
    f.asks.redraw = true;
}

void frontClick(Front& f)
{
    if (!f.watching && f.play.input.mouseLookDisabled && !f.play.paused) switchMouseLook(f);
}

void frontPointerLost(Front& f)
{
    if (f.watching || f.play.input.mouseLookDisabled) return;
    // The switch must go through even while paused.
    const bool paused = f.play.paused;
    f.play.paused = false;
    const KeyOutcome press = pressAction(f.play, Action::MouseLook);
    const KeyOutcome release = releaseAction(f.play, Action::MouseLook);
    f.play.paused = paused;
    followKey(f, press);
    followKey(f, release);
}

FrontAsks takeAsks(Front& f)
{
    FrontAsks asks = std::move(f.asks);
    f.asks = {};
    f.asks.events.reserve(asks.events.capacity());
    return asks;
}

std::string takeRows(Front& f)
{
    return std::exchange(f.rows, {});
}

FrameInput frontFrame(Front& f, int width, int height)
{
    FrameInput input = frameInputOf(f.play, &f.race, width, height, f.runLine, f.settings.showSplits, menuOpen(f));
    addSign(input, f.sign, f.play.game.ticksPlayed);
    for (OverlayBlock& block : input.overlay) block.scale = f.settings.textSize;
    input.fast = f.settings.graphics == GraphicsChoice::Fast;
    if (menuOpen(f)) {
        f.menuPicture = menuPicture(f.menu, f.menuData);
        input.menu = &f.menuPicture;
    }
    return input;
}

void endFront(Front& f)
{
    finishRecording(f.recording);
}

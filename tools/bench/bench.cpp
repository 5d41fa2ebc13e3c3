// skycourse-bench: what a tick, the start-up and a frame cost, on the real
// course and the real code. `make bench` runs it; prints one table of
// medians with the fastest and slowest repetition.

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "render/graphics.h"
#include "app/files/course_library.h"
#include "sim/game.h"
#include "tools/bench/offscreen.h"
#include "tools/bench/route_states.h"
#include "app/files/course_file.h"
#include "app/race/ghost.h"
#include "app/script/run_script.h"
#include "app/script/script.h"
#include "world/generated_course.h"
#include "world/course_text.h"
#include "world/level.h"

namespace {

void drawFrame(const Game& game, Graphics& graphics, const Ball* ghost = nullptr, bool fast = false)
{
    FrameInput input;
    input.game = &game;
    input.ghost = ghost;
    input.fast = fast;
    input.width = frameWidth;
    input.height = frameHeight;
    drawGame(graphics, input);
}

RouteState routeAt(long long tick)
{
    RouteState state;
    if (!playRouteTo(SKYCOURSE_ROUTE, tick, state)) {
        std::fprintf(stderr, "bench: cannot play %s to tick %lld\n", SKYCOURSE_ROUTE, tick);
        std::exit(2);
    }
    return state;
}

// Steers the ball back and forth along x between two marks, so that it keeps
// rolling without leaving the top it is on.
void keepRolling(const Game& game, Controls& controls, float low, float high)
{
    const float x = game.ball.position.x;
    if (x > high) controls.moveRight = false, controls.moveLeft = true;
    if (x < low) controls.moveLeft = false, controls.moveRight = true;
}

void tickOn(benchmark::State& state, Game game, float low, float high)
{
    Controls controls;
    controls.moveRight = true;
    for (auto _ : state) {
        keepRolling(game, controls, low, high);
        advanceTick(game, controls);
        benchmark::DoNotOptimize(game.ball.position);
    }
}

void TickOnTheStartPad(benchmark::State& state)
{
    tickOn(state, newScriptGame(), 5.0f, 9.0f);
}

// The same rolling on a generated course of 1,000 blocks, 20 orbs and 20
// checkpoints: what a tick costs as a course grows.
void TickOnAThousandBlocks(benchmark::State& state)
{
    const auto course = std::make_shared<const Course>(generatedCourse(1, {1000, 20, 20}));
    tickOn(state, newGame(course, 1), 5.0f, 9.0f);
}

void TickOnTheRunway(benchmark::State& state)
{
    RouteState route = routeAt(1700);
    const float x = route.game.ball.position.x;
    tickOn(state, route.game, x - 10.0f, x + 10.0f);
}

Ghost routeGhost()
{
    Ghost ghost;
    bool missing = false;
    if (const std::string problem = loadGhost(SKYCOURSE_ROUTE, ghost, missing); !problem.empty()) {
        std::fprintf(stderr, "bench: %s\n", problem.c_str());
        std::exit(2);
    }
    return ghost;
}

// The recorded route tick by tick, start pad to ring and again: a player's
// tick everywhere on the course. With a ghost, all a race adds to it: the
// run's marks and script noted, and the route's ghost moved on beside it,
// where the ball is, as when racing one's own best run.
void routeTicks(benchmark::State& state, bool withGhost)
{
    Ghost player = routeGhost();
    Ghost ghost = routeGhost();
    RunMarks marks = startMarks(*player.game.course);
    RunScript run;
    for (auto _ : state) {
        advanceGhost(player);
        if (withGhost) {
            noteMarks(marks, player.game);
            noteRunTick(run);
            advanceGhostBeside(ghost, player.game);
        }
        if (player.game.gameState == EndScreen) {
            state.PauseTiming();
            restartGhost(player);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(player.game.ball.position);
        benchmark::DoNotOptimize(ghost.game.ball.position);
    }
}

void TickOnTheRoute(benchmark::State& state) { routeTicks(state, false); }
void TickOnTheRouteWithAGhost(benchmark::State& state) { routeTicks(state, true); }

void BuildLevel(benchmark::State& state)
{
    for (auto _ : state) {
        Course course = buildLevel();
        benchmark::DoNotOptimize(course.blocks.data());
    }
}

// A course of as many objects as a file may hold: climbing rows of
// platforms, a quarter of them lifts, a third wooden, with an orb and a
// checkpoint every eighteen blocks.
std::string largestCourseText()
{
    Builder b;
    BuilderState& s = b.builderState;
    const int blocks = mostCourseObjects / 10 * 9;
    for (int i = 0; i < blocks; ++i) {
        const bool lift = i % 4 == 0;
        s.cursor = {float(i % 100) * 7.5f, float(i / 100) * 1.25f, -float(i % 37) * 3.3f};
        s.size = {4.0f, 0.5f, 4.0f + float(i % 3)};
        s.material = i % 3 == 0 ? Material::Wood : Material::Metal;
        s.grain = i % 6;
        s.shape = lift ? Shape::Cylinder : Shape::Box;
        s.travel = lift ? Vec3{0.0f, 6.0f, 0.0f} : Vec3{};
        s.velocity = lift ? Vec3{0.0f, 2.5f, 0.0f} : Vec3{};
        stampBlock(b);
        if (i % 18 == 0) {
            addSizeOrb(b.course, {s.cursor.x + 2.0f, s.cursor.y + 1.5f, s.cursor.z + 2.0f}, i % 3);
            addCheckpoint(b.course, {s.cursor.x + 2.0f, s.cursor.y + 1.5f, s.cursor.z + 3.0f}, 1);
        }
    }
    b.course.goalPosition = {100.0f, 120.0f, -50.0f};
    return spellCourse(b.course, {"Largest", 600});
}

void LoadLargestCourse(benchmark::State& state)
{
    char path[] = "/tmp/skycourse-bench-XXXXXX";
    const int fd = mkstemp(path);
    const std::string text = largestCourseText();
    const bool written = fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (fd >= 0) close(fd);
    for (auto _ : state) {
        Course course;
        CourseInfo info;
        const std::string wrong = written ? loadCourseFile(path, course, info) : "cannot write the course";
        if (!wrong.empty()) {
            state.SkipWithError(wrong.c_str());
            break;
        }
        benchmark::DoNotOptimize(course.blocks.data());
    }
    unlink(path);
}

void deleteTextures(const Textures& t)
{
    std::vector<GLuint> names = {t.ball, t.metal, t.glass, t.end, t.white};
    names.insert(names.end(), t.wood.begin(), t.wood.end());
    names.insert(names.end(), t.sky.begin(), t.sky.end());
    glDeleteTextures(GLsizei(names.size()), names.data());
}

void LoadTextures(benchmark::State& state)
{
    for (auto _ : state) {
        const Graphics graphics = loadGraphicsFromGameFolder();
        glFinish();
        state.PauseTiming();
        deleteTextures(graphics.textures);
        state.ResumeTiming();
    }
}

// The game's start-up after the window: graphics, course, sound (silent
// here), the first frame drawn and finished.
void StartUpToFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        Graphics graphics = loadGraphicsFromGameFolder();
        Game game = newGame(1);
        GameSounds sounds;
        initSound(sounds);
        drawFrame(game, graphics);
        glFinish();
        state.PauseTiming();
        releaseSound(sounds);
        deleteTextures(graphics.textures);
        state.ResumeTiming();
    }
}

// Both renderers share the one context; each frame case first puts back
// the program its renderer expects to find current.
Graphics& graphics(Renderer renderer = Renderer::Classic)
{
    static Graphics classic = loadGraphicsFromGameFolder(Renderer::Classic);
    static Graphics shaders = loadGraphicsFromGameFolder(Renderer::Shaders);
    Graphics& g = renderer == Renderer::Classic ? classic : shaders;
    if (renderer == Renderer::Classic) useShaderProgram(g.shader, true);
    return g;
}

// One frame drawn and finished. Kept out of line so that an instruction
// profiler can count just the frames (valgrind --toggle-collect=finishedFrame).
[[gnu::noinline]] void finishedFrame(const Game& game, Graphics& graphics, const Ball* ghost, bool fast = false)
{
    drawFrame(game, graphics, ghost, fast);
    glFinish();
}

void drawDescribed(Graphics& g, Renderer renderer, const Frame& frame)
{
    if (renderer == Renderer::Shaders) drawFrameWithShaders(g.shaders, frame);
    else drawFrameClassic(frame, g.meshes, g.classic, g.shader);
    glFinish();
}

// A frame already described, drawn and finished; out of line as above.
[[gnu::noinline]] void finishedFrame(Graphics& g, Renderer renderer, const Frame& frame)
{
    drawDescribed(g, renderer, frame);
}

void frameAt(benchmark::State& state, Renderer renderer, long long tick, bool halfTurn, const Ball* ghost = nullptr,
             bool fast = false)
{
    RouteState route = routeAt(tick);
    if (halfTurn) route.game.camera.viewQuadrant = (route.game.camera.viewQuadrant + 2) % 4;
    Graphics& g = graphics(renderer);
    // The first frame of a view builds the renderer's shader variants.
    drawFrame(route.game, g, ghost, fast);
    glFinish();
    for (auto _ : state) finishedFrame(route.game, g, ghost, fast);
}

template <Renderer renderer>
void FrameAtTheStart(benchmark::State& state) { frameAt(state, renderer, 8, false); }
template <Renderer renderer>
void FrameAtTheDiscs(benchmark::State& state) { frameAt(state, renderer, 300, false); }
// The fast graphics: the scene at a third of the width and height, scaled up, its
// cylinders of one ring.
template <Renderer renderer>
void FastFrameAtTheStart(benchmark::State& state) { frameAt(state, renderer, 8, false, nullptr, true); }
// The same with the route's ball a second ahead as the ghost.
template <Renderer renderer>
void FrameAtTheDiscsWithAGhost(benchmark::State& state)
{
    const Ball ghost = routeAt(340).game.ball;
    frameAt(state, renderer, 300, false, &ghost);
}
template <Renderer renderer>
void FrameAtTheGate(benchmark::State& state) { frameAt(state, renderer, 3957, true); }
template <Renderer renderer>
void FrameAtTheSummit(benchmark::State& state) { frameAt(state, renderer, 9212, false); }

// A course's first frame, the ball on its start: each shipped course and,
// beside them, the built-in one as the game builds it. The graphics take
// the course's meshes for the case and go back to the built-in course's.
void frameAtCourseStart(benchmark::State& state, Renderer renderer, const std::string& file)
{
    auto course = std::make_shared<Course>();
    CourseInfo info;
    if (!file.empty()) {
        if (const std::string wrong = loadCourseFile(file, *course, info); !wrong.empty()) {
            state.SkipWithError(wrong.c_str());
            return;
        }
    } else {
        *course = buildLevel();
    }
    const Game game = newGame(std::shared_ptr<const Course>(course), 1);
    Graphics& g = graphics(renderer);
    changeCourse(g, *course);
    drawFrame(game, g);
    glFinish();
    for (auto _ : state) finishedFrame(game, g, nullptr);
    changeCourse(g, *builtInCourse());
}

// The shipped courses' files, by name, in the game folder's courses/.
std::vector<std::string> shippedCourses()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("courses", error)) {
        if (entry.path().extension() == ".course") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The start pad's frame cut after one pass (SKYCOURSE_BENCH_LAST_PASS, the
// pass's number in the frame's order; default: all): run once per pass,
// the differences are what each pass costs.
template <Renderer renderer>
void FrameAtTheStartUpToAPass(benchmark::State& state)
{
    const char* last = std::getenv("SKYCOURSE_BENCH_LAST_PASS");
    const int lastPass = last ? std::atoi(last) : 255;
    Graphics& g = graphics(renderer);
    const RouteState route = routeAt(8);
    FrameInput input;
    input.game = &route.game;
    input.width = frameWidth;
    input.height = frameHeight;
    describeFrame(g.frame, input, g.meshes, textureIdsOf(g.textures));
    Frame cut = g.frame;
    std::erase_if(cut.draws, [&](const Draw& d) { return int(d.pass) > lastPass; });
    drawDescribed(g, renderer, cut);
    for (auto _ : state) finishedFrame(g, renderer, cut);
}

// The floors no drawing beats on this renderer: clearing alone, and the
// clear with the sky box as a plain textured pass without lighting.
void FloorClear(benchmark::State& state)
{
    graphics();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glFinish();
    }
}

template <Renderer renderer>
void FloorClearAndSky(benchmark::State& state)
{
    Graphics& g = graphics(renderer);
    const Game game = newScriptGame();
    FrameInput input;
    input.game = &game;
    input.width = frameWidth;
    input.height = frameHeight;
    describeFrame(g.frame, input, g.meshes, textureIdsOf(g.textures));
    // The sky's draws alone.
    Frame sky = g.frame;
    std::erase_if(sky.draws, [](const Draw& d) { return d.pass != Pass::Sky; });
    // The first frame builds the renderer's shader variants.
    drawDescribed(g, renderer, sky);
    for (auto _ : state) finishedFrame(g, renderer, sky);
}

double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double slowest(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

void registerAll()
{
    struct Case {
        const char* name;
        void (*run)(benchmark::State&);
        benchmark::TimeUnit unit;
    };
    const Case cases[] = {
        {"tick/start pad", TickOnTheStartPad, benchmark::kMicrosecond},
        {"tick/runway", TickOnTheRunway, benchmark::kMicrosecond},
        {"tick/route", TickOnTheRoute, benchmark::kMicrosecond},
        {"tick/route with a ghost", TickOnTheRouteWithAGhost, benchmark::kMicrosecond},
        {"tick/1000 blocks", TickOnAThousandBlocks, benchmark::kMicrosecond},
        {"start-up/buildLevel", BuildLevel, benchmark::kMicrosecond},
        {"start-up/course of 10000", LoadLargestCourse, benchmark::kMillisecond},
        {"start-up/textures", LoadTextures, benchmark::kMillisecond},
        {"start-up/to first frame", StartUpToFirstFrame, benchmark::kMillisecond},
        {"frame/start/classic", FrameAtTheStart<Renderer::Classic>, benchmark::kMillisecond},
        {"frame/start/shaders", FrameAtTheStart<Renderer::Shaders>, benchmark::kMillisecond},
        {"fast/start/classic", FastFrameAtTheStart<Renderer::Classic>, benchmark::kMillisecond},
        {"fast/start/shaders", FastFrameAtTheStart<Renderer::Shaders>, benchmark::kMillisecond},
        {"frame/discs/classic", FrameAtTheDiscs<Renderer::Classic>, benchmark::kMillisecond},
        {"frame/discs/shaders", FrameAtTheDiscs<Renderer::Shaders>, benchmark::kMillisecond},
        {"frame/discs+ghost/classic", FrameAtTheDiscsWithAGhost<Renderer::Classic>, benchmark::kMillisecond},
        {"frame/discs+ghost/shaders", FrameAtTheDiscsWithAGhost<Renderer::Shaders>, benchmark::kMillisecond},
        {"frame/gate/classic", FrameAtTheGate<Renderer::Classic>, benchmark::kMillisecond},
        {"frame/gate/shaders", FrameAtTheGate<Renderer::Shaders>, benchmark::kMillisecond},
        {"frame/summit/classic", FrameAtTheSummit<Renderer::Classic>, benchmark::kMillisecond},
        {"frame/summit/shaders", FrameAtTheSummit<Renderer::Shaders>, benchmark::kMillisecond},
        {"passes/start/classic", FrameAtTheStartUpToAPass<Renderer::Classic>, benchmark::kMillisecond},
        {"passes/start/shaders", FrameAtTheStartUpToAPass<Renderer::Shaders>, benchmark::kMillisecond},
        {"floor/clear", FloorClear, benchmark::kMillisecond},
        {"floor/clear+sky/classic", FloorClearAndSky<Renderer::Classic>, benchmark::kMillisecond},
        {"floor/clear+sky/shaders", FloorClearAndSky<Renderer::Shaders>, benchmark::kMillisecond},
    };
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(c.name, c.run)
            ->Unit(c.unit)
            ->UseRealTime()
            ->ComputeStatistics("min", fastest)
            ->ComputeStatistics("max", slowest);
    }
    std::vector<std::string> courses = shippedCourses();
    courses.insert(courses.begin(), "");
    for (const std::string& name : courses) {
        for (const Renderer renderer : {Renderer::Classic, Renderer::Shaders}) {
            const std::string file = name.empty() ? "" : "courses/" + name + ".course";
            const std::string caseName = "course start/" + (name.empty() ? std::string("built-in") : name) + "/" +
                                         (renderer == Renderer::Classic ? "classic" : "shaders");
            benchmark::RegisterBenchmark(caseName.c_str(), [renderer, file](benchmark::State& state) {
                frameAtCourseStart(state, renderer, file);
            })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->ComputeStatistics("min", fastest)
                ->ComputeStatistics("max", slowest);
        }
    }
}

// One row a case: the median, the fastest and the slowest repetition.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override
    {
        std::printf("%-26s %12s %12s %12s\n", "case", "median", "min", "max");
        return true;
    }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            // Rows by the case's own name: the full name carries "/real_time".
            auto& row = rows[run.run_name.function_name];
            if (run.run_type == Run::RT_Aggregate) {
                row[run.aggregate_name] = run;
            } else if (run.repetitions <= 1) {
                // Without repetitions there is one plain run: it is all three.
                row["median"] = row["min"] = row["max"] = run;
            }
        }
    }
    void Finalize() override
    {
        for (const auto& [name, aggregates] : rows) {
            if (aggregates.count("median") && aggregates.count("min") && aggregates.count("max")) {
                print(name, aggregates.at("median"), aggregates.at("min"), aggregates.at("max"));
            }
        }
        printTicks();
        printRenderers();
        printCourseStarts();
    }

private:
    double median(const std::string& name) const
    {
        const auto row = rows.find(name);
        if (row == rows.end() || !row->second.count("median")) return 0.0;
        return row->second.at("median").GetAdjustedRealTime();
    }

    // What a race and a large course cost a tick, as multiples measured in
    // this one run (the machine's noise moves both sides alike).
    void printTicks() const
    {
        const double route = median("tick/route");
        const double ghost = median("tick/route with a ghost");
        const double pad = median("tick/start pad");
        const double large = median("tick/1000 blocks");
        if (route > 0.0 && ghost > 0.0) std::printf("\ntick with a ghost / without: %.2fx\n", ghost / route);
        if (pad > 0.0 && large > 0.0) {
            std::printf("tick on 1,000 blocks / on the start pad (%zu blocks): %.2fx\n", builtInCourse()->blocks.size(),
                        large / pad);
        }
        std::fflush(stdout);
    }

    // The frames and the sky floor of both renderers side by side, each
    // frame also as a multiple of its renderer's clear-plus-sky floor.
    void printRenderers() const
    {
        const double classicFloor = median("floor/clear+sky/classic");
        const double shadersFloor = median("floor/clear+sky/shaders");
        if (classicFloor <= 0.0 || shadersFloor <= 0.0) return;
        std::printf("\n%-18s %12s %12s %10s %10s\n", "ms (median)", "classic", "shaders", "c/floor", "s/floor");
        for (const char* view : {"frame/start", "frame/discs", "frame/gate", "frame/summit", "fast/start", "floor/clear+sky"}) {
            const double c = median(std::string(view) + "/classic");
            const double s = median(std::string(view) + "/shaders");
            if (c <= 0.0 || s <= 0.0) continue;   // left out by a filter
            std::printf("%-18s %12.3f %12.3f %10.2f %10.2f\n", view, c, s, c / classicFloor, s / shadersFloor);
        }
        std::fflush(stdout);
    }

    // Each course's start frame as a multiple of the built-in course's, on
    // the same renderer.
    void printCourseStarts() const
    {
        const std::string prefix = "course start/";
        bool header = false;
        for (const auto& [name, aggregates] : rows) {
            if (name.rfind(prefix, 0) != 0 || name.find("/built-in/") != std::string::npos) continue;
            const std::string renderer = name.substr(name.rfind('/') + 1);
            const double builtIn = median(prefix + "built-in/" + renderer);
            const double course = median(name);
            if (builtIn <= 0.0 || course <= 0.0) continue;
            if (!header) std::printf("\n%-40s %10s\n", "start frame / built-in course's", "ratio");
            header = true;
            std::printf("%-40s %9.2fx\n", name.substr(prefix.size()).c_str(), course / builtIn);
        }
        std::fflush(stdout);
    }

    static void print(const std::string& name, const Run& median, const Run& low, const Run& high)
    {
        const char* unit = benchmark::GetTimeUnitString(median.time_unit);
        std::printf("%-26s %9.3f %-2s %9.3f %-2s %9.3f %-2s\n", name.c_str(),
                    median.GetAdjustedRealTime(), unit, low.GetAdjustedRealTime(), unit,
                    high.GetAdjustedRealTime(), unit);
        std::fflush(stdout);
    }
    std::map<std::string, std::map<std::string, Run>> rows;
};

}  // namespace

int main(int argc, char** argv)
{
    // The same silent sound system on every machine, device or none.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The pictures, sounds and shaders the game would read, wherever the
    // bench was started.
    if (!enterGameFolder() || !openOffscreenFrame()) return 2;
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}

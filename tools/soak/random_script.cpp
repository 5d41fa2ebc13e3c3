// skycourse-random-script: a random replay script of a given length in
// ticks, the same for the same seed. Everything a player (or a cat on the
// keyboard) can do: arrows alone and with modifiers, every key code but Esc,
// the mouse anywhere up to the tool's reach, all keys at once, and long
// stretches of doing nothing while the ball falls.
//
//   skycourse-random-script <seed> <ticks>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

const char* const specials[] = {"UP", "DOWN", "LEFT", "RIGHT", "F1"};
const char* const modifiers[] = {"", " shift", " ctrl", " alt", " shift ctrl alt"};

struct Writer {
    std::mt19937 random;
    long long ticksLeft;

    int below(int n) { return int(random() % unsigned(n)); }
    int between(int low, int high) { return low + int(random() % unsigned(high - low + 1)); }

    void tick(long long n)
    {
        n = std::min(n, ticksLeft);
        if (n <= 0) return;
        std::printf("tick %lld\n", n);
        ticksLeft -= n;
    }

    void oneStep()
    {
        switch (below(12)) {
        case 0:
        case 1:
            std::printf("special down %s%s\n", specials[below(5)], modifiers[below(10) < 7 ? 0 : below(5)]);
            break;
        case 2:
        case 3:
            std::printf("special up %s\n", specials[below(5)]);
            break;
        case 4: {
            // Any key but Esc, which would end the script early.
            int code = below(255);
            if (code == 27) code = 13;
            std::printf("key %s %d\n", below(2) ? "down" : "up", code);
            break;
        }
        case 5:
            std::printf("key down %d\n", below(2) ? 13 : 122);
            break;
        case 6:
            std::printf("mouse %d %d\n", between(0, 1279), between(0, 1023));
            break;
        case 7:
            // Far outside any window, up to the tool's limit.
            std::printf("mouse %d %d\n", between(-1000000, 1000000), between(-1000000, 1000000));
            break;
        case 8:
            for (const char* name : specials) std::printf("special down %s\n", name);
            std::printf("key down 13\nkey down 122\n");
            tick(between(1, 40));
            break;
        case 9:
            // Nothing held for a while: off an edge, the ball falls.
            for (const char* name : specials) std::printf("special up %s\n", name);
            tick(between(100, 2000));
            break;
        default:
            tick(between(1, 60));
            break;
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skycourse-random-script <seed> <ticks>\n");
        return 2;
    }
    Writer writer{std::mt19937(unsigned(std::strtoul(argv[1], nullptr, 10))), std::atoll(argv[2])};
    std::printf("# random play, seed %s, %s ticks\nkey down 112\n", argv[1], argv[2]);
    while (writer.ticksLeft > 0) writer.oneStep();
    return std::fflush(stdout) == 0 ? 0 : 1;
}

#include "tools/mediagen/levels.h"
#include "tools/mediagen/sound.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double twoPi = 6.283185307179586;

// One cycle of a harmonic waveform, read with linear interpolation: far
// cheaper than summing sines for every sample of a long pad.
struct Wavetable {
    std::vector<float> table;
};

Wavetable makeWavetable(const std::vector<double>& harmonics)
{
    const int size = 4096;
    Wavetable w;
    w.table.resize(size + 1);
    for (int i = 0; i <= size; ++i) {
        double v = 0;
        for (size_t n = 0; n < harmonics.size(); ++n)
            v += harmonics[n] * std::sin(twoPi * (n + 1) * i / size);
        w.table[i] = static_cast<float>(v);
    }
    return w;
}

float lookup(const Wavetable& w, double cycles)
{
    const double size = static_cast<double>(w.table.size() - 1);
    const double pos = (cycles - std::floor(cycles)) * size;
    const size_t i = static_cast<size_t>(pos);
    const float f = static_cast<float>(pos - i);
    return w.table[i] + f * (w.table[i + 1] - w.table[i]);
}

const Wavetable& sineWave()
{
    static const Wavetable wave = makeWavetable({1});
    return wave;
}

// A stereo mix. A looping bus wraps every note that runs past the end back
// to the start, so the last sample leads straight into the first.
struct Bus {
    std::vector<float> left, right;
    bool loop;
};

Bus makeBus(double length, bool loop)
{
    const size_t n = static_cast<size_t>(std::llround(length * sampleRate));
    return {std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f), loop};
}

// `voice` gives the sample at time t after the note's start; pan -1..1.
void addVoice(Bus& bus, double start, double span, double pan, const std::function<double(double)>& voice)
{
    const size_t size = bus.left.size();
    const size_t first = static_cast<size_t>(std::llround(start * sampleRate));
    const size_t count = static_cast<size_t>(span * sampleRate);
    const double angle = (pan + 1) * twoPi / 8;
    const float gainL = static_cast<float>(std::cos(angle)), gainR = static_cast<float>(std::sin(angle));
    for (size_t i = 0; i < count; ++i) {
        size_t at = first + i;
        if (at >= size) {
            if (!bus.loop)
                break;
            at %= size;
        }
        const float v = static_cast<float>(voice(static_cast<double>(i) / sampleRate));
        bus.left[at] += gainL * v;
        bus.right[at] += gainR * v;
    }
}

// Attack, hold until `length`, then an exponential release that is faded to
// exactly zero by the end of `span`.
double envelope(double t, double attack, double length, double release, double span)
{
    double e = std::min(1.0, t / attack);
    if (t > length)
        e *= std::exp(-(t - length) / release);
    const double tail = span - t;
    if (tail < 0.05)
        e *= std::max(0.0, tail / 0.05);
    return e;
}

// Feedback echo; on a looping bus the echoes wrap around as well, so the
// buffer is run until the circular echo has settled.
void addEcho(Bus& bus, const Bus& dry, double delay, float feedback, float wet)
{
    const size_t size = bus.left.size();
    const size_t d = static_cast<size_t>(delay * sampleRate);
    std::vector<float> echoL(size, 0.0f), echoR(size, 0.0f);
    const int passes = bus.loop ? 6 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < size; ++i) {
            if (!bus.loop && i < d)
                continue;
            const size_t from = (i + size - d) % size;
            // Ping-pong: each echo swaps sides.
            echoL[i] = dry.right[from] + feedback * echoR[from];
            echoR[i] = dry.left[from] + feedback * echoL[from];
        }
    for (size_t i = 0; i < size; ++i) {
        bus.left[i] += wet * echoL[i];
        bus.right[i] += wet * echoR[i];
    }
}

void mixInto(Bus& bus, const Bus& part, float gain)
{
    for (size_t i = 0; i < bus.left.size(); ++i) {
        bus.left[i] += gain * part.left[i];
        bus.right[i] += gain * part.right[i];
    }
}

Sound toSound(const Bus& bus, float peak)
{
    Sound s = makeSound(2, 0);
    s.samples.resize(bus.left.size() * 2);
    for (size_t i = 0; i < bus.left.size(); ++i) {
        s.samples[2 * i] = bus.left[i];
        s.samples[2 * i + 1] = bus.right[i];
    }
    normalise(s, peak);
    return s;
}

// An electric-piano-like bell: frequency modulation that mellows as it rings.
std::function<double(double)> keyVoice(double f, double length, double span, double gain)
{
    return [=](double t) {
        const double index = 1.4 * std::exp(-t * 5);
        const double cycles = f * t;
        const double v = lookup(sineWave(), cycles + index / twoPi * lookup(sineWave(), cycles));
        return gain * v * std::exp(-t * 0.9) * envelope(t, 0.006, length, 0.12, span);
    };
}

struct Note {
    double beat, beats;
    int pitch; // MIDI
};

} // namespace

Sound makeBackgroundMusic()
{
    // 80 beats a minute, eight bars of four: a 24 second loop.
    const double beat = 0.75;
    const int bars = 8;
    Bus pads = makeBus(bars * 4 * beat, true);
    Bus bass = makeBus(bars * 4 * beat, true);
    Bus keys = makeBus(bars * 4 * beat, true);

    // Cmaj7 Am7 Fmaj7 G6 | Cmaj7 Em7 Fmaj7 Gsus4
    const int chords[bars][4] = {{48, 55, 59, 64}, {45, 52, 55, 60}, {41, 48, 52, 57}, {43, 50, 52, 59},
                                 {48, 55, 59, 64}, {40, 47, 50, 55}, {41, 48, 52, 57}, {43, 50, 53, 60}};
    const Wavetable padWave = makeWavetable({1, 0.45, 0.25, 0.12, 0.07, 0.04});
    const Wavetable bassWave = makeWavetable({1, 0.35, 0.1});
    for (int bar = 0; bar < bars; ++bar) {
        const double start = bar * 4 * beat, length = 4 * beat, span = length + 2.0;
        for (int n = 0; n < 4; ++n) {
            const double f = midiToHz(chords[bar][n] + 12);
            for (double detune : {-1.0, 1.0}) {
                const double fd = f * (1 + 0.0025 * detune);
                addVoice(pads, start, span, 0.55 * detune, [&, fd, length, span](double t) {
                    const double swell = 1 + 0.15 * lookup(sineWave(), 0.25 * t);
                    return 0.12 * swell * lookup(padWave, fd * t) * envelope(t, 0.9, length, 0.6, span);
                });
            }
        }
        // Bass: root, a passing fifth, root again.
        const int root = chords[bar][0];
        const Note bassLine[3] = {{0, 1.5, root}, {1.5, 0.5, root + 7}, {2, 2, root}};
        for (const Note& note : bassLine) {
            const double f = midiToHz(note.pitch), length = note.beats * beat - 0.05, span = length + 0.4;
            addVoice(bass, start + note.beat * beat, span, 0, [&, f, length, span](double t) {
                return 0.5 * lookup(bassWave, f * t) * (0.55 + 0.45 * std::exp(-t * 3)) *
                       envelope(t, 0.012, length, 0.08, span);
            });
        }
        // A soft arpeggio of the chord in eighths, drifting left and right.
        for (int step = 0; step < 8; ++step) {
            const int order[8] = {0, 1, 2, 3, 2, 1, 2, 3};
            const double f = midiToHz(chords[bar][order[step]] + 24);
            const double at = start + step * beat / 2;
            addVoice(keys, at, 1.2, step % 2 ? 0.5 : -0.5, keyVoice(f, 0.3, 1.2, 0.10));
        }
    }

    const Note melody[] = {{0, 1.5, 76},  {1.5, 0.5, 79}, {2, 2, 83},    {4, 1, 84},    {5, 0.5, 83},
                           {5.5, 0.5, 81}, {6, 2, 76},    {8, 1, 77},    {9, 1, 81},    {10, 1.5, 84},
                           {11.5, 0.5, 81}, {12, 3, 79},  {15, 1, 74},   {16, 1, 76},   {17, 1, 79},
                           {18, 1.5, 86}, {19.5, 0.5, 84}, {20, 2, 83},  {22, 1, 79},   {23, 1, 76},
                           {24, 1.5, 81}, {25.5, 0.5, 79}, {26, 1, 77},  {27, 1, 76},   {28, 3, 74}};
    for (const Note& note : melody) {
        const double length = note.beats * beat, span = length + 1.5;
        addVoice(keys, note.beat * beat, span, 0.1, keyVoice(midiToHz(note.pitch), length, span, 0.32));
    }

    Bus music = makeBus(bars * 4 * beat, true);
    mixInto(music, pads, 1.0f);
    mixInto(music, bass, 0.9f);
    mixInto(music, keys, 1.0f);
    addEcho(music, keys, beat * 0.75, 0.35f, 0.30f);
    return toSound(music, level::backgroundMusic);
}

Sound makeVictoryMusic()
{
    // A short bright fanfare: a rising call, a quick run and a held chord.
    Bus bus = makeBus(4.6, false);
    const Wavetable brass = makeWavetable({1, 0.7, 0.5, 0.38, 0.28, 0.2, 0.14, 0.1, 0.07, 0.05});
    const double tick = 0.15;
    const Note lead[] = {{0, 0.9, 72}, {1, 0.9, 76}, {2, 0.9, 79}, {3, 3, 84},  {6.5, 0.9, 81},
                         {7.5, 0.9, 83}, {8.5, 0.9, 84}, {9.5, 0.9, 86}, {10.5, 12, 88}};
    for (const Note& note : lead) {
        const double length = note.beats * tick, span = length + 1.2;
        addVoice(bus, note.beat * tick, span, 0.0, [&, note, length, span](double t) {
            const double vibrato = 1 + 0.004 * std::sin(twoPi * 5.5 * t) * std::min(1.0, t / 0.4);
            const double f = midiToHz(note.pitch) * vibrato;
            return 0.30 * lookup(brass, f * t) * envelope(t, 0.02, length, 0.25, span);
        });
    }
    const Note chords[] = {{0, 6, 60}, {0, 6, 64}, {0, 6, 67}, {6.5, 4, 65}, {6.5, 4, 69},
                           {6.5, 4, 72}, {10.5, 12, 60}, {10.5, 12, 64}, {10.5, 12, 67}, {10.5, 12, 72}};
    for (const Note& note : chords) {
        const double length = note.beats * tick, span = length + 1.2;
        const double pan = (note.pitch % 12) / 6.0 - 0.9;
        addVoice(bus, note.beat * tick, span, pan, [&, note, length, span](double t) {
            return 0.12 * lookup(brass, midiToHz(note.pitch - 12) * t) * envelope(t, 0.05, length, 0.35, span);
        });
    }
    const Note bassLine[] = {{0, 6, 36}, {6.5, 2, 41}, {8.5, 2, 43}, {10.5, 12, 36}};
    for (const Note& note : bassLine) {
        const double length = note.beats * tick, span = length + 1.0;
        addVoice(bus, note.beat * tick, span, 0, [&, note, length, span](double t) {
            return 0.45 * std::sin(twoPi * midiToHz(note.pitch) * t) * envelope(t, 0.01, length, 0.3, span);
        });
    }
    // A cymbal swell on the last chord.
    NoiseSource noise{99};
    double high = 0, previous = 0;
    addVoice(bus, 10.5 * tick, 2.5, 0, [&](double t) {
        const double n = noise.next();
        high = 0.6 * (high + n - previous);
        previous = n;
        return 0.10 * high * std::exp(-t * 1.6) * std::min(1.0, t / 0.01);
    });
    Sound s = toSound(bus, level::victoryMusic);
    fadeEnds(s, 0.0, 0.3);
    return s;
}

#include "tools/mediagen/levels.h"
#include "tools/mediagen/sound.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double twoPi = 6.283185307179586;

// Runs a mono voice whose pitch may change over time: `pitch` gives the
// frequency at time t, `shape` turns the running phase and t into a sample.
Sound sweep(double length, const std::function<double(double)>& pitch,
            const std::function<double(double, double)>& shape)
{
    Sound s = makeSound(1, length);
    double phase = 0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        s.samples[i] = static_cast<float>(shape(phase, t));
        phase += twoPi * pitch(t) / sampleRate;
    }
    return s;
}

struct Partial {
    double frequency, amplitude, decay; // decay: 1/seconds
};

// Struck objects: a sum of exponentially dying partials plus a noise click.
Sound struck(double length, const std::vector<Partial>& partials, double clickLength, double clickGain,
             double clickSmoothing, std::uint32_t seed)
{
    Sound s = makeSound(1, length);
    NoiseSource noise{seed};
    double low = 0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.amplitude * std::exp(-p.decay * t) * std::sin(twoPi * p.frequency * t);
        low += clickSmoothing * (noise.next() - low);
        if (t < clickLength)
            v += clickGain * low * (1 - t / clickLength);
        s.samples[i] = static_cast<float>(v);
    }
    return s;
}

Sound finished(Sound s, float peak)
{
    fadeEnds(s, 0.002, 0.02);
    normalise(s, peak);
    return s;
}

// A sweep between two pitches with a warbling, slightly hollow tone.
Sound magicSweep(double from, double to)
{
    const double length = 0.6;
    return finished(sweep(length, [=](double t) { return from * std::pow(to / from, t / length); },
                          [=](double phase, double t) {
                              const double warble = 0.75 + 0.25 * std::sin(twoPi * 22 * t);
                              const double tone = std::sin(phase) + 0.3 * std::sin(3 * phase) + 0.12 * std::sin(5 * phase);
                              const double env = std::min(1.0, t / 0.03) * (1 - 0.5 * t / length);
                              return tone * warble * env;
                          }),
                    level::shrinkOrGrow);
}

} // namespace

Sound makeJumpSound()
{
    // A spring: the pitch shoots up and wobbles as it settles.
    return finished(sweep(0.32,
                          [](double t) {
                              return 170 + 480 * (1 - std::exp(-t * 16)) +
                                     60 * std::sin(twoPi * 13 * t) * std::exp(-t * 6);
                          },
                          [](double phase, double t) {
                              return (std::sin(phase) + 0.25 * std::sin(2 * phase)) * std::exp(-t * 7) *
                                     std::min(1.0, t / 0.004);
                          }),
                    level::jump);
}

Sound makeHitMetalSound()
{
    // Inharmonic partials of a struck plate, a pair slightly detuned to shimmer.
    const double f = 520;
    return finished(struck(0.9,
                           {{f, 1.0, 4.0},
                            {f * 1.006, 0.5, 4.5},
                            {f * 2.756, 0.65, 6.0},
                            {f * 5.404, 0.45, 9.0},
                            {f * 8.933, 0.3, 13.0},
                            {f * 13.34, 0.18, 18.0}},
                           0.004, 1.5, 0.8, 1234),
                    level::hitMetal);
}

Sound makeHitWoodSound()
{
    // A hollow knock: a low thump, two quickly damped body modes, a dull click.
    return finished(struck(0.22, {{140, 0.8, 38}, {620, 1.0, 32}, {1420, 0.45, 55}, {2380, 0.2, 80}}, 0.008, 1.2,
                           0.25, 4321),
                    level::hitWood);
}

Sound makeSaveSound()
{
    // A rising major arpeggio of small bells.
    Sound s = makeSound(1, 1.4);
    const double notes[3] = {midiToHz(84), midiToHz(88), midiToHz(91)}; // C6 E6 G6
    for (int n = 0; n < 3; ++n) {
        const size_t start = static_cast<size_t>(n * 0.11 * sampleRate);
        for (size_t i = start; i < s.samples.size(); ++i) {
            const double t = static_cast<double>(i - start) / sampleRate;
            const double f = notes[n];
            const double bell = std::sin(twoPi * f * t) + 0.35 * std::sin(twoPi * 2 * f * t) * std::exp(-t * 4) +
                                0.12 * std::sin(twoPi * 4.2 * f * t) * std::exp(-t * 9);
            s.samples[i] += static_cast<float>(0.5 * bell * std::exp(-t * 3.2) * std::min(1.0, t / 0.003));
        }
    }
    return finished(s, level::save);
}

Sound makeShrinkSound() { return magicSweep(1400, 220); }

Sound makeGrowSound() { return magicSweep(220, 1400); }

Sound makeFallSound()
{
    // A soft slide down two octaves, round like a wooden flute, fading as
    // the ball drops away: no hiss and nothing shrill.
    const double length = 1.2;
    return finished(sweep(length,
                          [=](double t) {
                              return 660 * std::pow(0.25, t / length) * (1 + 0.012 * std::sin(twoPi * 5 * t));
                          },
                          [=](double phase, double t) {
                              const double tone = std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase);
                              return tone * std::min(1.0, t / 0.05) * std::pow(1 - t / length, 1.5);
                          }),
                    level::fall);
}

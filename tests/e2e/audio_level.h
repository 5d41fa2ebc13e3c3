#pragma once
// Loudness of what the game played, as captured by SDL's "disk" audio
// driver, against a sound file decoded the same way the mixer decodes it.

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

// The mixer's device format: 44.1 kHz, signed 16-bit native order, stereo.
constexpr int captureRate = 44100;
constexpr int captureChannels = 2;

// Interleaved samples scaled to -1..1.
std::vector<float> readCapture(const std::string& rawFile);
// A WAV file converted to the capture format; empty if it cannot be read.
std::vector<float> decodeWav(const std::string& file);

// RMS of the frames [from, to) seconds; a file shorter than that is looped.
double rmsBetween(const std::vector<float>& samples, double from, double to);
// Median over consecutive windows of the ratio RMS(captured) / RMS(reference),
// which a short effect playing over the music hardly moves.
double medianLevelRatio(const std::vector<float>& captured, const std::vector<float>& reference,
                        double from, double to, double window);

// Index of the first frame louder than threshold; the whole length if none.
size_t firstSoundFrame(const std::vector<float>& samples, float threshold);

}  // namespace e2e

#include "tests/e2e/audio_level.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e {

namespace {

// Signed 16-bit samples in native order, scaled to -1..1.
std::vector<float> samplesOf(const void* bytes, size_t count)
{
    std::vector<float> samples(count / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        int16_t s;
        std::memcpy(&s, static_cast<const char*>(bytes) + 2 * i, 2);
        samples[i] = float(s) / 32768.0f;
    }
    return samples;
}

}  // namespace

std::vector<float> readCapture(const std::string& rawFile)
{
    std::ifstream in(rawFile, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return samplesOf(bytes.data(), bytes.size());
}

std::vector<float> decodeWav(const std::string& file)
{
    SDL_AudioSpec wavFormat;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(file.c_str(), &wavFormat, &buffer, &length)) return {};
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, wavFormat.format, wavFormat.channels, wavFormat.freq, AUDIO_S16SYS,
                          captureChannels, captureRate) < 0) {
        SDL_FreeWAV(buffer);
        return {};
    }
    std::vector<Uint8> work(size_t(length) * size_t(std::max(cvt.len_mult, 1)));
    std::memcpy(work.data(), buffer, length);
    SDL_FreeWAV(buffer);
    cvt.buf = work.data();
    cvt.len = int(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return {};
    return samplesOf(work.data(), cvt.needed ? size_t(cvt.len_cvt) : size_t(length));
}

double rmsBetween(const std::vector<float>& samples, double from, double to)
{
    if (samples.empty() || to <= from) return 0.0;
    size_t first = size_t(from * captureRate) * captureChannels;
    size_t last = size_t(to * captureRate) * captureChannels;
    double sum = 0.0;
    for (size_t i = first; i < last; ++i) {
        double s = samples[i % samples.size()];
        sum += s * s;
    }
    return std::sqrt(sum / double(last - first));
}

double medianLevelRatio(const std::vector<float>& captured, const std::vector<float>& reference,
                        double from, double to, double window)
{
    std::vector<double> ratios;
    for (double t = from; t + window <= to + 1e-9; t += window) {
        double expected = rmsBetween(reference, t, t + window);
        if (expected > 0.0) ratios.push_back(rmsBetween(captured, t, t + window) / expected);
    }
    if (ratios.empty()) return 0.0;
    std::nth_element(ratios.begin(), ratios.begin() + long(ratios.size() / 2), ratios.end());
    return ratios[ratios.size() / 2];
}

size_t firstSoundFrame(const std::vector<float>& samples, float threshold)
{
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > threshold) return i / captureChannels;
    }
    return samples.size() / captureChannels;
}

}  // namespace e2e

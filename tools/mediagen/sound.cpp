#include "tools/mediagen/sound.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <memory>

Sound makeSound(int channels, double seconds)
{
    Sound s;
    s.channels = channels;
    s.samples.assign(static_cast<size_t>(std::llround(seconds * sampleRate)) * channels, 0.0f);
    return s;
}

size_t frameCount(const Sound& sound) { return sound.samples.size() / sound.channels; }

double seconds(const Sound& sound) { return static_cast<double>(frameCount(sound)) / sampleRate; }

void normalise(Sound& sound, float peak)
{
    float loudest = 0;
    for (float v : sound.samples)
        loudest = std::max(loudest, std::fabs(v));
    if (loudest > 0)
        for (float& v : sound.samples)
            v *= peak / loudest;
}

void fadeEnds(Sound& sound, double fadeIn, double fadeOut)
{
    const size_t frames = frameCount(sound);
    const size_t in = std::min(frames, static_cast<size_t>(fadeIn * sampleRate));
    const size_t out = std::min(frames, static_cast<size_t>(fadeOut * sampleRate));
    for (size_t i = 0; i < frames; ++i) {
        float gain = 1;
        if (i < in)
            gain *= static_cast<float>(i) / in;
        if (i >= frames - out)
            gain *= static_cast<float>(frames - 1 - i) / out;
        for (int c = 0; c < sound.channels; ++c)
            sound.samples[i * sound.channels + c] *= gain;
    }
}

float NoiseSource::next()
{
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
}

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

static void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back((v >> (8 * i)) & 0xff);
}

static std::int16_t toPcm(float v)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

std::vector<std::uint8_t> encodeWav(const Sound& sound)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    const std::uint32_t blockAlign = sound.channels * 2;
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, sound.channels, 2);
    put(out, sampleRate, 4);
    put(out, sampleRate * blockAlign, 4);
    put(out, blockAlign, 2);
    put(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(out, dataBytes, 4);
    for (float v : sound.samples)
        put(out, static_cast<std::uint16_t>(toPcm(v)), 2);
    return out;
}

std::vector<std::uint8_t> encodeMp3(const Sound& sound)
{
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame)
        return {};
    lame_set_num_channels(lame.get(), sound.channels);
    lame_set_in_samplerate(lame.get(), sampleRate);
    lame_set_out_samplerate(lame.get(), sampleRate);
    lame_set_mode(lame.get(), sound.channels == 2 ? JOINT_STEREO : MONO);
    lame_set_brate(lame.get(), 160);
    lame_set_quality(lame.get(), 5);
    // No tag frames: the file starts straight with audio frames, and the
    // bytes do not depend on anything but the samples.
    lame_set_bWriteVbrTag(lame.get(), 0);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0)
        return {};

    const size_t frames = frameCount(sound);
    std::vector<short> pcm(sound.samples.size());
    std::transform(sound.samples.begin(), sound.samples.end(), pcm.begin(), toPcm);
    std::vector<std::uint8_t> out(frames * 5 / 4 + 7200 + 16384);
    int written;
    if (sound.channels == 2)
        written = lame_encode_buffer_interleaved(lame.get(), pcm.data(), static_cast<int>(frames), out.data(),
                                                 static_cast<int>(out.size()));
    else
        written = lame_encode_buffer(lame.get(), pcm.data(), pcm.data(), static_cast<int>(frames), out.data(),
                                     static_cast<int>(out.size()));
    if (written < 0)
        return {};
    const int flushed = lame_encode_flush(lame.get(), out.data() + written, static_cast<int>(out.size()) - written);
    if (flushed < 0)
        return {};
    out.resize(written + flushed);
    return out;
}

#pragma once
// Seeded gradient noise. Everything here is pure arithmetic on integers and
// floats, so the same seed gives the same media on every run.

#include <cstdint>

std::uint32_t hashInts(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0, std::uint32_t d = 0);
// Uniform in [0, 1).
float hashUnit(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0, std::uint32_t d = 0);

// Gradient noise in about [-1, 1]. A period > 0 wraps the lattice on that
// axis, which makes textures tile without a seam.
float gradientNoise(float x, float y, float z, std::uint32_t seed, int periodX = 0, int periodY = 0);

// Sum of octaves, each at twice the frequency and `gain` times the
// amplitude; periods double with the frequency so tiling survives.
float fractalNoise(float x, float y, float z, std::uint32_t seed, int octaves, float gain = 0.5f,
                   int periodX = 0, int periodY = 0);

float smoothStep(float edge0, float edge1, float x);

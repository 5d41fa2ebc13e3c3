#pragma once
// Floats as text, exactly: written with the fewest digits that read back to
// the same float, and read to the nearest float.

#include <string>
#include <string_view>

// Reads a whole decimal number: an optional '-', digits with at most one
// '.', and an optional exponent ("3", "-0.25", ".5", "1e-3"). False for
// anything else, and for a number beyond a float's range either way (too
// large, or too small to be anything but 0).
bool readFloat(std::string_view text, float& out);

// Appends the fewest digits that readFloat reads back to the same bits, -0
// included; without an exponent from 0.0001 up to 10 million, so that a
// hand sees 100000 and 0.001 rather than 1e+05 and 1e-03.
void appendFloat(std::string& out, float value);

#include "world/float_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// GCC's library converts floats with std::from_chars and std::to_chars,
// which no locale can change. The page's library (emscripten's libc++) has
// neither for floats yet; there the C library's conversions, in the one
// locale it has, give the same floats and, laid out as to_chars lays them
// out, the same text.

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The grammar of readFloat, checked before either conversion so that both
// accept the same texts. `nonzero`: a digit other than 0 before any exponent.
bool isDecimal(std::string_view t, bool& nonzero)
{
    size_t i = !t.empty() && t[0] == '-' ? 1 : 0;
    size_t digits = 0;
    bool dot = false;
    nonzero = false;
    for (; i < t.size() && (isDigit(t[i]) || (t[i] == '.' && !dot)); ++i) {
        dot = dot || t[i] == '.';
        digits += isDigit(t[i]) ? 1 : 0;
        nonzero = nonzero || (isDigit(t[i]) && t[i] != '0');
    }
    if (digits == 0) return false;
    if (i == t.size()) return true;
    if (t[i] != 'e' && t[i] != 'E') return false;
    i += i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-') ? 2 : 1;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i])) return false;
    }
    return true;
}

#if !defined(__cpp_lib_to_chars)
// The shortest significant digits that read back to the value, and the
// power of ten of the first: value = d.ddd x 10^exponent.
void shortestDigits(float value, std::string& digits, int& exponent)
{
    char text[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision - 1, double(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    digits.clear();
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (isDigit(*c)) digits.push_back(*c);
    }
    exponent = std::atoi(c + 1);
}

std::string fixedLayout(float size, const std::string& digits, int exponent)
{
    const int count = int(digits.size());
    if (exponent < 0) return "0." + std::string(size_t(-exponent - 1), '0') + digits;
    if (count <= exponent + 1) {
        // A whole number: to_chars writes the float's own value, no longer
        // than the digits padded with zeros and nearer (nothing nearer).
        char whole[48];
        std::snprintf(whole, sizeof whole, "%.0f", double(size));
        return whole;
    }
    return digits.substr(0, size_t(exponent + 1)) + "." + digits.substr(size_t(exponent + 1));
}

std::string scientificLayout(const std::string& digits, int exponent)
{
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + power;
}
#endif

}  // namespace

bool readFloat(std::string_view text, float& out)
{
    bool nonzero = false;
    if (!isDecimal(text, nonzero)) return false;
#if defined(__cpp_lib_to_chars)
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    if (error != std::errc() || stop != end) return false;
#else
    out = std::strtof(std::string(text).c_str(), nullptr);
#endif
    return std::isfinite(out) && (out != 0.0f || !nonzero);
}

void appendFloat(std::string& out, float value)
{
    const float size = std::fabs(value);
    const bool plain = size == 0.0f || (size >= 1e-4f && size < 1e7f);
#if defined(__cpp_lib_to_chars)
    char text[64];
    const auto written = plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                               : std::to_chars(text, text + sizeof text, value);
    out.append(text, written.ptr);
#else
    std::string digits;
    int exponent = 0;
    shortestDigits(value, digits, exponent);
    if (std::signbit(value)) out += '-';
    const std::string fixed = fixedLayout(size, digits, exponent);
    const std::string scientific = scientificLayout(digits, exponent);
    // As to_chars: the shorter of the two, fixed on a tie.
    out += plain || fixed.size() <= scientific.size() ? fixed : scientific;
#endif
}

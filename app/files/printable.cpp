#include "app/files/printable.h"

std::string printable(std::string_view text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(digits[byte >> 4]);
            out.push_back(digits[byte & 15]);
        }
    }
    return out;
}

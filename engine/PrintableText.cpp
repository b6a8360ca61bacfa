#include "PrintableText.h"

#include <cstdio>

namespace fendry {

namespace {

// The length of the UTF-8 sequence that starts `text` at `at`, with its code point; 0 when the
// bytes there are not valid UTF-8.
std::size_t decode(const std::string& text, std::size_t at, char32_t& point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        point = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        point = (point << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < smallest || surrogate || point > 0x10FFFF ? 0 : length;
}

// Marks that reorder what a terminal shows around them.
bool isBidiControl(char32_t point) {
    return point == 0x061C || point == 0x200E || point == 0x200F ||
           (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

std::string escaped(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string printable(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const std::size_t length = decode(text, at, point);
        if (length == 0) {
            shown += escaped("\\x%02x", static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (point < 0x20 || point == 0x7F || (point >= 0x80 && point <= 0x9F)) {
            shown += escaped("\\x%02x", point);
        } else if (isBidiControl(point)) {
            shown += escaped("\\u%04x", point);
        } else if (point == '\\') {
            shown += "\\\\";
        } else {
            shown.append(text, at, length);
        }
        at += length;
    }
    return shown;
}

}  // namespace fendry

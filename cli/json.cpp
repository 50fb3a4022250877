#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace velmora::cli {
namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t Utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text[0]);
        std::size_t used = 1;
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else if (c < 0x80) {
                    out += static_cast<char>(c);
                } else if (const std::size_t n = Utf8Length(text); n > 0) {
                    out.append(text.substr(0, n));
                    used = n;
                } else {
                    out += "\\ufffd";
                }
        }
        text.remove_prefix(used);
    }
    out += '"';
}

char* WriteShortest(char* first, char* last, double value) {
    if (!std::isfinite(value)) return first;
    // Whole numbers below 100000 print as integers, which is also what the
    // shortest form chooses for them (from 100000 on, "1e+05" is shorter),
    // and much quicker to make.
    if (value == std::trunc(value) && std::fabs(value) < 100000 && !(value == 0 && std::signbit(value))) {
        const auto [end, ec] = std::to_chars(first, last, static_cast<std::int64_t>(value));
        return ec == std::errc{} ? end : first;
    }
    const auto [end, ec] = std::to_chars(first, last, value);
    return ec == std::errc{} ? end : first;
}

void AppendShortest(std::string& out, double value) {
    char buffer[32];
    out.append(buffer, WriteShortest(buffer, buffer + sizeof buffer, value));
}

void AppendJsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    AppendShortest(out, value);
}

}  // namespace velmora::cli

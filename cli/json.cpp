#include "cli/json.h"

#include <algorithm>
#include <array>
#include <bit>
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

// The shortest round-trip text of a value that is a whole number over a
// small power of two (whole millimetres give many: 6694780.5, 153903), made
// without the general algorithm, in the form std::to_chars chooses: the
// value's exact decimal digits when there are at most 15 (no shorter digit
// string is within half an ulp of it then), fixed or scientific notation,
// whichever is shorter, fixed when both are as long. Nothing for other values
// (and zero); `out` must hold 32 characters.
char* WriteShortDyadic(char* out, double value) {
    constexpr int kMaxHalvings = 20;
    // magnitude = mantissa·2^binary exactly, the mantissa odd.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0 || biased == 0x7FF) return nullptr;  // zero, subnormal or not finite
    mantissa |= std::uint64_t{1} << 52;
    int binary = biased - 1075;
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    binary += zeros;
    // A whole number below 2^53, or one over 2^j with j up to kMaxHalvings.
    if (binary >= 0 && (binary > 52 || mantissa >= (std::uint64_t{1} << (53 - binary)))) return nullptr;
    if (binary < -kMaxHalvings) return nullptr;
    const int j = binary < 0 ? -binary : 0;
    // magnitude = mantissa·5^j / 10^j
    static constexpr auto kFives = [] {
        std::array<std::uint64_t, kMaxHalvings + 1> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 5;
        return p;
    }();
    std::uint64_t digits = 0;
    if (__builtin_mul_overflow(binary >= 0 ? mantissa << binary : mantissa,
                               kFives[static_cast<std::size_t>(j)], &digits))
        return nullptr;
    int exponent = -j;  // magnitude = digits·10^exponent
    while (digits % 10 == 0) {
        digits /= 10;
        ++exponent;
    }
    char text[20];
    int count = 0;
    for (std::uint64_t d = digits; d > 0; d /= 10) text[19 - count++] = static_cast<char>('0' + d % 10);
    if (count > 15) return nullptr;
    const char* first = text + 20 - count;
    const int scientific = count - 1 + exponent;  // magnitude = d.ddd·10^scientific
    const int fixedLength = exponent >= 0     ? count + exponent
                            : scientific >= 0 ? count + 1
                                              : count + 1 - scientific;
    const int power = scientific < 0 ? -scientific : scientific;
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + (power >= 100 ? 3 : 2);

    if (value < 0) *out++ = '-';
    if (fixedLength <= scientificLength) {
        if (exponent >= 0) {  // ddd000
            out = std::copy(first, first + count, out);
            out = std::fill_n(out, exponent, '0');
        } else if (scientific >= 0) {  // ddd.ddd
            out = std::copy(first, first + scientific + 1, out);
            *out++ = '.';
            out = std::copy(first + scientific + 1, first + count, out);
        } else {  // 0.000ddd
            *out++ = '0';
            *out++ = '.';
            out = std::fill_n(out, -scientific - 1, '0');
            out = std::copy(first, first + count, out);
        }
        return out;
    }
    *out++ = first[0];
    if (count > 1) {
        *out++ = '.';
        out = std::copy(first + 1, first + count, out);
    }
    *out++ = 'e';
    *out++ = scientific < 0 ? '-' : '+';
    if (power >= 100) *out++ = static_cast<char>('0' + power / 100);
    *out++ = static_cast<char>('0' + power / 10 % 10);
    *out++ = static_cast<char>('0' + power % 10);
    return out;
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
    if (char* end = WriteShortDyadic(first, value)) return end;
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

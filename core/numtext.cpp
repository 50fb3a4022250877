#include "core/numtext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace velmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A Japanese input method types digits, signs, the decimal point and the
// exponent letter in their full-width forms, and a minus as U+2212; each
// reads as its ASCII twin. Every other character is kept as it is (and fails
// the number form below unless it is ASCII already).
std::string AsciiNumberForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)) {
            // U+FF00 to U+FF7F: EF BC 80..BF is U+FF00..FF3F, EF BD 80..BF is U+FF40..FF7F.
            const unsigned code = 0xFF00u + (byte(1) == 0xBD ? 0x40u : 0u) + (byte(2) & 0x3Fu);
            const bool number = (code >= 0xFF10 && code <= 0xFF19) || code == 0xFF0B || code == 0xFF0C ||
                                code == 0xFF0D || code == 0xFF0E || code == 0xFF25 || code == 0xFF45;
            if (number && byte(2) >= 0x80 && byte(2) <= 0xBF) {
                out += static_cast<char>(code - 0xFF00 + 0x20);  // U+FF01..FF5E mirror U+0021..007E
                i += 3;
                continue;
            }
        }
        if (i + 2 < text.size() && byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) {  // U+2212
            out += '-';
            i += 3;
            continue;
        }
        out += text[i++];
    }
    return out;
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Checks the number form and rewrites it in the C form that from_chars reads:
// no blanks, no leading '+', '.' as the decimal point. Empty on a bad form.
std::string NormaliseAscii(std::string_view text, char decimalSeparator) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;

    std::string out;
    out.reserve(end - begin);
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            out += c;
            ++digits;
        } else if (c == decimalSeparator && !point) {
            out += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
        int exponentDigits = 0;
        for (; i < end && IsDigit(text[i]); ++i, ++exponentDigits) out += text[i];
        if (exponentDigits == 0) return {};
    }
    if (i != end) return {};
    return out;
}

std::string Normalise(std::string_view text, char decimalSeparator) {
    if (!HasNonAscii(text)) return NormaliseAscii(text, decimalSeparator);
    return NormaliseAscii(AsciiNumberForms(text), decimalSeparator);
}

template <typename T>
std::optional<T> Parse(std::string_view text, char decimalSeparator) {
    const std::string form = Normalise(text, decimalSeparator);
    if (form.empty()) return std::nullopt;
    const char* first = form.data();
    const char* last = form.data() + form.size();
    T value{};
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc{} && ptr == last) return value;
    if (ec != std::errc::result_out_of_range) return std::nullopt;
    // Out of range: too large fails; too small rounds to zero, which is no error.
    // A long double holds every exponent a float or double text can reach here
    // short of absurd ones; those that overflow it too are certainly too large.
    long double wide{};
    const auto [wptr, wec] = std::from_chars(first, last, wide);
    const bool tiny = (wec == std::errc{} && std::fabs(wide) < 1.0L) ||
                      (wec == std::errc::result_out_of_range && form.find("e-") != std::string::npos);
    if (!tiny) return std::nullopt;
    return form.front() == '-' ? -T{0} : T{0};
}

template <typename T>
std::string Format(T value, int significantDigits, char decimalSeparator) {
    if (value == 0) return "0";  // also for -0
    char buffer[64];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
    std::string text(buffer, ec == std::errc{} ? ptr : buffer);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
        else if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

// A float with 7 significant digits in the same text as Format(value, 7, …),
// made with integer arithmetic: the float is m·2^q exactly, so its decimal
// digits come from one multiplication or division and a shift, rounded half
// to even on the exact value as printf rounds. Nothing when the value lies
// beyond the range the 128-bit arithmetic covers (below 1e-25, or not
// finite); the general path then makes the text.
std::optional<std::string> SevenDigitsOfSingle(float value, char decimalSeparator) {
    __extension__ typedef unsigned __int128 U128;
    const float magnitude = std::fabs(value);
    if (!(magnitude >= 1e-25f) || !std::isfinite(magnitude)) return std::nullopt;
    // magnitude = m·2^q exactly, m < 2^24; a subnormal float is below 1e-25
    const auto bits = std::bit_cast<std::uint32_t>(magnitude);
    const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
    int q = static_cast<int>(bits >> 23) - 150;

    static constexpr auto kPowers = [] {
        std::array<U128, 39> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
        return p;
    }();
    // The decimal exponent e with 10^e <= magnitude < 10^(e+1): a guess
    // from the binary exponent, corrected by the digits it gives.
    // (x·78913) >> 18 is ⌊x·log10 2⌋ for the exponents of a float.
    int e = (((q + 24) * 78913) >> 18) - 1;
    std::uint64_t digits = 0;  // the 7 significant digits, rounded
    for (int attempt = 0;; ++attempt) {
        if (attempt > 3) return std::nullopt;
        // digits = m·2^q / 10^(e−6), with the remainder compared to half a unit.
        const int scale = 6 - e;  // multiply by 10^scale (or divide by 10^−scale)
        U128 numerator = m, denominatorTimes2 = 2;
        int shift = q;  // numerator·2^shift / denominator
        if (scale >= 0) {
            if (scale > 31) return std::nullopt;
            numerator *= kPowers[static_cast<std::size_t>(scale)];
        } else {
            if (-scale > 38) return std::nullopt;
            denominatorTimes2 = kPowers[static_cast<std::size_t>(-scale)] * 2;
        }
        if (shift > 0) {
            if (shift > 100 || (numerator >> (127 - shift)) != 0) return std::nullopt;
            numerator <<= shift;
            shift = 0;
        }
        // quotient and twice the remainder of numerator / (2^−shift · denominator)
        U128 quotient, twiceRemainder, twiceUnit;
        if (shift < 0) {
            const int s = -shift;
            if (s > 120 || denominatorTimes2 != 2) return std::nullopt;  // a shift alone when scaling up
            quotient = numerator >> s;
            twiceRemainder = (numerator - (quotient << s)) << 1;
            twiceUnit = U128{1} << s;
        } else if (const U128 denominator = denominatorTimes2 / 2;
                   (numerator >> 63) == 0 && (denominator >> 63) == 0) {
            // The common case fits 64 bits, where division is a single instruction.
            const auto n64 = static_cast<std::uint64_t>(numerator),
                       d64 = static_cast<std::uint64_t>(denominator);
            quotient = n64 / d64;
            twiceRemainder = U128{n64 % d64} * 2;
            twiceUnit = denominator;
        } else {
            quotient = numerator / denominator;
            twiceRemainder = (numerator - quotient * denominator) * 2;
            twiceUnit = denominator;
        }
        if (quotient >= 10000000) {
            ++e;
            continue;
        }
        if (quotient < 1000000) {
            --e;
            continue;
        }
        digits = static_cast<std::uint64_t>(quotient);
        if (twiceRemainder > twiceUnit || (twiceRemainder == twiceUnit && (digits & 1) != 0)) ++digits;
        if (digits == 10000000) {
            digits = 1000000;
            ++e;
        }
        break;
    }

    char text[7];
    for (int i = 6; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int length = 7;
    while (length > 1 && text[length - 1] == '0') --length;

    std::string out;
    out.reserve(16);
    if (value < 0) out += '-';
    if (e < -4 || e >= 7) {  // d.dddddE±XX
        out += text[0];
        if (length > 1) {
            out += decimalSeparator;
            out.append(text + 1, static_cast<std::size_t>(length - 1));
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        const int power = e < 0 ? -e : e;
        out += static_cast<char>('0' + power / 10);
        out += static_cast<char>('0' + power % 10);
    } else if (e < 0) {  // 0.000ddd
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out.append(text, static_cast<std::size_t>(length));
    } else {  // ddd.ddd
        const int whole = e + 1;
        out.append(text, static_cast<std::size_t>(std::min(whole, 7)));
        if (length > whole) {
            out += decimalSeparator;
            out.append(text + whole, static_cast<std::size_t>(length - whole));
        }
    }
    return out;
}

}  // namespace

std::optional<float> TextToSingle(std::string_view text, char decimalSeparator) {
    return Parse<float>(text, decimalSeparator);
}

std::optional<double> TextToDouble(std::string_view text, char decimalSeparator) {
    return Parse<double>(text, decimalSeparator);
}

std::string SingleToText(float value, char decimalSeparator) {
    if (auto text = SevenDigitsOfSingle(value, decimalSeparator)) return std::move(*text);
    return Format(value, 7, decimalSeparator);
}

std::string DoubleToText(double value, char decimalSeparator) { return Format(value, 15, decimalSeparator); }

std::string ShortText(double value, char decimalSeparator) { return Format(value, 7, decimalSeparator); }

}  // namespace velmora

#include "core/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace velmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the number form and rewrites it in the C form that from_chars reads:
// no blanks, no leading '+', '.' as the decimal point. Empty on a bad form.
std::string Normalise(std::string_view text, char decimalSeparator) {
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

}  // namespace

std::optional<float> TextToSingle(std::string_view text, char decimalSeparator) {
    return Parse<float>(text, decimalSeparator);
}

std::optional<double> TextToDouble(std::string_view text, char decimalSeparator) {
    return Parse<double>(text, decimalSeparator);
}

std::string SingleToText(float value, char decimalSeparator) { return Format(value, 7, decimalSeparator); }

std::string DoubleToText(double value, char decimalSeparator) { return Format(value, 15, decimalSeparator); }

std::string ShortText(double value, char decimalSeparator) { return Format(value, 7, decimalSeparator); }

}  // namespace velmora

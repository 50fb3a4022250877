// Text to number and number to text, as the calculator reads and shows numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Accepts optional blanks, an optional sign, digits with at most one decimal
// separator (at least one digit in all), an optional exponent (e or E, optional
// sign, digits) and optional blanks. Full-width digits, point, comma, plus,
// minus and E/e, and the minus sign U+2212, read as their ASCII forms (as a
// Japanese input method types them). Anything else fails, and so does a value
// outside the range of the target type. A value too small for the type becomes
// the nearest representable value (down to zero) and does not fail.
std::optional<float> TextToSingle(std::string_view text, char decimalSeparator = '.');
std::optional<double> TextToDouble(std::string_view text, char decimalSeparator = '.');

// At most 7 (single) or 15 (double) significant digits, no trailing zeros,
// exponent form "1.234568E+07" for large and small magnitudes (like %.7G / %.15G).
std::string SingleToText(float value, char decimalSeparator = '.');
std::string DoubleToText(double value, char decimalSeparator = '.');
// A double shown the way SingleToText shows a single: at most 7 significant
// digits of the double itself (exact ties to even), the same forms.
std::string ShortText(double value, char decimalSeparator = '.');

}  // namespace velmora

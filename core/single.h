// Rounding a double-precision result to the single precision it is stored in.
#pragma once

#include <cmath>

namespace velmora {

// The smallest magnitude that rounds to infinity in single precision: the
// midpoint between the largest float and 2^128, which rounds to even (upwards).
inline constexpr double kSingleOverflowThreshold = 0x1.ffffffp+127;

// True when the value is finite and stays finite when rounded to single precision.
inline bool FitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) < kSingleOverflowThreshold;
}

}  // namespace velmora

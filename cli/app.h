// The whole program behind main(), with its streams passed in for tests.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitIncomplete = 1;  // a message, a section error, a bad row
inline constexpr int kExitUsage = 2;

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace velmora::cli

// The whole program behind main(), with its streams passed in for tests.
#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string_view>

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitIncomplete = 1;  // a message, a section error, a bad row
inline constexpr int kExitUsage = 2;

// How a batch is spread over threads: rows are read in chunks, computed on
// `threads` workers (0: all on the calling thread) and written in input order.
// A batch of one chunk or less stays on the calling thread.
struct BatchSettings {
    std::size_t chunkRows = 512;
    int threads = 2;
};

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err,
        const BatchSettings& batch = {});

}  // namespace velmora::cli

// Feeds velmora-cli arbitrary command lines and batch files. The input is the
// arguments, one per line, then an empty line, then standard input. Checks
// that every run ends with a known status and never leaves a partial record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/app.h"
#include "cli/args.h"
#include "tests/fuzz/require.h"

using namespace velmora::cli;

namespace {

std::string Drain(std::FILE* f, char*& buffer, std::size_t& size) {
    std::fclose(f);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t split = all.find("\n\n");
    const std::string_view argText = all.substr(0, split);
    const std::string_view input =
        split == std::string_view::npos ? std::string_view{} : all.substr(split + 2);

    std::vector<std::string_view> args;
    for (std::string_view rest = argText; !rest.empty() && args.size() < 64;) {
        const std::size_t end = rest.find('\n');
        args.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }

    // The parser alone, then the whole program; a batch reads only the input
    // given here, never a file named by the fuzzer.
    const ParseResult parsed = ParseArguments(args);
    if (const Request* r = std::get_if<Request>(&parsed); r && r->mode == Mode::Batch && r->batchFile != "-")
        return 0;

    std::string stdinCopy(input);
    std::FILE* in = fmemopen(stdinCopy.data(), stdinCopy.size(), "rb");
    if (stdinCopy.empty()) in = std::fopen("/dev/null", "rb");
    char* outBuffer = nullptr;
    char* errBuffer = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&outBuffer, &outSize);
    std::FILE* err = open_memstream(&errBuffer, &errSize);
    Require(in && out && err, "streams open");

    const int status = Run(args, in, out, err);
    std::fclose(in);
    const std::string output = Drain(out, outBuffer, outSize);
    const std::string errors = Drain(err, errBuffer, errSize);

    Require(status == kExitOk || status == kExitIncomplete || status == kExitUsage, "a known exit status");
    if (status == kExitUsage) {
        Require(output.empty(), "a usage error prints nothing on standard output");
        Require(errors.find("usage: velmora-cli") != std::string::npos, "a usage error shows the usage");
    }
    // Every record and every message ends its line: nothing is left half written.
    Require(output.empty() || output.back() == '\n', "output ends with a whole record");
    Require(errors.empty() || errors.back() == '\n', "messages end with a whole line");
    if (std::get_if<Request>(&parsed) && std::get<Request>(parsed).format == Format::Jsonl) {
        for (std::size_t start = 0; start < output.size();) {
            const std::size_t end = output.find('\n', start);
            Require(output[start] == '{' && output[end - 1] == '}', "each JSON line is one object");
            start = end + 1;
        }
    }
    return 0;
}

// velmora-cli: the calculator's results for one section given on the command
// line, or for every row of a CSV batch.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/app.h"

int main(int argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return velmora::cli::Run(args, stdin, stdout, stderr);
}

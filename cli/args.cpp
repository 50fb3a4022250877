#include "cli/args.h"

#include <algorithm>
#include <array>

#include "core/units.h"

namespace velmora::cli {

const std::string_view kUsage =
    "usage: velmora-cli [OPTIONS] SHAPE [VALUE...]\n"
    "       velmora-cli [OPTIONS] --batch FILE\n"
    "       velmora-cli --list | --help | --version\n";

bool IsUnitSuffix(std::string_view text) {
    const auto units = Units();
    return std::any_of(units.begin(), units.end(), [&](const Unit& u) { return u.suffix == text; });
}

namespace {

struct FormatName {
    std::string_view name;
    Format format;
};
constexpr std::array<FormatName, 5> kFormats{{{"text", Format::Text},
                                              {"tsv", Format::Tsv},
                                              {"csv", Format::Csv},
                                              {"json", Format::Json},
                                              {"jsonl", Format::Jsonl}}};

bool LooksNegativeNumber(std::string_view token) {
    if (token.size() < 2 || token[0] != '-') return false;
    const char c = token[1];
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> args) : args_(args) {}

    ParseResult run() {
        std::vector<std::string> positional;
        bool help = false, version = false, list = false;
        std::optional<std::string> batch;
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size(); ++index_) {
            const std::string_view arg = args_[index_];
            if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-' || LooksNegativeNumber(arg)) {
                positional.emplace_back(arg);
                continue;
            }
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            // "--name=value" or "--name value".
            std::string_view name = arg;
            std::optional<std::string_view> inlineValue;
            if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
            const auto flag = [&](bool& target) -> bool {
                if (inlineValue) return fail("option " + std::string(name) + " takes no value");
                target = true;
                return true;
            };
            bool ok = true;
            if (name == "--help" || name == "-h") {
                ok = flag(help);
            } else if (name == "--version") {
                ok = flag(version);
            } else if (name == "--list") {
                ok = flag(list);
            } else if (name == "--thin-wall") {
                ok = flag(request_.thinWall);
            } else if (name == "--all") {
                ok = flag(request_.all);
            } else if (name == "--torsion") {
                ok = flag(request_.torsion);
            } else if (name == "--decimal-comma") {
                ok = flag(request_.decimalComma);
            } else if (name == "--unit" || name == "--display-unit") {
                const auto value = take(name, inlineValue);
                if (!value) return error_;
                if (!IsUnitSuffix(*value))
                    return UsageError{"unknown unit '" + std::string(*value) +
                                      "' (m, cm, mm, 尺, 寸, 分, in, ft)"};
                if (name == "--unit")
                    request_.unit = std::string(*value);
                else
                    request_.displayUnit = std::string(*value);
            } else if (name == "--format") {
                const auto value = take(name, inlineValue);
                if (!value) return error_;
                const auto it = std::find_if(kFormats.begin(), kFormats.end(),
                                             [&](const FormatName& f) { return f.name == *value; });
                if (it == kFormats.end())
                    return UsageError{"unknown format '" + std::string(*value) +
                                      "' (text, tsv, csv, json, jsonl)"};
                request_.format = it->format;
            } else if (name == "--encoding") {
                const auto value = take(name, inlineValue);
                if (!value) return error_;
                const auto encoding = EncodingForName(*value);
                if (!encoding)
                    return UsageError{"unknown encoding '" + std::string(*value) + "' (utf-8, cp932)"};
                request_.encoding = *encoding;
            } else if (name == "--batch") {
                const auto value = take(name, inlineValue);
                if (!value) return error_;
                if (batch) return UsageError{"--batch given twice"};
                batch = std::string(*value);
            } else {
                return UsageError{"unknown option '" + std::string(name) + "'"};
            }
            if (!ok) return error_;
        }

        if (help) return mode(Mode::Help);
        if (version) return mode(Mode::Version);
        if (list) return mode(Mode::List);
        if (request_.displayUnit && !request_.all) return UsageError{"--display-unit needs --all"};
        if (request_.torsion && !request_.all) return UsageError{"--torsion needs --all"};
        if (request_.encoding != Encoding::Auto && !batch) return UsageError{"--encoding needs --batch"};
        if (batch) {
            if (!positional.empty())
                return UsageError{"--batch takes no SHAPE or VALUE ('" + positional.front() + "' given)"};
            request_.mode = Mode::Batch;
            request_.batchFile = *batch;
            return request_;
        }
        if (positional.empty()) return UsageError{"no SHAPE given"};
        request_.mode = Mode::Single;
        request_.shape = positional.front();
        request_.values.assign(positional.begin() + 1, positional.end());
        return request_;
    }

private:
    ParseResult mode(Mode m) {
        Request r;
        r.mode = m;
        return r;
    }

    bool fail(std::string reason) {
        error_ = UsageError{std::move(reason)};
        return false;
    }

    // The value of an option: after '=' or the next argument.
    std::optional<std::string_view> take(std::string_view name, std::optional<std::string_view> inlineValue) {
        if (inlineValue) return inlineValue;
        if (index_ + 1 >= args_.size()) {
            fail("option " + std::string(name) + " needs a value");
            return std::nullopt;
        }
        return args_[++index_];
    }

    std::span<const std::string_view> args_;
    std::size_t index_ = 0;
    Request request_;
    UsageError error_;
};

}  // namespace

ParseResult ParseArguments(std::span<const std::string_view> args) { return Parser(args).run(); }

}  // namespace velmora::cli

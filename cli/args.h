// The command line of velmora-cli, read into a request without side effects.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/encoding.h"

namespace velmora::cli {

enum class Format { Text, Tsv, Csv, Json, Jsonl };
enum class Mode { Single, Batch, List, Help, Version };

struct Request {
    Mode mode = Mode::Single;
    std::string shape;                // SHAPE as given (Single)
    std::vector<std::string> values;  // VALUEs as given (Single)
    std::string batchFile;            // "-" is standard input (Batch)
    std::string unit = "mm";          // a unit suffix
    std::optional<std::string> displayUnit;
    bool thinWall = false;
    bool all = false;
    bool torsion = false;  // with all: the torsion quantities too
    bool decimalComma = false;
    Format format = Format::Text;
    Encoding encoding = Encoding::Auto;  // of the batch file

    char decimalSeparator() const { return decimalComma ? ',' : '.'; }
    bool operator==(const Request&) const = default;
};

struct UsageError {
    std::string reason;  // one line
    bool operator==(const UsageError&) const = default;
};

using ParseResult = std::variant<Request, UsageError>;

// Reads the arguments after the program name. Options may stand anywhere
// before "--"; everything after "--" is SHAPE or a VALUE. A lone "-" and
// tokens that read as negative numbers ("-3", "-.5") are values, not options.
ParseResult ParseArguments(std::span<const std::string_view> args);

// True for the unit suffixes --unit and --display-unit accept.
bool IsUnitSuffix(std::string_view text);

extern const std::string_view kUsage;

}  // namespace velmora::cli

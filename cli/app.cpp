#include "cli/app.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/compute.h"
#include "cli/output.h"
#include "cli/section.h"
#include "velmora/version.h"

namespace velmora::cli {
namespace {

constexpr std::string_view kHelp =
    "Computes what the velmora calculator shows after Ans, for one section or a\n"
    "CSV batch, with the same core and the same number texts.\n"
    "\n"
    "SHAPE    the shape's number 0-24 or its Japanese or English name (see --list);\n"
    "         a unique prefix is enough, English names ignore case\n"
    "VALUE    the texts of the shape's entered boxes in calculator order, or\n"
    "         CAPTION=TEXT pairs (h1=8 h2=10 b1=4 b2=6); read as the calculator\n"
    "         reads them. A value that starts with '-' followed by a digit is a\n"
    "         value; '--' ends the options.\n"
    "\n"
    "Options (before or after SHAPE):\n"
    "  --unit U          unit label of the results: m, cm, mm, 尺, 寸, 分, in, ft\n"
    "                    (default mm). The unit is always chosen, so the\n"
    "                    calculator's unit question never arises.\n"
    "  --thin-wall       tick the shape's '\"t\"を用いる' option (shapes 12, 15, 16-18;\n"
    "                    other shapes have none and ignore it)\n"
    "  --decimal-comma   read and write numbers with a decimal comma (4,5)\n"
    "  --all             also every property of the section\n"
    "  --display-unit U  with --all: convert the properties to unit U\n"
    "  --format F        text (default), tsv, csv, json, jsonl\n"
    "  --batch FILE      one section per CSV row; FILE '-' is standard input.\n"
    "                    Header: shape, then the captions or v1, v2, ...,\n"
    "                    optionally unit and thin_wall (1/0). A bad row gives an\n"
    "                    error record naming its line and the batch goes on.\n"
    "  --list            every shape: number, names, entered boxes\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 every value computed; 1 a message of the calculator, a\n"
    "section error or a bad batch row (said on standard error); 2 a usage error.\n"
    "\n"
    "Example: velmora-cli 16 h1=8 h2=10 b1=4 b2=6 --thin-wall\n";

int Usage(std::FILE* err, std::string_view reason) {
    std::fprintf(err, "velmora-cli: %.*s\n%.*s", static_cast<int>(reason.size()), reason.data(),
                 static_cast<int>(kUsage.size()), kUsage.data());
    return kExitUsage;
}

void Say(std::FILE* err, long line, std::string_view what) {
    if (line > 0)
        std::fprintf(err, "velmora-cli: line %ld: %.*s\n", line, static_cast<int>(what.size()), what.data());
    else
        std::fprintf(err, "velmora-cli: %.*s\n", static_cast<int>(what.size()), what.data());
}

// Says on standard error why a record is not complete; true when it is.
bool Report(const Record& record, long line, std::FILE* err) {
    const CalculatorView& c = record.calculator;
    if (!c.thicknessMessage.empty()) Say(err, line, c.thicknessMessage);
    if (!c.message.empty()) Say(err, line, c.message);
    if (record.properties && !record.properties->values) Say(err, line, record.properties->sectionError);
    return record.complete();
}

void List(std::FILE* out) {
    std::string text;
    for (const ShapeEntry& shape : AllShapes()) {
        text += std::to_string(shape.index) + '\t' + std::string(shape.japaneseName) + '\t' +
                std::string(shape.name) + '\t' + EnteredCaptions(shape);
        if (HasThinWall(shape)) {
            text += "\t--thin-wall fills:";
            for (const InputSlot& slot : shape.derived) text += " " + std::string(slot.caption);
        }
        text += '\n';
    }
    std::fwrite(text.data(), 1, text.size(), out);
}

int Single(const Request& request, const Options& options, std::FILE* out, std::FILE* err) {
    auto found = LookupShape(request.shape);
    if (auto* reason = std::get_if<std::string>(&found)) return Usage(err, *reason);
    const ShapeEntry* shape = std::get<const ShapeEntry*>(found);
    auto bound = BindValues(*shape, request.values);
    if (auto* reason = std::get_if<std::string>(&bound)) return Usage(err, *reason);

    Section section{shape, std::get<InputTexts>(bound), request.unit, request.thinWall};
    const Record record = Compute(section, options);
    Sink sink(out);
    auto writer = MakeWriter(request.format, options, false, sink);
    writer->record(record, 0);
    writer->finish();
    const bool complete = Report(record, 0, err);
    if (!sink.flush()) {
        Say(err, 0, std::string("cannot write the output: ") + std::strerror(errno));
        return kExitIncomplete;
    }
    return complete ? kExitOk : kExitIncomplete;
}

int Batch(const Request& request, const Options& options, std::FILE* in, std::FILE* out, std::FILE* err) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, &std::fclose);
    std::FILE* stream = in;
    if (request.batchFile != "-") {
        file.reset(std::fopen(request.batchFile.c_str(), "rb"));
        if (!file) return Usage(err, "cannot open '" + request.batchFile + "': " + std::strerror(errno));
        stream = file.get();
    }
    CsvReader reader(stream);
    std::vector<std::string> fields;
    long line = 0;
    std::string error;
    if (!reader.next(fields, line, error)) {
        if (reader.readFailed()) return Usage(err, "cannot read '" + request.batchFile + "'");
        return Usage(err, "the batch '" + request.batchFile + "' has no header row");
    }
    if (!error.empty()) return Usage(err, "line 1: " + error);
    auto header = ReadHeader(fields);
    if (auto* reason = std::get_if<std::string>(&header)) return Usage(err, *reason);

    Sink sink(out);
    auto writer = MakeWriter(request.format, options, true, sink);
    bool complete = true;
    while (!sink.failed() && reader.next(fields, line, error)) {
        if (!error.empty()) {
            writer->error(line, error);
            Say(err, line, error);
            complete = false;
            continue;
        }
        auto row = ReadRow(std::get<BatchHeader>(header), fields, request.unit, request.thinWall);
        if (auto* reason = std::get_if<std::string>(&row)) {
            writer->error(line, *reason);
            Say(err, line, *reason);
            complete = false;
            continue;
        }
        const Record record = Compute(std::move(std::get<Section>(row)), options);
        writer->record(record, line);
        if (!Report(record, line, err)) complete = false;
    }
    if (reader.readFailed()) {
        Say(err, 0, "cannot read '" + request.batchFile + "' to its end");
        complete = false;
    }
    writer->finish();
    if (!sink.flush()) {
        Say(err, 0, std::string("cannot write the output: ") + std::strerror(errno));
        return kExitIncomplete;
    }
    return complete ? kExitOk : kExitIncomplete;
}

}  // namespace

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err) {
    const ParseResult parsed = ParseArguments(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) return Usage(err, usage->reason);
    const Request& request = std::get<Request>(parsed);
    switch (request.mode) {
        case Mode::Help:
            std::fprintf(out, "%.*s\n%.*s", static_cast<int>(kUsage.size()), kUsage.data(),
                         static_cast<int>(kHelp.size()), kHelp.data());
            return std::fflush(out) == 0 ? kExitOk : kExitIncomplete;
        case Mode::Version:
            std::fprintf(out, "velmora-cli %s\n", kVersion);
            return std::fflush(out) == 0 ? kExitOk : kExitIncomplete;
        case Mode::List: List(out); return std::fflush(out) == 0 ? kExitOk : kExitIncomplete;
        case Mode::Single:
        case Mode::Batch: break;
    }
    Options options;
    options.decimalSeparator = request.decimalSeparator();
    options.all = request.all;
    options.displayUnit = request.displayUnit;
    if (request.mode == Mode::Batch) return Batch(request, options, in, out, err);
    return Single(request, options, out, err);
}

}  // namespace velmora::cli

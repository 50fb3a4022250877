#include "cli/app.h"

#include <algorithm>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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
    "  --all             also every property of the section (table columns\n"
    "                    property_A, property_Ix, ...: at most 15 digits)\n"
    "  --display-unit U  with --all: convert the properties to unit U\n"
    "  --torsion         with --all: also the torsion constant J, the shear centre\n"
    "                    xs, ys (from the centroid), the warping constant Iw and the\n"
    "                    torsional section modulus Zt (none at a sharp inner corner:\n"
    "                    Zt_reason says why), from closed forms or a finite-element\n"
    "                    solution refined until each is right to 1e-7\n"
    "  --format F        text (default), tsv, csv, json, jsonl\n"
    "  --batch FILE      one section per CSV row; FILE '-' is standard input.\n"
    "                    Header: shape, then the captions or v1, v2, ...,\n"
    "                    optionally unit and thin_wall (1/0). A bad row gives an\n"
    "                    error record naming its line and the encoding it was\n"
    "                    read in, and the batch goes on.\n"
    "  --encoding E      of the batch: utf-8 or cp932 (Shift_JIS). Default: UTF-8,\n"
    "                    or CP932 when the file is not valid UTF-8.\n"
    "  --list            every shape: number, names, entered boxes\n"
    "  --help, --version\n"
    "\n"
    "Every record is checked as the details window checks it: a section that is\n"
    "not real carries section_error (the Japanese line), section_error_code (for\n"
    "instance inner_not_smaller) and section_error_slots (b1 b2); the calculator's\n"
    "figures are still given. Beside the calculator k² is written in length².\n"
    "Full-width digits, signs, point and E read as their ASCII forms.\n"
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

// One message line for standard error, appended to `err`.
void Say(std::string& err, long line, std::string_view what) {
    err += "velmora-cli: ";
    if (line > 0) {
        err += "line ";
        err += std::to_string(line);
        err += ": ";
    }
    err += what;
    err += '\n';
}

void Say(std::FILE* err, long line, std::string_view what) {
    std::string text;
    Say(text, line, what);
    std::fwrite(text.data(), 1, text.size(), err);
}

// Adds to `err` why a record is not complete; true when it is.
bool Report(const Record& record, long line, std::string& err) {
    const CalculatorView& c = record.calculator;
    if (!c.thicknessMessage.empty()) Say(err, line, c.thicknessMessage);
    if (!c.message.empty()) Say(err, line, c.message);
    if (record.sectionError) Say(err, line, record.sectionError->message);
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
    std::string messages;
    const bool complete = Report(record, 0, messages);
    std::fwrite(messages.data(), 1, messages.size(), err);
    if (!sink.flush()) {
        Say(err, 0, std::string("cannot write the output: ") + std::strerror(errno));
        return kExitIncomplete;
    }
    return complete ? kExitOk : kExitIncomplete;
}

// Rows of a batch as read, and what they give once computed.
struct Chunk {
    struct Row {
        long line = 0;
        std::string error;  // a malformed record
        std::vector<std::string> fields;
    };
    std::vector<Row> rows;  // the first `count` are this chunk's; the rest are kept for reuse
    std::size_t count = 0;
    long firstRecord = 0;  // records of the batch before this chunk
    std::string out;       // the chunk's records
    std::string err;       // its messages for standard error
    bool complete = true;
    bool done = false;  // computed (guarded by the queue's mutex)
};

// Reads up to `rows` records into the chunk; false when the input has ended.
bool Fill(Chunk& chunk, CsvReader& reader, std::size_t rows, long& records) {
    chunk.count = 0;
    chunk.firstRecord = records;
    if (chunk.rows.size() < rows) chunk.rows.resize(rows);
    bool more = true;
    while (chunk.count < rows) {
        Chunk::Row& row = chunk.rows[chunk.count];
        if (!reader.next(row.fields, row.line, row.error)) {
            more = false;
            break;
        }
        ++chunk.count;
    }
    records += static_cast<long>(chunk.count);
    return more;
}

// Computes chunks; the same for every chunk and thread.
struct BatchJob {
    const BatchHeader& header;
    const Request& request;
    const Options& options;
    std::string_view readAs;  // " (read as CP932)": said with every bad row

    void process(Chunk& chunk) const {
        Sink sink;
        sink.buffer().swap(chunk.out);  // reuses the chunk's last buffer
        sink.buffer().clear();
        chunk.err.clear();
        chunk.complete = true;
        auto writer = MakeWriter(request.format, options, true, sink, false);
        writer->skip(chunk.firstRecord);
        for (std::size_t i = 0; i < chunk.count; ++i) {
            const Chunk::Row& row = chunk.rows[i];
            if (!row.error.empty()) {
                bad(chunk, *writer, row.line, row.error);
                continue;
            }
            auto bound = ReadRow(header, row.fields, request.unit, request.thinWall);
            if (auto* reason = std::get_if<std::string>(&bound)) {
                bad(chunk, *writer, row.line, *reason);
                continue;
            }
            const Record record = Compute(std::move(std::get<Section>(bound)), options);
            writer->record(record, row.line);
            if (!Report(record, row.line, chunk.err)) chunk.complete = false;
        }
        sink.buffer().swap(chunk.out);
    }

    void bad(Chunk& chunk, Writer& writer, long line, const std::string& reason) const {
        const std::string said = reason + std::string(readAs);
        writer.error(line, said);
        Say(chunk.err, line, said);
        chunk.complete = false;
    }
};

// Where the batch is read from, once its encoding is known: a file is checked
// and read again from its start; standard input is kept in a temporary file
// while it is checked.
struct BatchInput {
    std::FILE* stream = nullptr;
    Encoding encoding = Encoding::Utf8;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> kept{nullptr, &std::fclose};
};

bool Detect(BatchInput& input, bool rewindable) {
    Utf8Validator validator;
    char buffer[1 << 16];
    std::FILE* copy = nullptr;
    if (!rewindable) {
        input.kept.reset(std::tmpfile());
        copy = input.kept.get();
        if (!copy) return false;
    }
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, input.stream);
        if (got == 0) break;
        validator.feed(std::string_view(buffer, got));
        if (copy && std::fwrite(buffer, 1, got, copy) != got) return false;
    }
    if (std::ferror(input.stream)) return false;
    if (copy) input.stream = copy;
    if (std::fseek(input.stream, 0, SEEK_SET) != 0) return false;
    input.encoding = validator.valid() ? Encoding::Utf8 : Encoding::Cp932;
    return true;
}

// Worker threads taking chunks in the order they are pushed.
class ChunkQueue {
public:
    ChunkQueue(const BatchJob& job, int threads) : job_(job) {
        for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { work(); });
    }
    ~ChunkQueue() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        ready_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }
    ChunkQueue(const ChunkQueue&) = delete;
    ChunkQueue& operator=(const ChunkQueue&) = delete;

    void push(Chunk& chunk) {
        {
            std::lock_guard lock(mutex_);
            chunk.done = false;
            pending_.push_back(&chunk);
        }
        ready_.notify_one();
    }

    void wait(Chunk& chunk) {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return chunk.done; });
    }

private:
    void work() {
        for (;;) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock lock(mutex_);
                ready_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
                if (pending_.empty()) return;
                chunk = pending_.front();
                pending_.pop_front();
            }
            job_.process(*chunk);
            {
                std::lock_guard lock(mutex_);
                chunk->done = true;
            }
            done_.notify_all();
        }
    }

    const BatchJob& job_;
    std::mutex mutex_;
    std::condition_variable ready_, done_;
    std::deque<Chunk*> pending_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

int Batch(const Request& request, const Options& options, std::FILE* in, std::FILE* out, std::FILE* err,
          const BatchSettings& settings) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, &std::fclose);
    std::FILE* stream = in;
    if (request.batchFile != "-") {
        file.reset(std::fopen(request.batchFile.c_str(), "rb"));
        if (!file) return Usage(err, "cannot open '" + request.batchFile + "': " + std::strerror(errno));
        stream = file.get();
    }
    BatchInput input;
    input.stream = stream;
    input.encoding = request.encoding;
    if (request.encoding == Encoding::Auto && !Detect(input, file != nullptr))
        return Usage(err, "cannot read '" + request.batchFile + "': " + std::strerror(errno));
    const std::string readAs = " (read as " + std::string(EncodingLabel(input.encoding)) + ")";
    CsvReader reader(input.stream, input.encoding);
    std::vector<std::string> fields;
    long line = 0;
    std::string error;
    if (!reader.next(fields, line, error)) {
        if (reader.readFailed()) return Usage(err, "cannot read '" + request.batchFile + "'");
        return Usage(err, "the batch '" + request.batchFile + "' has no header row");
    }
    if (!error.empty()) return Usage(err, "line 1: " + error + readAs);
    auto header = ReadHeader(fields);
    if (auto* reason = std::get_if<std::string>(&header)) return Usage(err, *reason + readAs);

    Sink sink(out);
    auto writer = MakeWriter(request.format, options, true, sink);
    BatchJob job{std::get<BatchHeader>(header), request, options, readAs};
    // A torsion solve takes milliseconds to a second, so its chunks are a few
    // rows: both workers get some of even a short batch.
    constexpr std::size_t kTorsionChunkRows = 4;
    const std::size_t chunkRows = std::max<std::size_t>(
        options.torsion ? std::min(settings.chunkRows, kTorsionChunkRows) : settings.chunkRows, 1);
    bool complete = true;
    // Writes a computed chunk: its messages, then its records.
    const auto emit = [&](Chunk& chunk) {
        if (sink.failed()) return;
        std::fwrite(chunk.err.data(), 1, chunk.err.size(), err);
        sink.writeThrough(chunk.out);
        writer->skip(static_cast<long>(chunk.count));
        if (!chunk.complete) complete = false;
    };

    // The first chunk tells whether the batch is worth the threads.
    std::vector<Chunk> slots(settings.threads > 0 ? static_cast<std::size_t>(settings.threads) + 2 : 1);
    long records = 0;
    bool more = Fill(slots[0], reader, chunkRows, records);
    if (settings.threads <= 0 || !more) {
        for (;;) {
            if (slots[0].count > 0) {
                job.process(slots[0]);
                emit(slots[0]);
            }
            if (!more || sink.failed()) break;
            more = Fill(slots[0], reader, chunkRows, records);
        }
    } else {
        // Workers compute chunks while this thread reads the next ones and
        // writes the finished ones in input order; at most slots.size()
        // chunks are held at a time.
        ChunkQueue queue(job, settings.threads);
        const std::size_t n = slots.size();
        std::size_t head = 0, inFlight = 1;
        queue.push(slots[0]);
        for (;;) {
            while (more && inFlight < n && !sink.failed()) {
                Chunk& chunk = slots[(head + inFlight) % n];
                more = Fill(chunk, reader, chunkRows, records);
                if (chunk.count == 0) break;
                queue.push(chunk);
                ++inFlight;
            }
            if (inFlight == 0) break;
            queue.wait(slots[head]);
            emit(slots[head]);
            head = (head + 1) % n;
            --inFlight;
        }
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

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err,
        const BatchSettings& batch) {
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
    options.torsion = request.torsion;
    options.displayUnit = request.displayUnit;
    if (request.mode == Mode::Batch) return Batch(request, options, in, out, err, batch);
    return Single(request, options, out, err);
}

}  // namespace velmora::cli

// The output formats. Every record is built whole in memory and then handed
// to the sink, so a stopped or failed run never leaves half a record.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/args.h"
#include "cli/compute.h"

namespace velmora::cli {

// Buffered output to a stream; remembers a failed write. Without a stream it
// only collects the text in buffer(), for a batch chunk built on a worker.
class Sink {
public:
    Sink() : stream_(nullptr) {}
    explicit Sink(std::FILE* stream) : stream_(stream) {}
    ~Sink() { flush(); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void write(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= kFlushSize) flush();
    }
    // For writers that build a record in place: append to buffer(), then
    // commit() once the record is whole (only commit() and write() flush).
    std::string& buffer() { return buffer_; }
    void commit() {
        if (buffer_.size() >= kFlushSize) flush();
    }
    bool flush();
    // Flushes the buffer, then writes text straight to the stream.
    bool writeThrough(std::string_view text);
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 16;
    std::FILE* stream_;
    std::string buffer_;
    bool failed_ = false;
};

class Writer {
public:
    virtual ~Writer() = default;
    // line: the batch line the record comes from, 0 for a single section.
    virtual void record(const Record& record, long line) = 0;
    // A batch row that could not be read or bound.
    virtual void error(long line, std::string_view reason) = 0;
    virtual void finish() {}
    // Records written elsewhere (by another writer of the same batch) that
    // count as written by this one: the separators between records follow.
    virtual void skip(long records) = 0;
};

// header: the table formats start with their header row; a writer that
// continues a batch in another sink leaves it out.
std::unique_ptr<Writer> MakeWriter(Format format, const Options& options, bool batch, Sink& sink,
                                   bool header = true);

// The unit text of the calculator's results beside the window: "mm²", "mm⁴",
// "mm³", and "mm²" for k² (a length²; the window's frame keeps the bare unit).
std::string CalculatorUnit(int result, std::string_view unit);

}  // namespace velmora::cli

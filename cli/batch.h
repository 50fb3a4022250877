// The batch file: CSV read one record at a time, its header, and each row
// bound to a section. Nothing holds more than the current row.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/compute.h"
#include "cli/encoding.h"

namespace velmora::cli {

// RFC 4180 CSV from a stream: quoted fields may hold commas, quotes ("") and
// line breaks; lines end in LF or CRLF; a UTF-8 byte order mark before the
// first record is skipped; blank lines are skipped. The stream is UTF-8, or
// CP932 converted to UTF-8 as it is read.
class CsvReader {
public:
    static constexpr std::size_t kMaxRecordBytes = 1 << 20;

    explicit CsvReader(std::FILE* stream, Encoding encoding = Encoding::Utf8);

    // The next record, false at the end of the input. `line` is the line on
    // which the record starts; `error` is set (and the record is to be
    // skipped) for a malformed record: an unterminated quote, text after a
    // closing quote, or a record longer than kMaxRecordBytes.
    bool next(std::vector<std::string>& fields, long& line, std::string& error);

    bool readFailed() const { return readFailed_; }

private:
    int get() {
        if (pos_ == end_ && !fill()) return -1;
        return static_cast<unsigned char>(data_[pos_++]);
    }
    int peek() {
        if (pos_ == end_ && !fill()) return -1;
        return static_cast<unsigned char>(data_[pos_]);
    }
    bool fill();

    std::FILE* stream_;
    char buffer_[1 << 16];
    const char* data_ = buffer_;  // buffer_, or decoded_ when converting
    std::unique_ptr<Cp932Decoder> decoder_;
    std::string decoded_;
    std::size_t pos_ = 0, end_ = 0;
    long line_ = 1;
    bool started_ = false;
    bool readFailed_ = false;
};

struct BatchColumn {
    enum Kind { Shape, Unit, ThinWall, Value, Caption } kind;
    int value = 0;        // Value: 1 for v1 …
    std::string caption;  // Caption: the box's caption
};

struct BatchHeader {
    std::vector<BatchColumn> columns;
};

// The header row, or the reason it cannot be used.
std::variant<BatchHeader, std::string> ReadHeader(const std::vector<std::string>& fields);

// One row as a section, or the reason it is bad. Empty unit and thin_wall
// cells take the command line's values.
std::variant<Section, std::string> ReadRow(const BatchHeader& header, const std::vector<std::string>& fields,
                                           const std::string& defaultUnit, bool defaultThinWall);

}  // namespace velmora::cli

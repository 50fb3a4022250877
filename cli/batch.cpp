#include "cli/batch.h"

#include <algorithm>

#include "cli/args.h"
#include "cli/section.h"

namespace velmora::cli {

CsvReader::CsvReader(std::FILE* stream, Encoding encoding) : stream_(stream) {
    if (encoding == Encoding::Cp932) {
        decoder_ = std::make_unique<Cp932Decoder>();
        data_ = decoded_.data();
    }
}

bool CsvReader::fill() {
    if (readFailed_ || !stream_) return false;
    pos_ = 0;
    if (!decoder_) {
        end_ = std::fread(buffer_, 1, sizeof buffer_, stream_);
        if (end_ == 0 && std::ferror(stream_)) readFailed_ = true;
        return end_ > 0;
    }
    // A piece may decode to nothing (half a character): read on until text comes or the input ends.
    decoded_.clear();
    while (decoded_.empty()) {
        const std::size_t got = std::fread(buffer_, 1, sizeof buffer_, stream_);
        if (got == 0 && std::ferror(stream_)) readFailed_ = true;
        decoder_->decode(std::string_view(buffer_, got), got == 0, decoded_);
        if (got == 0) break;
    }
    data_ = decoded_.data();
    end_ = decoded_.size();
    return end_ > 0;
}

bool CsvReader::next(std::vector<std::string>& fields, long& line, std::string& error) {
    if (!started_) {
        started_ = true;
        static constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
        if (peek() == kBom[0]) {
            // Only a whole mark is skipped; the buffer holds at least 3 bytes unless the input is shorter.
            if (end_ - pos_ >= 3 && static_cast<unsigned char>(data_[pos_ + 1]) == kBom[1] &&
                static_cast<unsigned char>(data_[pos_ + 2]) == kBom[2])
                pos_ += 3;
        }
    }
    for (;;) {
        std::size_t count = 0;
        std::size_t bytes = 0;
        error.clear();
        line = line_;
        int c = peek();
        if (c < 0) return false;
        if (c == '\n' || c == '\r') {  // a blank line
            get();
            if (c == '\r' && peek() == '\n') get();
            ++line_;
            continue;
        }
        const auto field = [&]() -> std::string& {
            if (count == fields.size()) fields.emplace_back();
            std::string& f = fields[count++];
            f.clear();
            return f;
        };
        const auto add = [&](std::string& f, int ch) {
            if (++bytes > kMaxRecordBytes) {
                if (error.empty()) error = "row longer than 1 MiB";
                return;
            }
            if (error.empty()) f += static_cast<char>(ch);
        };
        std::string* current = &field();
        bool quoted = false;  // inside a quoted field
        bool closed = false;  // after the closing quote of a field
        bool atStart = true;  // at the start of a field
        for (;;) {
            c = get();
            if (c < 0) {
                if (quoted && error.empty()) error = "unterminated quoted field";
                break;
            }
            if (quoted) {
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        add(*current, '"');
                    } else {
                        quoted = false;
                        closed = true;
                    }
                    continue;
                }
                if (c == '\n') ++line_;
                add(*current, c);
                continue;
            }
            if (c == ',') {
                if (count >= 4096 && error.empty()) error = "more than 4096 cells";
                current = count < 4096 ? &field() : current;
                closed = false;
                atStart = true;
                continue;
            }
            if (c == '\n' || c == '\r') {
                if (c == '\r' && peek() == '\n') get();
                ++line_;
                break;
            }
            if (c == '"' && atStart) {
                quoted = true;
                atStart = false;
                continue;
            }
            if (closed && error.empty()) error = "text after a closing quote";
            atStart = false;
            add(*current, c);
        }
        fields.resize(count);
        return true;
    }
}

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool IsEnteredCaption(std::string_view caption) {
    for (const ShapeEntry& shape : AllShapes())
        for (const InputSlot& slot : shape.entered)
            if (slot.caption == caption) return true;
    return false;
}

// "v1" to "v7": the value's position, or 0.
int ValueColumn(std::string_view name) {
    if (name.size() != 2 || name[0] != 'v' || name[1] < '1' || name[1] > '0' + kSlotCount) return 0;
    return name[1] - '0';
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

std::variant<BatchHeader, std::string> ReadHeader(const std::vector<std::string>& fields) {
    BatchHeader header;
    bool values = false, captions = false;
    for (const std::string& raw : fields) {
        const std::string_view name = Trim(raw);
        BatchColumn column{BatchColumn::Caption, 0, {}};
        if (name == "shape") {
            column.kind = BatchColumn::Shape;
        } else if (name == "unit") {
            column.kind = BatchColumn::Unit;
        } else if (name == "thin_wall") {
            column.kind = BatchColumn::ThinWall;
        } else if (const int v = ValueColumn(name)) {
            column.kind = BatchColumn::Value;
            column.value = v;
            values = true;
        } else if (IsEnteredCaption(name)) {
            column.caption = std::string(name);
            captions = true;
        } else {
            return "header: unknown column " + Quoted(name) +
                   " (shape, unit, thin_wall, v1 to v7 or the captions of the entered boxes)";
        }
        const auto same = [&](const BatchColumn& c) {
            return c.kind == column.kind && c.value == column.value && c.caption == column.caption;
        };
        if (std::any_of(header.columns.begin(), header.columns.end(), same))
            return "header: column " + Quoted(name) + " given twice";
        header.columns.push_back(std::move(column));
    }
    if (std::none_of(header.columns.begin(), header.columns.end(),
                     [](const BatchColumn& c) { return c.kind == BatchColumn::Shape; }))
        return std::string("header: no 'shape' column");
    if (values && captions) return std::string("header: use either v1, v2, … or captions, not both");
    return header;
}

std::variant<Section, std::string> ReadRow(const BatchHeader& header, const std::vector<std::string>& fields,
                                           const std::string& defaultUnit, bool defaultThinWall) {
    for (std::size_t i = header.columns.size(); i < fields.size(); ++i)
        if (!fields[i].empty()) return "more cells than columns";
    const auto cellOf = [&](std::size_t i) -> std::string_view {
        return i < fields.size() ? std::string_view(fields[i]) : std::string_view{};
    };

    Section section;
    section.unit = defaultUnit;
    section.thinWall = defaultThinWall;
    for (std::size_t i = 0; i < header.columns.size(); ++i) {
        const BatchColumn& column = header.columns[i];
        const std::string_view cell = Trim(cellOf(i));
        switch (column.kind) {
            case BatchColumn::Shape: {
                auto found = LookupShape(cell);
                if (auto* reason = std::get_if<std::string>(&found)) return *reason;
                section.shape = std::get<const ShapeEntry*>(found);
                break;
            }
            case BatchColumn::Unit:
                if (cell.empty()) break;
                if (!IsUnitSuffix(cell)) return "unknown unit " + Quoted(cell);
                section.unit = std::string(cell);
                break;
            case BatchColumn::ThinWall:
                if (cell.empty()) break;
                if (cell == "1" || cell == "true" || cell == "yes") {
                    section.thinWall = true;
                } else if (cell == "0" || cell == "false" || cell == "no") {
                    section.thinWall = false;
                } else {
                    return "thin_wall must be 1, 0, true, false, yes or no, not " + Quoted(cell);
                }
                break;
            case BatchColumn::Value:
            case BatchColumn::Caption: break;
        }
    }

    const ShapeEntry& shape = *section.shape;
    section.texts.fill("0");
    // Kept per thread: a batch binds millions of rows.
    thread_local std::vector<bool> used;
    used.assign(header.columns.size(), false);
    for (std::size_t k = 0; k < shape.entered.size(); ++k) {
        const InputSlot& slot = shape.entered[k];
        const auto it = std::find_if(header.columns.begin(), header.columns.end(), [&](const BatchColumn& c) {
            return (c.kind == BatchColumn::Value && c.value == static_cast<int>(k) + 1) ||
                   (c.kind == BatchColumn::Caption && c.caption == slot.caption);
        });
        const std::size_t index = static_cast<std::size_t>(it - header.columns.begin());
        if (it == header.columns.end() || cellOf(index).empty())
            return "no value for " + Quoted(slot.caption) + " (" + std::string(shape.name) + " takes " +
                   EnteredCaptions(shape) + ")";
        used[index] = true;
        section.texts[static_cast<std::size_t>(slot.slot - 1)] = std::string(cellOf(index));
    }
    for (std::size_t i = 0; i < header.columns.size(); ++i) {
        const BatchColumn& column = header.columns[i];
        const bool isValue = column.kind == BatchColumn::Value || column.kind == BatchColumn::Caption;
        if (!isValue || used[i] || cellOf(i).empty()) continue;
        const std::string name =
            column.kind == BatchColumn::Value ? "v" + std::to_string(column.value) : column.caption;
        return "a value in " + Quoted(name) + ", which is no input of " + std::string(shape.name) +
               " (it takes " + EnteredCaptions(shape) + ")";
    }
    return section;
}

}  // namespace velmora::cli

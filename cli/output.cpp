#include "cli/output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "cli/json.h"
#include "core/numtext.h"
#include "core/units.h"

namespace velmora::cli {

bool Sink::flush() {
    if (!stream_) return true;  // collecting only
    if (!buffer_.empty() && !failed_) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size()) failed_ = true;
    }
    buffer_.clear();
    if (!failed_ && std::fflush(stream_) != 0) failed_ = true;
    return !failed_;
}

bool Sink::writeThrough(std::string_view text) {
    if (!flush()) return false;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) failed_ = true;
    return !failed_;
}

namespace {

constexpr std::array<std::string_view, 4> kResultKeys{"A", "I", "Z", "k2"};
constexpr std::array<std::string_view, 4> kResultLabels{"A  =", "I  =", "Z  =", "k² ="};
// A property's value for the machine formats: at most 15 significant digits,
// so that a value computed as 49.99999999999999 reads 50, in the exponent
// style of every other number ("1.5E+07"); empty where it is not finite.
std::string MachineNumber(double value) { return std::isfinite(value) ? DoubleToText(value) : std::string(); }

// The captions a failed condition names, blank-separated.
std::string JoinedSlots(const SectionError& error) {
    std::string joined;
    for (const std::string_view slot : error.captions) {
        if (!joined.empty()) joined += ' ';
        joined += slot;
    }
    return joined;
}

// A torsion quantity's value, or nothing (Zt at a sharp inner corner).
std::optional<double> TorsionValue(const analysis::TorsionResult& r, analysis::TorsionProperty p) {
    if (p == analysis::TorsionProperty::Zt) return r.Zt;
    return r.value(p);
}

bool Has(SecondLine line, std::size_t i) {
    return line == SecondLine::Full || (line == SecondLine::ZOnly && i == 2);
}

// The derived boxes are worth showing when the option filled them.
bool ShowsDerived(const Section& section) { return section.thinWall && HasThinWall(*section.shape); }

// Characters, not bytes: every character of these texts takes one column.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++width;
    return width;
}

std::string_view Text(const InputTexts& texts, int slot) { return texts[static_cast<std::size_t>(slot - 1)]; }

// --- text -------------------------------------------------------------------------

class TextWriter : public Writer {
public:
    TextWriter(const Options& options, bool batch, Sink& sink)
        : options_(options), batch_(batch), sink_(sink) {}

    void record(const Record& r, long line) override {
        out_.clear();
        if (count_++ > 0) out_ += '\n';
        const ShapeEntry& shape = *r.section.shape;
        if (batch_) out_ += "line " + std::to_string(line) + ": ";
        out_ += std::to_string(shape.index) + " " + std::string(shape.japaneseName) + " (" +
                std::string(shape.name) + ")";
        for (const InputSlot& slot : shape.entered)
            out_ += "  " + std::string(slot.caption) + "=" + std::string(Text(r.calculator.texts, slot.slot));
        if (ShowsDerived(r.section)) {
            out_ += "  thin wall:";
            for (const InputSlot& slot : shape.derived)
                out_ +=
                    " " + std::string(slot.caption) + "=" + std::string(Text(r.calculator.texts, slot.slot));
        }
        out_ += '\n';
        if (!r.calculator.thicknessMessage.empty())
            out_ += "message: " + std::string(r.calculator.thicknessMessage) + '\n';
        const CalculatorView& c = r.calculator;
        for (std::size_t i = 0; i < 4; ++i) {
            if (!c.firstLine && !Has(c.second, i)) continue;
            const std::string unit = CalculatorUnit(static_cast<int>(i), r.section.unit);
            const std::size_t start = out_.size();
            out_ += kResultLabels[i];
            out_ += ' ';
            out_ += c.firstLine ? c.first[i] : std::string("-");
            out_ += ' ' + unit;
            if (Has(c.second, i)) {
                // The second line beside the first, in a column of its own.
                const std::size_t width = DisplayWidth(std::string_view(out_).substr(start));
                out_.append(width < 24 ? 24 - width : 1, ' ');
                out_ += "second line: " + c.secondTexts[i] + ' ' + unit;
            }
            out_ += '\n';
        }
        if (!c.message.empty()) out_ += "message: " + std::string(c.message) + '\n';
        if (r.sectionError) out_ += "section error: " + r.sectionError->message + '\n';
        if (r.properties) appendProperties(*r.properties);
        if (r.torsion && r.torsion->values) appendTorsion(*r.torsion, r.properties->unit);
        sink_.write(out_);
    }

    void error(long line, std::string_view reason) override {
        out_.clear();
        if (count_++ > 0) out_ += '\n';
        out_ += "line " + std::to_string(line) + ": error: " + std::string(reason) + '\n';
        sink_.write(out_);
    }

    void skip(long records) override { count_ += records; }

private:
    void appendProperties(const PropertiesView& p) {
        if (!p.values) return;  // the section error is said above
        out_ += "properties (" + p.unit + "):\n";
        for (const PropertyInfo& info : AllProperties()) {
            // As in the details window: principal axes only where they differ from x and y.
            if (info.principal && !p.values->hasPrincipalAxes()) continue;
            const double value = (*p.values)[info.property];
            out_ += "  " + std::string(info.key);
            out_.append(info.key.size() < 10 ? 10 - info.key.size() : 1, ' ');
            out_ += std::isfinite(value) ? PropertyText(value, options_.decimalSeparator) : std::string("-");
            const std::string unit = PropertyUnit(info.property, p.unit);
            if (!unit.empty()) out_ += ' ' + unit;
            out_ += "  " + std::string(info.japaneseName) + '\n';
        }
    }

    // A value whose error estimate is above its tolerance says so on its
    // line, with the estimate.
    void appendTorsion(const TorsionView& view, const std::string& unit) {
        const analysis::TorsionResult& t = *view.values;
        out_ += "torsion (";
        out_ += t.method == analysis::TorsionMethod::ClosedForm ? "closed form" : "finite elements";
        if (!t.converged) out_ += ", not converged: the values marked may be off in their last digits";
        out_ += "):\n";
        for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
            out_ += "  " + std::string(info.key);
            out_.append(info.key.size() < 10 ? 10 - info.key.size() : 1, ' ');
            const std::optional<double> value = TorsionValue(t, info.property);
            if (value) {
                out_ +=
                    PropertyText(*value, options_.decimalSeparator) + ' ' + UnitText(unit, info.lengthPower);
            } else {
                out_ += "-";
            }
            out_ += "  " + std::string(info.japaneseName);
            if (!value) out_ += ": " + std::string(analysis::kNoZtReason);
            const analysis::TorsionAccuracy& accuracy =
                view.accuracy[static_cast<std::size_t>(info.property)];
            if (value && !accuracy.withinTolerance) {
                const char separator = options_.decimalSeparator;
                out_ += "  (not to 7 digits: estimated error ±" +
                        analysis::EstimateText(accuracy.error, separator) + ' ' +
                        UnitText(unit, info.lengthPower);
                if (accuracy.relative)
                    out_ += ", relative " + analysis::EstimateText(*accuracy.relative, separator);
                out_ += ')';
            }
            out_ += '\n';
        }
    }

    Options options_;
    bool batch_;
    Sink& sink_;
    std::string out_;
    long count_ = 0;
};

// --- tsv and csv --------------------------------------------------------------------

class TableWriter : public Writer {
public:
    TableWriter(char separator, const Options& options, bool batch, Sink& sink, bool header)
        : separator_(separator), options_(options), batch_(batch), sink_(sink), out_(sink.buffer()) {
        const std::vector<std::string> names = headerNames();
        columns_ = names.size();
        if (!header) return;
        for (std::size_t i = 0; i < names.size(); ++i) cell(i, names[i]);
        out_ += '\n';
        sink_.commit();
    }

    void record(const Record& r, long line) override {
        std::size_t i = 0;
        if (batch_) {
            char digits[24];
            cell(i++, std::string_view(digits, std::to_chars(digits, digits + sizeof digits, line).ptr));
        }
        const CalculatorView& c = r.calculator;
        cell(i++, std::to_string(r.section.shape->index));
        cell(i++, r.section.shape->name);
        cell(i++, r.section.unit);
        cell(i++, ShowsDerived(r.section) ? "1" : "0");
        for (std::size_t k = 0; k < 4; ++k) cell(i++, c.firstLine ? std::string_view(c.first[k]) : "");
        for (std::size_t k = 0; k < 4; ++k)
            cell(i++, Has(c.second, k) ? std::string_view(c.secondTexts[k]) : "");
        cell(i++, c.thicknessMessage);
        cell(i++, c.message);
        const SectionError* e = r.sectionError ? &*r.sectionError : nullptr;
        cell(i++, e ? std::string_view(e->message) : "");
        cell(i++, e ? e->code : "");
        cell(i++, e ? JoinedSlots(*e) : "");
        if (options_.all) {
            const PropertiesView* p = r.properties ? &*r.properties : nullptr;
            cell(i++, p ? std::string_view(p->unit) : "");
            // Numbers need no quoting: digits, '.', '-', '+' and 'E' only.
            for (const PropertyInfo& info : AllProperties()) {
                out_ += separator_;
                ++i;
                if (p && p->values) out_ += MachineNumber((*p->values)[info.property]);
            }
        }
        if (options_.all && options_.torsion) {
            const analysis::TorsionResult* t = r.torsion && r.torsion->values ? &*r.torsion->values : nullptr;
            for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
                out_ += separator_;
                ++i;
                if (!t) continue;
                if (const std::optional<double> value = TorsionValue(*t, info.property))
                    out_ += MachineNumber(*value);
            }
            cell(i++, t && !t->Zt ? analysis::kNoZtReason : "");
            cell(i++, t ? (t->converged ? "1" : "0") : "");
        }
        if (batch_) cell(i++, "");
        out_ += '\n';
        sink_.commit();
    }

    void error(long line, std::string_view reason) override {
        cell(0, std::to_string(line));
        for (std::size_t i = 1; i + 1 < columns_; ++i) cell(i, "");
        cell(columns_ - 1, reason);
        out_ += '\n';
        sink_.commit();
    }

    void skip(long) override {}

private:
    std::vector<std::string> headerNames() const {
        std::vector<std::string> header;
        if (batch_) header.emplace_back("line");
        for (const char* name : {"shape", "name", "unit", "thin_wall", "A", "I", "Z", "k2", "second_A",
                                 "second_I", "second_Z", "second_k2", "thickness_message", "message",
                                 "section_error", "section_error_code", "section_error_slots"})
            header.emplace_back(name);
        if (options_.all) {
            // The exact properties, apart from the calculator's columns of the same letters.
            header.emplace_back("display_unit");
            for (const PropertyInfo& info : AllProperties())
                header.emplace_back("property_" + std::string(info.key));
        }
        if (options_.all && options_.torsion) {
            for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties())
                header.emplace_back("property_" + std::string(info.key));
            header.emplace_back("property_Zt_reason");
            header.emplace_back("torsion_converged");
        }
        if (batch_) header.emplace_back("error");
        return header;
    }

    void cell(std::size_t index, std::string_view text) {
        if (index > 0) out_ += separator_;
        bool plain = true;
        for (char ch : text)
            if (ch == '\n' || ch == '\r' || ch == '"' || ch == separator_) plain = false;
        if (plain) {
            out_.append(text);
            return;
        }
        if (separator_ == '\t') {
            // TSV has no quoting: tabs and line breaks inside a cell become blanks.
            for (char ch : text) out_ += (ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch;
            return;
        }
        out_ += '"';
        for (char ch : text) {
            if (ch == '"') out_ += '"';
            out_ += ch;
        }
        out_ += '"';
    }

    char separator_;
    Options options_;
    bool batch_;
    Sink& sink_;
    std::string& out_;  // the sink's buffer: rows are built in place
    std::size_t columns_ = 0;
};

// --- json and json lines --------------------------------------------------------------

class JsonWriter : public Writer {
public:
    // array: a batch in one JSON array; otherwise one object per line.
    JsonWriter(bool array, bool batch, Sink& sink) : array_(array), batch_(batch), sink_(sink) {}

    void record(const Record& r, long line) override {
        begin(line);
        const ShapeEntry& shape = *r.section.shape;
        out_ += "\"shape\":" + std::to_string(shape.index) + ",\"name\":";
        AppendJsonString(out_, shape.name);
        out_ += ",\"japanese_name\":";
        AppendJsonString(out_, shape.japaneseName);
        out_ += ",\"unit\":";
        AppendJsonString(out_, r.section.unit);
        out_ += ",\"thin_wall\":";
        out_ += ShowsDerived(r.section) ? "true" : "false";
        out_ += ",\"inputs\":";
        appendBoxes(shape.entered, r.calculator.texts);
        if (ShowsDerived(r.section)) {
            out_ += ",\"derived\":";
            appendBoxes(shape.derived, r.calculator.texts);
        }
        const CalculatorView& c = r.calculator;
        out_ += ",\"calculator\":{";
        if (c.firstLine) {
            for (std::size_t i = 0; i < 4; ++i) {
                out_ += '"' + std::string(kResultKeys[i]) + "\":";
                AppendJsonString(out_, c.first[i]);
                out_ += ',';
            }
        }
        out_ += "\"second\":";
        if (c.second == SecondLine::Untouched) {
            out_ += "null";
        } else {
            out_ += '{';
            bool first = true;
            for (std::size_t i = 0; i < 4; ++i) {
                if (!Has(c.second, i)) continue;
                if (!first) out_ += ',';
                first = false;
                out_ += '"' + std::string(kResultKeys[i]) + "\":";
                AppendJsonString(out_, c.secondTexts[i]);
            }
            out_ += '}';
        }
        out_ += ",\"message\":";
        optionalString(c.message);
        out_ += ",\"thickness_message\":";
        optionalString(c.thicknessMessage);
        out_ += '}';
        appendSectionError(r.sectionError);
        if (r.properties) {
            const PropertiesView& p = *r.properties;
            out_ += ",\"display_unit\":";
            AppendJsonString(out_, p.unit);
            out_ += ",\"properties\":";
            if (p.values) {
                out_ += '{';
                bool first = true;
                for (const PropertyInfo& info : AllProperties()) {
                    if (!first) out_ += ',';
                    first = false;
                    AppendJsonString(out_, info.key);
                    out_ += ':';
                    const std::string number = MachineNumber((*p.values)[info.property]);
                    out_ += number.empty() ? std::string_view("null") : std::string_view(number);
                }
                if (r.torsion && r.torsion->values) appendTorsion(*r.torsion->values);
                out_ += '}';
            } else {
                out_ += "null";
            }
        }
        end();
    }

    void error(long line, std::string_view reason) override {
        begin(line);
        out_ += "\"error\":";
        AppendJsonString(out_, reason);
        end();
    }

    void finish() override {
        if (!array_) return;
        sink_.write(count_ == 0 ? "[]\n" : "\n]\n");
    }

    void skip(long records) override { count_ += records; }

private:
    void begin(long line) {
        out_.clear();
        if (array_) out_ += count_ == 0 ? "[\n" : ",\n";
        ++count_;
        out_ += '{';
        if (batch_) out_ += "\"line\":" + std::to_string(line) + ',';
    }

    void end() {
        out_ += '}';
        if (!array_) out_ += '\n';
        sink_.write(out_);
    }

    void appendSectionError(const std::optional<SectionError>& error) {
        out_ += ",\"section_error\":";
        if (!error) {
            out_ += "null,\"section_error_code\":null,\"section_error_slots\":[]";
            return;
        }
        AppendJsonString(out_, error->message);
        out_ += ",\"section_error_code\":";
        AppendJsonString(out_, error->code);
        out_ += ",\"section_error_slots\":[";
        for (std::size_t i = 0; i < error->captions.size(); ++i) {
            if (i > 0) out_ += ',';
            AppendJsonString(out_, error->captions[i]);
        }
        out_ += ']';
    }

    // The torsion quantities among the properties: "Zt": null with its reason
    // where no Zt exists.
    void appendTorsion(const analysis::TorsionResult& t) {
        for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
            out_ += ',';
            AppendJsonString(out_, info.key);
            out_ += ':';
            const std::optional<double> value = TorsionValue(t, info.property);
            const std::string number = value ? MachineNumber(*value) : std::string();
            out_ += number.empty() ? std::string_view("null") : std::string_view(number);
        }
        out_ += ",\"Zt_reason\":";
        optionalString(t.Zt ? std::string_view() : analysis::kNoZtReason);
        out_ += ",\"torsion_method\":";
        AppendJsonString(out_,
                         t.method == analysis::TorsionMethod::ClosedForm ? "closed_form" : "finite_element");
        out_ += ",\"torsion_converged\":";
        out_ += t.converged ? "true" : "false";
    }

    void optionalString(std::string_view text) {
        if (text.empty())
            out_ += "null";
        else
            AppendJsonString(out_, text);
    }

    void appendBoxes(std::span<const InputSlot> slots, const InputTexts& texts) {
        out_ += '{';
        bool first = true;
        for (const InputSlot& slot : slots) {
            if (!first) out_ += ',';
            first = false;
            AppendJsonString(out_, slot.caption);
            out_ += ':';
            AppendJsonString(out_, Text(texts, slot.slot));
        }
        out_ += '}';
    }

    bool array_;
    bool batch_;
    Sink& sink_;
    std::string out_;
    long count_ = 0;
};

}  // namespace

std::string CalculatorUnit(int result, std::string_view unit) {
    return UnitText(unit, kResultLengthPowers[result]);
}

std::unique_ptr<Writer> MakeWriter(Format format, const Options& options, bool batch, Sink& sink,
                                   bool header) {
    switch (format) {
        case Format::Text: return std::make_unique<TextWriter>(options, batch, sink);
        case Format::Tsv: return std::make_unique<TableWriter>('\t', options, batch, sink, header);
        case Format::Csv: return std::make_unique<TableWriter>(',', options, batch, sink, header);
        case Format::Json: return std::make_unique<JsonWriter>(batch, batch, sink);
        case Format::Jsonl: return std::make_unique<JsonWriter>(false, batch, sink);
    }
    return nullptr;
}

}  // namespace velmora::cli

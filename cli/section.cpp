#include "cli/section.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

namespace velmora::cli {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsAsciiCaseless(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithAsciiCaseless(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && EqualsAsciiCaseless(text.substr(0, prefix.size()), prefix);
}

std::optional<int> ShapeNumber(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc{} || end != text.data() + text.size() || n < 0 || n >= kShapeCount)
        return std::nullopt;
    return n;
}

const InputSlot* FindCaption(std::span<const InputSlot> slots, std::string_view caption) {
    const auto it =
        std::find_if(slots.begin(), slots.end(), [&](const InputSlot& s) { return s.caption == caption; });
    return it == slots.end() ? nullptr : &*it;
}

}  // namespace

std::variant<const ShapeEntry*, std::string> LookupShape(std::string_view text) {
    if (const auto n = ShapeNumber(text)) return FindShape(*n);
    if (text.empty()) return std::string("empty shape name");
    std::vector<const ShapeEntry*> prefixed;
    for (const ShapeEntry& shape : AllShapes()) {
        if (shape.japaneseName == text || EqualsAsciiCaseless(shape.name, text)) return &shape;
        if (shape.japaneseName.starts_with(text) || StartsWithAsciiCaseless(shape.name, text))
            prefixed.push_back(&shape);
    }
    if (prefixed.size() == 1) return prefixed.front();
    const std::string quoted = "'" + std::string(text) + "'";
    if (prefixed.empty()) return "unknown shape " + quoted + " (velmora-cli --list shows them)";
    std::string reason = "ambiguous shape " + quoted + ":";
    for (const ShapeEntry* shape : prefixed) reason += " " + std::string(shape->name) + ",";
    reason.pop_back();
    return reason;
}

std::string EnteredCaptions(const ShapeEntry& shape) {
    std::string out;
    for (const InputSlot& slot : shape.entered) {
        if (!out.empty()) out += ' ';
        out += slot.caption;
    }
    return out;
}

std::variant<InputTexts, std::string> BindValues(const ShapeEntry& shape,
                                                 std::span<const std::string> values) {
    InputTexts texts;
    texts.fill("0");
    const std::size_t wanted = shape.entered.size();
    // No number text holds '=', so a value with one is meant as a pair.
    const auto isPair = [](const std::string& v) { return v.find('=') != std::string::npos; };
    const std::size_t pairs = static_cast<std::size_t>(std::count_if(values.begin(), values.end(), isPair));
    const std::string expects = std::string(shape.name) + " takes " + std::to_string(wanted) + " values (" +
                                EnteredCaptions(shape) + ")";

    if (pairs == 0) {
        if (values.size() < wanted) return "too few values: " + expects;
        if (values.size() > wanted) return "too many values: " + expects;
        for (std::size_t i = 0; i < wanted; ++i)
            texts[static_cast<std::size_t>(shape.entered[i].slot - 1)] = values[i];
        return texts;
    }
    if (pairs != values.size()) return "values must be all CAPTION=TEXT pairs or all in order: " + expects;

    std::vector<bool> seen(kSlotCount + 1, false);
    for (const std::string& v : values) {
        const auto eq = v.find('=');
        const std::string_view caption = std::string_view(v).substr(0, eq);
        const InputSlot* slot = FindCaption(shape.entered, caption);
        if (!slot && FindCaption(shape.derived, caption))
            return "'" + std::string(caption) + "' is filled by the calculator (use --thin-wall): " + expects;
        if (!slot) return "no input '" + std::string(caption) + "': " + expects;
        if (seen[static_cast<std::size_t>(slot->slot)]) return "'" + std::string(caption) + "' given twice";
        seen[static_cast<std::size_t>(slot->slot)] = true;
        texts[static_cast<std::size_t>(slot->slot - 1)] = v.substr(eq + 1);
    }
    for (const InputSlot& slot : shape.entered)
        if (!seen[static_cast<std::size_t>(slot.slot)])
            return "no value for '" + std::string(slot.caption) + "': " + expects;
    return texts;
}

}  // namespace velmora::cli

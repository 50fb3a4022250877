#include "core/sheet_working.h"

#include <array>

#include "core/formula_pictures.h"
#include "core/numtext.h"
#include "core/sheet_templates.h"
#include "core/units.h"

namespace velmora {
namespace {

using V = SectionValues;

enum class ShownOn { FirstLine, SecondLine, Never };

struct ResultField {
    float V::*field;
    int lengthPower;
    ShownOn shown;
};

// Every stored result a working line can give, in the order of the sheet: the
// first line as the calculator shows it, with e₂ and e₁ before the I that uses
// them, then the second line.
constexpr std::array<ResultField, 10> kFields{{
    {&V::resA, 2, ShownOn::FirstLine},
    {&V::aux4, 1, ShownOn::Never},
    {&V::aux3, 1, ShownOn::Never},
    {&V::resI, 4, ShownOn::FirstLine},
    {&V::resZ, 3, ShownOn::FirstLine},
    {&V::resK, 2, ShownOn::FirstLine},
    {&V::resA2, 2, ShownOn::SecondLine},
    {&V::resI2, 4, ShownOn::SecondLine},
    {&V::resZ2, 3, ShownOn::SecondLine},
    {&V::resK2, 2, ShownOn::SecondLine},
}};

// Whether a result is on the sheet, given that the first line is shown.
bool OnSheet(const ResultField& f, const AnsOutcome& outcome) {
    if (f.shown != ShownOn::SecondLine) return true;
    return outcome.secondLine == SecondLine::Full ||
           (outcome.secondLine == SecondLine::ZOnly && f.field == &V::resZ2);
}

constexpr std::array<std::string_view, 5> kPowers{"", "", "²", "³", "⁴"};
constexpr std::array<std::string_view, 10> kSubscriptDigits{"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
constexpr std::string_view kDot = "·";

bool StartsWithPower(std::string_view text) {
    for (std::size_t p = 2; p < kPowers.size(); ++p)
        if (text.starts_with(kPowers[p])) return true;
    return false;
}

// A number put in for a symbol. A negative one goes in parentheses, and so
// does one in exponent form under a power ("(1E+07)³", not "1E+07³").
std::string Operand(const std::string& text, bool raised) {
    if (text.starts_with('-') || (raised && text.find('E') != std::string::npos)) return "(" + text + ")";
    return text;
}

struct Rendered {
    std::string symbols;
    std::string numbers;
};

// Writes a template form twice: with the symbols, and with the numbers that
// `valueOf` gives for each name. Constants take the decimal separator.
template <typename ValueOf>
Rendered Render(std::string_view form, char decimalSeparator, const ValueOf& valueOf) {
    Rendered out;
    std::size_t i = 0;
    while (i < form.size()) {
        const std::size_t close = form[i] == '{' ? form.find('}', i) : std::string_view::npos;
        if (close != std::string_view::npos) {
            const std::string_view name = form.substr(i + 1, close - i - 1);
            i = close + 1;
            out.symbols += DimensionSymbol(name);
            out.numbers += Operand(valueOf(name), StartsWithPower(form.substr(i)));
        } else if (form.substr(i).starts_with(kDot)) {
            out.symbols += kDot;
            out.numbers += " × ";
            i += kDot.size();
        } else {
            const char c = form[i] == '.' ? decimalSeparator : form[i];
            out.symbols += c;
            out.numbers += c;
            ++i;
        }
    }
    return out;
}

const WorkingTemplate* FindTemplate(int picture, float V::*field) {
    for (const WorkingTemplate& t : WorkingTemplates())
        if (t.picture == picture && t.field == field) return &t;
    return nullptr;
}

// The template of a result among the shape's four pictures.
const WorkingTemplate* TemplateFor(ShapeType shape, float V::*field) {
    for (std::string_view kind : {"a", "i", "k", "z"})
        if (const WorkingTemplate* t = FindTemplate(FormulaPictureIndex(shape, kind), field)) return t;
    return nullptr;
}

}  // namespace

std::string DimensionSymbol(std::string_view caption) {
    if (caption == "~h") return "h̄";
    if (caption.empty()) return {};
    std::string out(caption.substr(0, 1));
    for (const char c : caption.substr(1)) {
        if (c >= '0' && c <= '9')
            out += kSubscriptDigits[static_cast<std::size_t>(c - '0')];
        else if (c == 'm')
            out += "ₘ";
        else
            out += c;
    }
    return out;
}

std::vector<WorkingLine> SheetWorking(ShapeType shape, const InputTexts& texts, bool optionTicked,
                                      std::string_view unitSuffix, char decimalSeparator) {
    const ShapeEntry* entry = FindShape(shape);
    if (!entry) return {};
    const AnsOutcome outcome = ComputeAnswers(shape, texts, optionTicked, SectionValues{}, decimalSeparator);
    if (!outcome.showFirstLine) return {};

    std::vector<WorkingLine> lines;
    for (const ResultField& f : kFields) {
        if (!OnSheet(f, outcome)) continue;
        const WorkingTemplate* t = TemplateFor(shape, f.field);
        if (!t) continue;
        const bool thinWall = f.shown == ShownOn::SecondLine && outcome.secondLine == SecondLine::Full;

        // A name is a dimension the calculator read (the derived ones only in
        // the thin-wall line, the only one that reads them) or an earlier result.
        const auto valueOf = [&](std::string_view name) -> std::string {
            for (const auto& slots :
                 {entry->entered, thinWall ? entry->derived : std::span<const InputSlot>{}})
                for (const InputSlot& s : slots)
                    if (s.caption == name) return SingleToText(outcome.values.val(s.slot), decimalSeparator);
            const std::string symbol = DimensionSymbol(name);
            for (const WorkingLine& earlier : lines)
                if (earlier.result == symbol) return earlier.value;
            return std::string(name);  // a template naming nothing known: left as a symbol
        };
        Rendered r = Render(t->form, decimalSeparator, valueOf);
        lines.push_back(WorkingLine{
            .result = std::string(t->result),
            .symbols = std::move(r.symbols),
            .numbers = std::move(r.numbers),
            .value = SingleToText(outcome.values.*f.field, decimalSeparator),
            .unit = UnitText(unitSuffix, f.lengthPower),
            .formulaPicture = t->picture,
            .thinWall = thinWall,
            .intermediate = f.shown == ShownOn::Never,
        });
    }
    return lines;
}

}  // namespace velmora

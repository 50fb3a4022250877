#include "cli/compute.h"

#include "core/messages.h"
#include "core/numtext.h"
#include "core/thickness.h"

namespace velmora::cli {
namespace {

// The window recomputes the derived boxes whenever one of txt1 to txt4 changes.
constexpr int kLastDimensionSlot = 4;
// The tube's cascade stops after a level or two; this only bounds a fault.
constexpr int kMaxCascade = 16;

struct ThicknessRun {
    InputTexts& texts;
    ShapeType shape;
    char separator;
    bool wallNotConstant = false;

    // UpdateThicknessInputs with the option ticked, as the window applies it:
    // each write that changes a dimension box runs the update again, nested.
    void update(int depth) {
        if (depth > kMaxCascade) return;
        const ThicknessOutcome outcome = UpdateThicknessInputs(shape, texts, true, separator);
        for (const ThicknessWrite& write : outcome.writes) {
            std::string& box = texts[static_cast<std::size_t>(write.slot - 1)];
            if (box == write.text) continue;  // the same text is no change
            box = write.text;
            if (write.slot <= kLastDimensionSlot) update(depth + 1);
        }
        if (outcome.wallNotConstant) wallNotConstant = true;
    }
};

// Every property of the exact section (the entered boxes only), converted to
// the display unit as the details window converts them.
PropertiesView ComputeAllProperties(const Section& section, const Options& options,
                                    std::optional<SectionError>& sectionError) {
    PropertiesView view;
    view.unit = options.displayUnit.value_or(section.unit);
    PropertiesOutcome outcome =
        ComputeProperties(section.shape->index, section.texts, options.decimalSeparator);
    if (auto* error = std::get_if<SectionError>(&outcome)) {
        view.sectionError = error->message;
        sectionError = std::move(*error);
        return view;
    }
    SectionProperties values = std::get<SectionProperties>(outcome);
    const double factor = LengthFactor(section.unit, view.unit).value_or(1.0);
    if (factor != 1.0)
        for (const PropertyInfo& info : AllProperties())
            values[info.property] = Convert(info.property, values[info.property], factor);
    view.values = values;
    return view;
}

// The torsion quantities of the exact section, converted like the properties.
TorsionView ComputeTorsionView(const Section& section, const Options& options, const std::string& unit) {
    TorsionView view;
    analysis::TorsionOptions torsion;
    torsion.keepField = false;
    torsion.tolerance = options.torsionTolerance;
    const auto entered = EnteredSection(section.shape->index, section.texts, options.decimalSeparator);
    const auto* dims = std::get_if<std::vector<double>>(&entered);
    if (!dims) return view;  // said by the section error
    analysis::TorsionResult r = analysis::ComputeTorsion(section.shape->index, *dims, torsion);
    view.accuracy = analysis::Accuracy(r, section.shape->index, *dims, torsion.tolerance);
    const double factor = LengthFactor(section.unit, unit).value_or(1.0);
    if (factor != 1.0) {
        // As the properties convert: an exact division where the factor's inverse is whole.
        const auto scale = [&](double& v, int power) { v = ConvertLength(v, factor, power); };
        scale(r.J, 4);
        scale(r.xs, 1);
        scale(r.ys, 1);
        scale(r.Iw, 6);
        if (r.Zt) scale(*r.Zt, 3);
        for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties())
            scale(view.accuracy[static_cast<std::size_t>(info.property)].error, info.lengthPower);
    }
    view.values = std::move(r);
    return view;
}

}  // namespace

bool HasThinWall(const ShapeEntry& shape) { return shape.option != ThicknessOption::None; }

CalculatorView RunCalculator(const Section& section, char separator) {
    CalculatorView view;
    view.texts = section.texts;
    const ShapeType shape = section.shape->index;
    const bool ticked = section.thinWall && HasThinWall(*section.shape);
    if (ticked) {
        ThicknessRun run{view.texts, shape, separator};
        run.update(0);
        if (run.wallNotConstant) view.thicknessMessage = kWallNotConstantMessage;
    }

    // The window opens with every variable zero; entering texts changes none.
    const AnsOutcome outcome = ComputeAnswers(shape, view.texts, ticked, SectionValues{}, separator);
    const SectionValues& v = outcome.values;
    view.firstLine = outcome.showFirstLine;
    if (view.firstLine) {
        view.first = {SingleToText(v.resA, separator), SingleToText(v.resI, separator),
                      SingleToText(v.resZ, separator), SingleToText(v.resK, separator)};
    }
    if (outcome.message != AnsMessage::None) view.message = MessageText(outcome.message);
    view.second = outcome.secondLine;
    switch (outcome.secondLine) {
        case SecondLine::Full:
            view.secondTexts = {SingleToText(v.resA2, separator), SingleToText(v.resI2, separator),
                                SingleToText(v.resZ2, separator), SingleToText(v.resK2, separator)};
            break;
        case SecondLine::ZOnly: view.secondTexts[2] = SingleToText(v.resZ2, separator); break;
        case SecondLine::Untouched: break;
    }
    return view;
}

bool Record::complete() const {
    if (!calculator.firstLine || !calculator.message.empty() || !calculator.thicknessMessage.empty())
        return false;
    return !sectionError && (!properties || properties->values.has_value()) &&
           (!torsion || torsion->values.has_value());
}

Record Compute(Section section, const Options& options) {
    Record record;
    record.calculator = RunCalculator(section, options.decimalSeparator);
    if (options.all) record.properties = ComputeAllProperties(section, options, record.sectionError);
    if (options.all && options.torsion)
        record.torsion = ComputeTorsionView(section, options, record.properties->unit);
    else
        record.sectionError =
            CheckEnteredTexts(section.shape->index, section.texts, options.decimalSeparator);
    record.section = std::move(section);
    return record;
}

}  // namespace velmora::cli

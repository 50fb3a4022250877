#include "ui/sheet/sheet_content.h"

#include <variant>

#include "analysis/torsion.h"
#include "analysis/torsion_accuracy.h"
#include "core/properties.h"
#include "core/units.h"
#include "ui/common/text.h"
#include "ui/common/torsion_text.h"
#include "velmora/version.h"

namespace velmora::ui {
namespace {

// Which result frame a line of working belongs to, by the letter of its symbol
// ("A", "I", "Z", "Z₁", "Z₂", "k²"): 0 to 3, or -1.
int FrameOf(const WorkingLine& line) {
    if (line.result.empty()) return -1;
    switch (line.result.front()) {
        case 'A': return 0;
        case 'I': return 1;
        case 'Z': return 2;
        case 'k': return 3;
        default: return -1;
    }
}

QList<DimensionRow> Dimensions(const ShapeEntry& shape, const CalculatorSnapshot& snapshot) {
    QList<DimensionRow> rows;
    const auto row = [&](const InputSlot& input, bool derived) {
        return DimensionRow{ToQString(DimensionSymbol(input.caption)),
                            ToQString(snapshot.texts[static_cast<std::size_t>(input.slot - 1)]), derived};
    };
    for (const InputSlot& input : shape.entered) rows.append(row(input, false));
    if (snapshot.optionTicked)
        for (const InputSlot& input : shape.derived) rows.append(row(input, true));
    return rows;
}

// The torsion rows and the drawing, computed here and now: the sheet is
// written once, when asked for.
void Torsion(const CalculatorSnapshot& snapshot, const std::string& display, double factor, double tolerance,
             DetailsTable& table) {
    const auto entered = EnteredSection(snapshot.shape, snapshot.texts, snapshot.decimalSeparator);
    const auto* dims = std::get_if<std::vector<double>>(&entered);
    if (!dims) return;
    analysis::TorsionOptions options;
    options.keepField = false;
    options.tolerance = tolerance;
    const analysis::TorsionResult result = analysis::ComputeTorsion(snapshot.shape, *dims, options);
    const auto accuracy = analysis::Accuracy(result, snapshot.shape, *dims, tolerance);
    for (const TorsionRowText& row :
         TorsionRows(&result, factor, display, snapshot.decimalSeparator, accuracy)) {
        QString name = row.name;
        if (!row.note.isEmpty()) {
            table.torsionFootnotes
                << QStringLiteral("※%1 %2").arg(table.torsionFootnotes.size() + 1).arg(row.note);
            name += QStringLiteral(" ※%1").arg(table.torsionFootnotes.size());
        }
        table.torsionRows.append({name, row.symbol, row.value, row.unit});
    }
    table.torsionMethod = TorsionMethodLine(result, analysis::AllWithinTolerance(accuracy));
    if (!result.Zt) table.torsionNote = ToQString(analysis::kNoZtReason);

    SectionPicture picture = MakeSectionPicture(snapshot.shape, *dims);
    picture.shearCentre = QPointF(result.xs, result.ys);
    const auto length = [&](double value) {
        return ToQString(PropertyText(ConvertLength(value, factor, 1), snapshot.decimalSeparator) + ' ' +
                         UnitText(display, 1));
    };
    picture.offsets = QStringLiteral("S：xs = %1\nys = %2").arg(length(result.xs), length(result.ys));
    table.picture = std::move(picture);
}

DetailsTable Details(const CalculatorSnapshot& snapshot, double torsionTolerance) {
    DetailsTable table;
    std::string display = snapshot.detailsUnitSuffix.value_or(snapshot.unitSuffix);
    std::optional<double> factor = LengthFactor(snapshot.unitSuffix, display);
    if (!factor) {  // "none" on either side: the numbers stay as entered
        display = snapshot.unitSuffix;
        factor = 1.0;
    }
    table.unitSuffix = ToQString(display);

    const PropertiesOutcome outcome =
        ComputeProperties(snapshot.shape, snapshot.texts, snapshot.decimalSeparator);
    if (const auto* error = std::get_if<SectionError>(&outcome)) {
        table.error = ToQString(error->message);
        return table;
    }
    const auto& properties = std::get<SectionProperties>(outcome);
    for (const PropertyInfo& info : AllProperties()) {
        if (info.principal && !properties.hasPrincipalAxes()) continue;
        const double value = Convert(info.property, properties[info.property], *factor);
        table.rows.append({ToQString(info.japaneseName), ToQString(info.symbol),
                           ToQString(PropertyText(value, snapshot.decimalSeparator)),
                           ToQString(PropertyUnit(info.property, display))});
    }
    Torsion(snapshot, display, *factor, torsionTolerance, table);
    return table;
}

}  // namespace

bool WorkingMatchesScreen(const std::vector<WorkingLine>& working, const CalculatorSnapshot& snapshot) {
    std::array<bool, 4> firstSeen{};
    std::array<bool, 4> secondSeen{};
    for (const WorkingLine& line : working) {
        if (line.intermediate) continue;  // stored, never shown
        const int frame = FrameOf(line);
        if (frame < 0) return false;
        const auto i = static_cast<std::size_t>(frame);
        const bool second = line.thinWall || firstSeen[i];
        const QString& shown = second ? snapshot.secondLine[i] : snapshot.firstLine[i];
        if (ToQString(line.value) != shown || (second ? secondSeen[i] : firstSeen[i])) return false;
        (second ? secondSeen : firstSeen)[i] = true;
    }
    // Every result on show is in the working, and nothing else is.
    for (std::size_t i = 0; i < 4; ++i)
        if (!firstSeen[i] || secondSeen[i] == snapshot.secondLine[i].isEmpty()) return false;
    return true;
}

SheetContent BuildSheet(const CalculatorSnapshot& snapshot, const SheetRequest& request, const QDate& date,
                        double torsionTolerance) {
    SheetContent sheet;
    sheet.title = QString::fromUtf8(kSheetTitle);
    sheet.date = date;
    sheet.request = request;
    sheet.unitSuffix = ToQString(snapshot.unitSuffix);
    sheet.footer = QStringLiteral("%1 %2").arg(QLatin1String(kProgramName), QLatin1String(kVersion));

    const ShapeEntry* shape = FindShape(snapshot.shape);
    if (!shape) {
        sheet.notice = QStringLiteral("形状が選ばれていません。");
        return sheet;
    }
    sheet.shape = shape->index;
    sheet.shapeName = ToQString(shape->japaneseName);
    sheet.dimensions = Dimensions(*shape, snapshot);

    // Dimensions that form no real section get no calculation, whatever the
    // calculator made of them: the box names the condition they break, as the
    // details window does.
    if (const PropertiesOutcome outcome =
            ComputeProperties(snapshot.shape, snapshot.texts, snapshot.decimalSeparator);
        const auto* error = std::get_if<SectionError>(&outcome)) {
        sheet.notice = ToQString(error->message);
        return sheet;
    }

    std::vector<WorkingLine> working = SheetWorking(snapshot.shape, snapshot.texts, snapshot.optionTicked,
                                                    snapshot.unitSuffix, snapshot.decimalSeparator);
    if (working.empty() || !WorkingMatchesScreen(working, snapshot)) {
        sheet.notice = QStringLiteral(
            "計算結果はありません。最後の入力のあと Ans が押されていないか、入力に誤りがあります。"
            "寸法を入力して Ans を押してから、もう一度お試し下さい。");
        return sheet;
    }
    sheet.working = std::move(working);
    if (request.includeDetails) sheet.details = Details(snapshot, torsionTolerance);
    return sheet;
}

}  // namespace velmora::ui

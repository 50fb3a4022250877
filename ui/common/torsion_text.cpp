#include "ui/common/torsion_text.h"

#include "core/properties.h"
#include "core/units.h"
#include "ui/common/text.h"

namespace velmora::ui {

std::vector<TorsionRowText> TorsionRows(const analysis::TorsionResult* result, double lengthFactor,
                                        const std::string& unitSuffix, char decimalSeparator,
                                        std::span<const analysis::TorsionAccuracy> accuracy) {
    std::vector<TorsionRowText> rows;
    for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
        TorsionRowText row{ToQString(info.japaneseName), ToQString(info.symbol),
                           QString::fromUtf8(kComputing), ToQString(UnitText(unitSuffix, info.lengthPower)),
                           QString()};
        if (result) {
            const double value = result->value(info.property);
            if (info.property == analysis::TorsionProperty::Zt && !result->Zt) {
                row.value.clear();
                row.unit.clear();
            } else {
                row.value = ToQString(
                    PropertyText(ConvertLength(value, lengthFactor, info.lengthPower), decimalSeparator));
                const auto i = static_cast<std::size_t>(info.property);
                if (i < accuracy.size() && !accuracy[i].withinTolerance)
                    row.note = UnsettledNote(accuracy[i], lengthFactor, info.lengthPower, unitSuffix,
                                             decimalSeparator);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

QString UnsettledNote(const analysis::TorsionAccuracy& accuracy, double lengthFactor, int lengthPower,
                      const std::string& unitSuffix, char decimalSeparator) {
    QString estimate =
        QStringLiteral("推定誤差 ±%1 %2")
            .arg(ToQString(analysis::EstimateText(ConvertLength(accuracy.error, lengthFactor, lengthPower),
                                                  decimalSeparator)),
                 ToQString(UnitText(unitSuffix, lengthPower)));
    if (accuracy.relative)
        estimate += QStringLiteral("、相対 %1")
                        .arg(ToQString(analysis::EstimateText(*accuracy.relative, decimalSeparator)));
    return QStringLiteral("有限要素解が収束しきれていないため、この値は 7 桁目まで正しいとは限りません（%1）")
        .arg(estimate);
}

QString TorsionMethodLine(const analysis::TorsionResult& result, bool allWithinTolerance) {
    if (result.method == analysis::TorsionMethod::ClosedForm)
        return QStringLiteral("J・xs・ys・Iw・Zt は厳密解（閉じた式）による値です。");
    const QString how = QStringLiteral("J・xs・ys・Iw・Zt は有限要素法（%1 要素、%2 次、自由度 %3）で求め、")
                            .arg(result.elements)
                            .arg(result.order)
                            .arg(result.unknowns);
    if (allWithinTolerance)
        return how + QStringLiteral("誤差評価で表示の 7 桁が正しいことを確かめた値です。");
    return how + QStringLiteral("注記した値を除き、誤差評価で表示の 7 桁が正しいことを確かめた値です。");
}

}  // namespace velmora::ui

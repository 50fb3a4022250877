#include "ui/common/torsion_text.h"

#include "core/properties.h"
#include "ui/common/text.h"

namespace velmora::ui {

std::vector<TorsionRowText> TorsionRows(const analysis::TorsionResult* result, double lengthFactor,
                                        const std::string& unitSuffix, char decimalSeparator) {
    std::vector<TorsionRowText> rows;
    for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
        TorsionRowText row{ToQString(info.japaneseName), ToQString(info.symbol),
                           QString::fromUtf8(kComputing), ToQString(UnitText(unitSuffix, info.lengthPower))};
        if (result) {
            const double value = result->value(info.property);
            if (info.property == analysis::TorsionProperty::Zt && !result->Zt) {
                row.value.clear();
                row.unit.clear();
            } else {
                row.value = ToQString(
                    PropertyText(ConvertLength(value, lengthFactor, info.lengthPower), decimalSeparator));
            }
        }
        rows.push_back(row);
    }
    return rows;
}

QString TorsionMethodLine(const analysis::TorsionResult& result) {
    if (result.method == analysis::TorsionMethod::ClosedForm)
        return QStringLiteral("J・xs・ys・Iw・Zt は厳密解（閉じた式）による値です。");
    return QStringLiteral(
               "J・xs・ys・Iw・Zt は有限要素法（%1 要素、%2 次、自由度 %3）で求め、"
               "誤差評価で表示の 7 桁が正しいことを確かめた値です。")
        .arg(result.elements)
        .arg(result.order)
        .arg(result.unknowns);
}

}  // namespace velmora::ui

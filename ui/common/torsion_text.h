// The torsion values as the details window and the calculation sheet write
// them: rows in the display unit, the word for a running computation and the
// line on how the values were obtained.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "analysis/torsion.h"

namespace velmora::ui {

// What a torsion row shows in the window and on the sheet: the value and unit
// in the display unit by the seven-digit rule, nothing for a missing Zt.
struct TorsionRowText {
    QString name;
    QString symbol;
    QString value;
    QString unit;
};
std::vector<TorsionRowText> TorsionRows(const analysis::TorsionResult* result, double lengthFactor,
                                        const std::string& unitSuffix, char decimalSeparator);

// The value every row shows while the computation runs.
inline constexpr char kComputing[] = "計算中…";

// One line on how the values were obtained.
QString TorsionMethodLine(const analysis::TorsionResult& result);

}  // namespace velmora::ui

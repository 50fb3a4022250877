// The torsion values as the details window and the calculation sheet write
// them: rows in the display unit, the word for a running computation, the
// note on a value whose error estimate is above its tolerance and the line on
// how the values were obtained.
#pragma once

#include <QString>
#include <span>
#include <string>
#include <vector>

#include "analysis/torsion.h"
#include "analysis/torsion_accuracy.h"

namespace velmora::ui {

// What a torsion row shows in the window and on the sheet: the value and unit
// in the display unit by the seven-digit rule, nothing for a missing Zt.
// `note` is the text of the footnote a value gets when its error estimate is
// above its tolerance (empty otherwise); the caller numbers it and marks the
// name with it, after the footnotes it already has.
struct TorsionRowText {
    QString name;
    QString symbol;
    QString value;
    QString unit;
    QString note;
};
// `accuracy` as Accuracy() gives it for `result`, or empty for no notes.
std::vector<TorsionRowText> TorsionRows(const analysis::TorsionResult* result, double lengthFactor,
                                        const std::string& unitSuffix, char decimalSeparator,
                                        std::span<const analysis::TorsionAccuracy> accuracy = {});

// The value every row shows while the computation runs.
inline constexpr char kComputing[] = "計算中…";

// The footnote's text for a value whose estimate is above its tolerance:
// the estimate in the display unit, and relative to the value for J, Iw, Zt.
QString UnsettledNote(const analysis::TorsionAccuracy& accuracy, double lengthFactor, int lengthPower,
                      const std::string& unitSuffix, char decimalSeparator);

// One line on how the values were obtained; `allWithinTolerance` false says
// that the noted values fall short of the shown digits.
QString TorsionMethodLine(const analysis::TorsionResult& result, bool allWithinTolerance = true);

}  // namespace velmora::ui

// The plain-text reading of a formula picture, for screen readers. Each picture
// carries it as its SVG <title>, written there from the formula table.
#pragma once

#include <QString>

namespace velmora::ui {

// The title of formula picture 0 to 75; empty when the picture is missing or has none.
QString FormulaText(int picture);

}  // namespace velmora::ui

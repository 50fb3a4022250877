// The program-wide values that outlive the windows.
#pragma once

#include <string>

#include "core/catalogue.h"
#include "core/units.h"

namespace velmora {

// The variables the Ans operation reads into and stores to (single precision).
struct SectionValues {
    float val1 = 0, val2 = 0, val3 = 0, val4 = 0, val5 = 0, val6 = 0, val7 = 0;
    float resA = 0, resI = 0, resZ = 0, resK = 0;
    float resA2 = 0, resI2 = 0, resZ2 = 0, resK2 = 0;
    float aux1 = 0, aux2 = 0, aux3 = 0, aux4 = 0;

    // valN by slot number 1 to 7.
    float& val(int slot);
    float val(int slot) const;

    bool operator==(const SectionValues&) const = default;
};

struct Module1 {
    ShapeType SelectedShape = kNoShape;
    std::string UnitSuffix{kDefaultUnitSuffix};
    std::string FormulaKind;
    SectionValues values;
};

}  // namespace velmora

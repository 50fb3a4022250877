#include "core/module1.h"

#include <stdexcept>

namespace velmora {

float& SectionValues::val(int slot) {
    switch (slot) {
        case 1: return val1;
        case 2: return val2;
        case 3: return val3;
        case 4: return val4;
        case 5: return val5;
        case 6: return val6;
        case 7: return val7;
    }
    throw std::out_of_range("input slot outside 1 to 7");
}

float SectionValues::val(int slot) const { return const_cast<SectionValues&>(*this).val(slot); }

}  // namespace velmora

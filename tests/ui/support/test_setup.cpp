#include "tests/ui/support/test_setup.h"

#include "ui/common/look.h"

namespace velmora::ui::testing {

void PrepareUiTest() {
    static bool done = false;
    if (done) return;
    done = true;
    InstallFontSubstitutions();
}

}  // namespace velmora::ui::testing

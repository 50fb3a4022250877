// Shared start-up of the UI tests: the same fonts and resources as the program.
#pragma once

namespace velmora::ui::testing {

// Installs the font substitutions once. Call from initTestCase().
void PrepareUiTest();

}  // namespace velmora::ui::testing

// Shared start-up of the UI tests: the same fonts and resources as the program,
// and the same surroundings whoever starts a test program.
//
// Every program linked with the test kit runs on the offscreen platform and in
// the C.UTF-8 locale, set before Qt starts, so a test binary started by hand at
// a desktop in any locale behaves as it does under ctest. A run that is about
// another locale names it in VELMORA_TEST_LOCALE (e.g. de_DE.UTF-8), and one that
// needs a real display names its platform in VELMORA_TEST_PLATFORM (e.g. xcb).
// velmora's plugins are found in the build tree, as the program finds them
// beside itself.
#pragma once

namespace velmora::ui::testing {

// Installs the font substitutions once. Call from initTestCase().
void PrepareUiTest();

}  // namespace velmora::ui::testing

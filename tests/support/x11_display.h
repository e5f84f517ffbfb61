// x11_display.h - an X server for the X11 tests.
#ifndef VRENK_TESTS_X11_DISPLAY_H
#define VRENK_TESTS_X11_DISPLAY_H

#include <gtest/gtest.h>

struct _XDisplay;

namespace vrenktest {

// The display the X11 tests use: $DISPLAY when it can be opened, otherwise
// an Xvfb server that this process starts on a free display number and
// stops at exit. Null when neither can be had.
_XDisplay* TestDisplay();

}  // namespace vrenktest

// Skips the test, visibly, when there is no X server; when the environment
// says one is required (VRENK_REQUIRE_X11=1, as in CI) it fails instead.
#define VRENK_REQUIRE_DISPLAY(display)                                                 \
  do {                                                                                 \
    if ((display) == nullptr) {                                                        \
      if (::vrenktest::X11Required()) FAIL() << "no X server could be started";       \
      GTEST_SKIP() << "no X server available (Xvfb could not be started)";            \
    }                                                                                  \
  } while (0)

namespace vrenktest {
bool X11Required();
}

#endif  // VRENK_TESTS_X11_DISPLAY_H

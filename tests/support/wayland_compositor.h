// wayland_compositor.h - a Wayland compositor for the Wayland tests.
#ifndef VRENK_TESTS_WAYLAND_COMPOSITOR_H
#define VRENK_TESTS_WAYLAND_COMPOSITOR_H

#include <gtest/gtest.h>

#include <string>

namespace vrenktest {

// The socket of a headless Weston that this process starts on first use,
// in a runtime directory of its own, and stops at exit: an absolute path,
// which wl_display_connect takes as it is. Empty when it cannot be started;
// WaylandFailure() then says why.
const std::string& TestWaylandSocket();
const std::string& WaylandFailure();
// Whether the environment says a compositor is required
// (VRENK_REQUIRE_WAYLAND=1, as in CI).
bool WaylandRequired();

}  // namespace vrenktest

// Skips the test, visibly, when there is no compositor; fails instead where
// one is required.
#define VRENK_REQUIRE_WAYLAND_COMPOSITOR(socket)                                            \
  do {                                                                                      \
    if ((socket).empty()) {                                                                 \
      if (::vrenktest::WaylandRequired()) FAIL() << ::vrenktest::WaylandFailure();          \
      GTEST_SKIP() << "no Wayland compositor: " << ::vrenktest::WaylandFailure();           \
    }                                                                                       \
  } while (0)

#endif  // VRENK_TESTS_WAYLAND_COMPOSITOR_H

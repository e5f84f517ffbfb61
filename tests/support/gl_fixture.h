// gl_fixture.h - a real OpenGL context for each test.
#ifndef VRENK_TESTS_GL_FIXTURE_H
#define VRENK_TESTS_GL_FIXTURE_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "VrenkPlatform.h"
#include "support/context_kind.h"

namespace vrenktest {

using Rgba = std::array<uint8_t, 4>;

// Gives each test a current context on an offscreen window of the fixture's
// size, with the viewport covering the window and an identity projection.
// The kind of context is the one VRENK_TEST_CONTEXT names (see
// context_kind.h; compatibility when unset); SetUp fails when it cannot be
// made. Where the context has debug output, its GL errors are recorded
// (debug_output.h), starting empty for each test.
class GLTest : public ::testing::Test {
 protected:
  explicit GLTest(int width = 128, int height = 128) : m_nWidth(width), m_nHeight(height) {}

  void SetUp() override;
  void TearDown() override;

  // Whether the context has the fixed-function pipeline: tests that use it
  // skip themselves in other kinds.
  bool HasFixedFunction() const { return KindHasFixedFunction(m_kind); }
  ContextKind Kind() const { return m_kind; }
  // "compat", "core33", "es30" or "es20".
  const char* KindName() const { return ContextKindName(m_kind); }

  // The colour at window pixel (x, y), origin at the lower left.
  Rgba ReadPixel(int x, int y) const;
  // The whole colour buffer, bottom row first.
  std::vector<uint8_t> ReadAll() const;

  int m_nWidth;
  int m_nHeight;
  VrenkGLWidge::HWND m_hWnd = nullptr;
  VrenkGLWidge::HDC m_hDC = nullptr;
  VrenkGLWidge::HGLRC m_hRC = nullptr;
  ContextKind m_kind = ContextKind::Compat;
};

// Skips the test, visibly, in a context without the fixed-function pipeline.
#define VRENK_REQUIRE_FIXED_FUNCTION()                                                      \
  do {                                                                                      \
    if (!HasFixedFunction()) GTEST_SKIP() << "uses fixed-function state, absent in " << KindName(); \
  } while (0)

// Each channel of a within tolerance of b.
::testing::AssertionResult ColorNear(const Rgba& a, const Rgba& b, int tolerance = 2);

}  // namespace vrenktest

#endif  // VRENK_TESTS_GL_FIXTURE_H

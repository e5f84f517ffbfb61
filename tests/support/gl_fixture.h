// gl_fixture.h - a real OpenGL context for each test.
#ifndef VRENK_TESTS_GL_FIXTURE_H
#define VRENK_TESTS_GL_FIXTURE_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "VrenkPlatform.h"

namespace vrenktest {

using Rgba = std::array<uint8_t, 4>;

// Gives each test a current context on an offscreen window of the fixture's
// size, with the viewport covering the window and an identity projection.
class GLTest : public ::testing::Test {
 protected:
  explicit GLTest(int width = 128, int height = 128) : m_nWidth(width), m_nHeight(height) {}

  void SetUp() override;
  void TearDown() override;

  // Whether the test's context has the fixed-function pipeline.
  bool HasFixedFunction() const { return true; }
  // The colour at window pixel (x, y), origin at the lower left.
  Rgba ReadPixel(int x, int y) const;
  // The whole colour buffer, bottom row first.
  std::vector<uint8_t> ReadAll() const;

  int m_nWidth;
  int m_nHeight;
  VrenkGLWidge::HWND m_hWnd = nullptr;
  VrenkGLWidge::HDC m_hDC = nullptr;
  VrenkGLWidge::HGLRC m_hRC = nullptr;
};

// Each channel of a within tolerance of b.
::testing::AssertionResult ColorNear(const Rgba& a, const Rgba& b, int tolerance = 2);

}  // namespace vrenktest

#endif  // VRENK_TESTS_GL_FIXTURE_H

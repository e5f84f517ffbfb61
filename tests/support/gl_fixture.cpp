#include "support/gl_fixture.h"

#include "support/debug_output.h"

#include <cstdlib>
#include <sstream>

namespace vrenktest {

using namespace VrenkGLWidge;

void GLTest::SetUp() {
  std::string error;
  ASSERT_TRUE(ContextKindFromEnvironment(&m_kind, &error)) << error;
  m_hWnd = CreateOffscreenWindow(m_nWidth, m_nHeight);
  ASSERT_NE(m_hWnd, nullptr) << "no offscreen window could be made";
  m_hDC = GetDC(m_hWnd);
  ASSERT_NE(m_hDC, nullptr);
  m_hRC = CreateContextOfKind(m_hDC, m_kind);
  ASSERT_NE(m_hRC, nullptr) << "no OpenGL context of kind " << KindName() << " could be made";
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
  ASSERT_TRUE(CurrentMatchesKind(m_kind, &error)) << error;
  ClearDebugErrors();
  InstallDebugErrorRecorder();
  glViewport(0, 0, m_nWidth, m_nHeight);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLTest::TearDown() {
  // Where the fixed-function pipeline is missing, nothing a test does may
  // raise a GL error (a test that provokes one clears it).
  if (m_hRC != nullptr && !HasFixedFunction()) {
    const std::vector<std::string> errors = DebugErrors();
    EXPECT_TRUE(errors.empty()) << "GL error in " << KindName() << ": " << errors.front();
  }
  ClearDebugErrors();
  wglMakeCurrent(nullptr, nullptr);
  if (m_hRC != nullptr) wglDeleteContext(m_hRC);
  if (m_hWnd != nullptr) {
    ReleaseDC(m_hWnd, m_hDC);
    DestroyOffscreenWindow(m_hWnd);
  }
  m_hRC = nullptr;
  m_hDC = nullptr;
  m_hWnd = nullptr;
}

Rgba GLTest::ReadPixel(int x, int y) const {
  Rgba pixel{};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  return pixel;
}

std::vector<uint8_t> GLTest::ReadAll() const {
  std::vector<uint8_t> pixels(static_cast<size_t>(m_nWidth) * m_nHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, m_nWidth, m_nHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

::testing::AssertionResult ColorNear(const Rgba& a, const Rgba& b, int tolerance) {
  for (int i = 0; i < 4; ++i) {
    if (std::abs(int(a[i]) - int(b[i])) > tolerance) {
      std::ostringstream out;
      out << "(" << int(a[0]) << ", " << int(a[1]) << ", " << int(a[2]) << ", " << int(a[3]) << ") is not within "
          << tolerance << " of (" << int(b[0]) << ", " << int(b[1]) << ", " << int(b[2]) << ", " << int(b[3]) << ")";
      return ::testing::AssertionFailure() << out.str();
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace vrenktest

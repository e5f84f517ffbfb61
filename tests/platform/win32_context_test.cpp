// The Windows side: the real WGL and USER32 calls the library relies on,
// and the hidden offscreen windows the tests draw in.
#include <gtest/gtest.h>

#include "VrenkPlatform.h"
#include "support/gl_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

class Win32ContextTest : public vrenktest::GLTest {};

TEST_F(Win32ContextTest, HiddenWindowDrawsAndReadsBack) {
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, m_nWidth, 0, m_nHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4ub(255, 128, 0, 255);
  glRecti(10, 10, 60, 60);
  glFinish();
  EXPECT_TRUE(ColorNear(ReadPixel(30, 30), Rgba{255, 128, 0, 255}));
  EXPECT_TRUE(ColorNear(ReadPixel(100, 100), Rgba{0, 0, 255, 255}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Win32ContextTest, CurrentQueriesAndTheBracketCalls) {
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);
  EXPECT_EQ(wglGetCurrentDC(), m_hDC);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);

  HGLRC second = wglCreateContext(m_hDC);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, second));
  EXPECT_EQ(wglGetCurrentContext(), second);
  EXPECT_TRUE(wglDeleteContext(second));
  EXPECT_NE(wglGetCurrentContext(), second);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
}

TEST(Win32Window, ScreenToClientOnARealWindow) {
  HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 120, 50, 40, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hWnd, nullptr);
  POINT pt = {110, 125};
  ASSERT_TRUE(ScreenToClient(hWnd, &pt));
  EXPECT_EQ(pt.x, 10);
  EXPECT_EQ(pt.y, 5);
  DestroyWindow(hWnd);
}

TEST(Win32Window, OffscreenWindowsRefuseBadSizesAndForeignWindows) {
  EXPECT_EQ(CreateOffscreenWindow(0, 10), nullptr);
  EXPECT_EQ(CreateOffscreenWindow(10, -1), nullptr);
  HWND hWnd = CreateOffscreenWindow(20, 10);
  ASSERT_NE(hWnd, nullptr);
  RECT client = {};
  GetClientRect(hWnd, &client);
  EXPECT_EQ(client.right, 20);
  EXPECT_EQ(client.bottom, 10);
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  DestroyOffscreenWindow(other);  // not ours: left alone
  EXPECT_TRUE(IsWindow(other));
  DestroyWindow(other);
  DestroyOffscreenWindow(hWnd);
  EXPECT_FALSE(IsWindow(hWnd));
  DestroyOffscreenWindow(nullptr);
}

}  // namespace

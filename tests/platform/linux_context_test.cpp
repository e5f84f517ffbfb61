// The Linux layer's contexts and offscreen windows, on Mesa's EGL.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <gtest/gtest.h>

#include "VrenkPlatform.h"
#include "support/gl_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

class OffscreenContextTest : public vrenktest::GLTest {};

void FillWith(float r, float g, float b) {
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
}

TEST_F(OffscreenContextTest, DrawsImmediateModeAndReadsBack) {
  FillWith(0, 0, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, m_nWidth, 0, m_nHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4ub(255, 128, 0, 255);
  glBegin(GL_QUADS);
  glVertex2i(10, 10);
  glVertex2i(60, 10);
  glVertex2i(60, 60);
  glVertex2i(10, 60);
  glEnd();
  glFinish();
  EXPECT_TRUE(ColorNear(ReadPixel(30, 30), Rgba{255, 128, 0, 255}));
  EXPECT_TRUE(ColorNear(ReadPixel(100, 100), Rgba{0, 0, 255, 255}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

  // A depth buffer exists: a nearer quad wins over a farther one drawn later.
  glEnable(GL_DEPTH_TEST);
  glClear(GL_DEPTH_BUFFER_BIT);
  glColor3ub(0, 255, 0);
  glBegin(GL_QUADS);
  glVertex3f(70, 70, 0.5f);
  glVertex3f(90, 70, 0.5f);
  glVertex3f(90, 90, 0.5f);
  glVertex3f(70, 90, 0.5f);
  glEnd();
  glColor3ub(255, 0, 0);
  glBegin(GL_QUADS);
  glVertex3f(70, 70, -0.5f);
  glVertex3f(90, 70, -0.5f);
  glVertex3f(90, 90, -0.5f);
  glVertex3f(70, 90, -0.5f);
  glEnd();
  glDisable(GL_DEPTH_TEST);
  glFinish();
  EXPECT_TRUE(ColorNear(ReadPixel(80, 80), Rgba{0, 255, 0, 255}));
}

TEST_F(OffscreenContextTest, CurrentQueriesAndReleaseAndRebind) {
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);
  EXPECT_EQ(wglGetCurrentDC(), m_hDC);

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
  // Releasing when nothing is current still succeeds, as on Windows.
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));

  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);
  FillWith(1, 0, 0);
  EXPECT_TRUE(ColorNear(ReadPixel(5, 5), Rgba{255, 0, 0, 255}));

  // A null context with a DC releases too; the DC is ignored.
  EXPECT_TRUE(wglMakeCurrent(m_hDC, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST_F(OffscreenContextTest, TwoWindowsKeepTheirOwnPixels) {
  HWND other = CreateOffscreenWindow(64, 32);
  ASSERT_NE(other, nullptr);
  HDC otherDC = GetDC(other);
  HGLRC otherRC = wglCreateContext(otherDC);
  ASSERT_NE(otherRC, nullptr);
  EXPECT_NE(otherDC, m_hDC);

  FillWith(1, 0, 0);
  ASSERT_TRUE(wglMakeCurrent(otherDC, otherRC));
  EXPECT_EQ(wglGetCurrentDC(), otherDC);
  FillWith(0, 1, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 64);
  EXPECT_EQ(viewport[3], 32);

  // A context may be bound to another window's drawable of the same kind.
  ASSERT_TRUE(wglMakeCurrent(m_hDC, otherRC));
  EXPECT_TRUE(ColorNear(ReadPixel(3, 3), Rgba{255, 0, 0, 255}));

  ASSERT_TRUE(wglMakeCurrent(otherDC, m_hRC));
  EXPECT_TRUE(ColorNear(ReadPixel(3, 3), Rgba{0, 255, 0, 255}));

  EXPECT_TRUE(wglDeleteContext(otherRC));
  DestroyOffscreenWindow(other);
  // Destroying the window whose surface was current leaves nothing current.
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
}

TEST_F(OffscreenContextTest, DeletingTheCurrentContextReleasesIt) {
  HGLRC second = wglCreateContext(m_hDC);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, second));
  EXPECT_TRUE(wglDeleteContext(second));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
  // The handle is gone: using it again is refused, not a crash.
  EXPECT_FALSE(wglDeleteContext(second));
  EXPECT_FALSE(wglMakeCurrent(m_hDC, second));
}

TEST_F(OffscreenContextTest, BadHandlesAndArgumentsAreRefused) {
  int junk[16] = {};
  HDC badDC = reinterpret_cast<HDC>(junk);
  HGLRC badRC = reinterpret_cast<HGLRC>(junk + 4);
  HWND badWnd = reinterpret_cast<HWND>(junk + 8);

  EXPECT_FALSE(wglMakeCurrent(badDC, badRC));
  EXPECT_FALSE(wglMakeCurrent(m_hDC, badRC));
  EXPECT_FALSE(wglMakeCurrent(badDC, m_hRC));
  EXPECT_FALSE(wglMakeCurrent(nullptr, m_hRC));
  // A refused bind leaves the current context alone.
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);

  EXPECT_EQ(wglCreateContext(nullptr), nullptr);
  EXPECT_EQ(wglCreateContext(badDC), nullptr);
  EXPECT_FALSE(wglDeleteContext(nullptr));
  EXPECT_FALSE(wglDeleteContext(badRC));
  EXPECT_FALSE(SwapBuffers(nullptr));
  EXPECT_FALSE(SwapBuffers(badDC));
  EXPECT_TRUE(SwapBuffers(m_hDC));

  EXPECT_EQ(GetDC(badWnd), nullptr);
  EXPECT_EQ(ReleaseDC(badWnd, m_hDC), 0);
  EXPECT_EQ(ReleaseDC(m_hWnd, badDC), 0);
  EXPECT_EQ(ReleaseDC(m_hWnd, m_hDC), 1);
  EXPECT_EQ(GetDC(m_hWnd), m_hDC);  // still the window's DC after ReleaseDC

  POINT pt{5, 7};
  EXPECT_FALSE(ScreenToClient(badWnd, &pt));
  EXPECT_FALSE(ScreenToClient(nullptr, &pt));
  EXPECT_FALSE(ScreenToClient(m_hWnd, nullptr));
  EXPECT_TRUE(ScreenToClient(m_hWnd, &pt));
  EXPECT_EQ(pt.x, 5);
  EXPECT_EQ(pt.y, 7);

  EXPECT_EQ(CreateOffscreenWindow(0, 10), nullptr);
  EXPECT_EQ(CreateOffscreenWindow(10, -1), nullptr);
  EXPECT_EQ(CreateOffscreenWindow(1 << 30, 1 << 30), nullptr);
  DestroyOffscreenWindow(badWnd);
  DestroyOffscreenWindow(nullptr);
  EXPECT_EQ(WrapX11Window(nullptr, 42), nullptr);
  UnwrapX11Window(badWnd);
  EXPECT_EQ(wglGetCurrentContext(), m_hRC);
}

TEST_F(OffscreenContextTest, ScreenDCIsAFontReferenceNotADrawable) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDC(nullptr), screen);
  EXPECT_NE(screen, m_hDC);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(wglCreateContext(screen), nullptr);
  EXPECT_FALSE(wglMakeCurrent(screen, m_hRC));
  EXPECT_FALSE(SwapBuffers(screen));
}

// A host that made its own EGL context current: the layer answers for it and
// can release and re-bind it through the handles it adopted.
TEST(ForeignEglContext, IsAdoptedByTheCurrentQueries) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  ASSERT_NE(getPlatformDisplay, nullptr);
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  ASSERT_NE(display, EGL_NO_DISPLAY);
  ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                  EGL_RED_SIZE,     8,               EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  ASSERT_TRUE(eglChooseConfig(display, configAttribs, &config, 1, &count));
  ASSERT_EQ(count, 1);
  const EGLint surfaceAttribs[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttribs);
  ASSERT_NE(surface, EGL_NO_SURFACE);
  eglBindAPI(EGL_OPENGL_API);
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  ASSERT_NE(context, EGL_NO_CONTEXT);

  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  // The host's thread may have the ES API bound; the query must still see
  // the desktop GL context, and must leave the host's API as it was.
  ASSERT_TRUE(eglMakeCurrent(display, surface, surface, context));
  eglBindAPI(EGL_OPENGL_ES_API);
  HGLRC rc = wglGetCurrentContext();
  HDC dc = wglGetCurrentDC();
  EXPECT_EQ(eglQueryAPI(), EGLenum(EGL_OPENGL_ES_API));
  eglBindAPI(EGL_OPENGL_API);
  ASSERT_NE(rc, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), rc);  // the same handle each time
  EXPECT_EQ(wglGetCurrentDC(), dc);

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
  EXPECT_TRUE(wglMakeCurrent(dc, rc));
  EXPECT_EQ(eglGetCurrentContext(), context);
  EXPECT_EQ(eglGetCurrentSurface(EGL_DRAW), surface);

  // Forgetting an adopted handle leaves the host's context alive.
  EXPECT_TRUE(wglDeleteContext(rc));
  EXPECT_EQ(eglGetCurrentContext(), context);
  EXPECT_TRUE(eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT));
  EXPECT_TRUE(eglDestroyContext(display, context));
  EXPECT_TRUE(eglDestroySurface(display, surface));
}

}  // namespace

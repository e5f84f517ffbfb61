// The Linux layer on a real X server: hosts' own GLX windows.
// GoogleTest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include "VrenkPlatform.h"
#include "support/context_kind.h"
#include "support/gl_fixture.h"
#include "support/x11_display.h"

#include <EGL/egl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

class X11WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_display = vrenktest::TestDisplay();
    VRENK_REQUIRE_DISPLAY(m_display);
    int attribs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                     GLX_DEPTH_SIZE, 16, None};
    m_visual = glXChooseVisual(m_display, DefaultScreen(m_display), attribs);
    ASSERT_NE(m_visual, nullptr) << "the X server offers no GLX visual";
    Window root = RootWindow(m_display, m_visual->screen);
    XSetWindowAttributes swa{};
    swa.colormap = XCreateColormap(m_display, root, m_visual->visual, AllocNone);
    swa.border_pixel = 0;
    m_colormap = swa.colormap;
    m_window = XCreateWindow(m_display, root, kLeft, kTop, 160, 120, 0, m_visual->depth, InputOutput,
                             m_visual->visual, CWColormap | CWBorderPixel, &swa);
    XMapWindow(m_display, m_window);
    XSync(m_display, False);
  }

  void TearDown() override {
    if (m_display == nullptr) return;
    wglMakeCurrent(nullptr, nullptr);
    if (m_window != 0) XDestroyWindow(m_display, m_window);
    if (m_colormap != 0) XFreeColormap(m_display, m_colormap);
    if (m_visual != nullptr) XFree(m_visual);
    XSync(m_display, False);
  }

  static constexpr int kLeft = 100;
  static constexpr int kTop = 50;
  Display* m_display = nullptr;
  XVisualInfo* m_visual = nullptr;
  Colormap m_colormap = 0;
  Window m_window = 0;
};

TEST_F(X11WindowTest, WrappedWindowGetsAGlxContextThatDraws) {
  HWND hWnd = WrapX11Window(m_display, m_window);
  ASSERT_NE(hWnd, nullptr);
  EXPECT_EQ(WrapX11Window(m_display, m_window), hWnd);
  HDC hDC = GetDC(hWnd);
  ASSERT_NE(hDC, nullptr);
  HGLRC hRC = wglCreateContext(hDC);
  ASSERT_NE(hRC, nullptr);
  ASSERT_TRUE(wglMakeCurrent(hDC, hRC));
  EXPECT_NE(glXGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentContext(), hRC);
  EXPECT_EQ(wglGetCurrentDC(), hDC);

  glViewport(0, 0, 160, 120);
  glClearColor(0, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  Rgba pixel{};
  glReadPixels(20, 20, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_TRUE(ColorNear(pixel, Rgba{0, 255, 255, 255}));
  EXPECT_TRUE(SwapBuffers(hDC));

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(glXGetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(hRC));
  UnwrapX11Window(hWnd);
  EXPECT_EQ(GetDC(hWnd), nullptr);
}

TEST_F(X11WindowTest, ForeignGlxContextIsAdoptedAndRebound) {
  GLXContext context = glXCreateContext(m_display, m_visual, nullptr, True);
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(glXMakeCurrent(m_display, m_window, context));

  HGLRC rc = wglGetCurrentContext();
  HDC dc = wglGetCurrentDC();
  ASSERT_NE(rc, nullptr);
  ASSERT_NE(dc, nullptr);
  // The adopted DC is the one a host gets from wrapping the same window.
  HWND hWnd = WrapX11Window(m_display, m_window);
  EXPECT_EQ(GetDC(hWnd), dc);

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(glXGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(hWnd), rc));
  EXPECT_EQ(glXGetCurrentContext(), context);
  EXPECT_EQ(glXGetCurrentDrawable(), m_window);

  glXMakeCurrent(m_display, None, nullptr);
  EXPECT_TRUE(wglDeleteContext(rc));  // forgets the handle only
  glXDestroyContext(m_display, context);
  UnwrapX11Window(hWnd);
}

TEST_F(X11WindowTest, BindingAcrossBackendsLeavesOneContextCurrent) {
  HWND x11 = WrapX11Window(m_display, m_window);
  HGLRC glxRC = wglCreateContext(GetDC(x11));
  HWND offscreen = CreateOffscreenWindow(32, 32);
  ASSERT_NE(offscreen, nullptr);
  HGLRC eglRC = wglCreateContext(GetDC(offscreen));
  ASSERT_NE(glxRC, nullptr);
  ASSERT_NE(eglRC, nullptr);

  ASSERT_TRUE(wglMakeCurrent(GetDC(offscreen), eglRC));
  ASSERT_TRUE(wglMakeCurrent(GetDC(x11), glxRC));
  EXPECT_EQ(wglGetCurrentContext(), glxRC);
  eglBindAPI(EGL_OPENGL_API);
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);

  ASSERT_TRUE(wglMakeCurrent(GetDC(offscreen), eglRC));
  EXPECT_EQ(wglGetCurrentContext(), eglRC);
  EXPECT_EQ(glXGetCurrentContext(), nullptr);
  // Kinds do not mix: a GLX context cannot bind to an EGL drawable.
  EXPECT_FALSE(wglMakeCurrent(GetDC(offscreen), glxRC));

  wglMakeCurrent(nullptr, nullptr);
  EXPECT_TRUE(wglDeleteContext(glxRC));
  EXPECT_TRUE(wglDeleteContext(eglRC));
  DestroyOffscreenWindow(offscreen);
  UnwrapX11Window(x11);
}

TEST_F(X11WindowTest, AttribsGiveCoreAndEsGlxContextsThatDraw) {
  HWND hWnd = WrapX11Window(m_display, m_window);
  HDC hDC = GetDC(hWnd);
  HGLRC compat = wglCreateContext(hDC);
  ASSERT_NE(compat, nullptr);
  using vrenktest::ContextKind;
  for (ContextKind kind : {ContextKind::Core33, ContextKind::Es30, ContextKind::Es20}) {
    const char* name = vrenktest::ContextKindName(kind);
    HGLRC rc = vrenktest::CreateContextOfKind(hDC, kind);
    ASSERT_NE(rc, nullptr) << name;
    HGLRC shared = vrenktest::CreateContextOfKind(hDC, kind, rc);
    ASSERT_NE(shared, nullptr) << name;
    ASSERT_TRUE(wglMakeCurrent(hDC, rc)) << name;
    EXPECT_EQ(wglGetCurrentContext(), rc) << name;
    std::string error;
    EXPECT_TRUE(vrenktest::CurrentMatchesKind(kind, &error)) << error;
    glViewport(0, 0, 160, 120);
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    Rgba pixel{};
    glReadPixels(20, 20, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_TRUE(ColorNear(pixel, Rgba{255, 0, 255, 255})) << name;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glFinish();
    ASSERT_TRUE(wglMakeCurrent(hDC, shared)) << name;
    EXPECT_TRUE(glIsTexture(texture)) << name;
    // Back to a compatibility context: one current, and GL follows it.
    ASSERT_TRUE(wglMakeCurrent(hDC, compat));
    EXPECT_TRUE(vrenktest::QueryCurrentContext().fixedFunction) << name;
    wglMakeCurrent(nullptr, nullptr);
    EXPECT_TRUE(wglDeleteContext(shared));
    EXPECT_TRUE(wglDeleteContext(rc));
  }
  EXPECT_TRUE(wglDeleteContext(compat));
  UnwrapX11Window(hWnd);
}

TEST_F(X11WindowTest, RefusedGlxRequestsGiveNullWithoutEndingTheProcess) {
  HWND hWnd = WrapX11Window(m_display, m_window);
  HDC hDC = GetDC(hWnd);
  // Valid, but more than llvmpipe gives (4.5): the server answers with an
  // X error, which the layer traps.
  const int lacking[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 4, WGL_CONTEXT_MINOR_VERSION_ARB, 6,
                         WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB, 0};
  EXPECT_EQ(wglCreateContextAttribsARB(hDC, nullptr, lacking), nullptr);
  const int unknown[] = {0x1234, 1, 0};
  EXPECT_EQ(wglCreateContextAttribsARB(hDC, nullptr, unknown), nullptr);

  // A share context must be of the same backend.
  HWND offscreen = CreateOffscreenWindow(8, 8);
  HGLRC eglRC = wglCreateContext(GetDC(offscreen));
  ASSERT_NE(eglRC, nullptr);
  EXPECT_EQ(wglCreateContextAttribsARB(hDC, eglRC, nullptr), nullptr);
  HGLRC glxRC = wglCreateContextAttribsARB(hDC, nullptr, nullptr);
  ASSERT_NE(glxRC, nullptr);
  EXPECT_EQ(wglCreateContextAttribsARB(GetDC(offscreen), glxRC, nullptr), nullptr);
  EXPECT_TRUE(wglDeleteContext(glxRC));
  EXPECT_TRUE(wglDeleteContext(eglRC));
  DestroyOffscreenWindow(offscreen);

  // A window gone from the server refuses every kind.
  Window doomed = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10, 0, 0, 0);
  HWND doomedWnd = WrapX11Window(m_display, doomed);
  XDestroyWindow(m_display, doomed);
  XSync(m_display, False);
  const std::vector<int> core = vrenktest::ContextAttribs(vrenktest::ContextKind::Core33);
  EXPECT_EQ(wglCreateContextAttribsARB(GetDC(doomedWnd), nullptr, core.data()), nullptr);
  UnwrapX11Window(doomedWnd);
  UnwrapX11Window(hWnd);
}

TEST_F(X11WindowTest, ScreenToClientAndGetClientRectUseTheServersGeometry) {
  HWND hWnd = WrapX11Window(m_display, m_window);
  ASSERT_NE(hWnd, nullptr);
  XResizeWindow(m_display, m_window, 150, 110);
  XSync(m_display, False);
  RECT rect{1, 1, 0, 0};
  ASSERT_TRUE(GetClientRect(hWnd, &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 150);
  EXPECT_EQ(rect.bottom, 110);
  POINT pt{kLeft + 30, kTop + 20};
  ASSERT_TRUE(ScreenToClient(hWnd, &pt));
  EXPECT_EQ(pt.x, 30);
  EXPECT_EQ(pt.y, 20);
  POINT outside{10, 10};
  ASSERT_TRUE(ScreenToClient(hWnd, &outside));
  EXPECT_EQ(outside.x, 10 - kLeft);
  EXPECT_EQ(outside.y, 10 - kTop);
  UnwrapX11Window(hWnd);
}

TEST_F(X11WindowTest, MissingWindowsAreRefusedWithoutEndingTheProcess) {
  EXPECT_EQ(WrapX11Window(m_display, 0x7ffffff0ul), nullptr);

  // A window that disappears after wrapping: calls fail, nothing aborts.
  Window doomed = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10, 0, 0, 0);
  HWND hWnd = WrapX11Window(m_display, doomed);
  ASSERT_NE(hWnd, nullptr);
  XDestroyWindow(m_display, doomed);
  XSync(m_display, False);
  POINT pt{1, 1};
  EXPECT_FALSE(ScreenToClient(hWnd, &pt));
  RECT rect{};
  EXPECT_FALSE(GetClientRect(hWnd, &rect));
  EXPECT_EQ(wglCreateContext(GetDC(hWnd)), nullptr);
  UnwrapX11Window(hWnd);
}

}  // namespace

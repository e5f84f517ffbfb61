// Regional rendering on a real double-buffered X11 window, with and without
// an accumulation buffer in the pixel format.
#include <gtest/gtest.h>

#include <vector>

#include "VrenkGLWidge.h"
#include "support/context_kind.h"
#include "support/gl_fixture.h"
#include "support/gl_state.h"
#include "support/x11_display.h"
#include "widge/recording_widge.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::RecordingWidge;
using vrenktest::Rgba;

namespace {

class RegionalRenderingTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    m_display = vrenktest::TestDisplay();
    VRENK_REQUIRE_DISPLAY(m_display);
    std::vector<int> attribs = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8};
    if (GetParam()) {
      attribs.insert(attribs.end(), {GLX_ACCUM_RED_SIZE, 8, GLX_ACCUM_GREEN_SIZE, 8, GLX_ACCUM_BLUE_SIZE, 8});
    }
    attribs.push_back(None);
    m_visual = glXChooseVisual(m_display, DefaultScreen(m_display), attribs.data());
    ASSERT_NE(m_visual, nullptr);
    Window root = RootWindow(m_display, m_visual->screen);
    XSetWindowAttributes swa{};
    swa.colormap = m_colormap = XCreateColormap(m_display, root, m_visual->visual, AllocNone);
    m_window = XCreateWindow(m_display, root, 0, 0, kWidth, kHeight, 0, m_visual->depth, InputOutput,
                             m_visual->visual, CWColormap, &swa);
    XSelectInput(m_display, m_window, StructureNotifyMask | ExposureMask);
    XMapWindow(m_display, m_window);
    // Only a viewable window has a front buffer on screen to copy from.
    for (XEvent event;;) {
      XNextEvent(m_display, &event);
      if (event.type == Expose && event.xexpose.window == m_window) break;
    }
    m_hWnd = WrapX11Window(m_display, m_window);
    ASSERT_NE(m_hWnd, nullptr);
    m_hRC = wglCreateContext(GetDC(m_hWnd));
    ASSERT_NE(m_hRC, nullptr);
    ASSERT_TRUE(wglMakeCurrent(GetDC(m_hWnd), m_hRC));
    GLint accum = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &accum);
    ASSERT_EQ(accum > 0, GetParam()) << "the visual's accumulation buffer is not as asked";
    glViewport(0, 0, kWidth, kHeight);
  }

  void TearDown() override {
    if (m_display == nullptr) return;
    wglMakeCurrent(nullptr, nullptr);
    if (m_hRC != nullptr) wglDeleteContext(m_hRC);
    if (m_hWnd != nullptr) UnwrapX11Window(m_hWnd);
    if (m_window != 0) XDestroyWindow(m_display, m_window);
    if (m_colormap != 0) XFreeColormap(m_display, m_colormap);
    if (m_visual != nullptr) XFree(m_visual);
    XSync(m_display, False);
  }

  Rgba BackPixel(int x, int y) {
    Rgba pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    pixel[3] = 255;  // the window's visual may have no alpha
    return pixel;
  }

  static constexpr int kWidth = 120;
  static constexpr int kHeight = 100;
  Display* m_display = nullptr;
  XVisualInfo* m_visual = nullptr;
  Colormap m_colormap = 0;
  Window m_window = 0;
  HWND m_hWnd = nullptr;
  HGLRC m_hRC = nullptr;
};

TEST_P(RegionalRenderingTest, OnlyTheDirtyRegionChangesAndScissorStateIsKept) {
  CVrenkWidgeManager manager;
  ASSERT_EQ(manager.Init(m_hWnd, kWidth, kHeight, m_hRC, 0, 0, kWidth, kHeight), 0);
  RecordingWidge dirty;
  RecordingWidge overlapping;
  dirty.SetBox(20, 20, 60, 50);
  overlapping.SetBox(50, 40, 100, 90);
  overlapping.drawBox = true;
  overlapping.color[0] = 0;
  overlapping.color[1] = 0;
  overlapping.color[2] = 255;
  dirty.Init(&manager);
  overlapping.Init(&manager);

  // The frame on screen: red everywhere in the front buffer. (Drawn there
  // directly: Mesa's software rasteriser does not read presented frames
  // back from the window into the front buffer.)
  glDrawBuffer(GL_FRONT);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDrawBuffer(GL_BACK);
  glFinish();
  manager.Render();  // a pass, so the region starts afresh
  glClearColor(1, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);  // the back buffer holds something else now

  glScissor(1, 2, 3, 4);
  vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  GLint readBefore = 0;
  GLint drawBefore = 0;
  glGetIntegerv(GL_READ_BUFFER, &readBefore);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBefore);

  dirty.SetVisible(false);  // asks for its box to be redrawn
  dirty.SetVisible(true);
  manager.BeginRegionalRendering();
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);  // the host's scene
  manager.Render();
  manager.EndRegionalRendering();
  glFinish();

  EXPECT_EQ("", vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()));
  GLint scissor[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, scissor);
  EXPECT_EQ(scissor[0], 1);
  EXPECT_EQ(scissor[3], 4);
  GLint readAfter = 0;
  GLint drawAfter = 0;
  glGetIntegerv(GL_READ_BUFFER, &readAfter);
  glGetIntegerv(GL_DRAW_BUFFER, &drawAfter);
  EXPECT_EQ(readAfter, readBefore);
  EXPECT_EQ(drawAfter, drawBefore);

  EXPECT_TRUE(ColorNear(BackPixel(5, 5), Rgba{255, 0, 0, 255})) << "outside: the previous frame";
  EXPECT_TRUE(ColorNear(BackPixel(110, 95), Rgba{255, 0, 0, 255}));
  EXPECT_TRUE(ColorNear(BackPixel(30, 30), Rgba{0, 255, 0, 255})) << "inside: the new scene";
  EXPECT_TRUE(ColorNear(BackPixel(55, 45), Rgba{0, 0, 255, 255})) << "inside: the widge";
  EXPECT_TRUE(ColorNear(BackPixel(80, 80), Rgba{255, 0, 0, 255})) << "the widge outside the region";
  manager.Release();
}

TEST_P(RegionalRenderingTest, AnOffsetViewportRedrawsTheWidgeWhereItIsOnScreen) {
  // The viewport starts at window pixel (30, 20); the widge's box (10, 10)
  // to (30, 30) in overlay coordinates is window pixels (40, 30) to (60, 50).
  CVrenkWidgeManager manager;
  ASSERT_EQ(manager.Init(m_hWnd, kWidth, kHeight, m_hRC, 30, 20, 80, 70), 0);
  RecordingWidge widge;
  widge.SetBox(10, 10, 30, 30);
  widge.drawBox = true;
  widge.color[0] = 0;
  widge.color[1] = 0;
  widge.color[2] = 255;
  widge.Init(&manager);
  glViewport(30, 20, 80, 70);

  glDrawBuffer(GL_FRONT);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDrawBuffer(GL_BACK);
  glFinish();
  manager.Render();
  glClearColor(1, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);

  widge.SetVisible(false);
  widge.SetVisible(true);
  manager.BeginRegionalRendering();
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  manager.Render();
  manager.EndRegionalRendering();
  glFinish();

  EXPECT_TRUE(ColorNear(BackPixel(50, 40), Rgba{0, 0, 255, 255})) << "the widge, redrawn where it is on screen";
  EXPECT_TRUE(ColorNear(BackPixel(42, 32), Rgba{0, 0, 255, 255}));
  EXPECT_TRUE(ColorNear(BackPixel(20, 20), Rgba{255, 0, 0, 255})) << "outside the viewport: the previous frame";
  EXPECT_TRUE(ColorNear(BackPixel(35, 25), Rgba{255, 0, 0, 255})) << "the viewport outside the region";
  EXPECT_TRUE(ColorNear(BackPixel(70, 60), Rgba{255, 0, 0, 255}));
  manager.Release();
}

// In a 3.3 core-profile context the front buffer is copied with a blit and
// the region kept with the scissor, set and restored by hand.
TEST_P(RegionalRenderingTest, ACoreProfileContextBlitsTheFrameAndKeepsTheScissorState) {
  HGLRC hCore = vrenktest::CreateContextOfKind(GetDC(m_hWnd), vrenktest::ContextKind::Core33);
  ASSERT_NE(hCore, nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(m_hWnd), hCore));
  {
    CVrenkWidgeManager manager;
    ASSERT_EQ(manager.Init(m_hWnd, kWidth, kHeight, hCore, 0, 0, kWidth, kHeight), 0);
    RecordingWidge dirty;
    dirty.SetBox(20, 20, 60, 50);
    dirty.Init(&manager);
    glViewport(0, 0, kWidth, kHeight);
    glDrawBuffer(GL_FRONT);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawBuffer(GL_BACK);
    glFinish();
    manager.Render();
    glClearColor(1, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(1, 2, 3, 4);

    dirty.SetVisible(false);
    dirty.SetVisible(true);
    manager.BeginRegionalRendering();
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    manager.Render();
    manager.EndRegionalRendering();
    glFinish();

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    GLint scissor[4] = {};
    glGetIntegerv(GL_SCISSOR_BOX, scissor);
    EXPECT_EQ(scissor[0], 1);
    EXPECT_EQ(scissor[3], 4);
    EXPECT_TRUE(ColorNear(BackPixel(5, 5), Rgba{255, 0, 0, 255})) << "outside: the previous frame";
    EXPECT_TRUE(ColorNear(BackPixel(30, 30), Rgba{0, 255, 0, 255})) << "inside: the new scene";
    manager.Release();
  }
  wglMakeCurrent(GetDC(m_hWnd), m_hRC);
  wglDeleteContext(hCore);
}

INSTANTIATE_TEST_SUITE_P(PixelFormats, RegionalRenderingTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithAccumulationBuffer" : "WithoutAccumulationBuffer";
                         });

}  // namespace

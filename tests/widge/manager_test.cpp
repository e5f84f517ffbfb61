// The manager with a real context: codes, list rules, viewport, the context
// bracket, the render pass and the image and text services.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "image/png_files.h"
#include "support/gl_fixture.h"
#include "support/gl_state.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::RecordingWidge;

namespace {

class TestManager : public CVrenkWidgeManager {
 public:
  using CVrenkWidgeManager::UpdateViewport;
  const int* DirtyBox() const { return m_nDirtyBox; }
  size_t Count() const { return m_vecWidges.size(); }
  HGLRC Context() const { return m_hRC; }
};

class ManagerTest : public vrenktest::GLTest {
 protected:
  ManagerTest() : GLTest(200, 150) {}
  void SetUp() override {
    GLTest::SetUp();
    ASSERT_EQ(m_manager.Init(m_hWnd, 200, 150, m_hRC, 0, 0, 200, 150), 0);
  }
  void TearDown() override {
    m_manager.Release();
    GLTest::TearDown();
  }
  TestManager m_manager;
};

TEST_F(ManagerTest, CodesAndListRules) {
  EXPECT_EQ(m_manager.Init(m_hWnd, 1, 1, m_hRC, 0, 0, 1, 1), -6);
  EXPECT_EQ(m_manager.AddWidge(nullptr), -5);
  EXPECT_EQ(m_manager.Count(), 0u);
  RecordingWidge w;
  EXPECT_EQ(m_manager.RemoveWidge(&w), -4);
  EXPECT_EQ(m_manager.AddWidge(&w), 0);
  EXPECT_EQ(m_manager.AddWidge(&w), 0);  // no duplicate check
  EXPECT_EQ(m_manager.Count(), 2u);
  EXPECT_EQ(m_manager.RemoveWidge(&w), 0);
  EXPECT_EQ(m_manager.RemoveWidge(&w), 0);
  EXPECT_EQ(m_manager.RemoveWidge(&w), -4);
  EXPECT_EQ(m_manager.AddWidge(&w), 0);
  EXPECT_EQ(m_manager.RemoveAllWidges(), 0);
  EXPECT_EQ(m_manager.Count(), 0u);
  EXPECT_EQ(m_manager.Release(), 0);
  EXPECT_EQ(m_manager.Init(m_hWnd, 1, 1, m_hRC, 0, 0, 1, 1), -6);  // not again after Release
}

TEST_F(ManagerTest, OnSizeRelaysEveryWidgeButUpdateViewportDoesNot) {
  RecordingWidge shown;
  RecordingWidge hidden;
  shown.Init(&m_manager);
  hidden.Init(&m_manager);
  hidden.SetVisible(false);
  hidden.SetEnable(false);
  m_manager.Render();
  EXPECT_FALSE(m_manager.IsNeedReRender());

  m_manager.UpdateViewport(300, 200, 5, 6, 7, 8);
  EXPECT_EQ(shown.layouts, 0);
  EXPECT_FALSE(m_manager.IsNeedReRender());
  EXPECT_EQ(m_manager.GetViewport()[2], 7);

  const int viewport[4] = {1, 2, 180, 120};
  m_manager.OnSize(0, 200, 150, viewport);
  EXPECT_EQ(shown.layouts, 1);
  EXPECT_EQ(hidden.layouts, 1);
  EXPECT_TRUE(m_manager.IsNeedReRender());
  EXPECT_EQ(m_manager.GetViewport()[0], 1);
  EXPECT_EQ(m_manager.GetViewport()[3], 120);
  m_manager.OnSize(0, 200, 150, nullptr);  // ignored, not a crash
  EXPECT_EQ(shown.layouts, 1);
}

TEST(ManagerConversions, ClientAndScreenPointsToOverlay) {
  int x = 0;
  int y = 0;
  CVrenkWidgeManager::ClientWindowsToGLViewport(600, 10, 20, 5, 7, &x, &y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 573);
  const int viewport[4] = {5, 7, 100, 100};
  POINT pt{10, 20};
  CVrenkWidgeManager::ClientWindowsToGLViewport(600, pt, viewport, &x, &y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 573);
  CVrenkWidgeManager::ClientWindowsToGLViewport(600, pt, 5, 7, &x, &y);
  EXPECT_EQ(y, 573);
  // Offscreen windows sit at the screen origin, so screen equals client.
  HWND hWnd = CreateOffscreenWindow(8, 8);
  ASSERT_NE(hWnd, nullptr);
  CVrenkWidgeManager::ScreenWindowsToGLViewport(hWnd, 600, 10, 20, viewport, &x, &y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 573);
  DestroyOffscreenWindow(hWnd);
  // Points far outside saturate instead of wrapping to the other side.
  CVrenkWidgeManager::ClientWindowsToGLViewport(600, INT_MIN, INT_MIN, 5, 7, &x, &y);
  EXPECT_EQ(x, INT_MIN);
  EXPECT_EQ(y, INT_MAX);
  CVrenkWidgeManager::ClientWindowsToGLViewport(600, 1, 1, nullptr, &x, &y);  // ignored
}

TEST_F(ManagerTest, ContextBracketUsesTheHostsContextOrItsOwn) {
  RecordingWidge w;
  w.Init(&m_manager);

  // The host's context current: used and left current.
  HWND other = CreateOffscreenWindow(16, 16);
  HGLRC host = wglCreateContext(GetDC(other));
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(other), host));
  m_manager.Render();
  EXPECT_EQ(w.contextDuringRender, host);
  EXPECT_EQ(wglGetCurrentContext(), host);

  // Nothing current: the manager's own for the call, none afterwards.
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  m_manager.Render();
  EXPECT_EQ(w.contextDuringRender, m_hRC);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);

  vrenktest::ScratchDir dir;
  std::string path = dir.Path("i.png");
  ASSERT_TRUE(vrenktest::WritePng(path, vrenktest::Rgba8Pattern(2, 2)));
  unsigned texture = 0;
  CVrenkImageBase* image = m_manager.AllocateImage(path.c_str(), &texture);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  // The texture was made in the manager's context.
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
  EXPECT_TRUE(glIsTexture(texture));
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(m_manager.ReleaseImage(image), 0);
  EXPECT_EQ(m_manager.ReleaseImage(image), 0);
  EXPECT_EQ(m_manager.ReleaseImage(nullptr), -4);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);

  // With the host's context current, images go there and it stays current.
  ASSERT_TRUE(wglMakeCurrent(GetDC(other), host));
  unsigned hostTexture = 0;
  std::string second = dir.Path("j.png");
  ASSERT_TRUE(vrenktest::WritePng(second, vrenktest::Rgba8Pattern(2, 2)));
  EXPECT_NE(m_manager.AllocateImage(vrenktest::Widen(second).c_str(), &hostTexture), nullptr);
  EXPECT_EQ(wglGetCurrentContext(), host);
  EXPECT_TRUE(glIsTexture(hostTexture));

  // Null paths give null, not a crash.
  unsigned none = 5;
  EXPECT_EQ(m_manager.AllocateImage(static_cast<const char*>(nullptr), &none), nullptr);
  EXPECT_EQ(none, 0u);
  EXPECT_EQ(m_manager.AllocateImage(static_cast<const wchar_t*>(nullptr)), nullptr);

  // Texts go through the same bracket.
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  CVrenkTextureText* text = m_manager.CreateText("Hello");
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  if (text != nullptr) {
    EXPECT_EQ(m_manager.ReleaseText(text), 0);
  }
  EXPECT_GT(m_manager.GetFontHeight(), 0u);

  ASSERT_TRUE(wglMakeCurrent(GetDC(other), host));
  m_manager.Release();  // frees its textures in the current context
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(host);
  DestroyOffscreenWindow(other);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
}

TEST_F(ManagerTest, RenderPassDrawsEnabledVisibleWidgesInOrderAndRestoresState) {
  std::vector<std::string> log;
  RecordingWidge a(&log, "a");
  RecordingWidge hidden(&log, "hidden");
  RecordingWidge disabled(&log, "disabled");
  RecordingWidge b(&log, "b");
  a.SetBox(10, 10, 60, 60);
  b.SetBox(40, 40, 90, 90);
  a.drawBox = b.drawBox = true;
  a.color[0] = 200;
  b.color[0] = 0;
  for (RecordingWidge* w : {&a, &hidden, &disabled, &b}) w->Init(&m_manager);
  hidden.SetVisible(false);
  disabled.SetEnable(false);

  // A host scene transform, to be captured and left in place.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, -3);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_TEXTURE);
  vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();

  EXPECT_EQ(m_manager.Render(), 0);
  EXPECT_EQ("", vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()));

  EXPECT_EQ(log, (std::vector<std::string>{"a:render", "b:render"}));
  EXPECT_FALSE(a.IsDirty());
  EXPECT_FALSE(b.IsDirty());
  EXPECT_TRUE(hidden.IsDirty());
  EXPECT_TRUE(disabled.IsDirty());
  EXPECT_FALSE(m_manager.IsNeedReRender());
  const double* scene = m_manager.GetSceneModelViewMatrix();
  EXPECT_EQ(scene[12], 1.0);
  EXPECT_EQ(scene[13], 2.0);
  EXPECT_EQ(scene[14], -3.0);

  // Overlay pixels: a later widge over an earlier one, depth test ignored.
  glFinish();
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(20, 20), {200, 255, 255, 255}));
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(50, 50), {0, 255, 255, 255}));
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(120, 120), {0, 0, 0, 0}));
  glMatrixMode(GL_MODELVIEW);
}

TEST_F(ManagerTest, DestroyedManagerDetachesItsWidges) {
  RecordingWidge w;
  {
    TestManager temporary;
    ASSERT_EQ(temporary.Init(m_hWnd, 10, 10, m_hRC, 0, 0, 10, 10), 0);
    w.Init(&temporary);
  }
  w.SetVisible(false);  // must not reach the destroyed manager
  w.Release();
  SUCCEED();
}

}  // namespace

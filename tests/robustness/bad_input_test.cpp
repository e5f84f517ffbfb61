// bad_input_test.cpp - defined results for inputs and call orders that the
// fuzzers found mishandled: viewports without extent or beyond int range, a
// list shrunk under the cursor, a manager going before its menus, and calls
// before anything was initialised.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "VrenkGLWidge.h"
#include "image/png_files.h"
#include "menu/menu_fixture.h"
#include "support/gl_state.h"

using namespace VrenkGLWidge;

namespace {

// The manager's dirty region, a protected field.
struct DirtyPeek : CVrenkWidgeManager {
  static const int* Of(const CVrenkWidgeManager& m) { return m.*(&DirtyPeek::m_nDirtyBox); }
};

class BadInputTest : public vrenktest::MenuTest {
 protected:
  void SetUp() override {
    vrenktest::MenuTest::SetUp();
    m_icon = m_dir.Path("icon.png");
    ASSERT_TRUE(vrenktest::WritePng(m_icon, vrenktest::Rgba8Pattern(4, 4)));
  }
  vrenktest::ScratchDir m_dir;
  std::string m_icon;
};

TEST_F(BadInputTest, ViewportWithoutExtentRendersNothingAndRaisesNoGLError) {
  m_wheel.Init(&m_manager, 4, 60, 200, 130, 0.0f);
  const int viewports[2][4] = {{0, 0, 0, 260}, {0, 0, 400, 0}};
  for (const int* vp : viewports) {
    m_manager.OnSize(0, 400, 260, vp);
    glClear(GL_COLOR_BUFFER_BIT);
    const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
    EXPECT_EQ(m_manager.Render(), 0);
    EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
    EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(200, 130), {0, 0, 0, 0}));
    EXPECT_FALSE(m_manager.IsNeedReRender());
  }
}

TEST_F(BadInputTest, ViewportReachingPastIntKeepsTheDirtyRegionInRange) {
  m_wheel.Init(&m_manager, 4, 60, 200, 130, 0.0f);
  m_manager.OnSize(0, 400, 260, 1, 1, INT_MAX, INT_MAX);
  m_manager.Render();
  const int* box = DirtyPeek::Of(m_manager);
  EXPECT_EQ(box[2], INT_MAX);  // the far edge saturates instead of wrapping
  EXPECT_EQ(box[3], INT_MAX);
  // A request after the pass starts from an empty region at that edge; the
  // box enters moved by the viewport origin (1, 1).
  m_wheel.SetVisible(false);
  EXPECT_EQ(box[0], 1 + static_cast<int>(m_wheel.GetLowerBound()[0]));
  EXPECT_EQ(box[1], 1 + static_cast<int>(m_wheel.GetLowerBound()[1]));
}

TEST_F(BadInputTest, ItemsCutOffUnderTheCursorAreNoLongerHoveredOrClicked) {
  vrenktest::RecordingCallback callback;
  m_wheel.Init(&m_manager, 6, 100, 200, 130, 0.0f);
  m_wheel.SetProcessFunction(&callback);
  MoveTo(330.0f, 0.5f);  // the last of six sectors
  ASSERT_EQ(m_wheel.GetHoveredIndex(), 5);
  m_wheel.SetItemSize(2);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  for (int id = 100; id < 104; ++id) m_wheel.AddItem(id);
  EXPECT_FALSE(m_wheel.IsItemHovered(5));
  m_wheel.OnLButtonUp(0, 0);  // a release without a move chooses nothing
  EXPECT_TRUE(callback.calls.empty());

  MoveTo(330.0f, 0.5f);
  ASSERT_EQ(m_wheel.GetHoveredIndex(), 5);
  m_wheel.Init(&m_manager, 3, 100, 200, 130, 0.0f);  // a new Init with fewer items
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
}

TEST_F(BadInputTest, ManagerGoingBeforeItsMenusTakesTheirTextsAndIconsBack) {
  CVrenkDoubleWheelMenu dwheel;
  auto fill = [&](CVrenkWidgeManager* manager) {
    m_wheel.Init(manager, 2, 60, 100, 130, 0.0f);
    dwheel.Init(manager, 1, 2, 60, 300, 130, 0.0f, 0.0f);
    ASSERT_EQ(m_wheel.SetItem(0, 1, "tip", m_icon.c_str(), 0, false, true), 0);
    ASSERT_EQ(dwheel.SetOuterItem(0, 2, "other tip", m_icon.c_str(), 0, false, true), 0);
  };
  auto expectEmptyHanded = [&] {
    EXPECT_EQ(&m_wheel.GetItemTooltip(0), &CVrenkMenuBase::strDummy);
    EXPECT_EQ(m_wheel.GetItemImage(0), nullptr);
    EXPECT_EQ(&dwheel.GetOuterItemTooltip(0), &CVrenkMenuBase::strDummy);
    EXPECT_EQ(dwheel.GetOuterItemImage(0), nullptr);
    dwheel.SetShowTooltip(true);  // lays the tooltips out again
    dwheel.SetTooltipStyle(1);
  };

  // Released first: the menus are released with it.
  fill(&m_manager);
  m_manager.Release();
  expectEmptyHanded();

  // Destroyed first: the same, and the menus start again elsewhere.
  {
    vrenktest::TestManager temporary;
    ASSERT_EQ(temporary.Init(m_hWnd, m_nWidth, m_nHeight, m_hRC, 0, 0, m_nWidth, m_nHeight), 0);
    fill(&temporary);
  }
  expectEmptyHanded();
  vrenktest::TestManager again;
  ASSERT_EQ(again.Init(m_hWnd, m_nWidth, m_nHeight, m_hRC, 0, 0, m_nWidth, m_nHeight), 0);
  fill(&again);
  EXPECT_EQ(m_wheel.GetItemTooltip(0), "tip");
  m_wheel.Release();
  dwheel.Release();
}

TEST_F(BadInputTest, CallsBeforeInitGiveNeutralResultsAndDrawNothing) {
  vrenktest::TestManager fresh;
  CVrenkWheelMenu wheel;
  CVrenkDoubleWheelMenu dwheel;
  EXPECT_EQ(wheel.SetItem(0, 1, "tip", m_icon.c_str(), 0, false, true), -2);
  EXPECT_EQ(wheel.AddItem(1), 0);
  EXPECT_EQ(wheel.SetItem(0, 1, "tip", m_icon.c_str(), 0, false, true), -1);  // no manager, no pool
  EXPECT_EQ(&wheel.GetItemTooltip(0), &CVrenkMenuBase::strDummy);
  EXPECT_EQ(dwheel.SetOuterItem(0, 1, "tip", m_icon.c_str(), 0, false, true), -2);
  dwheel.SetShowTooltip(true);
  dwheel.SetTooltipStyle(2);
  EXPECT_EQ(fresh.CreateText("tip"), nullptr);
  POINT pt = {200, 130};
  EXPECT_FALSE(fresh.OnMouseMove(0, pt));

  glClear(GL_COLOR_BUFFER_BIT);
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  fresh.Render();
  wheel.Render();
  dwheel.Render();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(0, 0), {0, 0, 0, 0}));
}

}  // namespace

// Popups at the press point: placement, tap or stroke, the mark-ahead
// delay on a clock of the test's own, and menus that go while open.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "menu/selection_fixture.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;

namespace {

using PopupTest = vrenktest::SelectionTest;

// A host's own menu without wheel geometry.
class PlainMenu : public CVrenkMenuBase {
 protected:
  bool HitTest(float, float) override { return false; }
  void RecalculateLayout() override {}
  void RenderActually() override {}
};

TEST_F(PopupTest, OpensAtThePressPointAndChoosesByDirectionFromIt) {
  MakeWheel(8, 22.5f, 100);  // item 1 faces up, item 2 up and to the left
  m_wheel.SetSelectByDirection(true);
  m_wheel.SetVisible(false);
  ASSERT_EQ(m_manager.PopupMenu(&m_wheel, At(200, 300)), 0);
  EXPECT_EQ(m_manager.GetPopupMenu(), &m_wheel);
  EXPECT_EQ(m_manager.GetCaptureMenu(), &m_wheel);
  EXPECT_TRUE(m_wheel.IsVisible());
  EXPECT_EQ(m_wheel.Center(), std::make_pair(200, 300));
  Move(200, 550);  // far beyond the wheel, and the window
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 1);
  m_manager.Render();
  EXPECT_TRUE(Up(200, 550));
  EXPECT_EQ(LastID(), 101);
  EXPECT_FALSE(m_wheel.IsVisible());
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_TRUE(m_manager.IsNeedReRender());

  // At the edge the wheel moves inside; the direction counts from the
  // press point (from the centre it would be item 2's).
  ASSERT_EQ(m_manager.PopupMenu(&m_wheel, At(5, 240)), 0);
  EXPECT_EQ(m_wheel.Center(), std::make_pair(115, 240));
  Move(5, 440);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 1);
  Up(5, 440);
  EXPECT_EQ(LastID(), 101);

  // The double wheel: the ring under the pointer inside its radius, the
  // outer ring by direction from the press point beyond it.
  MakeDoubleWheel(4, 8, 45.0f, 0.0f);
  m_dwheel.SetSelectByDirection(true);
  ASSERT_EQ(m_manager.PopupMenu(&m_dwheel, At(5, 240)), 0);
  Move(100, 310);
  EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), 2);
  Move(25, 440);
  EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), 1);
  Up(25, 440);
  EXPECT_EQ(LastID(), 301);

  // A menu that chooses by position takes the item under the release.
  m_dwheel.SetSelectByDirection(false);
  m_manager.PopupMenu(&m_dwheel, At(320, 240));
  Move(320, 420);
  EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), -1);
  Move(320 - 15, 240 + 70);
  Up(320 - 15, 240 + 70);
  EXPECT_EQ(LastID(), 302);
}

TEST_F(PopupTest, ATapLeavesItOpenForAClickAndAPressElsewhereClosesIt) {
  std::vector<std::string> log;
  vrenktest::RecordingWidge other(&log, "other");
  MakeWheel(4, 45.0f);
  other.Init(&m_manager);
  other.SetBox(0, 0, 100, 100);
  m_wheel.SetSelectByDirection(true);
  m_wheel.SetVisible(false);

  m_manager.PopupMenu(&m_wheel, At(320, 240));
  EXPECT_TRUE(Up(322, 241));
  EXPECT_EQ(m_manager.GetPopupMenu(), &m_wheel);
  EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
  EXPECT_TRUE(m_wheel.IsVisible());
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  EXPECT_TRUE(m_callback.calls.empty());
  // An ordinary click on an item chooses it and closes the popup.
  Move(320, 300);
  EXPECT_TRUE(Down(320, 300));
  EXPECT_TRUE(m_wheel.IsLBtnPressed());
  Up(320, 300);
  EXPECT_EQ(LastID(), 100);
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);

  // A press elsewhere closes it; nobody is offered that click.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  Up(320, 240);
  Move(50, 50);
  log.clear();
  EXPECT_TRUE(Down(50, 50));
  EXPECT_TRUE(Up(50, 50));
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_FALSE(m_wheel.IsVisible());
  EXPECT_EQ(std::count(log.begin(), log.end(), "other:ldown") + std::count(log.begin(), log.end(), "other:lup"), 0);
  EXPECT_EQ(m_callback.calls.size(), 1u);

  // A click on a disabled item keeps it open; Escape closes it.
  m_wheel.SetItemEnabled(2, false);
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  Up(320, 240);
  Move(320, 180);
  Down(320, 180);
  Up(320, 180);
  EXPECT_EQ(m_manager.GetPopupMenu(), &m_wheel);
  EXPECT_TRUE(Key(VK_ESCAPE));
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_FALSE(Key(VK_ESCAPE));

  // Opened from the right button, the right release ends the stroke.
  m_manager.OnRButtonDown(0, At(320, 240));
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  EXPECT_TRUE(m_manager.OnRButtonUp(0, At(520, 250)));
  EXPECT_EQ(LastID(), 103);
  other.Release();
}

TEST_F(PopupTest, MarkAheadDrawsThePopupOnlyOnceThePointerHasRested) {
  MakeWheel(4, 45.0f);
  m_wheel.SetSelectByDirection(true);
  m_wheel.SetVisible(false);
  m_manager.SetPopupDelay(300);
  EXPECT_EQ(m_manager.GetPopupDelay(), 300u);
  EXPECT_EQ(m_manager.GetTimerDelay(), -1);
  EXPECT_FALSE(m_manager.OnTimer());

  // The clock starts just before its wrap: the rest is measured across it.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  EXPECT_FALSE(m_wheel.IsVisible());
  EXPECT_EQ(m_manager.GetTimerDelay(), 300);
  m_clock.now += 100;
  Move(321, 240);  // a pixel: still resting
  EXPECT_EQ(m_manager.GetTimerDelay(), 200);
  m_clock.now += 100;
  Move(330, 240);  // moving: the rest starts again
  EXPECT_EQ(m_manager.GetTimerDelay(), 300);
  m_clock.now += 299;
  EXPECT_FALSE(m_manager.OnTimer());
  EXPECT_EQ(m_manager.GetTimerDelay(), 1);
  m_clock.now += 1;
  EXPECT_EQ(m_manager.GetTimerDelay(), 0);
  EXPECT_TRUE(m_manager.OnTimer());
  EXPECT_TRUE(m_wheel.IsVisible());
  EXPECT_FALSE(m_manager.OnTimer());
  EXPECT_EQ(m_manager.GetTimerDelay(), -1);
  Up(330, 240);  // inside the dead zone: open for a click
  EXPECT_EQ(m_manager.ClosePopup(), 0);
  EXPECT_EQ(m_manager.ClosePopup(), -4);

  // A quick stroke chooses without the popup ever being shown.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  for (int k = 1; k <= 10; ++k) {
    m_clock.now += 20;
    Move(320, 240 - 20 * k);
    m_manager.Render();
    ASSERT_FALSE(m_wheel.IsVisible()) << "step " << k;
  }
  Up(320, 40);
  EXPECT_EQ(LastID(), 102);
  EXPECT_FALSE(m_wheel.IsVisible());

  // A rest the host was not called back for shows it at the next move.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_clock.now += 500;
  Move(320, 300);
  EXPECT_TRUE(m_wheel.IsVisible());
  Up(320, 300);
  EXPECT_EQ(LastID(), 100);
  // A tap before the delay shows it at once.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_clock.now += 50;
  Up(320, 240);
  EXPECT_TRUE(m_wheel.IsVisible());
  EXPECT_EQ(m_manager.GetTimerDelay(), -1);
  m_manager.ClosePopup();
  // A host that shows the waiting popup itself leaves nothing to wait for.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_wheel.SetVisible(true);
  EXPECT_EQ(m_manager.GetTimerDelay(), -1);
  EXPECT_FALSE(m_manager.OnTimer());
  m_manager.ClosePopup();

  EXPECT_EQ(m_manager.SetTimeSource(nullptr), -5);
  m_manager.SetPopupDelay(0xFFFFFFFFu);
  EXPECT_EQ(m_manager.GetPopupDelay(), 0x7FFFFFFFu);
#ifndef _WIN32
  // The system clock is the monotonic one.
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  const unsigned int gap = GetTickCount() - static_cast<unsigned int>(ms.count());
  EXPECT_LE(std::min(gap, 0u - gap), 5u);
#endif
}

TEST_F(PopupTest, BadCallsAndMenusThatGoWhileOpenGiveSoundResults) {
  MakeWheel(4, 45.0f);
  m_wheel.SetSelectByDirection(true);
  EXPECT_EQ(m_manager.PopupMenu(nullptr, At(1, 1)), -5);
  vrenktest::ProbeWheel loose;
  EXPECT_EQ(m_manager.PopupMenu(&loose, At(1, 1)), -4);
  PlainMenu plain;
  plain.Init(&m_manager, 3);
  EXPECT_EQ(m_manager.PopupMenu(&plain, At(1, 1)), -8);
  m_wheel.SetEnable(false);
  EXPECT_EQ(m_manager.PopupMenu(&m_wheel, At(1, 1)), -8);
  m_wheel.SetEnable(true);
  EXPECT_EQ(m_manager.ClosePopup(), -4);

  // Points at the ends of the coordinate range.
  ASSERT_EQ(m_manager.PopupMenu(&m_wheel, POINT{INT_MAX, INT_MIN}), 0);
  EXPECT_TRUE(std::isfinite(m_wheel.GetLowerBound()[0]) && std::isfinite(m_wheel.GetUpperBound()[1]));
  EXPECT_GE(m_wheel.GetLowerBound()[0], 0.0f);
  EXPECT_LE(m_wheel.GetUpperBound()[1], static_cast<float>(kH));
  m_manager.OnMouseMove(0, POINT{INT_MIN, INT_MAX});
  EXPECT_GE(m_wheel.GetHoveredIndex(), -1);
  EXPECT_LT(m_wheel.GetHoveredIndex(), 4);
  m_manager.OnLButtonUp(0, POINT{INT_MIN, INT_MAX});
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_EQ(m_callback.calls.size(), 1u);
  m_callback.calls.clear();

  // Another popup closes the first; a second manager's menu is refused.
  MakeDoubleWheel(2, 4, 0.0f, 0.0f);
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_manager.PopupMenu(&m_dwheel, At(320, 240));
  EXPECT_FALSE(m_wheel.IsVisible());
  EXPECT_EQ(m_manager.GetPopupMenu(), &m_dwheel);
  m_manager.ClosePopup();

  // Released while held, destroyed while open: forgotten, nothing chosen.
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_wheel.Release();
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
  Move(320, 40);
  Up(320, 40);
  auto* heap = new vrenktest::ProbeWheel();
  heap->Init(&m_manager, 4, 80, 320, 240, 45.0f);
  m_manager.PopupMenu(heap, At(320, 240));
  Up(320, 240);
  delete heap;
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  Move(320, 300);
  Down(320, 300);
  Up(320, 300);
  EXPECT_FALSE(Key(VK_ESCAPE));
  EXPECT_TRUE(m_callback.calls.empty());

  // Handlers that release the popup, or open it anew, during its choice.
  struct Reopen : VrenkFunctional::IVrenkMenuItemCallbackBase {
    bool Execute(int, bool) override {
      result = pManager->PopupMenu(pMenu, pt);
      return true;
    }
    CVrenkWidgeManager* pManager = nullptr;
    CVrenkMenuBase* pMenu = nullptr;
    POINT pt{100, 100};
    int result = 1;
  } reopen;
  MakeWheel(4, 45.0f);
  m_wheel.SetSelectByDirection(true);
  reopen.pManager = &m_manager;
  reopen.pMenu = &m_wheel;
  m_wheel.SetProcessFunction(&reopen);
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  Up(320, 40);
  EXPECT_EQ(reopen.result, 0);
  EXPECT_EQ(m_manager.GetPopupMenu(), &m_wheel);
  EXPECT_EQ(m_manager.GetCaptureMenu(), &m_wheel);
  EXPECT_TRUE(m_wheel.IsVisible());
  struct Releaser : VrenkFunctional::IVrenkMenuItemHighlightCallbackBase {
    void OnHighlight(int) override { pMenu->Release(); }
    CVrenkMenuBase* pMenu = nullptr;
  } releaser;
  releaser.pMenu = &m_wheel;
  m_wheel.SetHighlightFunction(&releaser);
  Move(400, 40);
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  Up(400, 40);

  // The manager released with a popup open forgets it.
  m_wheel.SetHighlightFunction(nullptr);
  MakeWheel(4, 45.0f);
  m_manager.PopupMenu(&m_wheel, At(320, 240));
  m_manager.Release();
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_FALSE(m_manager.OnMouseMove(0, At(320, 40)));
  plain.Release();
}

}  // namespace

namespace {

TEST_F(PopupTest, AnOpenPopupIsDrawnOverWidgesRegisteredAfterIt) {
  MakeWheel(8, 22.5f, 100);
  // A red wheel registered later, under the point the popup opens at.
  CVrenkWheelMenu other;
  other.Init(&m_manager, 4, 60, 200, 300, 0.0f);
  other.SetAutoReposition(false);
  other.SetCenter(200, 300);
  other.SetItemColor(255, 0, 0, 255);
  auto reddish = [this] {
    const vrenktest::Rgba p = ReadPixel(200, 300);
    return p[0] > p[1] + 60;
  };
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  m_manager.Render();
  EXPECT_TRUE(reddish()) << "not a popup yet: the red wheel is on top";
  ASSERT_EQ(m_manager.PopupMenu(&m_wheel, At(200, 300)), 0);
  glClear(GL_COLOR_BUFFER_BIT);
  m_manager.Render();
  EXPECT_FALSE(reddish()) << "the popup's centre covers the red wheel";
  other.Release();
}

}  // namespace

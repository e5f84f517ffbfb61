// The keyboard: Windows virtual-key codes through the manager's key
// messages, to the open popup or the menu under the pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "menu/selection_fixture.h"

using namespace VrenkGLWidge;

namespace {

using KeyboardTest = vrenktest::SelectionTest;
using Calls = std::vector<std::pair<int, bool>>;

constexpr LPARAM kRepeat = static_cast<LPARAM>(1) << 30;

// The enabled item of n whose sector middle is nearest the direction, the
// lower index on a tie; -1 when none is enabled.
int Nearest(int n, double start, double degrees, const std::vector<bool>& enabled) {
  int best = -1;
  double bestDistance = 0;
  for (int i = 0; i < n; ++i) {
    if (!enabled[static_cast<size_t>(i)]) continue;
    double d = std::fmod(std::fabs(start + (i + 0.5) * 360.0 / n - degrees), 360.0);
    if (d > 180) d = 360 - d;
    if (best < 0 || d < bestDistance - 1e-6) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

TEST_F(KeyboardTest, ArrowsAndNumpadDigitsHighlightTheNearestEnabledItem) {
  const std::pair<unsigned int, double> keys[] = {
      {VK_RIGHT, 0},     {VK_UP, 90},       {VK_LEFT, 180},    {VK_DOWN, 270},    {VK_NUMPAD6, 0},
      {VK_NUMPAD9, 45},  {VK_NUMPAD8, 90},  {VK_NUMPAD7, 135}, {VK_NUMPAD4, 180}, {VK_NUMPAD1, 225},
      {VK_NUMPAD2, 270}, {VK_NUMPAD3, 315}};
  for (int n = 2; n <= 12; ++n) {
    for (float start : {0.0f, 45.0f, 90.0f}) {
      MakeWheel(n, start);
      Move(kW / 2 + 5, kH / 2 + 5);
      std::vector<bool> enabled(static_cast<size_t>(n), true);
      for (const auto& key : keys) {
        SCOPED_TRACE(::testing::Message() << n << " items from " << start << ", key at " << key.second);
        const int expected = Nearest(n, start, key.second, enabled);
        EXPECT_TRUE(Key(key.first));
        ASSERT_EQ(m_wheel.GetHoveredIndex(), expected);
        // With that item disabled the next nearest one is taken.
        m_wheel.SetItemEnabled(static_cast<unsigned>(expected), false);
        enabled[static_cast<size_t>(expected)] = false;
        EXPECT_TRUE(Key(key.first));
        ASSERT_EQ(m_wheel.GetHoveredIndex(), Nearest(n, start, key.second, enabled));
        m_wheel.SetItemEnabled(static_cast<unsigned>(expected), true);
        enabled[static_cast<size_t>(expected)] = true;
      }
    }
  }
  EXPECT_TRUE(m_callback.calls.empty());
}

TEST_F(KeyboardTest, TabStepsThroughEnabledItemsAndShiftTabGoesBack) {
  MakeWheel(5, 90.0f);
  m_wheel.SetItemEnabled(2, false);
  Move(kW / 2 - 20, kH / 2 + 35);  // item 0
  ASSERT_EQ(m_wheel.GetHoveredIndex(), 0);
  std::vector<int> seen;
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(Key(VK_TAB));
    seen.push_back(m_wheel.GetHoveredIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 3, 4, 0}));
  // Shift is tracked from the key messages: the right one by its scan code.
  const LPARAM rightScan = static_cast<LPARAM>(0x36) << 16, leftScan = static_cast<LPARAM>(0x2A) << 16;
  EXPECT_FALSE(m_manager.OnKeyDown(VK_SHIFT, rightScan));
  Key(VK_TAB);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 4);
  m_manager.OnKeyDown(VK_SHIFT, leftScan);
  m_manager.OnKeyUp(VK_SHIFT, leftScan);  // the right one is still down
  Key(VK_TAB);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 3);
  EXPECT_FALSE(m_manager.OnKeyUp(VK_SHIFT, rightScan));
  Key(VK_TAB);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 4);
  // No enabled item: Tab is not used.
  for (unsigned i = 0; i < 5; ++i) m_wheel.SetItemEnabled(i, false);
  EXPECT_FALSE(Key(VK_TAB));
}

TEST_F(KeyboardTest, EnterSpaceNumpadFiveAndDigitsChooseAsAClickWould) {
  MakeWheel(5, 90.0f);
  m_wheel.SetItemType(0, 1);
  m_wheel.SetItemEnabled(2, false);
  Move(kW / 2 - 20, kH / 2 + 35);  // item 0
  EXPECT_TRUE(Key(VK_RETURN));
  EXPECT_TRUE(Key(VK_RETURN, kRepeat));  // held: used, but no second choice
  EXPECT_TRUE(m_manager.OnKeyUp(VK_RETURN, 0));
  EXPECT_FALSE(m_manager.OnKeyUp(VK_RETURN, 0));
  EXPECT_TRUE(Key(VK_SPACE));
  Key(VK_TAB);
  EXPECT_TRUE(Key(VK_NUMPAD5));
  EXPECT_EQ(m_callback.calls, (Calls{{100, true}, {100, false}, {101, false}}));

  EXPECT_TRUE(Key('4'));
  EXPECT_EQ(LastID(), 103);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 3);
  EXPECT_FALSE(Key('3'));  // disabled
  EXPECT_FALSE(Key('0'));  // the tenth item: there are five
  EXPECT_FALSE(Key('6'));
  EXPECT_EQ(m_callback.calls.size(), 4u);
  // A disabled item under the pointer is not chosen by Enter either.
  Key(VK_LEFT);
  Move(kW / 2 - 10, kH / 2 - 40);
  ASSERT_EQ(m_wheel.GetHoveredIndex(), 2);
  EXPECT_FALSE(Key(VK_RETURN));
  EXPECT_EQ(m_callback.calls.size(), 4u);
  // Keys nobody answers to, and keys with no menu under the pointer.
  EXPECT_FALSE(Key('A'));
  EXPECT_FALSE(m_manager.OnKeyDown(0x12345, 0));
  Move(10, 10);
  EXPECT_FALSE(Key(VK_RIGHT));
  EXPECT_FALSE(Key(VK_ESCAPE));
}

TEST_F(KeyboardTest, KeysGoToThePopupAndPageKeysMoveBetweenItsRingsOuterFirst) {
  MakeWheel(4, 45.0f);
  MakeDoubleWheel(4, 8, 45.0f, 0.0f, 500, 240);
  Move(kW / 2, kH / 2 + 40);  // over the wheel
  ASSERT_EQ(m_manager.PopupMenu(&m_dwheel, At(500, 240)), 0);
  Up(500, 240);  // a tap: open for a click
  Move(kW / 2, kH / 2 + 40);
  const int wheelBefore = m_wheel.GetHoveredIndex();
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), 0);  // 0..45 degrees
  EXPECT_EQ(m_wheel.GetHoveredIndex(), wheelBefore);
  EXPECT_FALSE(Key(VK_PRIOR));  // already on the outer ring
  EXPECT_TRUE(Key(VK_NEXT));
  EXPECT_EQ(m_dwheel.GetInnerHoveredIndex(), 3);  // the inner item towards 22.5 degrees
  EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), -1);
  EXPECT_TRUE(Key(VK_UP));
  EXPECT_EQ(m_dwheel.GetInnerHoveredIndex(), 0);
  EXPECT_TRUE(Key('2'));
  EXPECT_EQ(LastID(), 201);
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_FALSE(m_dwheel.IsVisible());
  // The single wheel has one ring.
  EXPECT_FALSE(Key(VK_NEXT));

  // Escape closes a popup, nothing chosen; a held one swallows its release.
  m_dwheel.SetSelectByDirection(true);
  m_manager.PopupMenu(&m_dwheel, At(500, 240));
  Move(480, 400);
  EXPECT_TRUE(Key(VK_ESCAPE));
  EXPECT_EQ(m_manager.GetPopupMenu(), nullptr);
  EXPECT_TRUE(Up(480, 400));
  EXPECT_EQ(m_callback.calls.size(), 1u);
  // Enter during a held stroke chooses, and its release is over too.
  m_manager.PopupMenu(&m_dwheel, At(500, 240));
  Move(480, 400);
  EXPECT_TRUE(Key(VK_RETURN));
  EXPECT_EQ(LastID(), 302);
  EXPECT_TRUE(Up(480, 400));
  EXPECT_EQ(m_callback.calls.size(), 2u);

  // Escape cancels a menu's own stroke.
  m_wheel.SetSelectByDirection(true);
  Move(kW / 2, kH / 2);
  Down(kW / 2, kH / 2);
  Move(kW / 2, 20);
  EXPECT_TRUE(Key(VK_ESCAPE));
  EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
  EXPECT_TRUE(Up(kW / 2, 20));
  EXPECT_EQ(m_callback.calls.size(), 2u);
}

}  // namespace

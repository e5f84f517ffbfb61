// Selection by direction: a press on the menu captures the pointer, the
// stroke highlights the sector of its direction at any distance, and the
// release chooses by the click rule; the highlight hook hears every change
// once. Driven through the manager's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "menu/selection_fixture.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::InSector;
using vrenktest::Sector;

namespace {

using DirectionTest = vrenktest::SelectionTest;

// How far a ray from (x, y) in a direction runs before it leaves the window.
double ToEdge(double x, double y, double degrees, double w, double h) {
  const double a = degrees * vrenktest::kPiD / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  double t = 1e9;
  if (c > 1e-9) t = std::min(t, (w - x) / c);
  if (c < -1e-9) t = std::min(t, -x / c);
  if (s > 1e-9) t = std::min(t, (h - y) / s);
  if (s < -1e-9) t = std::min(t, -y / s);
  return t;
}

TEST_F(DirectionTest, StrokesHighlightTheSectorOfTheirDirectionAtAnyDistanceAndReleaseChoosesIt) {
  const double cx = kW / 2, cy = kH / 2;
  for (int n = 2; n <= 12; ++n) {
    for (float start : {0.0f, 45.0f, 90.0f}) {
      MakeWheel(n, start);
      m_wheel.SetSelectByDirection(true);
      const double dz = m_wheel.GetDeadZone();
      ASSERT_FLOAT_EQ(dz, 0.2f * 80);
      for (int deg = 0; deg < 360; ++deg) {
        SCOPED_TRACE(::testing::Message() << n << " items from " << start << " degrees, stroke at " << deg);
        Move(cx, cy);
        Down(cx, cy);
        ASSERT_EQ(m_manager.GetCaptureMenu(), &m_wheel);
        const double edge = ToEdge(cx, cy, deg, kW, kH);
        std::pair<double, double> p;
        for (double d : {dz + 1.5, (dz + edge) / 2, edge}) {
          p = DirectionTest::From(cx, cy, deg, d);
          EXPECT_TRUE(Move(p.first, p.second));
          const auto sector = Sector(p.first - cx, p.second - cy, start, n);
          ASSERT_TRUE(InSector(m_wheel.GetHoveredIndex(), sector))
              << "at " << d << " px: " << m_wheel.GetHoveredIndex() << ", expected " << sector.first;
        }
        const int chosen = m_wheel.GetHoveredIndex();
        const size_t before = m_callback.calls.size();
        EXPECT_TRUE(Up(p.first, p.second));
        ASSERT_EQ(m_callback.calls.size(), before + 1);
        EXPECT_EQ(LastID(), 100 + chosen);
        EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
      }
    }
  }
}

TEST_F(DirectionTest, TheDoubleWheelKeepsItsRingsInsideAndTakesTheOuterRingByDirectionBeyond) {
  const double cx = kW / 2, cy = kH / 2;
  for (int n = 2; n <= 12; ++n) {
    for (float start : {0.0f, 45.0f, 90.0f}) {
      MakeDoubleWheel(3, n, 30.0f, start);
      m_dwheel.SetSelectByDirection(true);
      for (int deg = 0; deg < 360; ++deg) {
        SCOPED_TRACE(::testing::Message() << n << " outer items from " << start << ", stroke at " << deg);
        Move(cx + 40, cy);  // on the inner ring, item 0
        Down(cx + 40, cy);
        ASSERT_EQ(m_manager.GetCaptureMenu(), &m_dwheel);
        // Inside the radius the ring under the pointer answers.
        auto p = DirectionTest::From(cx, cy, deg, 45);
        Move(p.first, p.second);
        EXPECT_TRUE(InSector(m_dwheel.GetInnerHoveredIndex(), Sector(p.first - cx, p.second - cy, 30, 3)));
        EXPECT_EQ(m_dwheel.GetOuterHoveredIndex(), -1);
        for (double d : {80.0, 130.0, ToEdge(cx, cy, deg, kW, kH)}) {
          p = DirectionTest::From(cx, cy, deg, d);
          Move(p.first, p.second);
          EXPECT_EQ(m_dwheel.GetInnerHoveredIndex(), -1);
          ASSERT_TRUE(InSector(m_dwheel.GetOuterHoveredIndex(), Sector(p.first - cx, p.second - cy, start, n)));
        }
        const int chosen = m_dwheel.GetOuterHoveredIndex();
        Up(p.first, p.second);
        EXPECT_EQ(LastID(), 300 + chosen);
      }
    }
  }
}

TEST_F(DirectionTest, ReleasesFollowTheClickRuleAndTheDeadZoneAndCancelDistance) {
  MakeWheel(4, 45.0f);  // item 0 up, 1 left, 2 down, 3 right
  m_wheel.SetSelectByDirection(true);
  const double cx = kW / 2, cy = kH / 2;
  auto stroke = [&](double x, double y) {
    Move(cx, cy);
    Down(cx, cy);
    Move(x, y);
    return Up(x, y);
  };

  // Inside the dead zone: nothing highlighted, nothing chosen.
  EXPECT_TRUE(stroke(cx + 10, cy));
  EXPECT_TRUE(m_callback.calls.empty());
  // Far outside the wheel and its box, to the right.
  EXPECT_TRUE(stroke(cx + 300, cy + 20));
  EXPECT_EQ(LastID(), 103);
  // A toggle item flips on each choice; a disabled one fires nothing.
  m_wheel.SetItemType(1, 1);
  stroke(cx - 250, cy);
  stroke(cx - 250, cy);
  ASSERT_EQ(m_callback.calls.size(), 3u);
  EXPECT_EQ(m_callback.calls[1], std::make_pair(101, true));
  EXPECT_EQ(m_callback.calls[2], std::make_pair(101, false));
  m_wheel.SetItemEnabled(2, false);
  EXPECT_TRUE(stroke(cx, cy - 200));
  EXPECT_EQ(m_callback.calls.size(), 3u);
  // The callback's result is the release's.
  m_callback.result = false;
  EXPECT_FALSE(stroke(cx, cy + 200));
  m_callback.result = true;

  // A cancel distance: a release beyond it chooses nothing.
  m_wheel.SetCancelDistance(150.0f);
  EXPECT_FLOAT_EQ(m_wheel.GetCancelDistance(), 150.0f);
  EXPECT_TRUE(stroke(cx, cy + 200));
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  EXPECT_EQ(m_callback.calls.size(), 4u);
  stroke(cx, cy + 140);
  EXPECT_EQ(m_callback.calls.size(), 5u);

  // Bad values fall back to the defaults; a set dead zone is in pixels.
  for (float bad : {-1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    m_wheel.SetCancelDistance(bad);
    EXPECT_EQ(m_wheel.GetCancelDistance(), 0.0f);
  }
  m_wheel.SetDeadZone(40.0f);
  EXPECT_TRUE(stroke(cx + 35, cy));
  EXPECT_EQ(m_callback.calls.size(), 5u);
  m_wheel.SetDeadZone(std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(m_wheel.GetDeadZone(), 16.0f);
  m_wheel.SetRadius(50);
  EXPECT_FLOAT_EQ(m_wheel.GetDeadZone(), 10.0f);
}

TEST_F(DirectionTest, AStrokeKeepsOtherWidgesOutAndOnlyOptedInMenusCapture) {
  std::vector<std::string> log;
  vrenktest::RecordingWidge other(&log, "other");
  MakeWheel(4, 45.0f);
  other.Init(&m_manager);
  other.SetBox(500, 200, 600, 280);  // right of the wheel, on the stroke's way
  m_wheel.SetSelectByDirection(true);
  const double cx = kW / 2, cy = kH / 2;

  Move(cx, cy);
  Down(cx, cy);
  log.clear();
  for (double x = cx + 20; x <= 560; x += 20) EXPECT_TRUE(Move(x, cy));
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_TRUE(Up(560, cy));
  EXPECT_EQ(LastID(), 103);
  // Once the stroke is over the hover follows the pointer again.
  EXPECT_TRUE(other.IsHovered());
  EXPECT_FALSE(m_wheel.IsHovered());
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "other:lup"), 0);

  // Without the option a press captures nothing, and a release away from
  // the menu chooses nothing, as before.
  m_wheel.SetSelectByDirection(false);
  Move(cx, cy + 40);
  Down(cx, cy + 40);
  EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
  log.clear();
  Move(560, cy);
  Up(560, cy);
  EXPECT_EQ(m_callback.calls.size(), 1u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "other:lup"), 1);

  // Switching the option off mid-stroke lets the pointer go.
  m_wheel.SetSelectByDirection(true);
  Move(cx, cy);
  Down(cx, cy);
  m_wheel.SetSelectByDirection(false);
  log.clear();
  Move(560, cy);
  EXPECT_EQ(m_manager.GetCaptureMenu(), nullptr);
  EXPECT_FALSE(log.empty());
  other.Release();
}

TEST_F(DirectionTest, TheHighlightHookHearsEachChangeOnceFromMouseAndKeys) {
  vrenktest::HighlightRecorder hook;
  MakeWheel(4, 45.0f);
  const double cx = kW / 2, cy = kH / 2;
  Move(cx + 40, cy);  // item 3, before the hook is set
  EXPECT_EQ(m_wheel.SetHighlightFunction(&hook), 0);
  Move(cx + 41, cy + 2);
  m_manager.Render();
  EXPECT_TRUE(hook.ids.empty());
  Move(cx, cy + 40);
  Move(cx, cy + 41);
  Move(cx + 70, cy + 70);  // off the disc, inside the box
  EXPECT_EQ(hook.ids, (std::vector<int>{100, -1}));

  Move(cx, cy - 40);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_TAB);
  m_manager.Render();
  EXPECT_EQ(hook.ids, (std::vector<int>{100, -1, 102, 101, 102}));
  // Cutting the highlighted item off is a change too, told once.
  m_wheel.SetItemSize(2);
  EXPECT_EQ(hook.ids.back(), -1);
  EXPECT_EQ(hook.ids.size(), 6u);
  EXPECT_EQ(m_wheel.SetHighlightFunction(nullptr), -5);
  Move(cx, cy + 40);
  EXPECT_EQ(hook.ids.size(), 6u);

  // The double wheel, across its rings.
  MakeDoubleWheel(2, 4, 0.0f, 45.0f);
  vrenktest::HighlightRecorder rings;
  m_dwheel.SetHighlightFunction(&rings);
  Move(cx + 20, cy + 10);  // inner item 0
  Move(cx + 22, cy + 12);
  Move(cx, cy + 80);       // outer item 0
  Move(cx, cy + 81);
  m_dwheel.SetOuterItemSize(0);
  EXPECT_EQ(rings.ids, (std::vector<int>{200, 300, -1}));
}

}  // namespace

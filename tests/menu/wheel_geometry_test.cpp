// The wheel's constants, buffers, colours, placement in the viewport, hit
// test and light tracing, and what it does with input it cannot use.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "menu/menu_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::ProbeWheel;
using vrenktest::TestManager;
using Starts = std::vector<unsigned>;
using Center = std::pair<int, int>;

namespace {

// Radius 100 around (200, 130): the box stays inside the viewport.
class WheelMenuTest : public vrenktest::MenuTest {
 protected:
  void InitWheel(int items, float startDegree = 45.0f) {
    m_wheel.Init(&m_manager, items, 100, 200, 130, startDegree);
  }
};

uint32_t Bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

TEST(WheelMenuConstants, AnglesHaveTheirBitPatterns) {
  EXPECT_EQ(Bits(CVrenkWheelMenu::PI), 0x40490FDAu);
  EXPECT_EQ(Bits(CVrenkWheelMenu::HALF_PI), 0x3FC90FDAu);
  EXPECT_EQ(Bits(CVrenkWheelMenu::DOUBLE_PI), 0x40C90FDAu);
  EXPECT_EQ(Bits(CVrenkWheelMenu::QUADRANT_PI), 0x3F490FDAu);
  EXPECT_EQ(Bits(CVrenkWheelMenu::ONE_SIXTH_PI), 0x3F060A91u);
  EXPECT_EQ(Bits(CVrenkWheelMenu::ONE_THIRD_PI), 0x3F860A91u);
  EXPECT_EQ(CVrenkWheelMenu::FOUR_THIRDS_PI, CVrenkWheelMenu::ONE_THIRD_PI * 4.0f);
}

TEST_F(WheelMenuTest, BuffersFollowTheCountStartAngleAndLight) {
  InitWheel(4);
  EXPECT_EQ(m_wheel.Starts(), (Starts{16, 48, 80, 112}));
  EXPECT_EQ(m_wheel.SetItemStartDegree(-90.0f), 0);
  EXPECT_NEAR(m_wheel.GetItemStartDegree(), 270.0f, 1e-3f);
  // 270 degrees in radians lies a hair below three quarters of DOUBLE_PI.
  EXPECT_EQ(m_wheel.Starts(), (Starts{95, 127, 31, 63}));
  m_wheel.SetItemStartDegree(0.0f);
  m_wheel.SetItemSize(3);
  EXPECT_EQ(m_wheel.Starts(), (Starts{0, 43, 85}));
  m_wheel.SetItemSize(0);
  EXPECT_EQ(m_wheel.m_pItemIndices, nullptr);

  const float* rim = m_wheel.m_pCircleVertices;
  EXPECT_EQ(rim[0], 0.99f);
  EXPECT_NEAR(rim[3 * 32], 0.0f, 1e-6f);
  EXPECT_EQ(rim[3 * 32 + 1], 0.99f);
  EXPECT_EQ(m_wheel.m_pAuxIndices[127], 381u);
  EXPECT_EQ(m_wheel.m_pAuxIndices[128], 0u);
  // The light faces vertex 48; a quarter turn away the ratio is a quarter.
  const float* ratio = m_wheel.m_pShadingRatio;
  EXPECT_EQ((std::vector<float>{ratio[48], ratio[16], ratio[80], ratio[112]}),
            (std::vector<float>{0, 0.25f, 0.25f, 1}));
  EXPECT_EQ(m_wheel.GetLowerBound()[0], 85.0f);
  EXPECT_EQ(m_wheel.GetUpperBound()[1], 245.0f);
}

TEST_F(WheelMenuTest, ColourSettersDeriveTheirPartners) {
  auto rgba = [](const unsigned char* c) { return vrenktest::Rgba{c[0], c[1], c[2], c[3]}; };
  EXPECT_EQ(rgba(m_wheel.m_colorItemCenter), (vrenktest::Rgba{239, 239, 239, 229}));
  m_wheel.SetItemColor(250, 100, 0, 200);
  EXPECT_EQ(rgba(m_wheel.m_colorItemLit), (vrenktest::Rgba{255, 120, 0, 200}));
  EXPECT_EQ(rgba(m_wheel.m_colorItemCenter), (vrenktest::Rgba{253, 115, 0, 200}));
  m_wheel.SetEdgeColor(1, 2, 3, 100);
  EXPECT_EQ(m_wheel.m_colorEdgeEnd[3], 64);  // 0.65 is a hair below
  m_wheel.SetHighlightItemColor(9, 8, 7, 242);
  EXPECT_EQ(rgba(m_wheel.m_colorHighlightLit), (vrenktest::Rgba{9, 8, 7, 205}));
  unsigned char r, g, b, a;
  m_wheel.GetHighlightItemColor(r, g, b, a);
  EXPECT_EQ((vrenktest::Rgba{r, g, b, a}), (vrenktest::Rgba{9, 8, 7, 242}));
}

TEST_F(WheelMenuTest, PlacementKeepsTheBoxInsideTheViewport) {
  TestManager manager;
  ASSERT_EQ(manager.Init(m_hWnd, 800, 600, m_hRC, 0, 0, 800, 600), 0);
  ProbeWheel wheel;
  wheel.Init(&manager, 3, 100, 400, 300, 0.0f);
  auto placed = [&wheel](int x, int y) { return wheel.SetCenter(x, y), wheel.Center(); };
  EXPECT_EQ(placed(40, 300), Center(115, 300));
  EXPECT_FLOAT_EQ(wheel.m_fRelativeCenter[0], 0.05f);  // the fraction stays
  EXPECT_EQ(placed(760, 300), Center(685, 300));
  EXPECT_EQ(placed(400, 30), Center(400, 115));
  EXPECT_EQ(placed(400, 590), Center(400, 485));
  EXPECT_EQ(placed(115, 485), Center(115, 485));  // touching stays

  placed(200, 450);
  manager.OnSize(0, 400, 300, 0, 0, 400, 300);
  EXPECT_EQ(wheel.Center(), Center(115, 185));  // (100, 225), then pushed in
  wheel.SetAutoReposition(false);
  EXPECT_EQ(placed(20, 20), Center(20, 20));
  wheel.SetAutoReposition(true);
  EXPECT_EQ(wheel.Center(), Center(115, 115));

  // The centre is in overlay pixels, wherever the viewport sits in the
  // window: a wheel inside an offset viewport is not pushed.
  manager.OnSize(0, 600, 400, 100, 50, 400, 300);
  wheel.SetRadius(50);
  EXPECT_EQ(placed(60, 150), Center(60, 150));
  manager.OnSize(0, 600, 400, 100, 50, 400, 300);
  EXPECT_EQ(wheel.Center(), Center(60, 150));

  // Whole pixels survive the round trip through the fractions.
  manager.OnSize(0, 997, 991, 0, 0, 997, 991);
  wheel.SetRadius(0);
  int wrong = 0;
  for (int x = 0; x < 997; ++x) {
    wheel.SetCenter(x, x * 7 % 991);
    manager.OnSize(0, 997, 991, 0, 0, 997, 991);
    wrong += wheel.Center() != Center(x, x * 7 % 991);
  }
  EXPECT_EQ(wrong, 0);

  // An empty viewport leaves the given centre; the fractions come from the
  // first viewport that has room.
  manager.OnSize(0, 0, 0, 0, 0, 0, 0);
  wheel.Init(&manager, 3, 50, 100, 80, 0.0f);
  EXPECT_EQ(wheel.Center(), Center(100, 80));
  EXPECT_TRUE(std::isfinite(wheel.GetLowerBound()[0]) && std::isfinite(wheel.GetUpperBound()[1]));
  manager.OnSize(0, 400, 300, 0, 0, 400, 300);
  EXPECT_EQ(wheel.Center(), Center(100, 80));
  manager.OnSize(0, 800, 600, 0, 0, 800, 600);
  EXPECT_EQ(wheel.Center(), Center(200, 160));
}

TEST_F(WheelMenuTest, HitTestAtRingAndSectorBoundaries) {
  InitWheel(4);
  EXPECT_TRUE(m_wheel.HitTest(200 + 99.0f, 130));
  EXPECT_FALSE(m_wheel.HitTest(200 + 99.5f, 130));  // in the box, off the disc
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  EXPECT_TRUE(m_wheel.HitTest(200, 130));  // no dead zone at the centre
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 3);
  const std::pair<float, int> cases[] = {{45.5f, 0},  {134.5f, 0}, {135.5f, 1},
                                         {225.5f, 2}, {315.5f, 3}, {44.5f, 3}};
  for (const auto& c : cases) {
    EXPECT_TRUE(HitAt(c.first, 0.9f));
    EXPECT_EQ(m_wheel.GetHoveredIndex(), c.second) << c.first;
  }
  m_wheel.SetItemSize(1);
  EXPECT_TRUE(HitAt(200.0f, 0.5f));
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 0);
  m_wheel.SetItemSize(0);
  EXPECT_FALSE(HitAt(200.0f, 0.5f));
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);

  // Light tracing re-aims the light from anywhere in the box, and every
  // such move asks for a redraw.
  m_wheel.SetLightTracing(true);
  m_manager.Render();
  MoveTo(90.0f, 1.1f);
  EXPECT_EQ(m_wheel.m_nLightVertex, 32u);
  EXPECT_EQ(m_wheel.m_pShadingRatio[96], 1.0f);
  EXPECT_TRUE(m_manager.IsNeedReRender());
}

TEST_F(WheelMenuTest, BadInputNeverHitsPastTheItems) {
  InitWheel(5);
  for (float degrees : {540.0f, 719.9f, 1.0e6f, 3.0e12f}) {
    m_wheel.SetItemStartDegree(degrees);
    EXPECT_NEAR(m_wheel.GetItemStartDegree() / degrees, 1.0f, 1e-6f);  // stored as given
    for (float a = 0.0f; a < 360.0f; a += 5.0f) {
      ASSERT_TRUE(HitAt(a, 0.5f));
      ASSERT_LT(static_cast<unsigned>(m_wheel.GetHoveredIndex()), 5u) << degrees << " " << a;
    }
    m_manager.Render();
  }
  m_wheel.SetItemStartDegree(765.0f);  // 45 degrees, once more around
  HitAt(100.0f, 0.5f);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 0);
  EXPECT_EQ(m_wheel.m_pItemIndices[0], 16u);

  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    m_wheel.SetItemStartDegree(bad);
    EXPECT_FALSE(HitAt(100.0f, 0.5f));
    EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
    m_manager.Render();
  }

  // Nor does a radius of 0, or a point that is not finite.
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  m_wheel.Init(&m_manager, 4, 0, 200, 130, 45.0f);
  m_wheel.SetLightTracing(true);
  EXPECT_FALSE(m_wheel.HitTest(200, 130));
  m_wheel.SetRadius(100);
  for (float v : {nan, inf, -inf}) {
    EXPECT_FALSE(m_wheel.HitTest(v, 130) || m_wheel.HitTest(200, v));
    EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  }
  EXPECT_LT(m_wheel.m_nLightVertex, 128u);
  EXPECT_TRUE(std::isfinite(m_wheel.GetLowerBound()[0]) && std::isfinite(m_wheel.GetUpperBound()[1]));
}

TEST_F(WheelMenuTest, ItemAddedWithoutRelayoutIsLaidOutBeforeItIsDrawn) {
  InitWheel(3);
  m_wheel.AddItem(9);
  EXPECT_TRUE(HitAt(0.0f, 0.5f));
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 3);
  m_manager.Render();
  EXPECT_EQ(m_wheel.Starts(), (Starts{16, 48, 80, 112}));
  const vrenktest::Rgba pixel = ReadPixel(200 + 80, 130);  // the new item, highlighted
  EXPECT_GT(pixel[0] - pixel[2], 100);
}

}  // namespace

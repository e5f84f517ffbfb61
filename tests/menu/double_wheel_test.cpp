// The double wheel's two rings of items, the base's refused single-list
// operations, geometry, hit test, box and the tooltip panel's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>

#include "menu/double_wheel_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::Rgba;
using Starts = std::vector<unsigned>;
using Position = std::pair<double, double>;

namespace {

Rgba Color(const unsigned char* c) { return Rgba{c[0], c[1], c[2], c[3]}; }

// Radius 100 around (200, 130) in a 400 x 260 viewport.
class DoubleWheelModelTest : public vrenktest::DoubleWheelTest {
 protected:
  void InitMenu(int inner, int outer, float innerStart = 45.0f, float outerStart = 0.0f) {
    m_menu.Init(&m_manager, inner, outer, 100, 200, 130, innerStart, outerStart);
  }
};

TEST_F(DoubleWheelModelTest, SingleListOperationsAreRefusedAndTheSizeCountsBothRings) {
  InitMenu(2, 3);
  CVrenkMenuBase& base = m_menu;
  const std::string tip = "tip";
  EXPECT_EQ(base.GetItemSize(), 5);
  EXPECT_EQ(base.AddItem(1), -8);
  EXPECT_EQ(base.SetItemSize(9), -8);
  EXPECT_EQ(base.SetItem(0, 1, tip, static_cast<const char*>(nullptr), 0, false, true), -8);
  for (int code : {base.GetItemID(0), base.GetItemIndexByID(0), base.GetItemType(0), base.SetItemType(0, 1),
                   base.SetItemToggled(0, true), base.SetItemEnabled(0, true), base.GetHoveredIndex()}) {
    EXPECT_EQ(code, -8);
  }
  EXPECT_FALSE(base.IsItemEnabled(0) || base.IsItemToggled(0) || base.IsItemHovered(0));
  EXPECT_EQ(base.GetItemImage(0), nullptr);
  EXPECT_EQ(base.GetItemTextureName(0), 0u);
  EXPECT_EQ(&base.GetItemTooltip(0), &CVrenkMenuBase::strDummy);
  EXPECT_EQ(m_menu.GetOuterItemSize(), 3);
  EXPECT_EQ(m_menu.GetInnerItemSize(), 2);

  // The wide-path SetItem is the base's: it sets an outer item.
  EXPECT_EQ(m_menu.SetItem(1, 42, tip, static_cast<const wchar_t*>(nullptr), 1, true, true), 0);
  EXPECT_EQ(m_menu.GetOuterItemID(1), 42);
  EXPECT_EQ(m_menu.GetOuterItemTooltip(1), "tip");
  EXPECT_EQ(m_menu.GetInnerItemID(1), 0);
}

TEST_F(DoubleWheelModelTest, RingOperationsKeepTheirRingsApart) {
  InitMenu(2, 3);
  const char* none = nullptr;
  EXPECT_EQ(m_menu.SetInnerItem(2, 7, "x", none, 0, false, true), -2);
  EXPECT_EQ(m_menu.SetOuterItem(3, 7, "x", none, 0, false, true), -2);
  EXPECT_EQ(m_menu.SetInnerItem(0, 7, "Inner seven", none, 1, false, true), 0);
  EXPECT_EQ(m_menu.SetOuterItem(0, 7, "Outer seven", none, 0, true, true), 0);
  EXPECT_EQ(m_menu.SetOuterItem(1, 8, "Missing", "/no/such/icon.png", 0, false, true), -1);
  EXPECT_EQ(m_menu.GetOuterItemTooltip(1), "Missing");

  EXPECT_EQ(m_menu.GetInnerItemIndexByID(7), 0);
  EXPECT_EQ(m_menu.GetOuterItemIndexByID(8), 1);
  EXPECT_EQ(m_menu.GetInnerItemIndexByID(8), -4);
  EXPECT_EQ(m_menu.GetInnerItemTooltip(0), "Inner seven");
  EXPECT_EQ(m_menu.GetOuterItemTooltip(0), "Outer seven");
  EXPECT_EQ(m_menu.GetInnerItemTooltip(1), "");
  EXPECT_EQ(m_menu.GetInnerItemType(0), 1);
  EXPECT_TRUE(m_menu.IsOuterItemToggled(0));
  EXPECT_FALSE(m_menu.IsInnerItemToggled(0));

  EXPECT_EQ(m_menu.SetInnerItemToggled(1, true), 1);
  EXPECT_EQ(m_menu.SetOuterItemEnabled(2, false), 0);
  EXPECT_FALSE(m_menu.IsOuterItemEnabled(2));
  EXPECT_TRUE(m_menu.IsInnerItemToggled(1) && !m_menu.IsOuterItemToggled(1));
  EXPECT_EQ(m_menu.SetInnerItemType(2, 1), -2);
  EXPECT_EQ(m_menu.SetInnerItemEnabled(2, true), -2);
  EXPECT_EQ(m_menu.GetOuterItemType(3), -2);
  EXPECT_FALSE(m_menu.IsInnerItemEnabled(2));
  EXPECT_EQ(m_menu.GetInnerItemImage(2), nullptr);
  EXPECT_THROW(m_menu._GetInnerItem(2), std::out_of_range);

  // Cutting an item off or releasing the menu gives its text back.
  EXPECT_EQ(m_manager.TextRefs("Inner seven"), 1);
  EXPECT_EQ(m_menu.SetInnerItemSize(0), 0);
  EXPECT_EQ(m_manager.TextRefs("Inner seven"), 0);
  EXPECT_EQ(m_menu.InnerStarts(), Starts{});
  m_menu.Release();
  EXPECT_EQ(m_manager.TextRefs("Outer seven"), 0);
  EXPECT_EQ(m_menu.GetOuterItemID(0), 0);
}

TEST_F(DoubleWheelModelTest, BothRingsAreHoveredAndClicked) {
  InitMenu(4, 6);
  const char* none = nullptr;
  m_menu.SetInnerItem(1, 11, "", none, 1, false, true);  // 135..225 degrees
  m_menu.SetOuterItem(2, 22, "", none, 0, false, true);  // 120..180 degrees
  vrenktest::RecordingCallback callback;
  m_menu.SetProcessFunction(&callback);
  auto click = [this](double degrees, double fraction) {
    const auto p = Polar(degrees, fraction);
    m_manager.OnMouseMove(0, At(p.first, p.second));
    m_manager.OnLButtonDown(0, At(p.first, p.second));
    return m_manager.OnLButtonUp(0, At(p.first, p.second));
  };
  EXPECT_TRUE(click(180, 0.3));
  EXPECT_EQ(m_menu.GetInnerHoveredIndex(), 1);
  EXPECT_EQ(m_menu.GetOuterHoveredIndex(), -1);
  EXPECT_TRUE(click(150, 0.8));
  EXPECT_EQ(m_menu.GetInnerHoveredIndex(), -1);
  EXPECT_TRUE(m_menu.IsOuterItemHovered(2));
  EXPECT_EQ(callback.calls, (std::vector<std::pair<int, bool>>{{11, true}, {22, false}}));
}

TEST_F(DoubleWheelModelTest, ColoursFromConstructionAndFromInit) {
  EXPECT_EQ(Color(m_menu.m_colorInnerItemCenter), (Rgba{119, 142, 180, 242}));
  EXPECT_EQ(Color(m_menu.m_colorOuterItemLit), (Rgba{134, 159, 202, 242}));
  EXPECT_EQ(Color(m_menu.m_colorHighlightLit), (Rgba{143, 170, 216, 205}));
  EXPECT_EQ(Color(m_menu.m_colorToggled), (Rgba{72, 86, 109, 242}));
  InitMenu(1, 1);
  EXPECT_EQ(Color(m_menu.m_colorInnerItemCenter), (Rgba{224, 224, 224, 230}));
  EXPECT_EQ(Color(m_menu.m_colorOuterItemLit), (Rgba{246, 246, 246, 230}));
  EXPECT_EQ(Color(m_menu.m_colorToggledLit), (Rgba{0, 80, 120, 187}));
  m_menu.SetEdgeColor(10, 20, 30, 40);
  unsigned char r, g, b, a;
  m_menu.GetEdgeColor(r, g, b, a);
  EXPECT_EQ((Rgba{r, g, b, a}), (Rgba{10, 20, 30, 40}));
}

TEST_F(DoubleWheelModelTest, RingsStartVerticesShadingAndRims) {
  InitMenu(4, 6);
  EXPECT_EQ(m_menu.OuterStarts(), (Starts{0, 21, 43, 64, 85, 107}));
  EXPECT_EQ(m_menu.InnerStarts(), (Starts{16, 48, 80, 112}));
  m_menu.SetOuterItemStartDegree(40.0f);
  const Starts forty = m_menu.OuterStarts();
  m_menu.SetOuterItemStartDegree(400.0f);
  EXPECT_EQ(m_menu.OuterStarts(), forty);
  EXPECT_NEAR(m_menu.GetOuterItemStartDegree(), 400.0f, 1e-3f);
  EXPECT_EQ(m_menu.InnerStarts(), (Starts{16, 48, 80, 112}));  // only the one ring

  // Linear shading from the light at vertex 48.
  const float* s = m_menu.m_pShadingRatio;
  EXPECT_EQ((std::vector<float>{s[48], s[16], s[80], s[112]}), (std::vector<float>{0, 0.5f, 0.5f, 1}));
  EXPECT_EQ(m_menu.m_pOuterCircleVertices[0], 1.0f);
  EXPECT_EQ(m_menu.m_pInnerCircleVertices[3 * 32 + 1], 0.58f);
}

TEST_F(DoubleWheelModelTest, HitTestAtTheInnerRimTheOuterRimAndBeyond) {
  InitMenu(4, 6);
  auto hit = [this](double degrees, double fraction) {
    const auto p = Polar(degrees, fraction);
    const bool result = m_menu.HitTest(static_cast<float>(p.first), static_cast<float>(p.second));
    return std::make_tuple(result, m_menu.GetInnerHoveredIndex(), m_menu.GetOuterHoveredIndex());
  };
  EXPECT_EQ(hit(100, 0.5), std::make_tuple(true, 0, -1));
  EXPECT_EQ(hit(100, 0.57), std::make_tuple(true, 0, -1));
  EXPECT_EQ(hit(100, 0.59), std::make_tuple(true, -1, 1));
  EXPECT_EQ(hit(100, 0.9), std::make_tuple(true, -1, 1));
  EXPECT_TRUE(m_menu.HitTest(300.0f, 130.0f));  // exactly on the outer rim
  EXPECT_EQ(m_menu.GetOuterHoveredIndex(), 0);
  EXPECT_EQ(hit(100, 1.01), std::make_tuple(false, -1, -1));
  EXPECT_FALSE(m_menu.HitTest(std::numeric_limits<float>::quiet_NaN(), 130.0f));

  // Without inner items the inner disc is a dead zone.
  m_menu.SetInnerItemSize(0);
  EXPECT_EQ(hit(100, 0.3), std::make_tuple(false, -1, -1));
  EXPECT_EQ(hit(100, 0.8), std::make_tuple(true, -1, 1));
}

TEST_F(DoubleWheelModelTest, BoxMakesRoomForARowUnderTheWheelAndForLabels) {
  InitMenu(2, 4);
  const float below = std::max(115.0f, 100.0f + h + 5.0f);
  EXPECT_FLOAT_EQ(m_menu.GetLowerBound()[1], 130.0f - below);
  EXPECT_FLOAT_EQ(m_menu.GetLowerBound()[0], 85.0f);
  EXPECT_FLOAT_EQ(m_menu.GetUpperBound()[1], 245.0f);
  m_menu.SetAutoReposition(false);
  m_menu.SetTooltipStyle(0);
  m_menu.SetShowTooltip(true);
  EXPECT_FLOAT_EQ(m_menu.GetLowerBound()[0], 85.0f - 160.0f);
  EXPECT_FLOAT_EQ(m_menu.GetUpperBound()[1], 245.0f + h);
  m_menu.SetShowTooltip(false);
  EXPECT_FLOAT_EQ(m_menu.GetLowerBound()[0], 85.0f);
}

// The panel in an 800 x 600 viewport: two outer items with texts 40 and 60
// pixels wide, one inner item with a text 50 pixels wide, centre (300, 300).
class DoubleWheelPanelTest : public vrenktest::DoubleWheelTest {
 protected:
  DoubleWheelPanelTest() : DoubleWheelTest(800, 600) {}
  void SetUp() override {
    DoubleWheelTest::SetUp();
    m_menu.Init(&m_manager, 1, 2, 100, 300, 300, 45.0f, 0.0f);
    m_menu.SetAutoReposition(false);
    m_menu.SetTooltipStyle(1);
    m_menu.PutText(false, 0, Text(40));
    m_menu.PutText(false, 1, Text(60));
    m_menu.PutText(true, 0, Text(50));
  }
  Position PlacedAt(int x, int y) {
    m_menu.SetCenter(x, y);
    return m_menu.PanelPosition();
  }
};

TEST_F(DoubleWheelPanelTest, ListPanelListsEveryItemLeftOfTheWheelOrRightOfIt) {
  EXPECT_FLOAT_EQ(m_menu._GetMaximumTooltipTextRowWidth(), 70.0f);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[0], 70.0f + h);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[1], 3 * h);
  const double W = 74.0 + h, H = 3 * h + 4.0;
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipPanelSize[0], static_cast<float>(W));
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipPanelSize[1], static_cast<float>(H));
  const Position left = PlacedAt(300, 300);
  EXPECT_NEAR(left.first, -105.0 - W, 1e-4);
  EXPECT_NEAR(left.second, 0.7 * H, 1e-4);
  EXPECT_NEAR(m_menu.m_dTooltipTextOrigin[0], left.first + 2, 1e-4);
  EXPECT_NEAR(m_menu.m_dTooltipTextOrigin[1], left.second - 2, 1e-4);
  m_menu.SetShowTooltip(true);
  EXPECT_NEAR(m_menu.GetLowerBound()[0], 300 + left.first - 5, 1e-3);

  EXPECT_NEAR(PlacedAt(100, 300).first, 105.0, 1e-4);   // no room on the left
  EXPECT_NEAR(PlacedAt(300, 590).second, 10.0, 1e-4);   // top on the viewport's top
  EXPECT_NEAR(PlacedAt(300, 10).second, H - 10.0, 1e-4);  // bottom on its bottom

  // Laying out an item that lost its text still brings the panel up to date.
  m_menu.PutText(false, 1, nullptr);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[0], 60.0f + h);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipPanelSize[0], 64.0f + h);
}

TEST_F(DoubleWheelPanelTest, HoverPanelFitsTheHoveredTextUnderTheWheel) {
  m_menu.SetTooltipStyle(2);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[0], 1.1f * h);  // nothing hovered
  const auto p = Polar(270, 0.9);  // outer item 1
  m_menu.HitTest(static_cast<float>(p.first), static_cast<float>(p.second));
  m_menu.SetTooltipStyle(2);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[0], 70.0f + 1.1f * h);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipContentSize[1], h);
  const double W = m_menu.m_fTooltipPanelSize[0], H = m_menu.m_fTooltipPanelSize[1];
  EXPECT_NEAR(W, 74.0 + 1.1 * h, 1e-4);
  const Position under = PlacedAt(300, 300);
  EXPECT_NEAR(under.first, -W / 2, 1e-4);
  EXPECT_NEAR(under.second, -101.0, 1e-4);
  EXPECT_NEAR(PlacedAt(300, 20).second, H - 20.0, 1e-4);
  EXPECT_NEAR(PlacedAt(10, 300).first, -10.0, 1e-4);
  EXPECT_NEAR(PlacedAt(795, 300).first, 800.0 - W - 795.0, 1e-4);
}

TEST_F(DoubleWheelPanelTest, DuckingPositionsRunAroundTheRingAndStayFinite) {
  const auto& positions = m_menu.m_vecTooltipDuckingPositions;
  const int n = static_cast<int>(125.0 / h);
  ASSERT_EQ(positions.size(), 4u * (n + 1));
  EXPECT_FLOAT_EQ(positions[0].fX, 125.0f + 0.1f * h);
  EXPECT_FLOAT_EQ(positions[0].fY, 0.1f * h);
  EXPECT_EQ(positions[0].eCorner, CVrenkTextureText::QUAD_BOTTOM_LEFT);
  const double step = 125.0 / n;
  EXPECT_NEAR(positions[1].fX, std::sqrt(125.0 * 125.0 - step * step) + 0.1 * h, 1e-3);
  EXPECT_NEAR(positions[1].fY, step + 0.1 * h, 1e-3);
  // The second quadrant starts as the mirror of the end of the first.
  EXPECT_EQ(positions[n + 1].fX, -positions[n].fX);
  EXPECT_EQ(positions[n + 1].fY, positions[n].fY);
  EXPECT_EQ(positions[n + 1].eCorner, CVrenkTextureText::QUAD_BOTTOM_RIGHT);
  EXPECT_EQ(positions.back().eCorner, CVrenkTextureText::QUAD_TOP_LEFT);

  // A ring smaller than one row still takes one step.
  m_menu.SetRadius(5);
  m_menu.BuildTooltipDuckingPosition();
  ASSERT_EQ(positions.size(), 8u);
  for (const STooltipDuckingPosition& p : positions) EXPECT_TRUE(std::isfinite(p.fX) && std::isfinite(p.fY));
}

}  // namespace

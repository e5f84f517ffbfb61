// The screen scale: refused values, the font height and the texts kept as
// objects while rasterised again, the wheel's picture and hit test at twice
// the size, and the double wheel's texts and panel following.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "VrenkResult.h"
#include "menu/double_wheel_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::Rgba;

namespace {

using ScaleTest = vrenktest::MenuTest;

TEST_F(ScaleTest, ValuesOutsideTheRangeAreRefusedAndChangeNothing) {
  for (const float bad : {0.0f, -1.0f, std::nanf(""), INFINITY, 16.5f}) {
    EXPECT_EQ(m_manager.SetScale(bad), RESULT_BAD_VALUE) << bad;
    EXPECT_EQ(m_manager.GetScale(), 1.0f);
  }
  EXPECT_EQ(m_manager.GetFontHeight(), 16u);
}

TEST_F(ScaleTest, TheFontHeightFollowsAndTextsKeepTheirObjects) {
  CVrenkTextureText* text = m_manager.CreateText("Select");
  ASSERT_NE(text, nullptr);
  const float fLateral[3] = {1, 0, 0}, fNormal[3] = {0, 0, 1}, fOrigin[3] = {0, 0, 0};
  text->SetLayout(fLateral, fNormal, CVrenkTextureText::QUAD_TOP_LEFT, fOrigin, 0.0f, 0.0f);
  const float fRowAt1 = text->GetLeftHeight();
  const struct {
    float scale;
    unsigned height;
  } cases[] = {{1.25f, 20}, {1.5f, 24}, {1.75f, 28}, {2.0f, 32}};
  for (const auto& c : cases) {
    ASSERT_EQ(m_manager.SetScale(c.scale), RESULT_OK);
    // The cell height the font reports; Windows' own GDI may give one
    // pixel less than the height asked for.
    EXPECT_NEAR(static_cast<double>(m_manager.GetFontHeight()), c.height, 1.0) << c.scale;
    // The same object, still held once, rasterised again at the height.
    EXPECT_EQ(m_manager.CreateText("Select"), text);
    EXPECT_EQ(m_manager.TextRefs("Select"), 2);
    m_manager.ReleaseText(text);
  }
  text->SetLayout(fLateral, fNormal, CVrenkTextureText::QUAD_TOP_LEFT, fOrigin, 0.0f, 0.0f);
  EXPECT_NEAR(text->GetLeftHeight(), 2.0f * fRowAt1, 2.0f) << "a row about twice as high";
  m_manager.ReleaseText(text);
}

TEST_F(ScaleTest, AtTwiceTheScaleTheWheelIsItsPictureMagnifiedAndHitThere) {
  // At scale 1 centred at (100, 130), radius 60; at scale 2 the host gives
  // the centre in framebuffer pixels, (200, 130), and the same radius.
  m_wheel.Init(&m_manager, 6, 60, 100, 130, 30.0f);
  m_wheel.SetAutoReposition(false);
  m_wheel.SetItemToggled(2, true);
  m_wheel.SetItemType(2, 1);
  auto draw = [this] {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    m_manager.Render();
  };
  draw();
  std::vector<Rgba> at1;
  const double kFractions[] = {0.2, 0.45, 0.7};
  auto point = [](double cx, double cy, double r, int k, double f) {
    const double a = (30.0 + 60.0 * k + 30.0) * 3.14159265358979 / 180.0;  // the middle of sector k
    return std::make_pair(static_cast<int>(cx + std::cos(a) * r * f),
                          static_cast<int>(cy + std::sin(a) * r * f));
  };
  for (int k = 0; k < 6; ++k)
    for (double f : kFractions) {
      const auto p = point(100, 130, 60, k, f);
      at1.push_back(ReadPixel(p.first, p.second));
    }

  ASSERT_EQ(m_manager.SetScale(2.0f), RESULT_OK);
  m_wheel.SetCenter(200, 130);
  EXPECT_EQ(m_wheel.GetRadius(), 60) << "the radius as the host gave it";
  draw();
  size_t i = 0;
  for (int k = 0; k < 6; ++k)
    for (double f : kFractions) {
      const auto p = point(200, 130, 120, k, f);
      EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(p.first, p.second), at1[i++], 6))
          << "sector " << k << " at " << f;
    }
  // The hit test at the scaled size: 0.9 of 120 pixels hits, 1.05 does not.
  EXPECT_TRUE(HitAt(60, 0.9f * 2));
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 0);
  EXPECT_FALSE(HitAt(60, 1.05f * 2));
  // The box follows: 1.15 radii of 120 pixels.
  EXPECT_FLOAT_EQ(m_wheel.GetLowerBound()[0], 200 - 1.15f * 120);
}

class DoubleWheelScaleTest : public vrenktest::DoubleWheelTest {};

TEST_F(DoubleWheelScaleTest, TooltipTextsAndThePanelFollowTheScale) {
  m_menu.Init(&m_manager, 1, 2, 100, 200, 130, 45.0f, 0.0f);
  m_menu.SetAutoReposition(false);
  ASSERT_EQ(m_menu.SetOuterItem(0, 1, "Wireframe", static_cast<const char*>(nullptr), 0, false, true), 0);
  ASSERT_EQ(m_menu.SetOuterItem(1, 2, "Shaded", static_cast<const char*>(nullptr), 0, false, true), 0);
  m_menu.SetTooltipStyle(1);
  const float fWidthAt1 = m_menu._GetMaximumTooltipTextRowWidth();
  const float fPanelAt1 = m_menu.m_fTooltipPanelSize[1];
  ASSERT_EQ(m_manager.SetScale(2.0f), RESULT_OK);
  // Glyphs are hinted at each size, so widths grow by about, not exactly,
  // the scale.
  EXPECT_NEAR(m_menu._GetMaximumTooltipTextRowWidth(), 2.0f * fWidthAt1, 0.06f * 2.0f * fWidthAt1)
      << "texts and margins at twice the size";
  EXPECT_NEAR(m_menu.m_fTooltipPanelSize[1], 2.0f * fPanelAt1, 4.0f);
  EXPECT_EQ(m_menu.GetRadius(), 100);
  // And back: the layout of scale 1 returns.
  ASSERT_EQ(m_manager.SetScale(1.0f), RESULT_OK);
  EXPECT_FLOAT_EQ(m_menu._GetMaximumTooltipTextRowWidth(), fWidthAt1);
  EXPECT_FLOAT_EQ(m_menu.m_fTooltipPanelSize[1], fPanelAt1);
  glClear(GL_COLOR_BUFFER_BIT);
  m_manager.Render();
}

}  // namespace

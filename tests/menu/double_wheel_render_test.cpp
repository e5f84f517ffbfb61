// The double wheel drawn by the manager and read back: both rings' colours
// per state, the hole without inner items, icons at their radii, the three
// tooltip styles, and the GL state after.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "image/png_files.h"
#include "menu/double_wheel_fixture.h"
#include "support/gl_state.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

const double kTwoPi = 2 * 3.14159265358979;

// Four inner and four outer items around (200, 130), both rings starting at
// 45 degrees: item 0 on top, 1 left, 2 bottom, 3 right.
class DoubleWheelRenderTest : public vrenktest::DoubleWheelTest {
 protected:
  void SetUp() override {
    DoubleWheelTest::SetUp();
    m_menu.Init(&m_manager, 4, 4, 100, 200, 130, 45.0f, 45.0f);
  }
  void Draw() {
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_background = ReadPixel(0, 0);
    m_manager.Render();
  }
  Rgba PixelAt(double degrees, double fraction) const {
    const auto p = Polar(degrees, fraction);
    return ReadPixel(static_cast<int>(p.first), static_cast<int>(p.second));
  }
  static Rgba Over(const double* src, const Rgba& dst) {
    Rgba out;
    for (int c = 0; c < 4; ++c)
      out[c] = static_cast<uint8_t>(std::lround(src[c] * src[3] / 255 + dst[c] * (1 - src[3] / 255)));
    return out;
  }
  // The outer ring in the middle of rim segment k: one flat colour, the
  // blend of the pair at k.
  ::testing::AssertionResult RingSegmentShows(int k, const unsigned char* lit, const unsigned char* shadow) {
    const double s = m_menu.m_pShadingRatio[k];
    double src[4];
    for (int c = 0; c < 4; ++c) src[c] = std::trunc(lit[c] * (1 - s) + shadow[c] * s);
    return ColorNear(PixelAt((k + 0.5) * 360.0 / 128, 0.75), Over(src, m_background), 3);
  }
  static bool Bluish(const Rgba& p) { return p[2] - p[0] > 40; }
  static bool Grey(const Rgba& p) { return std::abs(p[2] - p[0]) <= 3; }
  Rgba m_background{};
};

TEST_F(DoubleWheelRenderTest, RingsTakeTheColoursOfTheirItemsState) {
  m_menu.SetOuterItemToggled(1, true);
  m_menu.SetOuterItemEnabled(2, false);
  m_menu.SetOuterItemToggled(2, true);  // disabled wins
  m_menu.SetInnerItemToggled(3, true);
  MoveTo(90, 0.8);  // outer item 0
  Draw();
  EXPECT_TRUE(RingSegmentShows(32, m_menu.m_colorHighlightLit, m_menu.m_colorHighlight));
  EXPECT_TRUE(RingSegmentShows(64, m_menu.m_colorToggledLit, m_menu.m_colorToggled));
  EXPECT_TRUE(RingSegmentShows(96, m_menu.m_colorOuterItemLit, m_menu.m_colorOuterItem));
  EXPECT_TRUE(RingSegmentShows(5, m_menu.m_colorOuterItemLit, m_menu.m_colorOuterItem));
  EXPECT_TRUE(Grey(PixelAt(100, 0.4)) && Grey(PixelAt(170, 0.4)) && Bluish(PixelAt(10, 0.4)));

  const auto p = Polar(90, 0.8);
  m_manager.OnLButtonDown(0, At(p.first, p.second));
  Draw();
  EXPECT_TRUE(RingSegmentShows(32, m_menu.m_colorToggledLit, m_menu.m_colorToggled));
  m_manager.OnLButtonUp(0, At(p.first, p.second));
  MoveTo(190, 0.3);  // inner item 1
  Draw();
  EXPECT_TRUE(Bluish(PixelAt(170, 0.4)));
  EXPECT_TRUE(RingSegmentShows(32, m_menu.m_colorOuterItemLit, m_menu.m_colorOuterItem));
}

TEST_F(DoubleWheelRenderTest, WithoutInnerItemsTheCentreIsAHoleUnlessAskedFor) {
  m_menu.SetInnerItemSize(0);
  Draw();
  EXPECT_EQ(PixelAt(60, 0.3), m_background);
  EXPECT_TRUE(RingSegmentShows(5, m_menu.m_colorOuterItemLit, m_menu.m_colorOuterItem));
  m_menu.SetAlwaysShowInnerDisk(true);
  Draw();
  double centre[4];
  for (int c = 0; c < 4; ++c) centre[c] = m_menu.m_colorInnerItemCenter[c];
  EXPECT_TRUE(ColorNear(ReadPixel(200, 130), Over(centre, m_background), 3));
}

TEST_F(DoubleWheelRenderTest, IconsSitAtTheirRingsRadii) {
  vrenktest::ScratchDir dir;
  vrenktest::PngPicture icon;  // green
  icon.width = icon.height = 4;
  for (int i = 0; i < 16; ++i) icon.samples.insert(icon.samples.end(), {0u, 255u, 0u, 255u});
  ASSERT_TRUE(vrenktest::WritePng(dir.Path("icon.png"), icon));
  const std::string path = dir.Path("icon.png");
  ASSERT_EQ(m_menu.SetInnerItem(0, 1, "", path.c_str(), 0, false, true), 0);
  ASSERT_EQ(m_menu.SetOuterItem(0, 2, "", path.c_str(), 0, false, true), 0);
  auto green = [this](double degrees, double fraction) {
    const Rgba p = PixelAt(degrees, fraction);
    return p[1] - p[0] > 120;
  };
  Draw();
  // Inner icons at 0.58 of the inner radius with four items, outer icons
  // midway between the rims; 0.116 radii to either side.
  EXPECT_TRUE(green(90, 0.58 * 0.58));
  EXPECT_TRUE(green(90, 0.79));
  EXPECT_FALSE(green(90, 0.58 * 0.58 + 0.14) || green(90, 0.79 + 0.14) || green(90, 0.79 - 0.14));
  m_menu.SetInnerItemSize(2);  // item 0 now at 135 degrees, half the inner radius out
  Draw();
  EXPECT_TRUE(green(135, 0.29));
  EXPECT_FALSE(green(90, 0.58 * 0.58));
}

TEST_F(DoubleWheelRenderTest, DrawingReadsItemsThroughTheReadersADerivedClassAnswers) {
  vrenktest::ScratchDir dir;
  vrenktest::PngPicture icon;  // green
  icon.width = icon.height = 4;
  for (int i = 0; i < 16; ++i) icon.samples.insert(icon.samples.end(), {0u, 255u, 0u, 255u});
  ASSERT_TRUE(vrenktest::WritePng(dir.Path("icon.png"), icon));
  const std::string path = dir.Path("icon.png");
  ASSERT_EQ(m_menu.SetOuterItem(0, 1, "", path.c_str(), 0, false, true), 0);
  ASSERT_EQ(m_menu.SetOuterItem(2, 3, "", path.c_str(), 0, false, true), 0);
  m_menu.SetInnerItemToggled(3, true);
  m_menu.nReportToggledOuter = 1;  // stored plain, reported toggled
  m_menu.nReportNoImageOuter = 0;  // stored with an icon, reported without
  m_menu.nReportDisabledInner = 3;  // stored toggled, reported disabled
  auto green = [](const Rgba& p) { return p[1] - p[0] > 120; };
  Draw();
  EXPECT_TRUE(RingSegmentShows(64, m_menu.m_colorToggledLit, m_menu.m_colorToggled));
  EXPECT_FALSE(green(PixelAt(90, 0.79))) << "outer item 0 reports no icon";
  EXPECT_TRUE(green(PixelAt(270, 0.79)));
  EXPECT_TRUE(Grey(PixelAt(10, 0.4))) << "inner item 3 reports disabled: not in the toggled colours";

  // The list panel's row icons too: outer item 0's row has none.
  m_menu.PutText(false, 0, Text(40));
  m_menu.PutText(false, 2, Text(40));
  m_menu.SetTooltipStyle(1);
  m_menu.SetShowTooltip(true);
  Draw();
  const double left = 200 + m_menu.m_dTooltipPanelPosition[0];
  const double top = 130 + m_menu.m_dTooltipPanelPosition[1];
  ASSERT_GT(left, 0);
  auto iconCell = [&](int row) {
    return ReadPixel(static_cast<int>(left + 2 + h / 2), static_cast<int>(top - 2 - h * row - h / 2));
  };
  EXPECT_FALSE(green(iconCell(0)));
  EXPECT_TRUE(green(iconCell(2)));
}

// Tooltips from texts of chosen widths, drawn as solid boxes in the text
// colour (they have no texture).
class DoubleWheelTooltipRenderTest : public DoubleWheelRenderTest {
 protected:
  void SetUp() override {
    DoubleWheelRenderTest::SetUp();
    m_menu.SetOuterItemSize(2);  // item 0 above, item 1 below
    m_menu.SetOuterItemStartDegree(0.0f);
    m_menu.SetInnerItemSize(1);
    m_menu.SetShowTooltip(true);
  }
};

TEST_F(DoubleWheelTooltipRenderTest, RingLabelsLieOutsideTheWheelTheHoveredOneWhite) {
  m_menu.SetOuterItemSize(4);
  m_menu.PutText(false, 0, Text(40));  // at 45 degrees: bottom-left corner on the ring
  m_menu.PutText(false, 1, Text(40));  // at 135 degrees: bottom-right corner on it
  m_menu.SetTooltipStyle(0);
  const double r = 101 * std::cos(kTwoPi / 8);
  Draw();
  EXPECT_EQ(ReadPixel(static_cast<int>(200 + r + 25), static_cast<int>(130 + r + h / 2)), (Rgba{180, 180, 180, 255}));
  EXPECT_EQ(ReadPixel(static_cast<int>(200 - r - 25), static_cast<int>(130 + r + h / 2)), (Rgba{180, 180, 180, 255}));
  EXPECT_EQ(ReadPixel(static_cast<int>(200 + r + 25), static_cast<int>(130 + r - 3)) , m_background);
  MoveTo(135, 0.8);
  Draw();
  EXPECT_EQ(ReadPixel(static_cast<int>(200 - r - 25), static_cast<int>(130 + r + h / 2)), (Rgba{255, 255, 255, 255}));
}

TEST_F(DoubleWheelTooltipRenderTest, ListPanelHighlightsTheHoveredRowWithItsText) {
  // Outer item 0 has no text: its row stays empty, and item 1's text lies
  // in the second row, where the highlight is.
  m_menu.PutText(false, 1, Text(60));
  m_menu.PutText(true, 0, Text(50));
  m_menu.SetTooltipStyle(1);
  MoveTo(270, 0.8);  // outer item 1
  Draw();
  const double left = 200 + m_menu.m_dTooltipPanelPosition[0];
  const double top = 130 + m_menu.m_dTooltipPanelPosition[1];
  const double width = m_menu.m_fTooltipPanelSize[0];
  ASSERT_GT(left, 0);
  auto rowY = [&](int row) { return static_cast<int>(top - 2 - h * row - h / 2); };
  const int textX = static_cast<int>(left + 2 + h + 30);
  EXPECT_EQ(ReadPixel(textX, rowY(1)), (Rgba{255, 255, 255, 255}));      // hovered text
  EXPECT_TRUE(Bluish(ReadPixel(static_cast<int>(left + width - 3), rowY(1))));  // its row
  EXPECT_TRUE(Grey(ReadPixel(static_cast<int>(left + width - 3), rowY(0))));
  EXPECT_TRUE(Grey(ReadPixel(textX, rowY(0))));                            // the empty row
  EXPECT_EQ(ReadPixel(textX, rowY(2)), (Rgba{0, 0, 0, 255}));             // the inner item
}

TEST_F(DoubleWheelTooltipRenderTest, HoverPanelUnderTheWheelFollowsTheHoveredItem) {
  m_menu.PutText(false, 1, Text(60));
  m_menu.PutText(true, 0, Text(40));
  m_menu.SetTooltipStyle(2);
  const int y = static_cast<int>(130 - 101 - 2 - h / 2);
  Draw();
  EXPECT_EQ(ReadPixel(200, y), m_background);  // nothing hovered: no panel
  MoveTo(270, 0.8);
  Draw();
  // The text starts an inset, an icon column and a margin into the panel.
  const double left = 200 - m_menu.m_fTooltipPanelSize[0] / 2;
  EXPECT_EQ(ReadPixel(static_cast<int>(left + 2 + h + 5 + 55), y), (Rgba{0, 0, 0, 255}));
  MoveTo(0, 0.3);  // the inner item's shorter text
  Draw();
  const double left2 = 200 - m_menu.m_fTooltipPanelSize[0] / 2;
  EXPECT_GT(left2, left);
  EXPECT_EQ(ReadPixel(static_cast<int>(left2 + 2 + h + 5 + 35), y), (Rgba{0, 0, 0, 255}));
  EXPECT_NE(ReadPixel(static_cast<int>(left2 + 2 + h + 5 + 45), y), (Rgba{0, 0, 0, 255}));
  m_menu.SetTooltipStyle(7);  // not a style: no tooltips
  Draw();
  EXPECT_EQ(ReadPixel(200, y), m_background);
}

TEST_F(DoubleWheelTooltipRenderTest, RenderLeavesTheGLStateAsItFoundIt) {
  VRENK_REQUIRE_FIXED_FUNCTION();
  m_menu.PutText(false, 1, Text(60));
  m_menu.SetLightTracing(true);
  MoveTo(270, 0.8);
  const auto p = Polar(270, 0.8);
  m_manager.OnLButtonDown(0, At(p.first, p.second));
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_FLAT);
  glBlendFunc(GL_ONE, GL_ZERO);
  glLineWidth(3.0f);
  glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
  glMatrixMode(GL_TEXTURE);
  for (int style : {0, 1, 2}) {
    m_menu.SetTooltipStyle(style);
    const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
    m_manager.Render();
    EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "") << style;
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 3.0f);
  }
  glMatrixMode(GL_MODELVIEW);
  glDeleteTextures(1, &texture);
}

}  // namespace

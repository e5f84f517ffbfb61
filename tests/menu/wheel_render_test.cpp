// The wheel drawn by the manager and read back: sector colours per item
// state, the empty disc, icons, the fixed panel, and the GL state after.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "image/png_files.h"
#include "menu/menu_fixture.h"
#include "support/gl_state.h"

using namespace VrenkGLWidge;
using vrenktest::Rgba;

namespace {

// Four items of radius 100 around (270, 130): item 0 on top, 1 left, 2
// bottom, 3 right; the panel lies left of the wheel, inside the window.
class WheelMenuRenderTest : public vrenktest::MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    m_wheel.Init(&m_manager, 4, 100, 270, 130, 45.0f);
  }
  void Draw() {
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_background = ReadPixel(0, 0);
    m_manager.Render();
  }
  Rgba PixelAt(float degrees, float fraction) const {
    const auto p = Polar(degrees, fraction);
    return ReadPixel(static_cast<int>(p.first), static_cast<int>(p.second));
  }
  // src over dst with straight alpha, as the wheel blends.
  static Rgba Over(const double* src, const Rgba& dst) {
    Rgba out;
    for (int c = 0; c < 4; ++c)
      out[c] = static_cast<uint8_t>(std::lround(src[c] * src[3] / 255 + dst[c] * (1 - src[3] / 255)));
    return out;
  }
  // The disc at a pixel for an item in the pair (lit, shadow): the centre
  // colour blended towards the colour of the rim segment under the pixel.
  Rgba ExpectedDisc(float degrees, float fraction, const unsigned char* lit,
                    const unsigned char* shadow) const {
    const auto p = Polar(degrees, fraction);
    const double ux = (std::floor(p.first) + 0.5 - 270) / 100, uy = (std::floor(p.second) + 0.5 - 130) / 100;
    const double angle = std::atan2(uy, ux) + (uy < 0 ? 2 * 3.14159265358979 : 0);
    const int k = static_cast<int>(angle / (2 * 3.14159265358979 / 128)) % 128;
    const float* v = m_wheel.m_pCircleVertices + 3 * k;
    const float* w = m_wheel.m_pCircleVertices + 3 * ((k + 1) % 128);
    const double lambda = (ux * w[1] - uy * w[0] + v[0] * uy - v[1] * ux) / (v[0] * w[1] - v[1] * w[0]);
    const double s = m_wheel.m_pShadingRatio[k];
    double src[4];
    for (int c = 0; c < 4; ++c) {
      const double rim = std::trunc(lit[c] * (1 - s) + shadow[c] * s);
      src[c] = m_wheel.m_colorItemCenter[c] + (rim - m_wheel.m_colorItemCenter[c]) * lambda;
    }
    return Over(src, m_background);
  }
  // Item i's sector away from its icon, separators and rim.
  ::testing::AssertionResult SectorShows(int i, const unsigned char* lit, const unsigned char* shadow) const {
    const float degrees = 90.0f * (i + 1) + 25.0f;
    return vrenktest::ColorNear(PixelAt(degrees, 0.8f), ExpectedDisc(degrees, 0.8f, lit, shadow), 3);
  }
  Rgba m_background{};
};

TEST_F(WheelMenuRenderTest, SectorsTakeTheColoursOfTheirItemsState) {
  m_wheel.SetItemToggled(1, true);
  m_wheel.SetItemEnabled(2, false);
  m_wheel.SetItemToggled(2, true);  // disabled wins
  MoveTo(90.0f, 0.5f);
  Draw();
  EXPECT_TRUE(SectorShows(0, m_wheel.m_colorHighlightLit, m_wheel.m_colorHighlight));
  EXPECT_TRUE(SectorShows(1, m_wheel.m_colorToggledLit, m_wheel.m_colorToggled));
  EXPECT_TRUE(SectorShows(2, m_wheel.m_colorItemLit, m_wheel.m_colorItem));
  EXPECT_TRUE(SectorShows(3, m_wheel.m_colorItemLit, m_wheel.m_colorItem));
  const auto p = Polar(90.0f, 0.5f);
  Down(p.first, p.second);
  Draw();
  EXPECT_TRUE(SectorShows(0, m_wheel.m_colorToggledLit, m_wheel.m_colorToggled));
  MoveTo(270.0f, 0.5f);  // hovering a disabled item lights nothing
  Draw();
  EXPECT_TRUE(SectorShows(2, m_wheel.m_colorItemLit, m_wheel.m_colorItem));
  EXPECT_TRUE(SectorShows(0, m_wheel.m_colorItemLit, m_wheel.m_colorItem));
}

TEST_F(WheelMenuRenderTest, EmptyWheelShowsItsDiscOnlyWhenAskedAndAlwaysThePanel) {
  m_wheel.SetItemSize(0);
  Draw();
  EXPECT_EQ(PixelAt(60.0f, 0.5f), m_background);
  // Inside both panel quads, and on the shadow strip below them.
  const double q1[4] = {100, 100, 255, 160}, q2[4] = {150, 150, 255, 120}, q3[4] = {50, 50, 55, 160};
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(270 - 175, 130 - 60), Over(q2, Over(q1, m_background)), 3));
  EXPECT_TRUE(vrenktest::ColorNear(ReadPixel(270 - 150, 49), Over(q3, m_background), 3));
  EXPECT_EQ(ReadPixel(270 - 150, 130 + 10), m_background);
  m_wheel.SetAlwaysShowDisk(true);
  Draw();
  EXPECT_TRUE(vrenktest::ColorNear(
      PixelAt(60.0f, 0.5f), ExpectedDisc(60.0f, 0.5f, m_wheel.m_colorItemLit, m_wheel.m_colorItem), 3));
}

class WheelMenuIconTest : public WheelMenuRenderTest {
 protected:
  void SetUp() override {
    WheelMenuRenderTest::SetUp();
    vrenktest::PngPicture icon;  // green on top, red at the bottom
    icon.width = icon.height = 8;
    for (int i = 0; i < 64; ++i)
      icon.samples.insert(icon.samples.end(), {i < 32 ? 0u : 255u, i < 32 ? 255u : 0u, 0u, 255u});
    ASSERT_TRUE(vrenktest::WritePng(m_dir.Path("icon.png"), icon));
    ASSERT_EQ(m_wheel.SetItem(0, 1, "", m_dir.Path("icon.png").c_str(), 0, false, true), 0);
  }
  // Item 0's icon sits on the icon circle straight above the centre.
  static constexpr int kIconY = 197;
  static bool Green(const Rgba& p) { return p[1] - p[0] > 120; }
  int GreenWidth() const {
    int width = 0;
    for (int x = 230; x < 310; ++x) width += Green(ReadPixel(x, kIconY + 5));
    return width;
  }
  vrenktest::ScratchDir m_dir;
};

TEST_F(WheelMenuIconTest, IconsSitInTheirSectorsUprightAndSizedByState) {
  Draw();
  EXPECT_TRUE(Green(ReadPixel(270, kIconY + 5)));
  const Rgba below = ReadPixel(270, kIconY - 5);
  EXPECT_GT(below[0] - below[1], 120);
  EXPECT_NEAR(GreenWidth(), 2 * 0.1645 * 100, 2.0);
  MoveTo(90.0f, 0.5f);
  Draw();
  EXPECT_NEAR(GreenWidth(), 2 * 0.189175 * 100, 2.0);
  EXPECT_EQ(ReadPixel(270, kIconY + 5), (Rgba{0, 255, 0, 255}));  // opaque white tint
  const auto p = Polar(90.0f, 0.5f);
  Down(p.first, p.second);
  Draw();
  EXPECT_NEAR(GreenWidth(), 2 * 0.14805 * 100, 2.0);
  m_wheel.SetItemEnabled(0, false);  // faded, hovered or not
  Draw();
  const Rgba faded = ReadPixel(270, kIconY + 5);
  m_wheel.SetItem(0, 1, "", static_cast<const char*>(nullptr), 0, false, false);
  Draw();
  const double tint[4] = {0, 204, 0, 51};
  EXPECT_TRUE(vrenktest::ColorNear(faded, Over(tint, ReadPixel(270, kIconY + 5)), 3));
  ASSERT_EQ(m_wheel.SetItem(0, 1, "", m_dir.Path("icon.png").c_str(), 0, false, true), 0);
  m_wheel.SetItemSize(1);  // a single item's icon sits at the centre
  Draw();
  EXPECT_TRUE(Green(ReadPixel(270, 135)));
}

TEST_F(WheelMenuIconTest, RenderLeavesTheGLStateAsItFoundIt) {
  VRENK_REQUIRE_FIXED_FUNCTION();
  m_wheel.SetItemToggled(2, true);
  m_wheel.SetLightTracing(true);
  MoveTo(0.0f, 0.5f);
  const auto p = Polar(0.0f, 0.5f);
  Down(p.first, p.second);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_FLAT);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
  glMatrixMode(GL_TEXTURE);
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  m_manager.Render();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
  glMatrixMode(GL_MODELVIEW);
  glDeleteTextures(1, &texture);
}

}  // namespace

// CVrenkTextureText: both layouts with rows of chosen sizes, and drawing
// them with a known texture.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "VrenkGLWidge.h"
#include "support/gl_fixture.h"
#include "support/gl_state.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

const float kX[3] = {1, 0, 0};
const float kY[3] = {0, 1, 0};
const float kZ[3] = {0, 0, 1};
const float kOrigin[3] = {0, 0, 0};

// A text whose rows have chosen pixel sizes; each row maps the whole of the
// given texture (or none).
class SyntheticText : public CVrenkTextureText {
 public:
  SyntheticText(std::initializer_list<std::pair<unsigned, unsigned>> rows, GLuint texture = 0)
      : CVrenkTextureText(nullptr, "synthetic", texture, 4, 0, 0, nullptr, static_cast<unsigned>(rows.size())) {
    unsigned k = 0;
    for (const auto& row : rows) SetWordRect(k++, row.first, row.second, 0.0f, 1.0f, 1.0f, 0.0f);
  }
  ~SyntheticText() override = default;

  const SWordRect& Row(unsigned k) const { return m_pWordRects[k]; }
  const float* BoxMin() const { return m_fBoxMin; }
  const float* BoxMax() const { return m_fBoxMax; }
  const double* Matrix() const { return m_dTransform; }
  static bool Coincide(const float* a, const float* b) { return Different(a, b); }
};

::testing::AssertionResult Near3(const float* v, float x, float y, float z) {
  const float tol = 1e-4f;
  if (std::abs(v[0] - x) < tol && std::abs(v[1] - y) < tol && std::abs(v[2] - z) < tol) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << v[0] << ", " << v[1] << ", " << v[2] << ") is not (" << x << ", "
                                       << y << ", " << z << ")";
}

TEST(TextureTextLayout, AnchoredCornerLandsOnAnchorWithMarginAcross) {
  SyntheticText text({{100, 16}});
  ASSERT_EQ(text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 0, 5), 0);
  EXPECT_TRUE(Near3(text.Row(0).fCorner[CVrenkTextureText::QUAD_BOTTOM_LEFT], 0, -16, 0));
  EXPECT_TRUE(Near3(text.Row(0).fCorner[CVrenkTextureText::QUAD_TOP_RIGHT], 100, 0, 0));
  EXPECT_TRUE(Near3(text.BoxMin(), -5, -16, 0));
  EXPECT_TRUE(Near3(text.BoxMax(), 105, 0, 0));
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_BOTTOM_RIGHT), 110, -16, 0));
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_TOP_LEFT), 0, 0, 0));
  EXPECT_FLOAT_EQ(text.GetBottomWidth(), 110);
  EXPECT_FLOAT_EQ(text.GetLeftHeight(), 16);

  const float anchor[3] = {200, 50, 0};
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_BOTTOM_RIGHT, anchor, 0, 5);
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_BOTTOM_RIGHT), 200, 50, 0));
  EXPECT_DOUBLE_EQ(text.Matrix()[13], 66);

  // Any other corner value anchors the bottom-left corner.
  text.SetLayout(kX, kZ, static_cast<CVrenkTextureText::EQuadPointIndex>(7), anchor, 0, 5);
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_BOTTOM_LEFT), 200, 50, 0));
}

TEST(TextureTextLayout, RotatedPlacementKeepsSizesAndNormalisesDirections) {
  SyntheticText text({{100, 16}});
  const float lateral[3] = {0, 3, 0};  // not unit length
  const float anchor[3] = {10, 20, 30};
  text.SetLayout(lateral, kZ, CVrenkTextureText::QUAD_TOP_LEFT, anchor, 0, 5);
  // x runs up the screen, so the local y axis (z × x) points to -x. The
  // anchored corner (-5, 0, 0) is subtracted before the rotation, so the
  // translation is (15, 20, 30) and the corner itself lands elsewhere.
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_TOP_LEFT), 15, 15, 30));
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_BOTTOM_LEFT), 31, 15, 30));
  EXPECT_TRUE(Near3(text.GetBound(CVrenkTextureText::QUAD_TOP_RIGHT), 15, 125, 30));
  EXPECT_FLOAT_EQ(text.GetBottomWidth(), 110);
  EXPECT_FLOAT_EQ(text.GetLeftHeight(), 16);
}

TEST(TextureTextLayout, SixArgumentLayoutWrapsByPreviousRowHeight) {
  SyntheticText text({{40, 16}, {50, 16}, {30, 16}});
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 100, 0);
  EXPECT_TRUE(Near3(text.Row(1).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 40, 0, 0));
  EXPECT_TRUE(Near3(text.Row(2).fCorner[CVrenkTextureText::QUAD_BOTTOM_RIGHT], 30, -32, 0));
  EXPECT_TRUE(Near3(text.BoxMin(), 0, -32, 0));
  EXPECT_TRUE(Near3(text.BoxMax(), 90, 0, 0));

  // A wrap width of 0 never wraps; a too-narrow one wraps every row, the
  // first by nothing.
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 0, 0);
  EXPECT_TRUE(Near3(text.Row(2).fCorner[CVrenkTextureText::QUAD_TOP_RIGHT], 120, 0, 0));
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 10, 0);
  EXPECT_TRUE(Near3(text.Row(2).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 0, -32, 0));

  SyntheticText mixed({{60, 10}, {60, 20}, {60, 5}});
  mixed.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 100, 0);
  EXPECT_TRUE(Near3(mixed.Row(2).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 0, -30, 0));
  EXPECT_FLOAT_EQ(mixed.BoxMin()[1], -35);
}

TEST(TextureTextLayout, FiveArgumentLayoutScalesRowsAndKeepsBounds) {
  SyntheticText text({{40, 16}, {50, 16}, {30, 16}});
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 0, 5);
  const float origin[3] = {10, 20, 0};
  text.SetLayout(kX, kZ, origin, 50, 8);  // rows become 20, 25 and 15 long
  EXPECT_TRUE(Near3(text.Row(0).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 10, 20, 0));
  EXPECT_TRUE(Near3(text.Row(1).fCorner[CVrenkTextureText::QUAD_BOTTOM_RIGHT], 55, 12, 0));
  EXPECT_TRUE(Near3(text.Row(2).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 10, 12, 0));
  // The bounds still describe the six-argument layout.
  EXPECT_FLOAT_EQ(text.GetBottomWidth(), 130);

  // Wrap width 0: every row on its own line. In the plane x = lateral,
  // normal z, "down" is lateral × normal.
  text.SetLayout(kY, kZ, kOrigin, 0, 8);
  EXPECT_TRUE(Near3(text.Row(0).fCorner[CVrenkTextureText::QUAD_BOTTOM_RIGHT], 8, 20, 0));
  EXPECT_TRUE(Near3(text.Row(2).fCorner[CVrenkTextureText::QUAD_TOP_LEFT], 16, 0, 0));
}

TEST(TextureTextLayout, TextWithoutRowsHasAnEmptyBoxAndHelpersBehave) {
  SyntheticText text({});
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_BOTTOM_LEFT, kOrigin, 0, 3);
  EXPECT_TRUE(Near3(text.BoxMin(), -3, 0, 0));
  EXPECT_TRUE(Near3(text.BoxMax(), 3, 0, 0));
  EXPECT_FLOAT_EQ(text.GetBottomWidth(), 6);
  EXPECT_EQ(text.SetLayout(kX, kZ, kOrigin, 0, 8), 0);

  const float a[3] = {1, 2, 3};
  const float b[3] = {1, 2, 4};
  const float c[3] = {1, 2, 3.00001f};
  EXPECT_TRUE(SyntheticText::Coincide(a, a));
  EXPECT_TRUE(SyntheticText::Coincide(a, c));
  EXPECT_FALSE(SyntheticText::Coincide(a, b));
}

// Drawing: a 4 by 4 texture whose top two texel rows are opaque.
class TextureTextRender : public vrenktest::GLTest {
 protected:
  GLuint MakeTexture() {
    std::vector<uint8_t> texels(4 * 4 * 4, 255);
    for (int i = 8; i < 16; ++i) texels[i * 4 + 3] = 0;  // bottom half transparent
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
  }
};

TEST_F(TextureTextRender, DrawsTopTexelsAtTheTopInCurrentColourAndRestoresState) {
  SyntheticText text({{40, 20}}, MakeTexture());
  const float anchor[3] = {30, 30, 0};
  text.SetLayout(kX, kZ, CVrenkTextureText::QUAD_BOTTOM_LEFT, anchor, 0, 0);
  GLuint other = 0;
  glGenTextures(1, &other);
  glBindTexture(GL_TEXTURE_2D, other);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, m_nWidth, 0, m_nHeight, -1, 1);
  glColor4ub(255, 0, 0, 255);
  vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  text.Render();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
  // The quad spans x 30..70, y 30..50; its upper half shows the opaque texels.
  EXPECT_TRUE(ColorNear(ReadPixel(50, 45), Rgba{255, 0, 0, 255}));
  EXPECT_TRUE(ColorNear(ReadPixel(50, 35), Rgba{0, 0, 0, 0}));
  EXPECT_TRUE(ColorNear(ReadPixel(75, 45), Rgba{0, 0, 0, 0}));
  EXPECT_TRUE(ColorNear(ReadPixel(50, 55), Rgba{0, 0, 0, 0}));

  // The current alpha scales opacity.
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4ub(0, 255, 0, 128);
  text.Render();
  EXPECT_TRUE(ColorNear(ReadPixel(50, 45), Rgba{0, 128, 0, 64}, 3));

  // Viewport coordinates ignore the projection (which would shrink the
  // quad) and put it back, with the matrix mode.
  glClear(GL_COLOR_BUFFER_BIT);
  glScalef(0.5f, 0.25f, 1);
  glMatrixMode(GL_TEXTURE);
  before = vrenktest::GLStateSnapshot::Capture();
  text.RenderInViewportCoordinate();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
  EXPECT_TRUE(ColorNear(ReadPixel(68, 48), Rgba{0, 128, 0, 64}, 3));
  EXPECT_TRUE(ColorNear(ReadPixel(71, 48), Rgba{0, 0, 0, 0}));
  glDeleteTextures(1, &other);
}

}  // namespace

// The layout module's numbers and the draw list's rules, without a GL
// context.
#include <gtest/gtest.h>

#include <cmath>

#include "menu/wheel_layout.h"
#include "render/draw_list.h"

using namespace VrenkGLWidge;

namespace {

const unsigned char kNormalLit[4] = {1, 0, 0, 0}, kNormal[4] = {2, 0, 0, 0};
const unsigned char kHighLit[4] = {3, 0, 0, 0}, kHigh[4] = {4, 0, 0, 0};
const unsigned char kTogLit[4] = {5, 0, 0, 0}, kTog[4] = {6, 0, 0, 0};
const layout::SPalette kPalette = {kNormalLit, kNormal, kHighLit, kHigh, kTogLit, kTog};
const layout::SIconSizes kSizes = {1.0f, 1.15f, 0.9f};

TEST(WheelLayout, ItemLookFollowsOneRuleForEveryState) {
  struct Case {
    bool enabled, hovered, toggled, pressed;
    const unsigned char* lit;
    const unsigned char* tint;
    float size;
    bool marked;
  } cases[] = {
      {false, true, true, true, kNormalLit, layout::kIconDisabled, 1.0f, false},  // disabled wins
      {true, true, false, true, kTogLit, layout::kIconHovered, 0.9f, true},       // pressed
      {true, true, true, false, kHighLit, layout::kIconHovered, 1.15f, true},     // hovered, toggled
      {true, true, false, false, kHighLit, layout::kIconHovered, 1.15f, false},
      {true, false, true, true, kTogLit, layout::kIconNormal, 1.0f, true},  // toggled, button elsewhere
      {true, false, false, true, kNormalLit, layout::kIconNormal, 1.0f, false},
  };
  for (const Case& c : cases) {
    const layout::SItemLook look = layout::ItemLook({c.enabled, c.hovered, c.toggled}, c.pressed, kPalette, kSizes);
    SCOPED_TRACE(testing::Message() << c.enabled << c.hovered << c.toggled << c.pressed);
    EXPECT_EQ(look.pLit, c.lit);
    EXPECT_EQ(look.pShadow[0], c.lit[0] + 1);  // each lit colour's partner
    EXPECT_EQ(look.pIconTint, c.tint);
    EXPECT_EQ(look.fIconHalfSize, c.size);
    EXPECT_EQ(look.bMarked, c.marked);
  }
}

TEST(WheelLayout, BlendTruncatesEveryChannel) {
  const unsigned char lit[4] = {255, 255, 255, 217}, shadow[4] = {191, 191, 191, 242};
  unsigned char out[4];
  layout::Blend(out, lit, shadow, 0.25f);
  EXPECT_EQ(out[0], 239);
  EXPECT_EQ(out[3], 223);
  layout::Blend(out, lit, shadow, 1.0f);
  EXPECT_EQ(out[0], 191);
}

TEST(WheelLayout, SectorSpansWrapAndOneItemCoversTheRim) {
  const unsigned int four[4] = {16, 48, 80, 112};
  EXPECT_EQ(layout::SectorSpan(four, 4, 0).nCount, 32u);
  const layout::SSpan last = layout::SectorSpan(four, 4, 3);  // past vertex 127 to 16
  EXPECT_EQ(last.nFirst, 112u);
  EXPECT_EQ(last.nCount, 32u);
  EXPECT_EQ(layout::OutlineArc(four, 4, 3).nCount, 33u);
  const unsigned int one[1] = {5};
  EXPECT_EQ(layout::SectorSpan(one, 1, 0).nCount, 128u);
  const unsigned int shared[3] = {7, 7, 50};  // two items on one vertex: the first spans nothing
  EXPECT_EQ(layout::SectorSpan(shared, 3, 0).nCount, 0u);
}

TEST(WheelLayout, IconsSitInTheMiddleOfTheirSectors) {
  std::vector<layout::SPoint> centres;
  layout::IconCentres(4, 0.7853981f, 0.68f, true, &centres);  // sectors start at 45 degrees
  ASSERT_EQ(centres.size(), 4u);
  const double expect[4][2] = {{0, 0.68}, {-0.68, 0}, {0, -0.68}, {0.68, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(centres[i].x, expect[i][0], 1e-5);
    EXPECT_NEAR(centres[i].y, expect[i][1], 1e-5);
  }
  layout::IconCentres(1, 1.0f, 0.68f, true, &centres);
  EXPECT_EQ(centres[0].x, 0.0);
  layout::IconCentres(1, 0.0f, 0.68f, false, &centres);
  EXPECT_NEAR(centres[0].x, -0.68, 1e-5);  // half of a full turn from 0
  // A start angle that is not finite places the icons from 0.
  layout::IconCentres(2, std::nanf(""), 1.0f, true, &centres);
  EXPECT_NEAR(centres[0].y, 1.0, 1e-5);

  const float table[][2] = {{1, 0}, {2, 0.29f}, {3, 0.3364f}, {4, 0.3364f}, {5, 0.38686f}, {12, 0.38686f}};
  for (const auto& row : table) {
    EXPECT_NEAR(layout::InnerIconRadius(static_cast<int>(row[0]), 0.58f), row[1], 1e-5) << row[0];
  }
  EXPECT_NEAR(layout::OuterIconRadius(0.58f), 0.79f, 1e-6);
}

TEST(WheelLayout, RingLabelsLieOutsideTheCircleByQuadrant) {
  // Radius 100, four items from 0 degrees: the labels' near corners sit on
  // points 1.01 radii out in the middle of each sector.
  const double r = 101 * std::cos(3.14159265 / 4);
  const struct {
    int item;
    double x, y;
  } cases[] = {{0, r, r + 16}, {1, -r - 50, r + 16}, {2, -r - 50, -r}, {3, r, -r}};
  for (const auto& c : cases) {
    const layout::SPoint p = layout::RingLabelOrigin(c.item, 4, 0.0f, 100.0f, 50.0f, 16.0f);
    EXPECT_NEAR(p.x, c.x, 1e-3) << c.item;
    EXPECT_NEAR(p.y, c.y, 1e-3) << c.item;
  }
}

TEST(WheelLayout, ListPanelRowsCountOuterItemsFirst) {
  EXPECT_EQ(layout::ListPanelRow(3, 2, -1, -1), -1);
  EXPECT_EQ(layout::ListPanelRow(3, 2, 1, -1), 1);
  EXPECT_EQ(layout::ListPanelRow(3, 2, -1, 1), 4);
  EXPECT_EQ(layout::ListPanelRow(3, 2, -1, 2), -1);  // past the inner items
  const layout::SBand band = layout::PanelRowBand(2, 2.0f, 16.0f);
  EXPECT_EQ(band.fTop, -34.0f);
  EXPECT_EQ(band.fBottom, -50.0f);
}

TEST(DrawList, IndependentPrimitivesMergeAndTheTransformPlacesVertices) {
  const unsigned char c[4] = {1, 2, 3, 4};
  render::CDrawList list;
  const unsigned int generation = list.Generation();
  list.SetTransform(100, 50, 10);
  for (int i = 0; i < 2; ++i) {
    list.Begin(render::PRIM_TRIANGLES);
    list.Vertex(0, 0, c);
    list.Vertex(1, 0, c);
    list.Vertex(0, 1, c);
    list.End();
  }
  list.Begin(render::PRIM_TRIANGLES, 7);  // another texture
  list.Vertex(0, 0, c);
  list.End();
  for (int i = 0; i < 2; ++i) {  // strips never merge
    list.Begin(render::PRIM_LINE_STRIP, 0, render::kWideSmoothLine);
    list.Vertex(0, 0, c);
    list.Vertex(1, 1, c);
    list.End();
  }
  list.Begin(render::PRIM_QUADS);  // an empty primitive leaves nothing
  list.End();
  ASSERT_EQ(list.Commands().size(), 4u);
  EXPECT_EQ(list.Commands()[0].nCount, 6u);
  EXPECT_EQ(list.Commands()[1].nTexture, 7u);
  EXPECT_EQ(list.Commands()[2].line.fWidth, 2.0f);
  EXPECT_EQ(list.Vertices()[1].x, 110.0f);
  EXPECT_EQ(list.Vertices()[2].y, 60.0f);

  render::CDrawList copy;
  copy.Append(list);
  copy.Append(list);  // after a strip: nothing merges across the seam
  EXPECT_EQ(copy.Commands().size(), 8u);
  EXPECT_EQ(copy.Commands()[4].nFirst, static_cast<unsigned int>(list.Vertices().size()));
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_NE(list.Generation(), generation);
}

}  // namespace

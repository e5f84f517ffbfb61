// wheel_layout.h - what a ring of a wheel menu shows, computed without any
// GL: the look of an item from its state, the colour of a rim vertex, the
// rim span of each sector, where the icons sit, where the ring labels go,
// and the rows of the tooltip panels. Both wheel menus draw from it.
// Internal to the library.
#ifndef VRENK_MENU_WHEEL_LAYOUT_H
#define VRENK_MENU_WHEEL_LAYOUT_H

#include <vector>

namespace VrenkGLWidge {
namespace layout {

// --- Named constants -----------------------------------------------------------

// Icons of the single wheel sit on a circle at this fraction of the disc.
constexpr float kWheelIconRing = 0.68f;
// Inner icons of the double wheel move outward as the sectors narrow: the
// fraction of the inner radius for two items, three or four, five or more.
constexpr float kInnerIconRingTwo = 0.5f;
constexpr float kInnerIconRingFour = 0.58f;
constexpr float kInnerIconRingMany = 0.667f;
// Ring labels hang just outside the rim, at this fraction of the radius.
constexpr double kRingLabelRadius = 1.01;
// The margin (pixels) a tooltip text keeps on either side of its row.
constexpr float kTextMargin = 5.0f;
// The list panel keeps this many radii between the centre and its near
// edge, and this fraction of its height above the centre line.
constexpr double kListPanelGap = 1.05;
constexpr double kListPanelRise = 0.7;
// The hover panel's top lies this many radii below the centre; its icon
// column is this many rows wide.
constexpr double kHoverPanelDrop = 1.01;
constexpr float kHoverPanelIconColumn = 1.1f;

// Icon tints, by state.
extern const unsigned char kIconDisabled[4];
extern const unsigned char kIconHovered[4];
extern const unsigned char kIconNormal[4];

// --- The look of an item ----------------------------------------------------------

// The colour pairs of a ring: lit and shadow side.
struct SPalette {
  const unsigned char* pNormalLit;
  const unsigned char* pNormal;
  const unsigned char* pHighlightLit;
  const unsigned char* pHighlight;
  const unsigned char* pToggledLit;
  const unsigned char* pToggled;
};

// Icon half sizes in wheel units.
struct SIconSizes {
  float fNormal;
  float fHovered;
  float fPressed;
};

struct SItemState {
  bool bEnabled;
  bool bHovered;
  bool bToggled;
};

struct SItemLook {
  const unsigned char* pLit;     // sector colour on the lit side
  const unsigned char* pShadow;  // and on the shadow side
  const unsigned char* pIconTint;
  float fIconHalfSize;
  // Outlined (single wheel): enabled and toggled, or hovered while the
  // button is down.
  bool bMarked;
};

// The one rule for every item of both wheels: a disabled item never takes
// the highlight or toggled look; a hovered one takes the highlight, or
// while the left button is down the toggled look; a toggled one the toggled
// look.
SItemLook ItemLook(const SItemState& state, bool bPressed, const SPalette& palette, const SIconSizes& sizes);

// The blend of a lit and a shadow colour at a shading ratio s (0 lit .. 1
// shaded), every channel truncated.
void Blend(unsigned char* dst, const unsigned char* pLit, const unsigned char* pShadow, float s);

// --- Sectors --------------------------------------------------------------------

// The rim segments of item i of n: from its start vertex, nCount segments
// (each from vertex k to k + 1, wrapping past the last vertex).
struct SSpan {
  unsigned int nFirst;
  unsigned int nCount;
};
SSpan SectorSpan(const unsigned int* pStarts, int n, int i);
// The rim vertices of item i's outline arc: from its start vertex to the
// next item's, both included.
SSpan OutlineArc(const unsigned int* pStarts, int n, int i);

// --- Icons --------------------------------------------------------------------

struct SPoint {
  double x;
  double y;
};

// The centres of n icons on a circle of fRadius wheel units, the first half
// a sector after fStartAngle, each next one a sector further (angles
// accumulated in single precision). A single icon sits at the centre when
// bSingleAtCentre is set.
void IconCentres(int n, float fStartAngle, float fRadius, bool bSingleAtCentre, std::vector<SPoint>* pOut);
// The radius of the double wheel's inner icon circle, in wheel units.
float InnerIconRadius(int nInnerItems, float fInnerRadiusRatio);
// The radius of its outer icon circle: midway between the rims.
float OuterIconRadius(float fInnerRadiusRatio);

// --- Ring labels ------------------------------------------------------------------

// Where a ring label of item i of n goes, in pixels from the centre: a point
// just outside the rim in the middle of the item's sector, moved by the
// label's own size (fWidth x fHeight) so that the label lies outside the
// circle with its corner nearest the wheel on the point.
SPoint RingLabelOrigin(int i, int n, float fStartAngle, float fRadius, float fWidth, float fHeight);

// --- Tooltip panels -------------------------------------------------------------------

// The list panel's highlighted row for the hovered item (outer items' rows
// first, then the inner items'), or -1 when no listed item is hovered.
int ListPanelRow(int nOuter, int nInner, int nOuterHovered, int nInnerHovered);
// A row's band in pixels below the panel's top: top and bottom y.
struct SBand {
  float fTop;
  float fBottom;
};
SBand PanelRowBand(int nRow, float fInset, float fRowHeight);

// The single wheel's fixed panel to the left of the wheel, in wheel units:
// a panel and its thin shadow.
struct SPanelQuad {
  unsigned char color[4];
  float fLeft, fRight, fBottom, fTop;
};
extern const SPanelQuad kWheelPanel[4];

}  // namespace layout
}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_WHEEL_LAYOUT_H

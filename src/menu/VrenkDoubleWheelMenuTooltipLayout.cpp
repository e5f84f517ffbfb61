// VrenkDoubleWheelMenuTooltipLayout.cpp - the double wheel's tooltips: the
// style switches, the layout of each tooltip text, the size and position of
// the panel of styles 1 and 2, and the ring of ducking positions with the
// older placement of texts around the ring. Coordinates are pixels relative
// to the menu centre, x to the right, y up.
#include <algorithm>
#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "menu/wheel_layout.h"

namespace VrenkGLWidge {

namespace {

// Texts run along x in the plane of the screen.
const float fLateral[3] = {1.0f, 0.0f, 0.0f};
const float fNormal[3] = {0.0f, 0.0f, 1.0f};
const float kOrigin[3] = {0.0f, 0.0f, 0.0f};
using layout::kTextMargin;
// The most ducking positions per quadrant: a bound for absurd radii.
const int kMaxDuckingSteps = 4096;

}  // namespace

// --- Style switches -----------------------------------------------------------

void CVrenkDoubleWheelMenu::SetTooltipStyle(int nTooltipStyle) {
  // The region the old tooltips covered needs a redraw as much as the new.
  if (m_pManager != nullptr) m_pManager->SetNeedReRender(this);
  m_nTooltipStyle = nTooltipStyle;
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();
  UpdateBBox();
  SetDirty();
}

void CVrenkDoubleWheelMenu::SetShowTooltip(bool bShowTooltip) {
  if (m_pManager != nullptr) m_pManager->SetNeedReRender(this);
  m_bShowTooltip = bShowTooltip;
  UpdateBBox();
  SetDirty();
}

// --- Texts --------------------------------------------------------------------

CVrenkTextureText* CVrenkDoubleWheelMenu::_GetInnerItemTooltipObject(unsigned int nIndex) const {
  return nIndex < m_vecInnerItems.size() ? m_vecInnerItems[nIndex].pTooltip : nullptr;
}

CVrenkTextureText* CVrenkDoubleWheelMenu::_GetOuterItemTooltipObject(unsigned int nIndex) const {
  return _GetItemTooltipObject(nIndex);
}

float CVrenkDoubleWheelMenu::_GetMaximumTooltipTextRowWidth() const {
  float fWidth = 0.0f;
  for (const std::vector<SMenuItem>* items : {&m_vecInnerItems, &m_vecItems}) {
    for (const SMenuItem& item : *items) {
      if (item.pTooltip != nullptr) fWidth = std::max(fWidth, item.pTooltip->GetBottomWidth());
    }
  }
  return fWidth;
}

float CVrenkDoubleWheelMenu::_GetSingleTooltipTextRowHeight() const {
  return m_pManager != nullptr ? static_cast<float>(m_pManager->GetFontHeight()) : 0.0f;
}

// Each text is laid out once, with its top-left corner at the local origin:
// the glyphs span x from the margin to width + margin, y from -height to 0.
void CVrenkDoubleWheelMenu::UpdateInnerItemTooltipLayout(unsigned int nIndex) {
  // The panel follows in every case: an item without a text changes what
  // the panel has to hold as much as one with a text.
  CVrenkTextureText* text = _GetInnerItemTooltipObject(nIndex);
  if (text != nullptr) text->SetLayout(fLateral, fNormal, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 0.0f, kTextMargin * m_fAppliedScale);
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();
}

void CVrenkDoubleWheelMenu::UpdateOuterItemTooltipLayout(unsigned int nIndex) {
  // The panel follows in every case: an item without a text changes what
  // the panel has to hold as much as one with a text.
  CVrenkTextureText* text = _GetOuterItemTooltipObject(nIndex);
  if (text != nullptr) text->SetLayout(fLateral, fNormal, CVrenkTextureText::QUAD_TOP_LEFT, kOrigin, 0.0f, kTextMargin * m_fAppliedScale);
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();
}

void CVrenkDoubleWheelMenu::UpdateTooltipLayout() {}

// --- Panel --------------------------------------------------------------------

void CVrenkDoubleWheelMenu::UpdateTooltipPanelSize() {
  const float h = _GetSingleTooltipTextRowHeight();
  if (m_nTooltipStyle == TOOLTIP_LIST_PANEL) {
    // An icon column of one row height, then the widest text; one row per
    // item of both rings.
    m_fTooltipContentSize[0] = _GetMaximumTooltipTextRowWidth() + h;
    m_fTooltipContentSize[1] = h * static_cast<float>(GetOuterItemSize() + GetInnerItemSize());
  } else if (m_nTooltipStyle == TOOLTIP_HOVER_PANEL) {
    // The hovered item's icon and text.
    float w = 0.0f;
    const CVrenkTextureText* inner =
        m_nInnerHoveredIndex >= 0 ? _GetInnerItemTooltipObject(static_cast<unsigned int>(m_nInnerHoveredIndex))
                                  : nullptr;
    if (inner != nullptr) w = inner->GetBottomWidth();
    const CVrenkTextureText* outer =
        m_nOuterHoveredIndex >= 0 ? _GetOuterItemTooltipObject(static_cast<unsigned int>(m_nOuterHoveredIndex))
                                  : nullptr;
    if (outer != nullptr) w = outer->GetBottomWidth();
    m_fTooltipContentSize[0] = w + layout::kHoverPanelIconColumn * h;
    m_fTooltipContentSize[1] = h;
  }
  m_fTooltipPanelSize[0] = m_fTooltipContentSize[0] + 2.0f * m_fTooltipPanelInset;
  m_fTooltipPanelSize[1] = m_fTooltipContentSize[1] + 2.0f * m_fTooltipPanelInset;
}

// NOTE: the centre is in overlay coordinates, whose origin is the viewport's
// lower left corner: the viewport spans 0..width by 0..height here.
void CVrenkDoubleWheelMenu::UpdateTooltipPanelPosition() {
  if (m_nTooltipStyle != TOOLTIP_LIST_PANEL && m_nTooltipStyle != TOOLTIP_HOVER_PANEL) return;
  const double cx = m_fCenter[0];
  const double cy = m_fCenter[1];
  const double r = m_fRadius;
  const double W = m_fTooltipPanelSize[0];
  const double H = m_fTooltipPanelSize[1];
  double vw = 0.0;
  double vh = 0.0;
  if (m_pManager != nullptr) {
    vw = m_pManager->GetViewport()[2];
    vh = m_pManager->GetViewport()[3];
  }
  double* pos = m_dTooltipPanelPosition;

  if (m_nTooltipStyle == TOOLTIP_LIST_PANEL) {
    // Left of the wheel, 70 % of it above the centre line; right of the
    // wheel when the left side would leave the viewport.
    pos[0] = -layout::kListPanelGap * r - W;
    pos[1] = layout::kListPanelRise * H;
    if (0.0 > cx + pos[0]) pos[0] = layout::kListPanelGap * r;
  } else {
    // Centred under the wheel, kept inside the viewport across.
    pos[0] = -0.5 * W;
    pos[1] = -layout::kHoverPanelDrop * r;
    if (0.0 > cx + pos[0]) {
      pos[0] = -cx;
    } else if (vw < cx + pos[0] + W) {
      pos[0] = vw - W - cx;
    }
  }
  pos[2] = 0.0;
  if (cy + pos[1] - H < 0.0) {
    pos[1] = H - cy;  // the bottom edge on the viewport's bottom
  } else if (vh < cy + pos[1]) {
    pos[1] = vh - cy;  // the top edge on the viewport's top
  }

  m_dTooltipTextOrigin[0] = pos[0] + m_fTooltipPanelInset;
  m_dTooltipTextOrigin[1] = pos[1] - m_fTooltipPanelInset;
  m_dTooltipTextOrigin[2] = 0.0;
}

// --- Ducking positions and the ring placement ---------------------------------

void CVrenkDoubleWheelMenu::BuildTooltipDuckingPosition() {
  m_vecTooltipDuckingPositions.clear();
  const double R = static_cast<double>(m_fTooltipDuckingRatio) * m_fRadius;
  const double h = _GetSingleTooltipTextRowHeight();
  // One step per row height around a quarter of the ring; at least one, so
  // that a ring smaller than a row (or a missing font) still gives finite
  // positions.
  const double dSteps = R / h;
  int n = 1;
  if (h > 0.0 && dSteps >= 1.0) n = dSteps < kMaxDuckingSteps ? static_cast<int>(dSteps) : kMaxDuckingSteps;
  const double step = R / n;
  const double offset = 0.1 * h;

  auto x = [&](int i) {
    const double s = i * step;
    return std::sqrt(std::max(0.0, R * R - s * s)) + offset;
  };
  auto y = [&](int i) { return i * step + offset; };
  auto add = [this](int eCorner, double fx, double fy) {
    m_vecTooltipDuckingPositions.push_back(
        STooltipDuckingPosition{eCorner, false, static_cast<float>(fx), static_cast<float>(fy)});
  };
  m_vecTooltipDuckingPositions.reserve(4 * static_cast<size_t>(n + 1));
  // Counter-clockwise from the positive x axis, each with the corner that
  // keeps a text placed there outside the circle.
  for (int i = 0; i <= n; ++i) add(CVrenkTextureText::QUAD_BOTTOM_LEFT, x(i), y(i));
  for (int i = n; i >= 0; --i) add(CVrenkTextureText::QUAD_BOTTOM_RIGHT, -x(i), y(i));
  for (int i = 0; i <= n; ++i) add(CVrenkTextureText::QUAD_TOP_RIGHT, -x(i), -y(i));
  for (int i = n; i >= 0; --i) add(CVrenkTextureText::QUAD_TOP_LEFT, x(i), -y(i));
}

namespace {

// The corner of a text that keeps it outside a circle at this angle.
CVrenkTextureText::EQuadPointIndex QuadrantCorner(float fAngle) {
  if (fAngle < CVrenkDoubleWheelMenu::HALF_PI) return CVrenkTextureText::QUAD_BOTTOM_LEFT;
  if (fAngle < CVrenkDoubleWheelMenu::PI) return CVrenkTextureText::QUAD_BOTTOM_RIGHT;
  if (fAngle < CVrenkDoubleWheelMenu::THREE_HALF_PI) return CVrenkTextureText::QUAD_TOP_RIGHT;
  return CVrenkTextureText::QUAD_TOP_LEFT;
}

// The unused ducking position nearest to (x, y) within 2 radii, or null.
STooltipDuckingPosition* NearestFree(std::vector<STooltipDuckingPosition>& positions, float x, float y,
                                     float fRadius) {
  STooltipDuckingPosition* best = nullptr;
  float fBest = 4.0f * fRadius * fRadius;
  for (STooltipDuckingPosition& p : positions) {
    if (p.bUsed) continue;
    const float d = (p.fX - x) * (p.fX - x) + (p.fY - y) * (p.fY - y);
    if (d < fBest) {
      fBest = d;
      best = &p;
    }
  }
  return best;
}

}  // namespace

void CVrenkDoubleWheelMenu::UpdateInnerItemTooltipLayout_old(std::vector<SMenuItem>::iterator& it) {
  if (it == m_vecInnerItems.end() || it->pTooltip == nullptr) return;
  PlaceOnDuckingRing(*it, it - m_vecInnerItems.begin(), m_vecInnerItems.size(), m_fInnerItemStartAngle,
                     m_fInnerRadiusRatio * 0.9f * m_fRadius, false);
}

// The text of an outer item hangs just outside the rim; the nearest ducking
// position only chooses its corner.
void CVrenkDoubleWheelMenu::UpdateOuterItemTooltipLayout_old(std::vector<SMenuItem>::iterator& it) {
  if (it == m_vecItems.end() || it->pTooltip == nullptr) return;
  PlaceOnDuckingRing(*it, it - m_vecItems.begin(), m_vecItems.size(), m_fOuterItemStartAngle,
                     (m_fInnerRadiusRatio * 0.2f + 0.8f) * m_fRadius, true);
}

void CVrenkDoubleWheelMenu::PlaceOnDuckingRing(SMenuItem& item, std::ptrdiff_t nIndex, size_t nCount,
                                               float fStartAngle, float fRing, bool bAnchorOnRim) {
  const float n = static_cast<float>(nCount);
  const float i = static_cast<float>(nIndex);
  const float fAngle = static_cast<float>(std::fmod(fStartAngle + (DOUBLE_PI / n) * (i + 0.5f), DOUBLE_PI));
  item.fTooltipRingPoint[0] = std::cos(fAngle) * fRing;
  item.fTooltipRingPoint[1] = std::sin(fAngle) * fRing;
  item.fTooltipRingPoint[2] = 0.0f;

  CVrenkTextureText::EQuadPointIndex eCorner = QuadrantCorner(fAngle);
  float fAnchor[3] = {0.0f, 0.0f, 0.0f};
  STooltipDuckingPosition* p =
      NearestFree(m_vecTooltipDuckingPositions, item.fTooltipRingPoint[0], item.fTooltipRingPoint[1], m_fRadius);
  if (p != nullptr) {
    eCorner = static_cast<CVrenkTextureText::EQuadPointIndex>(p->eCorner);
    fAnchor[0] = p->fX;
    fAnchor[1] = p->fY;
    p->bUsed = true;
  }
  if (bAnchorOnRim) {
    fAnchor[0] = std::cos(fAngle) * m_fRadius * 1.01f;
    fAnchor[1] = std::sin(fAngle) * m_fRadius * 1.01f;
  }
  std::copy(fAnchor, fAnchor + 3, item.fTooltipAnchor);
  item.pTooltip->SetLayout(fLateral, fNormal, eCorner, fAnchor, 0.0f, kTextMargin * m_fAppliedScale);
}

}  // namespace VrenkGLWidge

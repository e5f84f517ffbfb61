// VrenkDoubleWheelMenuGeometry.cpp - the double wheel's rims, shading and
// item buffers, its box and placement inside the viewport, and the hit test.
#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkWidgeManager.h"
#include "menu/VrenkMenuSelection.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

// --- Buffers ------------------------------------------------------------------

void CVrenkDoubleWheelMenu::CalculateInnerItemIndices() {
  wheel::RebuildStartVertices(&m_pInnerItemIndices, &m_nInnerIndexCount, GetInnerItemSize(), m_fInnerItemStartAngle);
}

void CVrenkDoubleWheelMenu::CalculateOuterItemIndices() {
  wheel::RebuildStartVertices(&m_pOuterItemIndices, &m_nOuterIndexCount, GetOuterItemSize(), m_fOuterItemStartAngle);
}

void CVrenkDoubleWheelMenu::ReleaseInnerItemIndices() {
  wheel::FreeStartVertices(&m_pInnerItemIndices, &m_nInnerIndexCount);
}

void CVrenkDoubleWheelMenu::ReleaseOuterItemIndices() {
  wheel::FreeStartVertices(&m_pOuterItemIndices, &m_nOuterIndexCount);
}

void CVrenkDoubleWheelMenu::SyncItemIndices() {
  // The outer list can change size behind the menu's back (the base's Init
  // sizes it without a re-layout); drawing never reads past the indices.
  const int nInner = GetInnerItemSize();
  const int nOuter = GetOuterItemSize();
  if (nInner > 0 ? m_nInnerIndexCount != static_cast<unsigned int>(nInner) : m_pInnerItemIndices != nullptr) {
    CalculateInnerItemIndices();
  }
  if (nOuter > 0 ? m_nOuterIndexCount != static_cast<unsigned int>(nOuter) : m_pOuterItemIndices != nullptr) {
    CalculateOuterItemIndices();
  }
}

void CVrenkDoubleWheelMenu::BuildShadingRatio() {
  if (m_pShadingRatio == nullptr) m_pShadingRatio = new float[N_CIRCLE_VERTICES];
  const int nHalf = static_cast<int>(N_CIRCLE_VERTICES / 2);
  const int nLight = static_cast<int>(m_nLightVertex % N_CIRCLE_VERTICES);
  for (int k = 0; k < static_cast<int>(N_CIRCLE_VERTICES); ++k) {
    // Distance around the rim to the vertex facing the light; the shade
    // grows linearly with it (the single wheel squares it).
    int d = k > nLight ? k - nLight : nLight - k;
    if (d > nHalf) d = static_cast<int>(N_CIRCLE_VERTICES) - d;
    m_pShadingRatio[k] = static_cast<float>(d) * 0.015625f;
  }
}

void CVrenkDoubleWheelMenu::ReleaseShadingRatio() { wheel::FreeBuffer(&m_pShadingRatio); }

void CVrenkDoubleWheelMenu::BuildCircles() {
  ReleaseCircles();
  m_pOuterCircleVertices = new float[N_CIRCLE_VERTICES * 3];
  m_pInnerCircleVertices = new float[N_CIRCLE_VERTICES * 3];
  // The outer rim lies at the full radius.
  wheel::FillRim(m_pOuterCircleVertices, 1.0f);
  wheel::FillRim(m_pInnerCircleVertices, m_fInnerRadiusRatio);
}

void CVrenkDoubleWheelMenu::ReleaseCircles() {
  wheel::FreeBuffer(&m_pInnerCircleVertices);
  wheel::FreeBuffer(&m_pOuterCircleVertices);
}

void CVrenkDoubleWheelMenu::BuildAuxIndices() {
  // A wheel initialised again (after its manager went away, say) would
  // otherwise lose the previous buffer.
  wheel::RebuildAuxIndices(&m_pAuxIndices);
}

void CVrenkDoubleWheelMenu::ReleaseIndices() { wheel::FreeBuffer(&m_pAuxIndices); }

// --- Box and placement --------------------------------------------------------

void CVrenkDoubleWheelMenu::CalculateWheelBBox(float* pLower, float* pUpper) const {
  const float h = m_fBBoxRatio * m_fRadius;
  pLower[0] = m_fCenter[0] - h;
  pLower[1] = m_fCenter[1] - h;
  pUpper[0] = m_fCenter[0] + h;
  pUpper[1] = m_fCenter[1] + h;
  // Room for one text row under the wheel.
  const float fFont = m_pManager != nullptr ? static_cast<float>(m_pManager->GetFontHeight()) : 0.0f;
  const float b = m_fRadius + fFont + m_fTooltipPanelInset * 2.5f;
  if (b > h) pLower[1] = m_fCenter[1] - b;
}

void CVrenkDoubleWheelMenu::UpdateBBox() {
  float fLower[2];
  float fUpper[2];
  CalculateWheelBBox(fLower, fUpper);
  if (m_bShowTooltip) {
    if (m_nTooltipStyle == TOOLTIP_RING_LABELS) {
      // Labels sit just outside the rim.
      const float e = m_fRadius * 1.6f;
      const float f = m_pManager != nullptr ? static_cast<float>(m_pManager->GetFontHeight()) : 0.0f;
      fLower[0] -= e;
      fLower[1] -= f;
      fUpper[0] += e;
      fUpper[1] += f;
    } else if (m_nTooltipStyle == TOOLTIP_LIST_PANEL || m_nTooltipStyle == TOOLTIP_HOVER_PANEL) {
      float fLeft = static_cast<float>(m_fCenter[0] + m_dTooltipPanelPosition[0]);
      const float fTop = static_cast<float>(m_fCenter[1] + m_dTooltipPanelPosition[1]);
      const float fBottom = static_cast<float>(fTop - m_fTooltipPanelSize[1]);
      float fRight = static_cast<float>(fLeft + m_fTooltipPanelSize[0]);
      if (m_nTooltipStyle == TOOLTIP_HOVER_PANEL) {
        // The hover panel changes width with the hovered item: the box
        // takes in the widest text the panel can show.
        const float w = _GetMaximumTooltipTextRowWidth();
        if (fLeft > m_fCenter[0] + m_fRadius - w) fLeft = m_fCenter[0] + m_fRadius - w;
        if (fRight < m_fCenter[0] - m_fRadius + w) fRight = m_fCenter[0] - m_fRadius + w;
      }
      const float fGrow = 5.0f * m_fAppliedScale;
      fLower[0] = std::fmin(fLower[0], fLeft - fGrow);
      fLower[1] = std::fmin(fLower[1], fBottom - fGrow);
      fUpper[0] = std::fmax(fUpper[0], fRight + fGrow);
      fUpper[1] = std::fmax(fUpper[1], fTop + fGrow);
    }
  }
  UpdateBox(fLower[0], fLower[1], fUpper[0], fUpper[1]);
}

void CVrenkDoubleWheelMenu::DeriveRelativeCenter() {
  if (m_pManager == nullptr) return;
  const int* viewport = m_pManager->GetViewport();
  for (int axis = 0; axis < 2; ++axis) {
    // An empty viewport has no fractions; they are derived once it has.
    if (viewport[2 + axis] == 0) continue;
    m_fRelativeCenter[axis] = wheel::FractionOf(m_fCenter[axis], viewport[2 + axis]);
  }
}

bool CVrenkDoubleWheelMenu::AdjustCenter() {
  if (m_pManager == nullptr) return false;
  const int* viewport = m_pManager->GetViewport();
  const float fOld[2] = {m_fCenter[0], m_fCenter[1]};
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    // On an empty axis the centre stays where it was given.
    if (nExtent == 0) continue;
    if (std::isnan(m_fRelativeCenter[axis])) m_fRelativeCenter[axis] = wheel::FractionOf(m_fCenter[axis], nExtent);
    m_fCenter[axis] = wheel::CenterFromFraction(nExtent, m_fRelativeCenter[axis]);
  }
  // The wheel's own box is kept inside, not the widge's (which takes in the
  // tooltips); the callers set that one afterwards.
  float fLower[2];
  float fUpper[2];
  CalculateWheelBBox(fLower, fUpper);
  const float P = static_cast<float>(N_PADDED_PXLS);
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    if (nExtent == 0) continue;
    wheel::FitAxis(&m_fCenter[axis], m_fRelativeCenter[axis], fLower[axis], fUpper[axis],
                   static_cast<float>(nExtent), P);
  }
  // Following the viewport counts as a move as much as being pushed inside
  // it: either way the panel and the box must follow.
  return m_fCenter[0] != fOld[0] || m_fCenter[1] != fOld[1];
}

void CVrenkDoubleWheelMenu::RecalculateLayout() {
  ApplyScale();
  CalculateInnerItemIndices();
  CalculateOuterItemIndices();
  if (m_bAutoReposition) AdjustCenter();
  UpdateTooltipPanelPosition();
  UpdateBBox();
}

// --- Hit test -----------------------------------------------------------------

bool CVrenkDoubleWheelMenu::HitTest(float x, float y) {
  const float dx = x - m_fCenter[0];
  const float dy = y - m_fCenter[1];
  const float q = static_cast<float>((static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) /
                                     m_fRadius / m_fRadius);
  const double dInner = static_cast<double>(m_fInnerRadiusRatio) * static_cast<double>(m_fInnerRadiusRatio);

  // A radius of 0 or a non-finite point gives a NaN or infinite q: no hit.
  int nInner = -1;
  int nOuter = -1;
  if (q <= dInner) {
    // With no inner items the inner disc is a dead zone.
    nInner = wheel::SectorAt(dx, dy, m_fInnerItemStartAngle, GetInnerItemSize());
  } else if (q <= 1.0f) {
    nOuter = wheel::SectorAt(dx, dy, m_fOuterItemStartAngle, GetOuterItemSize());
  }

  if (nInner != m_nInnerHoveredIndex || nOuter != m_nOuterHoveredIndex) SetDirty();
  m_nInnerHoveredIndex = nInner;
  m_nOuterHoveredIndex = nOuter;

  if (m_bLightTracing && wheel::LightVertexAt(dx, dy, &m_nLightVertex)) {
    BuildShadingRatio();
    SetDirty();
  }
  const bool bHit = nInner >= 0 || nOuter >= 0;
  // Last: the hook may release the menu.
  CVrenkMenuSelection::ReportHighlight(*this);
  return bHit;
}

}  // namespace VrenkGLWidge

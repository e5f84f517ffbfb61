// VrenkWheelMenuGeometry.cpp - the wheel's rim, shading and item buffers,
// its placement inside the viewport, and the hit test.
#include <cmath>

#include "VrenkWheelMenu.h"
#include "VrenkWidgeManager.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

// The setters keep angles of 360 degrees and more as given; the sectors,
// icons and hit test reduce them (see wheel::ReduceStartAngle).
float CVrenkWheelMenu::ReducedStartAngle() const { return wheel::ReduceStartAngle(m_fItemStartAngle); }

// --- Buffers ------------------------------------------------------------------

void CVrenkWheelMenu::CalculateItemIndices() {
  wheel::RebuildStartVertices(&m_pItemIndices, &m_nItemIndexCount, GetItemSize(), m_fItemStartAngle);
}

void CVrenkWheelMenu::ReleaseItemIndices() { wheel::FreeStartVertices(&m_pItemIndices, &m_nItemIndexCount); }

void CVrenkWheelMenu::SyncItemIndices() {
  const int n = GetItemSize();
  const bool bInSync = n < 1 ? m_pItemIndices == nullptr
                             : m_pItemIndices != nullptr && m_nItemIndexCount == static_cast<unsigned int>(n);
  if (!bInSync) CalculateItemIndices();
}

void CVrenkWheelMenu::BuildShadingRatio() {
  if (m_pShadingRatio == nullptr) m_pShadingRatio = new float[N_CIRCLE_VERTICES];
  FillShadingRatio();
}

void CVrenkWheelMenu::FillShadingRatio() {
  const int nHalf = static_cast<int>(N_CIRCLE_VERTICES / 2);
  const int nLight = static_cast<int>(m_nLightVertex % N_CIRCLE_VERTICES);
  for (int k = 0; k < static_cast<int>(N_CIRCLE_VERTICES); ++k) {
    // Distance around the rim to the vertex facing the light.
    int d = k > nLight ? k - nLight : nLight - k;
    if (d > nHalf) d = static_cast<int>(N_CIRCLE_VERTICES) - d;
    const float r = static_cast<float>(d) * 0.015625f;
    m_pShadingRatio[k] = r * r;
  }
}

void CVrenkWheelMenu::ReleaseShadingRatio() { wheel::FreeBuffer(&m_pShadingRatio); }

void CVrenkWheelMenu::BuildCircles() {
  ReleaseCircles();
  m_pCircleVertices = new float[N_CIRCLE_VERTICES * 3];
  wheel::FillRim(m_pCircleVertices, m_fDiskRatio);
}

void CVrenkWheelMenu::ReleaseCircles() { wheel::FreeBuffer(&m_pCircleVertices); }

void CVrenkWheelMenu::BuildAuxIndices() {
  // A wheel initialised again (after its manager went away, say) would
  // otherwise lose the previous buffer.
  wheel::RebuildAuxIndices(&m_pAuxIndices);
}

void CVrenkWheelMenu::ReleaseIndices() { wheel::FreeBuffer(&m_pAuxIndices); }

// --- Layout and placement -----------------------------------------------------

void CVrenkWheelMenu::RecalculateLayout() {
  ApplyScale();
  ReleaseItemIndices();
  CalculateItemIndices();
  if (m_bAutoReposition) {
    AdjustCenter();
  } else {
    UpdateBBox();
  }
}

void CVrenkWheelMenu::UpdateBBox() {
  const float h = m_fBBoxRatio * m_fRadius;
  UpdateBox(m_fCenter[0] - h, m_fCenter[1] - h, m_fCenter[0] + h, m_fCenter[1] + h);
}

// NOTE: the centre, the box and the viewport fractions are all in overlay
// coordinates (see wheel_shared.h).
void CVrenkWheelMenu::DeriveRelativeCenter() {
  if (m_pManager == nullptr) return;
  const int* viewport = m_pManager->GetViewport();
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    // An empty viewport has no fractions; they are derived once it has.
    if (nExtent == 0) continue;
    m_fRelativeCenter[axis] = wheel::FractionOf(m_fCenter[axis], nExtent);
  }
}

void CVrenkWheelMenu::AdjustCenter() {
  if (m_pManager == nullptr) {
    UpdateBBox();
    return;
  }
  const int* viewport = m_pManager->GetViewport();
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    // On an empty axis the centre stays where it was given.
    if (nExtent == 0) continue;
    if (std::isnan(m_fRelativeCenter[axis])) m_fRelativeCenter[axis] = wheel::FractionOf(m_fCenter[axis], nExtent);
    m_fCenter[axis] = wheel::CenterFromFraction(nExtent, m_fRelativeCenter[axis]);
  }
  FitIntoViewport();
}

void CVrenkWheelMenu::FitIntoViewport() {
  UpdateBBox();
  const float fLower[2] = {GetLowerBound()[0], GetLowerBound()[1]};
  const float fUpper[2] = {GetUpperBound()[0], GetUpperBound()[1]};
  const float P = static_cast<float>(N_PADDED_PXLS);
  const int* viewport = m_pManager->GetViewport();
  bool bMoved = false;
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    if (nExtent == 0) continue;
    if (wheel::FitAxis(&m_fCenter[axis], m_fRelativeCenter[axis], fLower[axis], fUpper[axis],
                       static_cast<float>(nExtent), P)) {
      bMoved = true;
    }
  }
  if (bMoved) UpdateBBox();
}

// --- Hit test -----------------------------------------------------------------

bool CVrenkWheelMenu::HitTest(float x, float y) {
  const float dx = x - m_fCenter[0];
  const float dy = y - m_fCenter[1];
  const float q = static_cast<float>((static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) /
                                     m_fRadius / m_fRadius);
  // A radius of 0 or a non-finite point gives a NaN or infinite q: no hit.
  const bool bOnWheel = q <= static_cast<double>(m_fDiskRatio) * static_cast<double>(m_fDiskRatio);

  const int nIndex = bOnWheel ? wheel::SectorAt(dx, dy, m_fItemStartAngle, GetItemSize()) : -1;
  const bool bHit = nIndex >= 0;

  if (m_bLightTracing && wheel::LightVertexAt(dx, dy, &m_nLightVertex)) {
    BuildShadingRatio();
    SetDirty();
  }

  if (nIndex != GetHoveredIndex()) UpdateHoveredIndex(nIndex);
  return bHit;
}

}  // namespace VrenkGLWidge

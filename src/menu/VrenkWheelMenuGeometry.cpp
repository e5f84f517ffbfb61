// VrenkWheelMenuGeometry.cpp - the wheel's rim, shading and item buffers,
// its placement inside the viewport, and the hit test.
#include <cmath>
#include <new>

#include "VrenkWheelMenu.h"
#include "VrenkWidgeManager.h"

namespace VrenkGLWidge {

// The setters keep angles of 360 degrees and more as given; up to 540
// degrees the sector formulas handle them as they are. Beyond that (where
// the hit test would yield indices past the item count, and float
// precision would scatter sectors and icons) the angle is taken modulo a
// full turn. NaN and infinities stay non-finite for the caller to refuse.
float CVrenkWheelMenu::ReducedStartAngle() const {
  const float fAngle = m_fItemStartAngle;
  if (!std::isfinite(fAngle)) return fAngle;
  if (fAngle >= DOUBLE_PI + PI) return static_cast<float>(std::fmod(fAngle, DOUBLE_PI));
  return fAngle;
}

// --- Buffers ------------------------------------------------------------------

void CVrenkWheelMenu::CalculateItemIndices() {
  ReleaseItemIndices();
  const int n = GetItemSize();
  if (n < 1) return;

  const float fStep = static_cast<float>(N_CIRCLE_VERTICES) / static_cast<float>(n);
  float fStart = ReducedStartAngle();
  if (!std::isfinite(fStart)) fStart = 0.0f;
  const float fBase = static_cast<float>(N_CIRCLE_VERTICES) * fStart / DOUBLE_PI;
  // The rim vertex item 0 begins at, truncated toward zero and taken modulo
  // the rim (exactly what truncating to an int and masking would give).
  double dBase = std::fmod(std::trunc(static_cast<double>(fBase)), static_cast<double>(N_CIRCLE_VERTICES));
  if (dBase < 0.0) dBase += N_CIRCLE_VERTICES;
  const unsigned int nBase = static_cast<unsigned int>(dBase);

  m_pItemIndices = new unsigned int[static_cast<size_t>(n)];
  m_nItemIndexCount = static_cast<unsigned int>(n);
  for (int i = 0; i < n; ++i) {
    const float fOffset = static_cast<float>(i) * fStep;
    const float fRounded = fOffset + 0.5f;
    m_pItemIndices[i] = (nBase + static_cast<unsigned int>(fRounded)) & (N_CIRCLE_VERTICES - 1);
  }
}

void CVrenkWheelMenu::ReleaseItemIndices() {
  delete[] m_pItemIndices;
  m_pItemIndices = nullptr;
  m_nItemIndexCount = 0;
}

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

void CVrenkWheelMenu::ReleaseShadingRatio() {
  delete[] m_pShadingRatio;
  m_pShadingRatio = nullptr;
}

void CVrenkWheelMenu::BuildCircles() {
  ReleaseCircles();
  m_pCircleVertices = new float[N_CIRCLE_VERTICES * 3];
  const float fStep = DOUBLE_PI / static_cast<float>(N_CIRCLE_VERTICES);
  for (unsigned int k = 0; k < N_CIRCLE_VERTICES; ++k) {
    const float fAngle = static_cast<float>(k) * fStep;
    const float fCos = static_cast<float>(std::cos(static_cast<double>(fAngle)));
    const float fSin = static_cast<float>(std::sin(static_cast<double>(fAngle)));
    m_pCircleVertices[3 * k + 0] = fCos * m_fDiskRatio;
    m_pCircleVertices[3 * k + 1] = fSin * m_fDiskRatio;
    m_pCircleVertices[3 * k + 2] = 0.0f;
  }
}

void CVrenkWheelMenu::ReleaseCircles() {
  delete[] m_pCircleVertices;
  m_pCircleVertices = nullptr;
}

void CVrenkWheelMenu::BuildAuxIndices() {
  // A wheel initialised again (after its manager went away, say) would
  // otherwise lose the previous buffer.
  ReleaseIndices();
  m_pAuxIndices = new unsigned int[N_CIRCLE_VERTICES + 1];
  for (unsigned int k = 0; k < N_CIRCLE_VERTICES; ++k) m_pAuxIndices[k] = 3 * k;
  m_pAuxIndices[N_CIRCLE_VERTICES] = 0;
}

void CVrenkWheelMenu::ReleaseIndices() {
  delete[] m_pAuxIndices;
  m_pAuxIndices = nullptr;
}

// --- Layout and placement -----------------------------------------------------

void CVrenkWheelMenu::RecalculateLayout() {
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
// coordinates, whose origin is the viewport's lower left corner, so the
// viewport occupies 0..width by 0..height here whatever its position in the
// window.
void CVrenkWheelMenu::DeriveRelativeCenter() {
  if (m_pManager == nullptr) return;
  const int* viewport = m_pManager->GetViewport();
  for (int axis = 0; axis < 2; ++axis) {
    const int nExtent = viewport[2 + axis];
    // An empty viewport has no fractions; they are derived once it has.
    if (nExtent == 0) continue;
    m_fRelativeCenter[axis] = static_cast<float>(static_cast<double>(m_fCenter[axis]) / nExtent);
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
    if (std::isnan(m_fRelativeCenter[axis])) {
      m_fRelativeCenter[axis] = static_cast<float>(static_cast<double>(m_fCenter[axis]) / nExtent);
    }
    // The fraction carries a float rounding; a centre set in whole pixels
    // comes back as that pixel rather than a hair below it (which
    // GetCenter would truncate to the pixel before).
    const double dCenter = static_cast<double>(nExtent) * m_fRelativeCenter[axis];
    const double dWhole = std::nearbyint(dCenter);
    m_fCenter[axis] = static_cast<float>(std::fabs(dCenter - dWhole) < 1.0 / 1024.0 ? dWhole : dCenter);
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
    const float fExtent = static_cast<float>(nExtent);
    const float fSize = fUpper[axis] - fLower[axis];
    // A wheel in the lower half of the axis is tested by its lower edge,
    // one in the upper half by its upper edge. The tests are strict: a box
    // touching the edge stays.
    if (m_fRelativeCenter[axis] < 0.5f) {
      const float e = fLower[axis];
      if (e < 0.0f) {
        m_fCenter[axis] += P - e;
        bMoved = true;
      } else if (e > fExtent) {
        m_fCenter[axis] -= (e - fExtent) + P + fSize;
        bMoved = true;
      }
    } else {
      const float e = fUpper[axis];
      if (e < 0.0f) {
        m_fCenter[axis] += fSize + (P - e);
        bMoved = true;
      } else if (e > fExtent) {
        m_fCenter[axis] -= (e - fExtent) + P;
        bMoved = true;
      }
    }
  }
  if (bMoved) UpdateBBox();
}

// --- Hit test -----------------------------------------------------------------

bool CVrenkWheelMenu::HitTest(float x, float y) {
  const float PI = CVrenkWheelMenu::PI;
  const float PI2 = PI * 2.0f;

  const float dx = x - m_fCenter[0];
  const float dy = y - m_fCenter[1];
  const float q = static_cast<float>((static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) /
                                     m_fRadius / m_fRadius);
  // A radius of 0 or a non-finite point gives a NaN or infinite q: no hit.
  const bool bOnWheel = q <= static_cast<double>(m_fDiskRatio) * static_cast<double>(m_fDiskRatio);

  int nIndex = -1;
  bool bHit = false;
  const int n = GetItemSize();
  const float fStart = ReducedStartAngle();
  if (bOnWheel && n > 0 && std::isfinite(fStart)) {
    const float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
    const float t = static_cast<float>(static_cast<double>(a) + PI2 - fStart + PI2);
    const float f = static_cast<float>(std::fmod(static_cast<double>(t), static_cast<double>(PI2)));
    const float fSpan = PI2 / static_cast<float>(n);
    const float fIndex = f / fSpan;
    nIndex = fIndex > 0.0f ? static_cast<int>(fIndex) : 0;
    // Rounding can carry an angle just below a full turn onto n.
    if (nIndex >= n) nIndex = n - 1;
    bHit = true;
  }

  if (m_bLightTracing) {
    const float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
    const float f = static_cast<float>(std::fmod(static_cast<double>(a + PI2), static_cast<double>(PI2)));
    if (std::isfinite(f)) {
      const float fVertex = f * static_cast<float>(N_CIRCLE_VERTICES) / PI2;
      unsigned int nVertex = fVertex > 0.0f ? static_cast<unsigned int>(fVertex) : 0u;
      if (nVertex >= N_CIRCLE_VERTICES) nVertex = N_CIRCLE_VERTICES - 1;
      m_nLightVertex = nVertex;
      BuildShadingRatio();
      SetDirty();
    }
  }

  if (nIndex != GetHoveredIndex()) UpdateHoveredIndex(nIndex);
  return bHit;
}

}  // namespace VrenkGLWidge

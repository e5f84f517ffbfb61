// wheel_shared.h - the rim, sector and placement arithmetic that the single
// and the double wheel menu share. Internal to the library.
#ifndef VRENK_MENU_WHEEL_SHARED_H
#define VRENK_MENU_WHEEL_SHARED_H

#include <cmath>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {
namespace wheel {

// 3.1415925, one unit in the last place below the float nearest to pi, and
// its double: the menus' angle constants derive from these bit patterns.
constexpr float kPi = 0x1.921fb4p+1f;        // 0x40490FDA
constexpr float kDoublePi = 0x1.921fb4p+2f;  // 0x40C90FDA
// Vertices on a rim.
constexpr unsigned int kRimVertices = 128;

// Degrees at the interface to the stored start angle in radians: negative
// angles are brought into (0, 360], others are kept as given.
inline float StartAngleFromDegrees(float fDegree) {
  double degrees = fDegree;
  if (degrees < 0.0) degrees = 360.0 - std::fmod(-degrees, 360.0);
  return static_cast<float>(degrees * 3.1415925 / 180.0);
}

inline float DegreesFromStartAngle(float fAngle) {
  return static_cast<float>(static_cast<double>(fAngle) * 180.0 / 3.1415925);
}

// The start angle the sectors, icons and hit test use. Up to 540 degrees the
// sector formulas handle a stored angle as it is; beyond that (where the hit
// test would yield indices past the item count, and float precision would
// scatter sectors and icons) it is taken modulo a full turn. NaN and
// infinities stay non-finite for the caller to refuse.
inline float ReduceStartAngle(float fAngle) {
  if (!std::isfinite(fAngle)) return fAngle;
  if (fAngle >= kDoublePi + kPi) return static_cast<float>(std::fmod(fAngle, kDoublePi));
  return fAngle;
}

// Truncates toward zero, saturating at the ends of int; NaN gives 0.
inline int TruncateToInt(float value) {
  if (!(value > -2147483648.0f)) return value != value ? 0 : -2147483647 - 1;
  if (value >= 2147483648.0f) return 2147483647;
  return static_cast<int>(value);
}

// The rim vertex each of n items starts at, for a ring whose item 0 begins
// at fStartAngle: item i starts i/n of the rim after the vertex of the start
// angle, rounded half up, taken modulo the rim. A non-finite angle counts as
// 0. pOut has room for n entries.
inline void CalculateStartVertices(unsigned int* pOut, int n, float fStartAngle) {
  const float fStep = static_cast<float>(kRimVertices) / static_cast<float>(n);
  float fStart = ReduceStartAngle(fStartAngle);
  if (!std::isfinite(fStart)) fStart = 0.0f;
  const float fBase = static_cast<float>(kRimVertices) * fStart / kDoublePi;
  // Truncated toward zero and taken modulo the rim: exactly what truncating
  // to an int and masking would give, without overflowing.
  double dBase = std::fmod(std::trunc(static_cast<double>(fBase)), static_cast<double>(kRimVertices));
  if (dBase < 0.0) dBase += kRimVertices;
  const unsigned int nBase = static_cast<unsigned int>(dBase);
  for (int i = 0; i < n; ++i) {
    const float fRounded = static_cast<float>(i) * fStep + 0.5f;
    pOut[i] = (nBase + static_cast<unsigned int>(fRounded)) & (kRimVertices - 1);
  }
}

// A ring's start vertices for n items, made anew (none for no items).
inline void RebuildStartVertices(unsigned int** ppStarts, unsigned int* pCount, int n, float fStartAngle) {
  delete[] *ppStarts;
  *ppStarts = nullptr;
  *pCount = 0;
  if (n < 1) return;
  *ppStarts = new unsigned int[static_cast<size_t>(n)];
  *pCount = static_cast<unsigned int>(n);
  CalculateStartVertices(*ppStarts, n, fStartAngle);
}

// A radius or another pixel size at a new screen scale: the size for the
// scale it was made at, times new over old.
inline float Rescaled(float fSize, float fFrom, float fTo) { return fFrom == fTo ? fSize : fSize / fFrom * fTo; }

// Frees an owned array and forgets it.
template <typename T>
inline void FreeBuffer(T** ppBuffer) {
  delete[] *ppBuffer;
  *ppBuffer = nullptr;
}

// Offsets (in floats) of the rim vertices, made anew.
inline void FillAuxIndices(unsigned int* pIndices);
inline void RebuildAuxIndices(unsigned int** ppIndices) {
  FreeBuffer(ppIndices);
  *ppIndices = new unsigned int[kRimVertices + 1];
  FillAuxIndices(*ppIndices);
}

// Frees a ring's start vertices.
inline void FreeStartVertices(unsigned int** ppStarts, unsigned int* pCount) {
  delete[] *ppStarts;
  *ppStarts = nullptr;
  *pCount = 0;
}

// How many rim segments an item spans from its start vertex a to the next
// item's start vertex b, wrapping past the last vertex. One item covers the
// whole rim. With more items than rim vertices two items can share a start
// vertex; the first of them then spans nothing (not the whole rim).
inline unsigned int SpanLength(unsigned int a, unsigned int b, int n) {
  if (a == b && n > 1) return 0;
  return b > a ? b - a : kRimVertices - a + b;
}

// The item of n whose sector holds the direction (dx, dy) on a ring whose
// item 0 begins at fStartAngle; -1 when there is none (no items, a
// non-finite angle or direction).
inline int SectorAt(float dx, float dy, float fStartAngle, int n) {
  const float PI2 = kPi * 2.0f;
  const float fStart = ReduceStartAngle(fStartAngle);
  if (n <= 0 || !std::isfinite(fStart)) return -1;
  const float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
  const float t = static_cast<float>(static_cast<double>(a) + PI2 - fStart + PI2);
  const float f = static_cast<float>(std::fmod(static_cast<double>(t), static_cast<double>(PI2)));
  if (!std::isfinite(f)) return -1;
  const float fIndex = f / (PI2 / static_cast<float>(n));
  int nIndex = fIndex > 0.0f ? static_cast<int>(fIndex) : 0;
  // Rounding can carry an angle just below a full turn onto n.
  if (nIndex >= n) nIndex = n - 1;
  return nIndex;
}

// The rim vertex that faces the direction (dx, dy); false (and *pVertex
// untouched) when the direction is not finite.
inline bool LightVertexAt(float dx, float dy, unsigned int* pVertex) {
  const float PI2 = kPi * 2.0f;
  const float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
  const float f = static_cast<float>(std::fmod(static_cast<double>(a + PI2), static_cast<double>(PI2)));
  if (!std::isfinite(f)) return false;
  const float fVertex = f * static_cast<float>(kRimVertices) / PI2;
  unsigned int nVertex = fVertex > 0.0f ? static_cast<unsigned int>(fVertex) : 0u;
  if (nVertex >= kRimVertices) nVertex = kRimVertices - 1;
  *pVertex = nVertex;
  return true;
}

// Fills kRimVertices x y z triples on a circle of radius fScale, vertex 0
// at angle 0, counter-clockwise.
inline void FillRim(float* pVertices, float fScale) {
  const float fStep = kDoublePi / static_cast<float>(kRimVertices);
  for (unsigned int k = 0; k < kRimVertices; ++k) {
    const float fAngle = static_cast<float>(k) * fStep;
    const float fCos = static_cast<float>(std::cos(static_cast<double>(fAngle)));
    const float fSin = static_cast<float>(std::sin(static_cast<double>(fAngle)));
    pVertices[3 * k + 0] = fCos * fScale;
    pVertices[3 * k + 1] = fSin * fScale;
    pVertices[3 * k + 2] = 0.0f;
  }
}

// Offsets (in floats) of the rim vertices, with one more entry that wraps
// back to vertex 0.
inline void FillAuxIndices(unsigned int* pIndices) {
  for (unsigned int k = 0; k < kRimVertices; ++k) pIndices[k] = 3 * k;
  pIndices[kRimVertices] = 0;
}

// NOTE: centres, boxes and viewport fractions are all in overlay
// coordinates, whose origin is the viewport's lower left corner, so the
// viewport occupies 0..extent on each axis whatever its place in the window.

// A centre coordinate as a fraction of the viewport extent.
inline float FractionOf(float fCenter, int nExtent) {
  return static_cast<float>(static_cast<double>(fCenter) / nExtent);
}

// A centre coordinate from its fraction of the viewport extent. The fraction
// carries a float rounding; a centre set in whole pixels comes back as that
// pixel rather than a hair below it (which the integer getters would
// truncate to the pixel before).
inline float CenterFromFraction(int nExtent, float fFraction) {
  const double dCenter = static_cast<double>(nExtent) * fFraction;
  const double dWhole = std::nearbyint(dCenter);
  return static_cast<float>(std::fabs(dCenter - dWhole) < 1.0 / 1024.0 ? dWhole : dCenter);
}

// Moves a centre coordinate so that the box lower..upper stays inside
// 0..fExtent with a padding of P; true when it moved. A wheel in the lower
// half of the axis is tested by its lower edge, one in the upper half by its
// upper edge. The tests are strict: a box touching the edge stays.
inline bool FitAxis(float* pCenter, float fFraction, float fLower, float fUpper, float fExtent, float P) {
  const float fSize = fUpper - fLower;
  if (fFraction < 0.5f) {
    const float e = fLower;
    if (e < 0.0f) {
      *pCenter += P - e;
      return true;
    }
    if (e > fExtent) {
      *pCenter -= (e - fExtent) + P + fSize;
      return true;
    }
  } else {
    const float e = fUpper;
    if (e < 0.0f) {
      *pCenter += fSize + (P - e);
      return true;
    }
    if (e > fExtent) {
      *pCenter -= (e - fExtent) + P;
      return true;
    }
  }
  return false;
}

}  // namespace wheel
}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_WHEEL_SHARED_H

// VrenkWidgeBoundTest.h - axis-aligned boxes for the cheap first hit test.
#ifndef VRENK_WIDGE_BOUND_TEST_H
#define VRENK_WIDGE_BOUND_TEST_H

#include "VrenkPlatform.h"

namespace VrenkGLWidge {

// A box of N axes (x, y and, for N = 3, z). It stores exactly what it is
// given: a box whose lower value exceeds its upper value on some axis hits
// nothing. Both faces are inclusive; a NaN coordinate never hits.
template <int N>
class CVrenkWidgeBoundTest;

template <>
class VRENK_API CVrenkWidgeBoundTest<2> {
 public:
  CVrenkWidgeBoundTest();

 protected:
  virtual void UpdateBox(float fLowerX, float fLowerY, float fUpperX, float fUpperY);
  virtual void UpdateBox(const float* pLower, const float* pUpper);

 public:
  virtual const float* GetLowerBound() const;
  virtual const float* GetUpperBound() const;
  virtual bool IsHitBox(float x, float y) const;
  virtual bool IsHitBox(const float* pPoint) const;

 protected:
  float m_fLowerBound[2];
  float m_fUpperBound[2];
};

template <>
class VRENK_API CVrenkWidgeBoundTest<3> {
 public:
  CVrenkWidgeBoundTest();

 protected:
  virtual void UpdateBox(float fLowerX, float fLowerY, float fLowerZ, float fUpperX, float fUpperY, float fUpperZ);
  virtual void UpdateBox(const float* pLower, const float* pUpper);

 public:
  virtual const float* GetLowerBound() const;
  virtual const float* GetUpperBound() const;
  virtual bool IsHitBox(float x, float y, float z) const;
  virtual bool IsHitBox(const float* pPoint) const;

 protected:
  float m_fLowerBound[3];
  float m_fUpperBound[3];
};

}  // namespace VrenkGLWidge

#endif  // VRENK_WIDGE_BOUND_TEST_H

// VrenkWidgeBoundTest.cpp - inclusive box tests in two and three axes.
#include "VrenkWidgeBoundTest.h"

namespace VrenkGLWidge {
namespace {

// Written as "lower <= p && p <= upper" so that a NaN on either side fails.
template <int N>
bool Inside(const float* lower, const float* upper, const float* p) {
  for (int i = 0; i < N; ++i) {
    if (!(lower[i] <= p[i] && p[i] <= upper[i])) return false;
  }
  return true;
}

}  // namespace

CVrenkWidgeBoundTest<2>::CVrenkWidgeBoundTest() : m_fLowerBound{0, 0}, m_fUpperBound{0, 0} {}

void CVrenkWidgeBoundTest<2>::UpdateBox(float fLowerX, float fLowerY, float fUpperX, float fUpperY) {
  m_fLowerBound[0] = fLowerX;
  m_fLowerBound[1] = fLowerY;
  m_fUpperBound[0] = fUpperX;
  m_fUpperBound[1] = fUpperY;
}

void CVrenkWidgeBoundTest<2>::UpdateBox(const float* pLower, const float* pUpper) {
  for (int i = 0; i < 2; ++i) {
    m_fLowerBound[i] = pLower[i];
    m_fUpperBound[i] = pUpper[i];
  }
}

const float* CVrenkWidgeBoundTest<2>::GetLowerBound() const { return m_fLowerBound; }
const float* CVrenkWidgeBoundTest<2>::GetUpperBound() const { return m_fUpperBound; }

bool CVrenkWidgeBoundTest<2>::IsHitBox(float x, float y) const {
  const float p[2] = {x, y};
  return Inside<2>(m_fLowerBound, m_fUpperBound, p);
}

bool CVrenkWidgeBoundTest<2>::IsHitBox(const float* pPoint) const {
  return Inside<2>(m_fLowerBound, m_fUpperBound, pPoint);
}

CVrenkWidgeBoundTest<3>::CVrenkWidgeBoundTest() : m_fLowerBound{0, 0, 0}, m_fUpperBound{0, 0, 0} {}

void CVrenkWidgeBoundTest<3>::UpdateBox(float fLowerX, float fLowerY, float fLowerZ, float fUpperX, float fUpperY,
                                        float fUpperZ) {
  m_fLowerBound[0] = fLowerX;
  m_fLowerBound[1] = fLowerY;
  m_fLowerBound[2] = fLowerZ;
  m_fUpperBound[0] = fUpperX;
  m_fUpperBound[1] = fUpperY;
  m_fUpperBound[2] = fUpperZ;
}

void CVrenkWidgeBoundTest<3>::UpdateBox(const float* pLower, const float* pUpper) {
  for (int i = 0; i < 3; ++i) {
    m_fLowerBound[i] = pLower[i];
    m_fUpperBound[i] = pUpper[i];
  }
}

const float* CVrenkWidgeBoundTest<3>::GetLowerBound() const { return m_fLowerBound; }
const float* CVrenkWidgeBoundTest<3>::GetUpperBound() const { return m_fUpperBound; }

bool CVrenkWidgeBoundTest<3>::IsHitBox(float x, float y, float z) const {
  const float p[3] = {x, y, z};
  return Inside<3>(m_fLowerBound, m_fUpperBound, p);
}

bool CVrenkWidgeBoundTest<3>::IsHitBox(const float* pPoint) const {
  return Inside<3>(m_fLowerBound, m_fUpperBound, pPoint);
}

}  // namespace VrenkGLWidge

// VrenkWidgeManagerRegion.cpp - the dirty region and regional rendering.
#include <cmath>

#include "VrenkWidge.h"
#include "VrenkWidgeManager.h"
#include "render/backend.h"
#include "render/renderer.h"

namespace VrenkGLWidge {
namespace {

// A box coordinate (overlay pixels) as a window pixel: truncated toward
// zero, then moved by the viewport origin. NaN counts as 0 and results
// beyond an int saturate, where a plain conversion would be undefined.
int WindowEdge(int nOrigin, float value) {
  if (std::isnan(value)) value = 0.0f;
  const double dEdge = std::trunc(static_cast<double>(value)) + nOrigin;
  if (dEdge >= 2147483647.0) return 2147483647;
  if (dEdge <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(dEdge);
}

// The viewport's far edge, a + b, saturating: a host may pass any size.
int EdgeOf(int a, int b) {
  const long long sum = static_cast<long long>(a) + b;
  if (sum > 2147483647LL) return 2147483647;
  if (sum < -2147483647LL - 1) return -2147483647 - 1;
  return static_cast<int>(sum);
}

}  // namespace

int CVrenkWidgeManager::SetNeedReRender(CVrenkWidge* pWidge) {
  if (pWidge != nullptr) {
    // Boxes are overlay coordinates, whose origin is the viewport's lower
    // left corner; the region is in window pixels, the frame of glScissor.
    // Each box therefore enters moved by the viewport origin.
    const float* lower = pWidge->GetLowerBound();
    const float* upper = pWidge->GetUpperBound();
    AddDirtyBox(WindowEdge(m_nViewport[0], lower[0]), WindowEdge(m_nViewport[1], lower[1]),
                WindowEdge(m_nViewport[0], upper[0]), WindowEdge(m_nViewport[1], upper[1]));
  }
  m_bNeedReRender = true;
  return 0;
}

void CVrenkWidgeManager::AddDirtyBox(int nMinX, int nMinY, int nMaxX, int nMaxY) {
  if (!m_bNeedReRender) {
    // Nothing pending since the last pass: start from an empty box.
    m_nDirtyBox[0] = EdgeOf(m_nViewport[0], m_nViewport[2]);
    m_nDirtyBox[1] = EdgeOf(m_nViewport[1], m_nViewport[3]);
    m_nDirtyBox[2] = m_nViewport[0];
    m_nDirtyBox[3] = m_nViewport[1];
  }
  if (nMinX < m_nDirtyBox[0]) m_nDirtyBox[0] = nMinX;
  if (nMinY < m_nDirtyBox[1]) m_nDirtyBox[1] = nMinY;
  if (nMaxX > m_nDirtyBox[2]) m_nDirtyBox[2] = nMaxX;
  if (nMaxY > m_nDirtyBox[3]) m_nDirtyBox[3] = nMaxY;
}

void CVrenkWidgeManager::ClearDirtyBox() {
  m_nDirtyBox[0] = m_nViewport[0];
  m_nDirtyBox[1] = m_nViewport[1];
  m_nDirtyBox[2] = EdgeOf(m_nViewport[0], m_nViewport[2]);
  m_nDirtyBox[3] = EdgeOf(m_nViewport[1], m_nViewport[3]);
}

void CVrenkWidgeManager::ClearDirty() {
  ClearDirtyBox();
  m_bNeedReRender = false;
}

void CVrenkWidgeManager::CopyGLBuffer(GLenum nSrcBuffer, GLenum nDstBuffer) {
  render::SBackend* pBackend = m_pRenderer->ForCurrentContext();
  if (pBackend != nullptr) pBackend->CopyBuffer(pBackend->pUser, nSrcBuffer, nDstBuffer, m_nWndWidth, m_nWndHeight);
}

void CVrenkWidgeManager::BeginRegionalRendering() {
  CopyGLBuffer(GL_FRONT, GL_BACK);
  render::SBackend* pBackend = m_pRenderer->ForCurrentContext();
  if (pBackend == nullptr) return;
  const long long width = static_cast<long long>(m_nDirtyBox[2]) - m_nDirtyBox[0];
  const long long height = static_cast<long long>(m_nDirtyBox[3]) - m_nDirtyBox[1];
  // An inverted or overflowing region draws nothing rather than raising a
  // GL error for a negative size.
  const int box[4] = {m_nDirtyBox[0], m_nDirtyBox[1],
                      static_cast<int>(width < 0 ? 0 : width > 2147483647 ? 2147483647 : width),
                      static_cast<int>(height < 0 ? 0 : height > 2147483647 ? 2147483647 : height)};
  pBackend->BeginScissor(pBackend->pUser, box);
}

void CVrenkWidgeManager::EndRegionalRendering() {
  render::SBackend* pBackend = m_pRenderer->ForCurrentContext();
  if (pBackend != nullptr) pBackend->EndScissor(pBackend->pUser);
}

}  // namespace VrenkGLWidge

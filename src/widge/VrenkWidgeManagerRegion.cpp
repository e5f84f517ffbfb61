// VrenkWidgeManagerRegion.cpp - the dirty region and regional rendering.
#include <cmath>

#include "VrenkWidge.h"
#include "VrenkWidgeManager.h"

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
  GLint readBuffer = 0;
  GLint drawBuffer = 0;
  glGetIntegerv(GL_READ_BUFFER, &readBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);

  GLint accumBits = 0;
  glGetIntegerv(GL_ACCUM_RED_BITS, &accumBits);
  if (accumBits > 0) {
    glClear(GL_ACCUM_BUFFER_BIT);
    glReadBuffer(nSrcBuffer);
    glAccum(GL_LOAD, 1.0f);
    glDrawBuffer(nDstBuffer);
    glAccum(GL_RETURN, 1.0f);
  } else {
    // No accumulation buffer in this pixel format: copy the pixels directly,
    // with every fragment operation that could alter them switched off.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const GLsizei width = m_nWndWidth > 0 ? m_nWndWidth : viewport[0] + viewport[2];
    const GLsizei height = m_nWndHeight > 0 ? m_nWndHeight : viewport[1] + viewport[3];
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT | GL_ENABLE_BIT |
                 GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_LOGIC_OP);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPixelZoom(1.0f, 1.0f);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    glReadBuffer(nSrcBuffer);
    glDrawBuffer(nDstBuffer);
    if (width > 0 && height > 0) glCopyPixels(0, 0, width, height, GL_COLOR);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
  }

  glReadBuffer(static_cast<GLenum>(readBuffer));
  glDrawBuffer(static_cast<GLenum>(drawBuffer));
}

void CVrenkWidgeManager::BeginRegionalRendering() {
  CopyGLBuffer(GL_FRONT, GL_BACK);
  glPushAttrib(GL_SCISSOR_BIT);
  glEnable(GL_SCISSOR_TEST);
  const long long width = static_cast<long long>(m_nDirtyBox[2]) - m_nDirtyBox[0];
  const long long height = static_cast<long long>(m_nDirtyBox[3]) - m_nDirtyBox[1];
  // An inverted or overflowing region draws nothing rather than raising a
  // GL error for a negative size.
  glScissor(m_nDirtyBox[0], m_nDirtyBox[1], static_cast<GLsizei>(width < 0 ? 0 : width > 2147483647 ? 2147483647 : width),
            static_cast<GLsizei>(height < 0 ? 0 : height > 2147483647 ? 2147483647 : height));
}

void CVrenkWidgeManager::EndRegionalRendering() { glPopAttrib(); }

}  // namespace VrenkGLWidge

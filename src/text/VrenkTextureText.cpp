// VrenkTextureText.cpp - layout of a rasterised string's rows as quads, and
// drawing them with the current colour.
#include "VrenkTextureText.h"

#include <cmath>

namespace VrenkGLWidge {
namespace {

// A corner of the box spanned by lo and hi, named as EQuadPointIndex names
// them; anything else is the bottom-left corner.
void BoxCorner(float* dst, const float* lo, const float* hi, int eCorner) {
  switch (eCorner) {
    case CVrenkTextureText::QUAD_BOTTOM_RIGHT:
      dst[0] = hi[0];
      dst[1] = lo[1];
      dst[2] = lo[2];
      break;
    case CVrenkTextureText::QUAD_TOP_RIGHT:
      dst[0] = hi[0];
      dst[1] = hi[1];
      dst[2] = hi[2];
      break;
    case CVrenkTextureText::QUAD_TOP_LEFT:
      dst[0] = lo[0];
      dst[1] = hi[1];
      dst[2] = lo[2];
      break;
    default:
      dst[0] = lo[0];
      dst[1] = lo[1];
      dst[2] = lo[2];
      break;
  }
}

}  // namespace

CVrenkTextureText::CVrenkTextureText(CVrenkTextureFontManager* pManager, const std::string& strText,
                                     unsigned int nTextureName, unsigned int nBytesPerPixel,
                                     unsigned int nBitmapWidth, unsigned int nBitmapHeight, unsigned char* pPixels,
                                     unsigned int nWordCount)
    : m_pOwner(pManager),
      m_strText(strText),
      m_nTextureName(nTextureName),
      m_nBytesPerPixel(nBytesPerPixel),
      m_nBitmapWidth(nBitmapWidth),
      m_nBitmapHeight(nBitmapHeight),
      m_pPixels(pPixels),
      m_nWordCount(nWordCount),
      m_pWordRects(new SWordRect[nWordCount]()),
      m_pWordRectsEnd(m_pWordRects + nWordCount),
      m_dTransform{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
      m_fBoxMin{0, 0, 0},
      m_fBoxMax{0, 0, 0},
      m_fBound{} {}

CVrenkTextureText::~CVrenkTextureText() {
  delete[] m_pWordRects;
  if (m_nTextureName != 0) {
    GLuint nName = m_nTextureName;
    glDeleteTextures(1, &nName);
  }
  delete[] m_pPixels;
}

void CVrenkTextureText::SetWordRect(unsigned int nIndex, unsigned int nWidth, unsigned int nHeight, float fTexLeft,
                                    float fTexBottom, float fTexRight, float fTexTop) {
  SWordRect& rect = m_pWordRects[nIndex];
  rect.nWidth = nWidth;
  rect.nHeight = nHeight;
  rect.fTexLeft = fTexLeft;
  rect.fTexBottom = fTexBottom;
  rect.fTexRight = fTexRight;
  rect.fTexTop = fTexTop;
}

int CVrenkTextureText::_ArrangeTextQuads(float fWrapWidth, float fMargin) {
  if (m_pWordRects == nullptr) return 0;
  for (int i = 0; i < 3; ++i) {
    m_fBoxMin[i] = 0;
    m_fBoxMax[i] = 0;
  }
  float fLineStart[3] = {0, 0, 0};
  float fPen[3] = {0, 0, 0};
  float fLineWidth = 0;
  float fPrevHeight = 0;
  for (SWordRect* pRect = m_pWordRects; pRect != m_pWordRectsEnd; ++pRect) {
    const float fWidth = static_cast<float>(pRect->nWidth);
    const float fHeight = static_cast<float>(pRect->nHeight);
    if (fWrapWidth > 0 && fLineWidth + fWidth > fWrapWidth) {
      // NOTE: the very first row can wrap too; it then moves down by 0.
      fLineStart[1] -= fPrevHeight;
      Assign(fPen, fLineStart);
      fLineWidth = 0;
    }
    const float fDown[3] = {0, -fHeight, 0};
    const float fAlong[3] = {fWidth, 0, 0};
    Assign(pRect->fCorner[QUAD_TOP_LEFT], fPen);
    Add(pRect->fCorner[QUAD_BOTTOM_LEFT], fPen, fDown);
    Add(pRect->fCorner[QUAD_BOTTOM_RIGHT], pRect->fCorner[QUAD_BOTTOM_LEFT], fAlong);
    Add(pRect->fCorner[QUAD_TOP_RIGHT], fPen, fAlong);
    Assign(fPen, pRect->fCorner[QUAD_TOP_RIGHT]);
    fLineWidth += fWidth;
    fPrevHeight = fHeight;
    if (pRect->fCorner[QUAD_BOTTOM_LEFT][1] < m_fBoxMin[1]) m_fBoxMin[1] = pRect->fCorner[QUAD_BOTTOM_LEFT][1];
    if (pRect->fCorner[QUAD_TOP_RIGHT][0] > m_fBoxMax[0]) m_fBoxMax[0] = pRect->fCorner[QUAD_TOP_RIGHT][0];
  }
  // The margin widens the box across only.
  m_fBoxMin[0] -= fMargin;
  m_fBoxMax[0] += fMargin;
  return 0;
}

int CVrenkTextureText::_CalculateTransformMatrix(const float* fLateralDir, const float* fNormalDir,
                                                 const float* fTranslation) {
  float x[3];
  float y[3];
  float z[3];
  Normalize(x, fLateralDir);
  Normalize(z, fNormalDir);
  CrossProduct(y, z, x);
  for (int i = 0; i < 3; ++i) {
    m_dTransform[i] = x[i];
    m_dTransform[4 + i] = y[i];
    m_dTransform[8 + i] = z[i];
    m_dTransform[12 + i] = fTranslation[i];
  }
  m_dTransform[3] = 0;
  m_dTransform[7] = 0;
  m_dTransform[11] = 0;
  m_dTransform[15] = 1;
  return 0;
}

int CVrenkTextureText::SetLayout(const float* fLateralDir, const float* fNormalDir, EQuadPointIndex eCorner,
                                 const float* fAnchor, float fWrapWidth, float fMargin) {
  _ArrangeTextQuads(fWrapWidth, fMargin);
  // The anchored corner is taken in the local frame, before the rotation.
  float fCorner[3];
  BoxCorner(fCorner, m_fBoxMin, m_fBoxMax, eCorner);
  float fTranslation[3];
  Add(fTranslation, fAnchor, fCorner, -1.0f);
  _CalculateTransformMatrix(fLateralDir, fNormalDir, fTranslation);
  for (int k = 0; k < 4; ++k) {
    BoxCorner(fCorner, m_fBoxMin, m_fBoxMax, k);
    Transform(m_fBound[k], m_dTransform, fCorner);
  }
  return 0;
}

int CVrenkTextureText::SetLayout(const float* fLateralDir, const float* fNormalDir, const float* fOrigin,
                                 float fWrapWidth, float fRowHeight) {
  float x[3];
  float n[3];
  float fDown[3];
  Normalize(x, fLateralDir);
  Normalize(n, fNormalDir);
  CrossProduct(fDown, x, n);
  if (m_nWordCount == 0 || m_pWordRects == nullptr) return 0;
  float fLineStart[3];
  float fPen[3];
  Assign(fLineStart, fOrigin);
  Assign(fPen, fOrigin);
  float fLineWidth = 0;
  float fAdvance = 0;
  for (SWordRect* pRect = m_pWordRects; pRect != m_pWordRectsEnd; ++pRect) {
    const float fWidth = static_cast<float>(pRect->nWidth) * (fRowHeight / static_cast<float>(pRect->nHeight));
    if (fLineWidth + fWidth > fWrapWidth) {
      Add(fLineStart, fLineStart, fDown, fAdvance);
      Assign(fPen, fLineStart);
      fLineWidth = 0;
    }
    Assign(pRect->fCorner[QUAD_TOP_LEFT], fPen);
    Add(pRect->fCorner[QUAD_BOTTOM_LEFT], fPen, fDown, fRowHeight);
    Add(pRect->fCorner[QUAD_BOTTOM_RIGHT], pRect->fCorner[QUAD_BOTTOM_LEFT], x, fWidth);
    Add(pRect->fCorner[QUAD_TOP_RIGHT], fPen, x, fWidth);
    Assign(fPen, pRect->fCorner[QUAD_TOP_RIGHT]);
    fLineWidth += fWidth;
    fAdvance = fRowHeight;
  }
  return 0;
}

const float* CVrenkTextureText::GetBound(EQuadPointIndex eCorner) const { return m_fBound[eCorner]; }

float CVrenkTextureText::GetBottomWidth() const {
  return Distance(m_fBound[QUAD_BOTTOM_LEFT], m_fBound[QUAD_BOTTOM_RIGHT]);
}

float CVrenkTextureText::GetLeftHeight() const { return Distance(m_fBound[QUAD_BOTTOM_LEFT], m_fBound[QUAD_TOP_LEFT]); }

const std::string& CVrenkTextureText::GetText() const { return m_strText; }

int CVrenkTextureText::Render() {
  GLint nMatrixMode = GL_MODELVIEW;
  glGetIntegerv(GL_MATRIX_MODE, &nMatrixMode);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glMultMatrixd(m_dTransform);
  // One push for all groups: Mesa (22.x) skips restoring an outer group
  // whose state changed while an inner, separately pushed group was on top.
  // The texture group brings the caller's texture binding back.
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, m_nTextureName);
  // Two triangles per row: bottom-left, bottom-right, top-right, then
  // bottom-left, top-right, top-left.
  static const EQuadPointIndex kCorners[6] = {QUAD_BOTTOM_LEFT, QUAD_BOTTOM_RIGHT, QUAD_TOP_RIGHT,
                                              QUAD_BOTTOM_LEFT, QUAD_TOP_RIGHT,    QUAD_TOP_LEFT};
  for (const SWordRect* pRect = m_pWordRects; pRect != m_pWordRectsEnd; ++pRect) {
    glBegin(GL_TRIANGLES);
    for (const EQuadPointIndex eCorner : kCorners) {
      const bool bRight = eCorner == QUAD_BOTTOM_RIGHT || eCorner == QUAD_TOP_RIGHT;
      const bool bTop = eCorner == QUAD_TOP_RIGHT || eCorner == QUAD_TOP_LEFT;
      glTexCoord2f(bRight ? pRect->fTexRight : pRect->fTexLeft, bTop ? pRect->fTexTop : pRect->fTexBottom);
      glVertex3fv(pRect->fCorner[eCorner]);
    }
    glEnd();
  }
  glBindTexture(GL_TEXTURE_2D, 0);

  glPopAttrib();
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(nMatrixMode));
  return 0;
}

int CVrenkTextureText::RenderInViewportCoordinate() {
  GLint nMatrixMode = GL_MODELVIEW;
  glGetIntegerv(GL_MATRIX_MODE, &nMatrixMode);
  GLint nViewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, nViewport);
  const GLdouble dDepth = nViewport[2] >= nViewport[3] ? nViewport[2] : nViewport[3];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, nViewport[2], 0, nViewport[3], -dDepth, dDepth);
  Render();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(nMatrixMode));
  return 0;
}

void CVrenkTextureText::Assign(float* dst, const float* src) {
  dst[0] = src[0];
  dst[1] = src[1];
  dst[2] = src[2];
}

void CVrenkTextureText::Normalize(float* dst, const float* src) {
  const float fLength = std::sqrt(DotProduct(src, src));
  dst[0] = src[0] / fLength;
  dst[1] = src[1] / fLength;
  dst[2] = src[2] / fLength;
}

float CVrenkTextureText::DotProduct(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void CVrenkTextureText::CrossProduct(float* dst, const float* a, const float* b) {
  // Computed into locals so that dst may be a or b.
  const float x = a[1] * b[2] - a[2] * b[1];
  const float y = a[2] * b[0] - a[0] * b[2];
  const float z = a[0] * b[1] - a[1] * b[0];
  dst[0] = x;
  dst[1] = y;
  dst[2] = z;
}

void CVrenkTextureText::Add(float* dst, const float* a, const float* b, float s) {
  dst[0] = a[0] + s * b[0];
  dst[1] = a[1] + s * b[1];
  dst[2] = a[2] + s * b[2];
}

void CVrenkTextureText::Add(float* dst, const float* a, const float* b) {
  dst[0] = a[0] + b[0];
  dst[1] = a[1] + b[1];
  dst[2] = a[2] + b[2];
}

float CVrenkTextureText::Distance(const float* a, const float* b) {
  const float d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  return std::sqrt(DotProduct(d, d));
}

bool CVrenkTextureText::Different(const float* a, const float* b) {
  static const double dTol = 1e-8;
  const double dx = static_cast<double>(a[0]) - b[0];
  const double dy = static_cast<double>(a[1]) - b[1];
  const double dz = static_cast<double>(a[2]) - b[2];
  return dx * dx + dy * dy + dz * dz < dTol;
}

void CVrenkTextureText::Combine(float* dst, float s1, const float* a, float s2, const float* b, float s3,
                                const float* c) {
  for (int i = 0; i < 3; ++i) dst[i] = s1 * a[i] + s2 * b[i] + s3 * c[i];
}

void CVrenkTextureText::Transform(float* dst, const double* m, const float* v) {
  float r[3];
  for (int i = 0; i < 3; ++i) r[i] = static_cast<float>(m[i] * v[0] + m[4 + i] * v[1] + m[8 + i] * v[2] + m[12 + i]);
  Assign(dst, r);
}

}  // namespace VrenkGLWidge

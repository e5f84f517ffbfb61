// VrenkDoubleWheelMenuRender.cpp - the double wheel's drawing passes in
// OpenGL 1.1 immediate mode: both rings, the rim outlines and separators,
// and the icons, in wheel units (centre at the origin, one unit per radius).
// The tooltips are drawn by VrenkDoubleWheelMenuTooltipRender.cpp.
#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

namespace {

const unsigned int kRim = CVrenkDoubleWheelMenu::N_CIRCLE_VERTICES;

}  // namespace

void CVrenkDoubleWheelMenu::BlendAt(unsigned char* dst, const unsigned char* lit, const unsigned char* shadow,
                                    unsigned int k) const {
  const float s = m_pShadingRatio[k];
  const float l = 1.0f - s;
  InterpolateColor4(dst, lit, l, l, shadow, s, s);
}

int CVrenkDoubleWheelMenu::RingItemSize(ERing eRing) const {
  return eRing == RING_INNER ? GetInnerItemSize() : GetOuterItemSize();
}

bool CVrenkDoubleWheelMenu::IsRingItemEnabled(ERing eRing, unsigned int nIndex) const {
  return eRing == RING_INNER ? IsInnerItemEnabled(nIndex) : IsOuterItemEnabled(nIndex);
}

bool CVrenkDoubleWheelMenu::IsRingItemToggled(ERing eRing, unsigned int nIndex) const {
  return eRing == RING_INNER ? IsInnerItemToggled(nIndex) : IsOuterItemToggled(nIndex);
}

CVrenkImageBase* CVrenkDoubleWheelMenu::GetRingItemImage(ERing eRing, unsigned int nIndex) const {
  return eRing == RING_INNER ? GetInnerItemImage(nIndex) : GetOuterItemImage(nIndex);
}

unsigned int CVrenkDoubleWheelMenu::GetRingItemTextureName(ERing eRing, unsigned int nIndex) const {
  return eRing == RING_INNER ? GetInnerItemTextureName(nIndex) : GetOuterItemTextureName(nIndex);
}

CVrenkTextureText* CVrenkDoubleWheelMenu::GetRingItemTooltipObject(ERing eRing, unsigned int nIndex) const {
  return eRing == RING_INNER ? _GetInnerItemTooltipObject(nIndex) : _GetOuterItemTooltipObject(nIndex);
}

void CVrenkDoubleWheelMenu::GetItemColors(ERing eRing, int nIndex, const unsigned char** ppLit,
                                          const unsigned char** ppShadow) const {
  const unsigned int u = static_cast<unsigned int>(nIndex);
  const int nHovered = eRing == RING_INNER ? m_nInnerHoveredIndex : m_nOuterHoveredIndex;
  const unsigned char* lit = eRing == RING_INNER ? m_colorInnerItemLit : m_colorOuterItemLit;
  const unsigned char* shadow = eRing == RING_INNER ? m_colorInnerItem : m_colorOuterItem;
  if (IsRingItemEnabled(eRing, u)) {
    if (nHovered >= 0 && nHovered == nIndex) {
      lit = m_bLBtnPressed ? m_colorToggledLit : m_colorHighlightLit;
      shadow = m_bLBtnPressed ? m_colorToggled : m_colorHighlight;
    } else if (IsRingItemToggled(eRing, u)) {
      lit = m_colorToggledLit;
      shadow = m_colorToggled;
    }
  }
  *ppLit = lit;
  *ppShadow = shadow;
}

void CVrenkDoubleWheelMenu::RenderActually() {
  // Nothing to draw from before Init or after Release.
  if (!HasGeometry()) return;
  SyncItemIndices();

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_fCenter[0], m_fCenter[1], 0.0f);
  glPushMatrix();
  glScalef(m_fRadius, m_fRadius, 1.0f);

  GLint nShadeModel = GL_SMOOTH;
  glGetIntegerv(GL_SHADE_MODEL, &nShadeModel);
  glShadeModel(GL_SMOOTH);
  const GLboolean bLighting = glIsEnabled(GL_LIGHTING);
  glDisable(GL_LIGHTING);

  // The current colour is saved too: the passes leave theirs behind.
  // NOTE: Mesa does not restore an outer GL_CURRENT_BIT group when the
  // colour changed before a nested push of the same group (every text's
  // Render pushes one), so the host's colour is also put back by hand.
  GLfloat fHostColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glGetFloatv(GL_CURRENT_COLOR, fHostColor);
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);

  RenderFlatDonut();
  RenderItemEdges();
  RenderItemImages();

  // Without the scale the tooltips are drawn in pixels from the centre.
  glPopMatrix();
  RenderTooltips();

  glPopAttrib();
  glColor4fv(fHostColor);
  if (bLighting) glEnable(GL_LIGHTING);
  glShadeModel(static_cast<GLenum>(nShadeModel));
  glPopMatrix();
}

void CVrenkDoubleWheelMenu::RenderFlatDonut() {
  if (!HasGeometry()) return;
  SyncItemIndices();
  unsigned char color[4];
  const float* inner = m_pInnerCircleVertices;
  const float* outer = m_pOuterCircleVertices;
  const unsigned int* aux = m_pAuxIndices;

  // The inner disc: one fan triangle per rim segment from the centre.
  const int nIn = GetInnerItemSize();
  if (nIn > 0) {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < nIn; ++i) {
      const unsigned char* lit;
      const unsigned char* shadow;
      GetItemColors(RING_INNER, i, &lit, &shadow);
      const unsigned int a = m_pInnerItemIndices[i];
      const unsigned int nCount = wheel::SpanLength(a, m_pInnerItemIndices[(i + 1) % nIn], nIn);
      for (unsigned int s = 0; s < nCount; ++s) {
        const unsigned int k = (a + s) % kRim;
        BlendAt(color, lit, shadow, k);
        glColor4ubv(m_colorInnerItemCenter);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor4ubv(color);
        glVertex3fv(inner + aux[k]);
        glVertex3fv(inner + aux[k + 1]);
      }
    }
    glEnd();
  } else if (m_bAlwaysShowInnerDisk) {
    glBegin(GL_TRIANGLE_FAN);
    glColor4ubv(m_colorInnerItemCenter);
    glVertex3f(0.0f, 0.0f, 0.0f);
    for (unsigned int k = 0; k <= kRim; ++k) {
      BlendAt(color, m_colorInnerItemLit, m_colorInnerItem, k % kRim);
      glColor4ubv(color);
      glVertex3fv(inner + aux[k]);
    }
    glEnd();
  }

  // The outer ring: one flat-coloured quad between the rims per segment.
  const int nOut = GetOuterItemSize();
  if (nOut <= 0) return;
  glBegin(GL_TRIANGLES);
  for (int i = 0; i < nOut; ++i) {
    const unsigned char* lit;
    const unsigned char* shadow;
    GetItemColors(RING_OUTER, i, &lit, &shadow);
    const unsigned int a = m_pOuterItemIndices[i];
    const unsigned int nCount = wheel::SpanLength(a, m_pOuterItemIndices[(i + 1) % nOut], nOut);
    for (unsigned int s = 0; s < nCount; ++s) {
      const unsigned int k = (a + s) % kRim;
      BlendAt(color, lit, shadow, k);
      glColor4ubv(color);
      glVertex3fv(inner + aux[k]);
      glVertex3fv(outer + aux[k]);
      glVertex3fv(outer + aux[k + 1]);
      glVertex3fv(outer + aux[k + 1]);
      glVertex3fv(inner + aux[k + 1]);
      glVertex3fv(inner + aux[k]);
    }
  }
  glEnd();
}

void CVrenkDoubleWheelMenu::RenderItemEdges() {
  if (!HasGeometry()) return;
  SyncItemIndices();
  unsigned char color[4];
  const float* inner = m_pInnerCircleVertices;
  const float* outer = m_pOuterCircleVertices;

  // Both rim outlines, whatever the item counts: the inner one dark on the
  // lit side, the outer one dark on the side away from the light.
  glPushAttrib(GL_LINE_BIT);
  glLineWidth(2.0f);
  glEnable(GL_LINE_SMOOTH);
  glBegin(GL_LINE_LOOP);
  for (unsigned int k = 0; k < kRim; ++k) {
    BlendAt(color, m_colorRimShadow, m_colorRimFade, k);
    glColor4ubv(color);
    glVertex3fv(inner + m_pAuxIndices[k]);
  }
  glEnd();
  glBegin(GL_LINE_LOOP);
  for (unsigned int k = 0; k < kRim; ++k) {
    BlendAt(color, m_colorRimFade, m_colorRimShadow, k);
    glColor4ubv(color);
    glVertex3fv(outer + m_pAuxIndices[k]);
  }
  glEnd();
  glPopAttrib();

  // Separators: from the centre to each inner item's start on the inner
  // rim, and across the ring at each outer item's start; each in two
  // segments that fade towards both ends, one batch per ring.
  auto separator = [this](const float* a, const float* b) {
    const float mid[3] = {(a[0] + b[0]) * 0.5f, (a[1] + b[1]) * 0.5f, (a[2] + b[2]) * 0.5f};
    glColor4ubv(m_colorEdgeEnd);
    glVertex3fv(a);
    glColor4ubv(m_colorEdge);
    glVertex3fv(mid);
    glVertex3fv(mid);
    glColor4ubv(m_colorEdgeEnd);
    glVertex3fv(b);
  };
  static const float kCentre[3] = {0.0f, 0.0f, 0.0f};
  const int nIn = GetInnerItemSize();
  if (nIn >= 2) {
    glBegin(GL_LINES);
    for (int i = 0; i < nIn; ++i) separator(kCentre, inner + m_pAuxIndices[m_pInnerItemIndices[i]]);
    glEnd();
  }
  const int nOut = GetOuterItemSize();
  if (nOut >= 2) {
    glBegin(GL_LINES);
    for (int i = 0; i < nOut; ++i) {
      const unsigned int k = m_pOuterItemIndices[i];
      separator(inner + m_pAuxIndices[k], outer + m_pAuxIndices[k]);
    }
    glEnd();
  }
}

void CVrenkDoubleWheelMenu::RenderItemIcon(ERing eRing, unsigned int nIndex, float x, float y) {
  static const unsigned char colorDisable[4] = {204, 204, 204, 51};
  static const unsigned char colorHighlightAlphaWhite[4] = {255, 255, 255, 255};
  static const unsigned char colorAlphaWhite[4] = {255, 255, 255, 217};

  if (GetRingItemImage(eRing, nIndex) == nullptr) return;
  const bool bEnabled = IsRingItemEnabled(eRing, nIndex);
  const bool bHovered =
      bEnabled && (eRing == RING_INNER ? IsInnerItemHovered(nIndex) : IsOuterItemHovered(nIndex));
  float h = m_fImageHalfSize;
  if (bHovered) h = m_bLBtnPressed ? m_fImageHalfSizePressed : m_fImageHalfSizeHovered;

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GetRingItemTextureName(eRing, nIndex));
  if (!bEnabled) {
    glColor4ubv(colorDisable);
  } else if (bHovered) {
    glColor4ubv(colorHighlightAlphaWhite);
  } else {
    glColor4ubv(colorAlphaWhite);
  }
  wheel::DrawIconQuad(x, y, h);
}

void CVrenkDoubleWheelMenu::RenderItemImages() {
  const int nIn = GetInnerItemSize();
  const int nOut = GetOuterItemSize();
  const float fStepIn = nIn > 0 ? DOUBLE_PI / static_cast<float>(nIn) : 0.0f;
  const float fStepOut = nOut > 0 ? DOUBLE_PI / static_cast<float>(nOut) : 0.0f;
  glPushAttrib(GL_TEXTURE_BIT);

  // The inner icons move outward as the inner sectors get narrower.
  float fInnerRadius = 0.0f;
  if (nIn == 2) {
    fInnerRadius = m_fInnerRadiusRatio * 0.5f;
  } else if (nIn == 3 || nIn == 4) {
    fInnerRadius = m_fInnerRadiusRatio * 0.58f;
  } else if (nIn >= 5) {
    fInnerRadius = m_fInnerRadiusRatio * 0.667f;
  }
  // The outer icons sit midway between the rims.
  const float fOuterRadius = (m_fInnerRadiusRatio + 1.0f) * 0.5f;

  // Icons sit in the middle of their sectors, placed from the same start
  // angles as the sectors and the hit test.
  float fStartIn = wheel::ReduceStartAngle(m_fInnerItemStartAngle);
  if (!std::isfinite(fStartIn)) fStartIn = 0.0f;
  float fAngle = fStartIn + fStepIn / 2.0f;
  for (int i = 0; i < nIn; ++i, fAngle += fStepIn) {
    const float x = fInnerRadius * static_cast<float>(std::cos(static_cast<double>(fAngle)));
    const float y = fInnerRadius * static_cast<float>(std::sin(static_cast<double>(fAngle)));
    RenderItemIcon(RING_INNER, static_cast<unsigned int>(i), x, y);
  }

  float fStartOut = wheel::ReduceStartAngle(m_fOuterItemStartAngle);
  if (!std::isfinite(fStartOut)) fStartOut = 0.0f;
  fAngle = fStartOut + fStepOut / 2.0f;
  for (int i = 0; i < nOut; ++i, fAngle += fStepOut) {
    float x = 0.0f;
    float y = 0.0f;
    // A single outer item's icon sits at the centre, as the single wheel's.
    if (nOut != 1) {
      x = fOuterRadius * static_cast<float>(std::cos(static_cast<double>(fAngle)));
      y = fOuterRadius * static_cast<float>(std::sin(static_cast<double>(fAngle)));
    }
    RenderItemIcon(RING_OUTER, static_cast<unsigned int>(i), x, y);
  }
  glPopAttrib();
}

}  // namespace VrenkGLWidge

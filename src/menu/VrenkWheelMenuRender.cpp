// VrenkWheelMenuRender.cpp - the wheel's five drawing passes, in OpenGL 1.1
// immediate mode, in wheel units (centre at the origin, one unit per
// radius).
#include <cmath>

#include "VrenkWheelMenu.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

namespace {

const unsigned int kRim = CVrenkWheelMenu::N_CIRCLE_VERTICES;

// Wide, smooth lines for the rim and the outlines of marked items; the
// caller pops the line attributes.
void PushWideLines() {
  glPushAttrib(GL_LINE_BIT);
  glLineWidth(2.0f);
  glEnable(GL_LINE_SMOOTH);
}

}  // namespace

void CVrenkWheelMenu::BlendAt(unsigned char* dst, const unsigned char* lit, const unsigned char* shadow,
                              unsigned int k) const {
  const float s = m_pShadingRatio[k];
  const float l = 1.0f - s;
  InterpolateColor4(dst, lit, l, l, shadow, s, s);
}

void CVrenkWheelMenu::GetItemColors(int nIndex, const unsigned char** ppLit,
                                    const unsigned char** ppShadow) const {
  const unsigned int i = static_cast<unsigned int>(nIndex);
  if (!IsItemEnabled(i)) {
    *ppLit = m_colorItemLit;
    *ppShadow = m_colorItem;
  } else if (IsItemHovered(i)) {
    *ppLit = m_bLBtnPressed ? m_colorToggledLit : m_colorHighlightLit;
    *ppShadow = m_bLBtnPressed ? m_colorToggled : m_colorHighlight;
  } else if (IsItemToggled(i)) {
    *ppLit = m_colorToggledLit;
    *ppShadow = m_colorToggled;
  } else {
    *ppLit = m_colorItemLit;
    *ppShadow = m_colorItem;
  }
}

void CVrenkWheelMenu::RenderActually() {
  // Nothing to draw from before Init or after Release.
  if (!HasGeometry()) return;
  SyncItemIndices();

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_fCenter[0], m_fCenter[1], 0.0f);
  glScalef(m_fRadius, m_fRadius, 1.0f);

  GLint nShadeModel = GL_SMOOTH;
  glGetIntegerv(GL_SHADE_MODEL, &nShadeModel);
  glShadeModel(GL_SMOOTH);
  const GLboolean bLighting = glIsEnabled(GL_LIGHTING);
  glDisable(GL_LIGHTING);

  // The current colour is saved too: the passes leave theirs behind.
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);

  RenderFlatDonut();
  RenderSideStripEdges();
  RenderItemEdges();
  RenderItemImages();
  RenderTooltip();

  glPopAttrib();
  if (bLighting) glEnable(GL_LIGHTING);
  glShadeModel(static_cast<GLenum>(nShadeModel));
  glPopMatrix();
}

void CVrenkWheelMenu::RenderFlatDonut() {
  if (!HasGeometry()) return;
  SyncItemIndices();
  unsigned char color[4];
  const int n = GetItemSize();

  if (n <= 0) {
    if (!m_bAlwaysShowDisk) return;
    glBegin(GL_TRIANGLE_FAN);
    glColor4ubv(m_colorItemCenter);
    glVertex3f(0.0f, 0.0f, 0.0f);
    for (unsigned int k = 0; k <= kRim; ++k) {
      const unsigned int v = k % kRim;
      BlendAt(color, m_colorItemLit, m_colorItem, v);
      glColor4ubv(color);
      glVertex3fv(m_pCircleVertices + m_pAuxIndices[k]);
    }
    glEnd();
    return;
  }

  glBegin(GL_TRIANGLES);
  for (int i = 0; i < n; ++i) {
    const unsigned char* lit;
    const unsigned char* shadow;
    GetItemColors(i, &lit, &shadow);
    const unsigned int a = m_pItemIndices[i];
    const unsigned int b = m_pItemIndices[(i + 1) % n];
    const unsigned int nCount = wheel::SpanLength(a, b, n);
    for (unsigned int s = 0; s < nCount; ++s) {
      const unsigned int k = (a + s) % kRim;
      BlendAt(color, lit, shadow, k);
      glColor4ubv(m_colorItemCenter);
      glVertex3f(0.0f, 0.0f, 0.0f);
      glColor4ubv(color);
      glVertex3fv(m_pCircleVertices + m_pAuxIndices[k]);
      glVertex3fv(m_pCircleVertices + m_pAuxIndices[k + 1]);
    }
  }
  glEnd();
}

void CVrenkWheelMenu::RenderSideStripEdges() {
  if (!HasGeometry()) return;
  unsigned char color[4];
  PushWideLines();
  glBegin(GL_LINE_LOOP);
  for (unsigned int k = 0; k < kRim; ++k) {
    BlendAt(color, m_colorRimLit, m_colorRimShadow, k);
    glColor4ubv(color);
    glVertex3fv(m_pCircleVertices + m_pAuxIndices[k]);
  }
  glEnd();
  glPopAttrib();
}

void CVrenkWheelMenu::RenderItemEdges() {
  if (!HasGeometry()) return;
  SyncItemIndices();
  const int n = GetItemSize();
  if (n < 2) return;
  const int p = m_bLBtnPressed ? GetHoveredIndex() : -1;
  unsigned char color[4];

  auto isMarked = [this, p](int k) {
    const unsigned int u = static_cast<unsigned int>(k);
    return IsItemEnabled(u) && (IsItemToggled(u) || k == p);
  };
  // The 2-pixel radial edge from the centre to a start vertex.
  auto radialEdge = [&](unsigned int nVertex) {
    BlendAt(color, m_colorToggledLit, m_colorToggled, nVertex);
    glBegin(GL_LINES);
    glColor4ubv(m_colorToggledLit);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glColor4ubv(color);
    glVertex3fv(m_pCircleVertices + m_pAuxIndices[nVertex]);
    glEnd();
  };

  for (int i = 0; i < n; ++i) {
    const unsigned int a = m_pItemIndices[i];
    const float* pStart = m_pCircleVertices + m_pAuxIndices[a];

    glBegin(GL_LINE_STRIP);
    glColor4ubv(m_colorEdgeEnd);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glColor4ubv(m_colorEdge);
    glVertex3f(pStart[0] * 0.5f, pStart[1] * 0.5f, pStart[2] * 0.5f);
    glColor4ubv(m_colorEdgeEnd);
    glVertex3fv(pStart);
    glEnd();

    if (isMarked(i)) {
      PushWideLines();
      radialEdge(a);
      // The rim arc up to the next item's start vertex, both included.
      const unsigned int b = m_pItemIndices[(i + 1) % n];
      const unsigned int nCount = (b >= a ? b - a : kRim - a + b) + 1;
      glBegin(GL_LINE_STRIP);
      for (unsigned int s = 0; s < nCount; ++s) {
        const unsigned int k = (a + s) % kRim;
        BlendAt(color, m_colorToggledLit, m_colorToggled, k);
        glColor4ubv(color);
        glVertex3fv(m_pCircleVertices + m_pAuxIndices[k]);
      }
      glEnd();
      glPopAttrib();
    }
    // Closes the previous item's outline on its far side.
    if (isMarked(i == 0 ? n - 1 : i - 1)) {
      PushWideLines();
      radialEdge(a);
      glPopAttrib();
    }
  }
}

void CVrenkWheelMenu::RenderItemImages() {
  const int n = GetItemSize();
  const float fStep = n > 0 ? DOUBLE_PI / static_cast<float>(n) : 0.0f;
  glPushAttrib(GL_TEXTURE_BIT);

  static const unsigned char colorDisable[4] = {204, 204, 204, 51};
  static const unsigned char colorHighlightAlphaWhite[4] = {255, 255, 255, 255};
  static const unsigned char colorAlphaWhite[4] = {255, 255, 255, 217};

  const float fRadius = m_fDiskRatio * 0.68f;
  // Icons sit in the middle of the sectors, placed from the same start
  // angle as the sectors and the hit test.
  float fStart = ReducedStartAngle();
  if (!std::isfinite(fStart)) fStart = 0.0f;
  float fAngle = fStart + fStep / 2.0f;

  for (int i = 0; i < n; ++i, fAngle += fStep) {
    const unsigned int u = static_cast<unsigned int>(i);
    float x = 0.0f;
    float y = 0.0f;
    if (n != 1) {
      x = fRadius * static_cast<float>(std::cos(static_cast<double>(fAngle)));
      y = fRadius * static_cast<float>(std::sin(static_cast<double>(fAngle)));
    }
    const bool bEnabled = IsItemEnabled(u);
    const bool bHovered = bEnabled && IsItemHovered(u);
    float h = m_fImageHalfSize;
    if (bHovered) h = m_bLBtnPressed ? m_fImageHalfSizePressed : m_fImageHalfSizeHovered;

    if (GetItemImage(u) == nullptr) continue;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, GetItemTextureName(u));
    if (!bEnabled) {
      glColor4ubv(colorDisable);
    } else if (bHovered) {
      glColor4ubv(colorHighlightAlphaWhite);
    } else {
      glColor4ubv(colorAlphaWhite);
    }
    wheel::DrawIconQuad(x, y, h);
  }
  glPopAttrib();
}

void CVrenkWheelMenu::RenderTooltip() {
  struct SPanelQuad {
    unsigned char color[4];
    float fLeft, fRight, fBottom, fTop;
  };
  // A fixed panel to the left of the wheel with a thin shadow under and to
  // the right of it; it holds no text.
  static const SPanelQuad kPanel[4] = {
      {{100, 100, 255, 160}, -2.48f, -1.02f, -0.78f, -0.42f},
      {{150, 150, 255, 120}, -2.5f, -1.0f, -0.8f, -0.4f},
      {{50, 50, 55, 160}, -2.48f, -0.98f, -0.82f, -0.8f},
      {{50, 50, 55, 160}, -1.0f, -0.98f, -0.8f, -0.42f},
  };
  for (const SPanelQuad& quad : kPanel) {
    glColor4ubv(quad.color);
    glBegin(GL_QUADS);
    glVertex3f(quad.fLeft, quad.fBottom, 0.0f);
    glVertex3f(quad.fRight, quad.fBottom, 0.0f);
    glVertex3f(quad.fRight, quad.fTop, 0.0f);
    glVertex3f(quad.fLeft, quad.fTop, 0.0f);
    glEnd();
  }
}

}  // namespace VrenkGLWidge

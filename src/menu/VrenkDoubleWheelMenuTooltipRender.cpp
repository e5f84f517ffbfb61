// VrenkDoubleWheelMenuTooltipRender.cpp - the double wheel's tooltips drawn
// in its render pass, after the rings and icons: ring labels (style 0), the
// list panel (style 1) and the hover panel (style 2). The model-view matrix
// is translated to the menu centre and not scaled, so coordinates here are
// pixels relative to the centre, x to the right, y up. Texts take the
// current colour.
#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

namespace {

const unsigned char colorLabel[4] = {180, 180, 180, 255};
const unsigned char colorWhite[4] = {255, 255, 255, 255};
const unsigned char colorBlack[4] = {0, 0, 0, 255};
const unsigned char colorPanelBottom[4] = {200, 200, 200, 240};
const unsigned char colorPanelTop[4] = {254, 254, 254, 240};
const unsigned char colorRowHighlight[4] = {23, 131, 204, 160};
const unsigned char colorSeparatorEnd[4] = {150, 150, 150, 80};
const unsigned char colorSeparatorMiddle[4] = {150, 150, 150, 120};
const unsigned char colorShadowStart[4] = {0, 0, 0, 65};
const unsigned char colorShadowCorner[4] = {0, 0, 0, 150};
const unsigned char colorShadowEnd[4] = {0, 0, 0, 100};

// Everything the tooltip passes change, saved in one push (Mesa does not
// always restore an outer group that changed under a separately pushed
// inner one).
const GLbitfield kTooltipAttribs = GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_LINE_BIT;

void Quad(const float* a, const float* b, const float* c, const float* d) {
  glBegin(GL_QUADS);
  glVertex3fv(a);
  glVertex3fv(b);
  glVertex3fv(c);
  glVertex3fv(d);
  glEnd();
}

}  // namespace

void CVrenkDoubleWheelMenu::RenderTooltips() {
  if (!m_bShowTooltip) return;
  switch (m_nTooltipStyle) {
    case 0:
      _RenderTooltipStyle0();
      break;
    case 1:
      _RenderTooltipStyle1();
      break;
    case 2:
      // The hover panel follows the hovered item on every frame.
      UpdateTooltipPanelSize();
      UpdateTooltipPanelPosition();
      _RenderTooltipStyle2();
      break;
    default:
      break;
  }
}

void CVrenkDoubleWheelMenu::_RenderTooltipStyle0() {
  const int n = GetOuterItemSize();
  if (n <= 0) return;
  const float fStep = DOUBLE_PI / static_cast<float>(n);
  float fStart = wheel::ReduceStartAngle(m_fOuterItemStartAngle);
  if (!std::isfinite(fStart)) fStart = 0.0f;
  glPushAttrib(GL_CURRENT_BIT);
  for (int i = 0; i < n; ++i) {
    CVrenkTextureText* text = _GetOuterItemTooltipObject(static_cast<unsigned int>(i));
    if (text == nullptr) continue;
    const float fAngle = static_cast<float>(
        std::fmod(static_cast<double>((static_cast<float>(i) + 0.5f) * fStep + fStart), static_cast<double>(DOUBLE_PI)));
    double x = std::cos(fAngle) * static_cast<double>(m_fRadius) * 1.01;
    double y = std::sin(fAngle) * static_cast<double>(m_fRadius) * 1.01;
    // Off the ring by the label's own size, so that the corner nearest the
    // wheel sits on the point and the label lies outside the circle.
    if (fAngle < HALF_PI) {
      y += text->GetLeftHeight();
    } else if (fAngle < PI) {
      x -= text->GetBottomWidth();
      y += text->GetLeftHeight();
    } else if (fAngle < THREE_HALF_PI) {
      x -= text->GetBottomWidth();
    }
    glColor4ubv(i == m_nOuterHoveredIndex ? colorWhite : colorLabel);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    text->Render();
    glPopMatrix();
  }
  glPopAttrib();
}

void CVrenkDoubleWheelMenu::RenderGreatTooltipPanel() {
  const float W = m_fTooltipPanelSize[0];
  const float H = m_fTooltipPanelSize[1];
  const float h = _GetSingleTooltipTextRowHeight();
  const float fInset = m_fTooltipPanelInset;
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LINE_BIT);
  // The panel is never textured, whatever the caller left enabled.
  glDisable(GL_TEXTURE_2D);

  // Near white at the top, light grey at the bottom.
  glBegin(GL_TRIANGLES);
  glColor4ubv(colorPanelBottom);
  glVertex3f(0.0f, -H, 0.0f);
  glVertex3f(W, -H, 0.0f);
  glColor4ubv(colorPanelTop);
  glVertex3f(W, 0.0f, 0.0f);
  glColor4ubv(colorPanelBottom);
  glVertex3f(0.0f, -H, 0.0f);
  glColor4ubv(colorPanelTop);
  glVertex3f(W, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glEnd();

  if (m_nTooltipStyle == 1) {
    // Outer items' rows first, then the inner items'.
    const int nOut = GetOuterItemSize();
    int r = -1;
    if (m_nInnerHoveredIndex >= 0 && m_nInnerHoveredIndex < GetInnerItemSize()) r = nOut + m_nInnerHoveredIndex;
    if (m_nOuterHoveredIndex >= 0 && m_nOuterHoveredIndex < nOut) r = m_nOuterHoveredIndex;
    if (r >= 0) {
      const float fTop = -fInset - h * static_cast<float>(r);
      const float fBottom = fTop - h;
      glColor4ubv(colorRowHighlight);
      glBegin(GL_TRIANGLES);
      glVertex3f(0.0f, fBottom, 0.0f);
      glVertex3f(W, fBottom, 0.0f);
      glVertex3f(W, fTop, 0.0f);
      glVertex3f(0.0f, fBottom, 0.0f);
      glVertex3f(W, fTop, 0.0f);
      glVertex3f(0.0f, fTop, 0.0f);
      glEnd();
    }
    const float y = -fInset - h * static_cast<float>(nOut);
    glBegin(GL_LINE_STRIP);
    glColor4ubv(colorSeparatorEnd);
    glVertex3f(0.0f, y, 0.0f);
    glColor4ubv(colorSeparatorMiddle);
    glVertex3f(W / 2.0f, y, 0.0f);
    glColor4ubv(colorSeparatorEnd);
    glVertex3f(W, y, 0.0f);
    glEnd();
  }

  // A shadow along the bottom and right edges.
  glLineWidth(2.0f);
  glBegin(GL_LINE_STRIP);
  glColor4ubv(colorShadowStart);
  glVertex3f(0.0f, -H, 0.0f);
  glColor4ubv(colorShadowCorner);
  glVertex3f(W, -H, 0.0f);
  glColor4ubv(colorShadowEnd);
  glVertex3f(W, 0.0f, 0.0f);
  glEnd();
  glLineWidth(1.0f);
  glPopAttrib();
}

void CVrenkDoubleWheelMenu::RenderRowIcon(ERing eRing, unsigned int nIndex, float h) {
  if (GetRingItemImage(eRing, nIndex) == nullptr) return;
  glBindTexture(GL_TEXTURE_2D, GetRingItemTextureName(eRing, nIndex));
  glColor4ubv(colorWhite);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(0.0f, -h, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(h, -h, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(h, 0.0f, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glEnd();
}

void CVrenkDoubleWheelMenu::_RenderTooltipStyle1() {
  const float h = _GetSingleTooltipTextRowHeight();
  glPushMatrix();
  glPushAttrib(kTooltipAttribs);
  glPushMatrix();
  glTranslated(m_dTooltipPanelPosition[0], m_dTooltipPanelPosition[1], m_dTooltipPanelPosition[2]);
  RenderGreatTooltipPanel();
  glPopMatrix();

  glTranslated(m_dTooltipTextOrigin[0], m_dTooltipTextOrigin[1], m_dTooltipTextOrigin[2]);
  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  // One row per item, outer items first; an item without a text keeps an
  // empty row, so that every row lines up with its highlight.
  for (const ERing eRing : {RING_OUTER, RING_INNER}) {
    const int n = eRing == RING_OUTER ? GetOuterItemSize() : GetInnerItemSize();
    const int nHovered = eRing == RING_OUTER ? m_nOuterHoveredIndex : m_nInnerHoveredIndex;
    for (int i = 0; i < n; ++i) {
      CVrenkTextureText* text = GetRingItemTooltipObject(eRing, static_cast<unsigned int>(i));
      if (text != nullptr) {
        RenderRowIcon(eRing, static_cast<unsigned int>(i), h);
        glColor4ubv(i == nHovered ? colorWhite : colorBlack);
        glPushMatrix();
        glTranslatef(h, 0.0f, 0.0f);
        text->Render();
        glPopMatrix();
      }
      glTranslatef(0.0f, -h, 0.0f);
    }
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glPopMatrix();
  glPopAttrib();
  glPopMatrix();
}

void CVrenkDoubleWheelMenu::_RenderTooltipStyle2() {
  const float h = _GetSingleTooltipTextRowHeight();
  glPushMatrix();
  glPushAttrib(kTooltipAttribs);
  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  // At most one of the rings has a hovered item.
  const ERing eRings[2] = {RING_OUTER, RING_INNER};
  for (const ERing eRing : eRings) {
    const int nHovered = eRing == RING_OUTER ? m_nOuterHoveredIndex : m_nInnerHoveredIndex;
    if (nHovered < 0) continue;
    glPushMatrix();
    glTranslated(m_dTooltipPanelPosition[0], m_dTooltipPanelPosition[1], m_dTooltipPanelPosition[2]);
    RenderGreatTooltipPanel();
    glPopMatrix();
    CVrenkTextureText* text = GetRingItemTooltipObject(eRing, static_cast<unsigned int>(nHovered));
    if (text == nullptr) continue;
    glTranslated(m_dTooltipTextOrigin[0], m_dTooltipTextOrigin[1], m_dTooltipTextOrigin[2]);
    RenderRowIcon(eRing, static_cast<unsigned int>(nHovered), h);
    glColor4ubv(colorBlack);
    glPushMatrix();
    glTranslatef(h, 0.0f, 0.0f);
    text->Render();
    glPopMatrix();
    glTranslatef(0.0f, -h, 0.0f);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glPopMatrix();
  glPopAttrib();
  glPopMatrix();
}

// --- Panels behind a single text -----------------------------------------------
//
// Drawn over the four corners of the item's laid-out text (bottom-left,
// bottom-right, top-right, top-left); nothing for an item without a text.

void CVrenkDoubleWheelMenu::RenderTooltipPanel(const SMenuItem* pItem, bool bHighlighted) {
  if (pItem == nullptr || pItem->pTooltip == nullptr) return;
  const CVrenkTextureText* text = pItem->pTooltip;
  const float* b0 = text->GetBound(CVrenkTextureText::QUAD_BOTTOM_LEFT);
  const float* b1 = text->GetBound(CVrenkTextureText::QUAD_BOTTOM_RIGHT);
  const float* b2 = text->GetBound(CVrenkTextureText::QUAD_TOP_RIGHT);
  const float* b3 = text->GetBound(CVrenkTextureText::QUAD_TOP_LEFT);
  const unsigned char c = bHighlighted ? 20 : 160;
  const float mid = (b3[1] + b0[1]) / 2.0f;
  const float m1[3] = {b1[0], mid, b1[2]};
  const float m0[3] = {b0[0], mid, b0[2]};
  glColor4ub(c, c, c, 200);
  Quad(b0, b1, m1, m0);
  glColor4ub(c, c, c, static_cast<unsigned char>(200 * 0.8f));
  Quad(m0, m1, b2, b3);
}

void CVrenkDoubleWheelMenu::RenderTooltipPanel2(const SMenuItem* pItem, bool bHighlighted) {
  if (pItem == nullptr || pItem->pTooltip == nullptr) return;
  const CVrenkTextureText* text = pItem->pTooltip;
  const float* b[4];
  for (int k = 0; k < 4; ++k) b[k] = text->GetBound(static_cast<CVrenkTextureText::EQuadPointIndex>(k));
  if (bHighlighted) {
    glColor4ub(20, 20, 20, 200);
  } else {
    glColor4ub(150, 200, 250, 100);
  }
  Quad(b[0], b[1], b[2], b[3]);
  // A white outline; the caller's line width comes back afterwards.
  glPushAttrib(GL_LINE_BIT);
  glLineWidth(3.0f);
  glColor4ubv(colorWhite);
  glBegin(GL_LINE_LOOP);
  for (int k = 0; k < 4; ++k) glVertex3fv(b[k]);
  glEnd();
  glPopAttrib();
}

void CVrenkDoubleWheelMenu::RenderTooltipPanel3(const SMenuItem* pItem, bool bHighlighted) {
  if (!bHighlighted || pItem == nullptr || pItem->pTooltip == nullptr) return;
  const CVrenkTextureText* text = pItem->pTooltip;
  const float* b0 = text->GetBound(CVrenkTextureText::QUAD_BOTTOM_LEFT);
  const float* b1 = text->GetBound(CVrenkTextureText::QUAD_BOTTOM_RIGHT);
  const float* b2 = text->GetBound(CVrenkTextureText::QUAD_TOP_RIGHT);
  const float* b3 = text->GetBound(CVrenkTextureText::QUAD_TOP_LEFT);
  glColor4ubv(colorRowHighlight);
  glBegin(GL_TRIANGLES);
  glVertex3fv(b0);
  glVertex3fv(b1);
  glVertex3fv(b2);
  glVertex3fv(b0);
  glVertex3fv(b2);
  glVertex3fv(b3);
  glEnd();
}

}  // namespace VrenkGLWidge

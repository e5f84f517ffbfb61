// VrenkDoubleWheelMenuTooltipRender.cpp - the double wheel's tooltips,
// emitted after the rings and icons: ring labels (style 0), the list panel
// (style 1) and the hover panel (style 2). Coordinates here are pixels
// relative to the menu centre, x to the right, y up (the list's transform
// adds the centre). Texts take the colour they are emitted in.
#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "menu/menu_drawing.h"
#include "menu/wheel_layout.h"
#include "menu/wheel_paint.h"
#include "text/text_draw.h"

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

// The four corners of a text's layout box, by EQuadPointIndex.
struct SBounds {
  const float* b[4];
  explicit SBounds(const CVrenkTextureText* text) {
    for (int k = 0; k < 4; ++k) b[k] = text->GetBound(static_cast<CVrenkTextureText::EQuadPointIndex>(k));
  }
};

// The 3-pixel outline of the single-text panels, keeping the smoothing.
constexpr render::SLineStyle kPanelOutline = {3.0f, false};

}  // namespace

// NOTE: the menu's own render pass performs this dispatch itself; the
// operation is kept for derived menus and is not called by the library.
void CVrenkDoubleWheelMenu::RenderTooltips() {
  if (!m_bShowTooltip) return;
  switch (m_nTooltipStyle) {
    case TOOLTIP_RING_LABELS:
      _RenderTooltipStyle0();
      break;
    case TOOLTIP_LIST_PANEL:
      _RenderTooltipStyle1();
      break;
    case TOOLTIP_HOVER_PANEL:
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
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, 0.0f, 0.0f, 1.0f);
  for (int i = 0; i < n; ++i) {
    const CVrenkTextureText* text = GetRingItemTooltipObject(RING_OUTER, static_cast<unsigned int>(i));
    if (text == nullptr) continue;
    const layout::SPoint p = layout::RingLabelOrigin(i, n, m_fOuterItemStartAngle, m_fRadius,
                                                     text->GetBottomWidth(), text->GetLeftHeight());
    render::STextEmitter::Emit(*list, *text, i == m_nOuterHoveredIndex ? colorWhite : colorLabel,
                               m_fCenter[0] + p.x, m_fCenter[1] + p.y);
  }
}

void CVrenkDoubleWheelMenu::RenderGreatTooltipPanel() {
  // The panel's top-left corner is at the panel position.
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager,
                                     static_cast<float>(m_fCenter[0] + m_dTooltipPanelPosition[0]),
                                     static_cast<float>(m_fCenter[1] + m_dTooltipPanelPosition[1]), 1.0f);
  const float W = m_fTooltipPanelSize[0];
  const float H = m_fTooltipPanelSize[1];
  const float h = _GetSingleTooltipTextRowHeight();

  // Near white at the top, light grey at the bottom.
  list->Begin(render::PRIM_TRIANGLES);
  list->Vertex(0.0f, -H, colorPanelBottom);
  list->Vertex(W, -H, colorPanelBottom);
  list->Vertex(W, 0.0f, colorPanelTop);
  list->Vertex(0.0f, -H, colorPanelBottom);
  list->Vertex(W, 0.0f, colorPanelTop);
  list->Vertex(0.0f, 0.0f, colorPanelTop);
  list->End();

  if (m_nTooltipStyle == TOOLTIP_LIST_PANEL) {
    const int nOut = GetOuterItemSize();
    const int r = layout::ListPanelRow(nOut, GetInnerItemSize(), m_nOuterHoveredIndex, m_nInnerHoveredIndex);
    if (r >= 0) {
      const layout::SBand band = layout::PanelRowBand(r, m_fTooltipPanelInset, h);
      paint::FlatRect(*list, 0.0f, band.fBottom, W, band.fTop, colorRowHighlight);
    }
    // Between the outer items' rows and the inner items'.
    const float y = layout::PanelRowBand(nOut, m_fTooltipPanelInset, h).fTop;
    list->Begin(render::PRIM_LINE_STRIP, 0, menu::ScaledLine(render::kHostLine, m_fAppliedScale));
    list->Vertex(0.0f, y, colorSeparatorEnd);
    list->Vertex(W / 2.0f, y, colorSeparatorMiddle);
    list->Vertex(W, y, colorSeparatorEnd);
    list->End();
  }

  // A shadow along the bottom and right edges.
  list->Begin(render::PRIM_LINE_STRIP, 0, menu::ScaledLine(render::kWideLine, m_fAppliedScale));
  list->Vertex(0.0f, -H, colorShadowStart);
  list->Vertex(W, -H, colorShadowCorner);
  list->Vertex(W, 0.0f, colorShadowEnd);
  list->End();
}

void CVrenkDoubleWheelMenu::EmitListPanelRows() {
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, 0.0f, 0.0f, 1.0f);  // rows placed in pixels
  const float h = _GetSingleTooltipTextRowHeight();
  const float x = static_cast<float>(m_fCenter[0] + m_dTooltipTextOrigin[0]);
  float y = static_cast<float>(m_fCenter[1] + m_dTooltipTextOrigin[1]);
  // One row per item, outer items first; an item without a text keeps an
  // empty row, so that every row lines up with its highlight.
  for (const ERing eRing : {RING_OUTER, RING_INNER}) {
    const int n = RingItemSize(eRing);
    const int nHovered = eRing == RING_OUTER ? m_nOuterHoveredIndex : m_nInnerHoveredIndex;
    for (int i = 0; i < n; ++i, y -= h) {
      const unsigned int u = static_cast<unsigned int>(i);
      EmitPanelRow(*list, eRing, u, x, y, i == nHovered ? colorWhite : colorBlack);
    }
  }
}

void CVrenkDoubleWheelMenu::EmitPanelRow(render::CDrawList& list, ERing eRing, unsigned int nIndex, float x,
                                         float y, const unsigned char* pTextColor) {
  const CVrenkTextureText* text = GetRingItemTooltipObject(eRing, nIndex);
  if (text == nullptr) return;
  const float h = _GetSingleTooltipTextRowHeight();
  if (GetRingItemImage(eRing, nIndex) != nullptr) {
    paint::RowIcon(list, x, y, h, GetRingItemTextureName(eRing, nIndex), colorWhite);
  }
  render::STextEmitter::Emit(list, *text, pTextColor, x + h, y);
}

void CVrenkDoubleWheelMenu::EmitHoverPanel() {
  // At most one of the rings has a hovered item.
  for (const ERing eRing : {RING_OUTER, RING_INNER}) {
    const int nHovered = eRing == RING_OUTER ? m_nOuterHoveredIndex : m_nInnerHoveredIndex;
    if (nHovered < 0) continue;
    RenderGreatTooltipPanel();
    menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, 0.0f, 0.0f, 1.0f);  // placed in pixels
    EmitPanelRow(*list, eRing, static_cast<unsigned int>(nHovered),
                 static_cast<float>(m_fCenter[0] + m_dTooltipTextOrigin[0]),
                 static_cast<float>(m_fCenter[1] + m_dTooltipTextOrigin[1]), colorBlack);
  }
}

void CVrenkDoubleWheelMenu::_RenderTooltipStyle1() {
  RenderGreatTooltipPanel();
  EmitListPanelRows();
}

void CVrenkDoubleWheelMenu::_RenderTooltipStyle2() { EmitHoverPanel(); }

// --- Panels behind a single text -----------------------------------------------
//
// NOTE: kept for derived menus; the library does not call them. Drawn over
// the four corners of the item's laid-out text (bottom-left, bottom-right,
// top-right, top-left) in pixels from the centre; nothing for an item
// without a text.

void CVrenkDoubleWheelMenu::RenderTooltipPanel(const SMenuItem* pItem, bool bHighlighted) {
  if (pItem == nullptr || pItem->pTooltip == nullptr) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], 1.0f);
  const SBounds bounds(pItem->pTooltip);
  const float *b0 = bounds.b[0], *b1 = bounds.b[1], *b2 = bounds.b[2], *b3 = bounds.b[3];
  const unsigned char c = bHighlighted ? 20 : 160;
  const float mid = (b3[1] + b0[1]) / 2.0f;
  const unsigned char lower[4] = {c, c, c, 200};
  const unsigned char upper[4] = {c, c, c, static_cast<unsigned char>(200 * 0.8f)};
  list->Begin(render::PRIM_QUADS);
  list->Vertex(b0[0], b0[1], lower);
  list->Vertex(b1[0], b1[1], lower);
  list->Vertex(b1[0], mid, lower);
  list->Vertex(b0[0], mid, lower);
  list->Vertex(b0[0], mid, upper);
  list->Vertex(b1[0], mid, upper);
  list->Vertex(b2[0], b2[1], upper);
  list->Vertex(b3[0], b3[1], upper);
  list->End();
}

void CVrenkDoubleWheelMenu::RenderTooltipPanel2(const SMenuItem* pItem, bool bHighlighted) {
  if (pItem == nullptr || pItem->pTooltip == nullptr) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], 1.0f);
  const SBounds bounds(pItem->pTooltip);
  const unsigned char dark[4] = {20, 20, 20, 200};
  const unsigned char light[4] = {150, 200, 250, 100};
  const unsigned char* fill = bHighlighted ? dark : light;
  list->Begin(render::PRIM_QUADS);
  for (const float* b : bounds.b) list->Vertex(b[0], b[1], fill);
  list->End();
  // A white outline.
  list->Begin(render::PRIM_LINE_LOOP, 0, menu::ScaledLine(kPanelOutline, m_fAppliedScale));
  for (const float* b : bounds.b) list->Vertex(b[0], b[1], colorWhite);
  list->End();
}

void CVrenkDoubleWheelMenu::RenderTooltipPanel3(const SMenuItem* pItem, bool bHighlighted) {
  if (!bHighlighted || pItem == nullptr || pItem->pTooltip == nullptr) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], 1.0f);
  const SBounds bounds(pItem->pTooltip);
  list->Begin(render::PRIM_TRIANGLES);
  for (const int k : {0, 1, 2, 0, 2, 3}) list->Vertex(bounds.b[k][0], bounds.b[k][1], colorRowHighlight);
  list->End();
}

}  // namespace VrenkGLWidge

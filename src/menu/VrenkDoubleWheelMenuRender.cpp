// VrenkDoubleWheelMenuRender.cpp - the double wheel's drawing passes: both
// rings, the rim outlines and separators, and the icons, emitted into the
// menu's draw list in wheel units (centre at the origin, one unit per
// radius). The tooltips are in VrenkDoubleWheelMenuTooltipRender.cpp. Items
// are read through the inner and outer readers, so that a derived class
// answers for its items.
#include <cmath>
#include <initializer_list>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "menu/menu_drawing.h"
#include "menu/wheel_layout.h"
#include "menu/wheel_paint.h"
#include "menu/wheel_shared.h"
#include "render/renderer.h"

namespace VrenkGLWidge {

namespace {

const unsigned int kRim = CVrenkDoubleWheelMenu::N_CIRCLE_VERTICES;

}  // namespace

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

paint::SRim CVrenkDoubleWheelMenu::RimOf(ERing eRing) const {
  return {eRing == RING_INNER ? m_pInnerCircleVertices : m_pOuterCircleVertices, m_pAuxIndices,
          m_pShadingRatio};
}

void CVrenkDoubleWheelMenu::GetRingItemLook(ERing eRing, int nIndex, layout::SItemLook* pLook) const {
  const bool bInner = eRing == RING_INNER;
  const unsigned int u = static_cast<unsigned int>(nIndex);
  const int nHovered = bInner ? m_nInnerHoveredIndex : m_nOuterHoveredIndex;
  const layout::SPalette palette = {bInner ? m_colorInnerItemLit : m_colorOuterItemLit,
                                    bInner ? m_colorInnerItem : m_colorOuterItem,
                                    m_colorHighlightLit,
                                    m_colorHighlight,
                                    m_colorToggledLit,
                                    m_colorToggled};
  const layout::SIconSizes sizes = {m_fImageHalfSize, m_fImageHalfSizeHovered, m_fImageHalfSizePressed};
  const layout::SItemState state = {IsRingItemEnabled(eRing, u), nHovered >= 0 && nHovered == nIndex,
                                    IsRingItemToggled(eRing, u)};
  *pLook = layout::ItemLook(state, m_bLBtnPressed, palette, sizes);
}

void CVrenkDoubleWheelMenu::AddDrawInputs(menu::CMenuDrawing& drawing) const {
  drawing.BeginInputs();
  drawing.AddBytes(m_fCenter, sizeof(m_fCenter));
  drawing.Add(m_fRadius);
  drawing.Add(m_fAppliedScale);
  drawing.Add(m_fInnerRadiusRatio);
  drawing.Add(m_fImageHalfSize);
  drawing.Add(m_fImageHalfSizeHovered);
  drawing.Add(m_fImageHalfSizePressed);
  drawing.Add(m_fInnerItemStartAngle);
  drawing.Add(m_fOuterItemStartAngle);
  drawing.Add(m_bAlwaysShowInnerDisk);
  drawing.Add(m_bLBtnPressed);
  drawing.Add(m_nInnerHoveredIndex);
  drawing.Add(m_nOuterHoveredIndex);
  drawing.AddBytes(m_pShadingRatio, kRim * sizeof(float));
  drawing.AddBytes(m_pInnerCircleVertices, kRim * 3 * sizeof(float));
  drawing.AddBytes(m_pOuterCircleVertices, kRim * 3 * sizeof(float));
  for (const unsigned char* c :
       {m_colorInnerItemCenter, m_colorInnerItemLit, m_colorInnerItem, m_colorOuterItemLit, m_colorOuterItem,
        m_colorHighlightLit, m_colorHighlight, m_colorToggledLit, m_colorToggled, m_colorEdgeEnd, m_colorEdge,
        m_colorRimFade, m_colorRimShadow}) {
    drawing.AddBytes(c, 4);
  }
  drawing.Add(m_bShowTooltip);
  drawing.Add(m_nTooltipStyle);
  if (m_bShowTooltip) {
    drawing.AddBytes(m_dTooltipPanelPosition, sizeof(m_dTooltipPanelPosition));
    drawing.AddBytes(m_fTooltipPanelSize, sizeof(m_fTooltipPanelSize));
    drawing.Add(m_fTooltipPanelInset);
    drawing.AddBytes(m_dTooltipTextOrigin, sizeof(m_dTooltipTextOrigin));
    drawing.Add(_GetSingleTooltipTextRowHeight());
  }
  for (const ERing eRing : {RING_INNER, RING_OUTER}) {
    const int n = RingItemSize(eRing);
    drawing.Add(n);
    const unsigned int* pStarts = eRing == RING_INNER ? m_pInnerItemIndices : m_pOuterItemIndices;
    const unsigned int nStarts = eRing == RING_INNER ? m_nInnerIndexCount : m_nOuterIndexCount;
    if (pStarts != nullptr) drawing.AddBytes(pStarts, nStarts * sizeof(unsigned int));
    for (int i = 0; i < n; ++i) {
      const unsigned int u = static_cast<unsigned int>(i);
      drawing.Add(IsRingItemEnabled(eRing, u));
      drawing.Add(IsRingItemToggled(eRing, u));
      drawing.Add(GetRingItemImage(eRing, u));
      drawing.Add(GetRingItemTextureName(eRing, u));
      if (!m_bShowTooltip) continue;
      const CVrenkTextureText* text = GetRingItemTooltipObject(eRing, u);
      drawing.Add(text);
      // A shared text may be laid out again by another holder.
      if (text != nullptr) {
        drawing.AddBytes(text->GetBound(CVrenkTextureText::QUAD_BOTTOM_LEFT), 3 * sizeof(float));
        drawing.AddBytes(text->GetBound(CVrenkTextureText::QUAD_TOP_RIGHT), 3 * sizeof(float));
      }
    }
  }
}

void CVrenkDoubleWheelMenu::RenderActually() {
  // Nothing to draw from before Init or after Release.
  if (!ReadyToDraw()) return;
  // The hover panel follows the hovered item on every frame.
  if (m_bShowTooltip && m_nTooltipStyle == TOOLTIP_HOVER_PANEL) {
    UpdateTooltipPanelSize();
    UpdateTooltipPanelPosition();
  }
  AddDrawInputs(*m_pDrawing);
  menu::RecordOrReplay(*m_pDrawing, m_pManager, [this] {
    RenderFlatDonut();
    RenderItemEdges();
    RenderItemImages();
    if (!m_bShowTooltip) return;
    if (m_nTooltipStyle == TOOLTIP_RING_LABELS) _RenderTooltipStyle0();
    if (m_nTooltipStyle == TOOLTIP_LIST_PANEL) _RenderTooltipStyle1();
    if (m_nTooltipStyle == TOOLTIP_HOVER_PANEL) _RenderTooltipStyle2();
  });
}

void CVrenkDoubleWheelMenu::RenderFlatDonut() {
  if (!ReadyToDraw()) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  const paint::SRim inner = RimOf(RING_INNER);
  const paint::SRim outer = RimOf(RING_OUTER);

  // The inner disc: one fan triangle per rim segment from the centre.
  const int nIn = GetInnerItemSize();
  if (nIn > 0) {
    std::vector<layout::SItemLook> looks(static_cast<size_t>(nIn));
    for (int i = 0; i < nIn; ++i) GetRingItemLook(RING_INNER, i, &looks[static_cast<size_t>(i)]);
    paint::Sectors(*list, inner, m_pInnerItemIndices, nIn, m_colorInnerItemCenter, looks.data());
  } else if (m_bAlwaysShowInnerDisk) {
    paint::Disc(*list, inner, m_colorInnerItemCenter, m_colorInnerItemLit, m_colorInnerItem);
  }

  // The outer ring: one flat-coloured quad between the rims per segment.
  const int nOut = GetOuterItemSize();
  if (nOut <= 0) return;
  unsigned char color[4];
  list->Begin(render::PRIM_TRIANGLES);
  for (int i = 0; i < nOut; ++i) {
    layout::SItemLook look;
    GetRingItemLook(RING_OUTER, i, &look);
    const layout::SSpan span = layout::SectorSpan(m_pOuterItemIndices, nOut, i);
    for (unsigned int s = 0; s < span.nCount; ++s) {
      const unsigned int k = (span.nFirst + s) % kRim;
      layout::Blend(color, look.pLit, look.pShadow, m_pShadingRatio[k]);
      const float* i0 = inner.At(k);
      const float* i1 = inner.At(k + 1);
      const float* o0 = outer.At(k);
      const float* o1 = outer.At(k + 1);
      list->Vertex(i0[0], i0[1], color);
      list->Vertex(o0[0], o0[1], color);
      list->Vertex(o1[0], o1[1], color);
      list->Vertex(o1[0], o1[1], color);
      list->Vertex(i1[0], i1[1], color);
      list->Vertex(i0[0], i0[1], color);
    }
  }
  list->End();
}

void CVrenkDoubleWheelMenu::RenderItemEdges() {
  if (!ReadyToDraw()) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  const paint::SRim inner = RimOf(RING_INNER);
  const paint::SRim outer = RimOf(RING_OUTER);

  // Both rim outlines, whatever the item counts: the inner one dark on the
  // lit side, the outer one dark on the side away from the light.
  paint::RimLoop(*list, inner, m_colorRimShadow, m_colorRimFade,
                 menu::ScaledLine(render::kWideSmoothLine, m_fAppliedScale));
  paint::RimLoop(*list, outer, m_colorRimFade, m_colorRimShadow,
                 menu::ScaledLine(render::kWideSmoothLine, m_fAppliedScale));

  // Separators with the context's own line width: from the centre to each
  // inner item's start on the inner rim, and across the ring at each outer
  // item's start; each in two segments that fade towards both ends, one
  // batch per ring.
  auto separator = [&](const float* a, const float* b) {
    const float mid[2] = {(a[0] + b[0]) * 0.5f, (a[1] + b[1]) * 0.5f};
    list->Vertex(a[0], a[1], m_colorEdgeEnd);
    list->Vertex(mid[0], mid[1], m_colorEdge);
    list->Vertex(mid[0], mid[1], m_colorEdge);
    list->Vertex(b[0], b[1], m_colorEdgeEnd);
  };
  static const float kCentre[3] = {0.0f, 0.0f, 0.0f};
  const int nIn = GetInnerItemSize();
  if (nIn >= 2) {
    list->Begin(render::PRIM_LINES, 0, menu::ScaledLine(render::kHostLine, m_fAppliedScale));
    for (int i = 0; i < nIn; ++i) separator(kCentre, inner.At(m_pInnerItemIndices[i]));
    list->End();
  }
  const int nOut = GetOuterItemSize();
  if (nOut >= 2) {
    list->Begin(render::PRIM_LINES, 0, menu::ScaledLine(render::kHostLine, m_fAppliedScale));
    for (int i = 0; i < nOut; ++i) {
      const unsigned int k = m_pOuterItemIndices[i];
      separator(inner.At(k), outer.At(k));
    }
    list->End();
  }
}

void CVrenkDoubleWheelMenu::RenderItemImages() {
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  std::vector<layout::SPoint> centres;
  for (const ERing eRing : {RING_INNER, RING_OUTER}) {
    const int n = RingItemSize(eRing);
    if (eRing == RING_INNER) {
      layout::IconCentres(n, m_fInnerItemStartAngle, layout::InnerIconRadius(n, m_fInnerRadiusRatio), false,
                          &centres);
    } else {
      // A single outer item's icon sits at the centre, as the single wheel's.
      layout::IconCentres(n, m_fOuterItemStartAngle, layout::OuterIconRadius(m_fInnerRadiusRatio), true,
                          &centres);
    }
    for (int i = 0; i < n; ++i) {
      const unsigned int u = static_cast<unsigned int>(i);
      if (GetRingItemImage(eRing, u) == nullptr) continue;
      layout::SItemLook look;
      GetRingItemLook(eRing, i, &look);
      const layout::SPoint& c = centres[u];
      paint::Icon(*list, static_cast<float>(c.x), static_cast<float>(c.y), look.fIconHalfSize,
                  GetRingItemTextureName(eRing, u), look.pIconTint);
    }
  }
}

}  // namespace VrenkGLWidge

// VrenkWheelMenuRender.cpp - the wheel's five drawing passes. Each emits
// into the menu's draw list in wheel units (centre at the origin, one unit
// per radius); the list's transform places them in overlay pixels. What an
// item looks like comes from the layout module; the manager's backend turns
// the list into GL.
#include <cmath>
#include <initializer_list>

#include "VrenkWheelMenu.h"
#include "menu/menu_drawing.h"
#include "menu/wheel_layout.h"
#include "menu/wheel_paint.h"
#include "menu/wheel_shared.h"
#include "render/renderer.h"

namespace VrenkGLWidge {

namespace {

const unsigned int kRim = CVrenkWheelMenu::N_CIRCLE_VERTICES;

}  // namespace

void CVrenkWheelMenu::GetItemLook(int nIndex, layout::SItemLook* pLook) const {
  const unsigned int u = static_cast<unsigned int>(nIndex);
  const layout::SPalette palette = {m_colorItemLit,   m_colorItem,       m_colorHighlightLit,
                                    m_colorHighlight, m_colorToggledLit, m_colorToggled};
  const layout::SIconSizes sizes = {m_fImageHalfSize, m_fImageHalfSizeHovered, m_fImageHalfSizePressed};
  const layout::SItemState state = {IsItemEnabled(u), IsItemHovered(u), IsItemToggled(u)};
  *pLook = layout::ItemLook(state, m_bLBtnPressed, palette, sizes);
}

void CVrenkWheelMenu::AddDrawInputs(menu::CMenuDrawing& drawing) const {
  drawing.BeginInputs();
  drawing.AddBytes(m_fCenter, sizeof(m_fCenter));
  drawing.Add(m_fRadius);
  drawing.Add(m_fAppliedScale);
  drawing.Add(m_fDiskRatio);
  drawing.Add(m_fImageHalfSize);
  drawing.Add(m_fImageHalfSizeHovered);
  drawing.Add(m_fImageHalfSizePressed);
  drawing.Add(m_fItemStartAngle);
  drawing.Add(m_bAlwaysShowDisk);
  drawing.Add(m_bLBtnPressed);
  drawing.AddBytes(m_pShadingRatio, kRim * sizeof(float));
  drawing.AddBytes(m_pCircleVertices, kRim * 3 * sizeof(float));
  for (const unsigned char* c :
       {m_colorItemCenter, m_colorItemLit, m_colorItem, m_colorHighlightLit, m_colorHighlight,
        m_colorToggledLit, m_colorToggled, m_colorEdgeEnd, m_colorEdge, m_colorRimLit, m_colorRimShadow}) {
    drawing.AddBytes(c, 4);
  }
  const int n = GetItemSize();
  drawing.Add(n);
  if (m_pItemIndices != nullptr) drawing.AddBytes(m_pItemIndices, m_nItemIndexCount * sizeof(unsigned int));
  for (int i = 0; i < n; ++i) {
    const unsigned int u = static_cast<unsigned int>(i);
    drawing.Add(IsItemEnabled(u));
    drawing.Add(IsItemHovered(u));
    drawing.Add(IsItemToggled(u));
    drawing.Add(GetItemImage(u));
    drawing.Add(GetItemTextureName(u));
  }
}

void CVrenkWheelMenu::RenderActually() {
  // Nothing to draw from before Init or after Release.
  if (!ReadyToDraw()) return;
  AddDrawInputs(*m_pDrawing);
  menu::RecordOrReplay(*m_pDrawing, m_pManager, [this] {
    RenderFlatDonut();
    RenderSideStripEdges();
    RenderItemEdges();
    RenderItemImages();
    RenderTooltip();
  });
}

void CVrenkWheelMenu::RenderFlatDonut() {
  if (!ReadyToDraw()) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  const paint::SRim rim = {m_pCircleVertices, m_pAuxIndices, m_pShadingRatio};
  const int n = GetItemSize();
  if (n <= 0) {
    if (m_bAlwaysShowDisk) paint::Disc(*list, rim, m_colorItemCenter, m_colorItemLit, m_colorItem);
    return;
  }
  std::vector<layout::SItemLook> looks(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) GetItemLook(i, &looks[static_cast<size_t>(i)]);
  paint::Sectors(*list, rim, m_pItemIndices, n, m_colorItemCenter, looks.data());
}

void CVrenkWheelMenu::RenderSideStripEdges() {
  if (!HasGeometry()) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  const paint::SRim rim = {m_pCircleVertices, m_pAuxIndices, m_pShadingRatio};
  paint::RimLoop(*list, rim, m_colorRimLit, m_colorRimShadow,
                 menu::ScaledLine(render::kWideSmoothLine, m_fAppliedScale));
}

void CVrenkWheelMenu::RenderItemEdges() {
  if (!ReadyToDraw()) return;
  const int n = GetItemSize();
  if (n < 2) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  const paint::SRim rim = {m_pCircleVertices, m_pAuxIndices, m_pShadingRatio};
  unsigned char color[4];

  auto isMarked = [this](int k) {
    layout::SItemLook look;
    GetItemLook(k, &look);
    return look.bMarked;
  };
  // The 2-pixel radial edge from the centre to a start vertex.
  auto radialEdge = [&](unsigned int nVertex) {
    layout::Blend(color, m_colorToggledLit, m_colorToggled, m_pShadingRatio[nVertex]);
    const float* v = rim.At(nVertex);
    list->Begin(render::PRIM_LINES, 0, menu::ScaledLine(render::kWideSmoothLine, m_fAppliedScale));
    list->Vertex(0.0f, 0.0f, m_colorToggledLit);
    list->Vertex(v[0], v[1], color);
    list->End();
  };

  for (int i = 0; i < n; ++i) {
    const unsigned int a = m_pItemIndices[i];
    const float* pStart = rim.At(a);

    // The separator, with the context's own line width.
    list->Begin(render::PRIM_LINE_STRIP, 0, menu::ScaledLine(render::kHostLine, m_fAppliedScale));
    list->Vertex(0.0f, 0.0f, m_colorEdgeEnd);
    list->Vertex(pStart[0] * 0.5f, pStart[1] * 0.5f, m_colorEdge);
    list->Vertex(pStart[0], pStart[1], m_colorEdgeEnd);
    list->End();

    if (isMarked(i)) {
      radialEdge(a);
      // The rim arc up to the next item's start vertex, both included.
      const layout::SSpan arc = layout::OutlineArc(m_pItemIndices, n, i);
      list->Begin(render::PRIM_LINE_STRIP, 0, menu::ScaledLine(render::kWideSmoothLine, m_fAppliedScale));
      for (unsigned int s = 0; s < arc.nCount; ++s) {
        const unsigned int k = (arc.nFirst + s) % kRim;
        layout::Blend(color, m_colorToggledLit, m_colorToggled, m_pShadingRatio[k]);
        const float* v = rim.At(k);
        list->Vertex(v[0], v[1], color);
      }
      list->End();
    }
    // Closes the previous item's outline on its far side.
    if (isMarked(i == 0 ? n - 1 : i - 1)) radialEdge(a);
  }
}

void CVrenkWheelMenu::RenderItemImages() {
  const int n = GetItemSize();
  if (n <= 0) return;
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  std::vector<layout::SPoint> centres;
  layout::IconCentres(n, m_fItemStartAngle, m_fDiskRatio * layout::kWheelIconRing, true, &centres);
  for (int i = 0; i < n; ++i) {
    const unsigned int u = static_cast<unsigned int>(i);
    if (GetItemImage(u) == nullptr) continue;
    layout::SItemLook look;
    GetItemLook(i, &look);
    const layout::SPoint& c = centres[u];
    paint::Icon(*list, static_cast<float>(c.x), static_cast<float>(c.y), look.fIconHalfSize,
                GetItemTextureName(u), look.pIconTint);
  }
}

void CVrenkWheelMenu::RenderTooltip() {
  // A fixed panel to the left of the wheel with a thin shadow under and to
  // the right of it; it holds no text.
  menu::CMenuDrawing::CPassList list(*m_pDrawing, m_pManager, m_fCenter[0], m_fCenter[1], m_fRadius);
  for (const layout::SPanelQuad& quad : layout::kWheelPanel) {
    list->Begin(render::PRIM_QUADS);
    list->Vertex(quad.fLeft, quad.fBottom, quad.color);
    list->Vertex(quad.fRight, quad.fBottom, quad.color);
    list->Vertex(quad.fRight, quad.fTop, quad.color);
    list->Vertex(quad.fLeft, quad.fTop, quad.color);
    list->End();
  }
}

}  // namespace VrenkGLWidge

// wheel_paint.cpp - emitting the wheels' shared geometry.
#include "menu/wheel_paint.h"

#include "menu/wheel_shared.h"

namespace VrenkGLWidge {
namespace paint {

using render::CDrawList;

void Sectors(CDrawList& list, const SRim& rim, const unsigned int* pStarts, int n, const unsigned char* pCentre,
             const layout::SItemLook* pLooks) {
  unsigned char color[4];
  list.Begin(render::PRIM_TRIANGLES);
  for (int i = 0; i < n; ++i) {
    const layout::SSpan span = layout::SectorSpan(pStarts, n, i);
    for (unsigned int s = 0; s < span.nCount; ++s) {
      const unsigned int k = (span.nFirst + s) % wheel::kRimVertices;
      layout::Blend(color, pLooks[i].pLit, pLooks[i].pShadow, rim.pShading[k]);
      list.Vertex(0.0f, 0.0f, pCentre);
      const float* a = rim.At(k);
      const float* b = rim.At(k + 1);
      list.Vertex(a[0], a[1], color);
      list.Vertex(b[0], b[1], color);
    }
  }
  list.End();
}

void Disc(CDrawList& list, const SRim& rim, const unsigned char* pCentre, const unsigned char* pLit,
          const unsigned char* pShadow) {
  unsigned char color[4];
  list.Begin(render::PRIM_TRIANGLE_FAN);
  list.Vertex(0.0f, 0.0f, pCentre);
  for (unsigned int k = 0; k <= wheel::kRimVertices; ++k) {
    layout::Blend(color, pLit, pShadow, rim.pShading[k % wheel::kRimVertices]);
    const float* v = rim.At(k);
    list.Vertex(v[0], v[1], color);
  }
  list.End();
}

void RimLoop(CDrawList& list, const SRim& rim, const unsigned char* pLit, const unsigned char* pShadow,
             render::SLineStyle line) {
  unsigned char color[4];
  list.Begin(render::PRIM_LINE_LOOP, 0, line);
  for (unsigned int k = 0; k < wheel::kRimVertices; ++k) {
    layout::Blend(color, pLit, pShadow, rim.pShading[k]);
    const float* v = rim.At(k);
    list.Vertex(v[0], v[1], color);
  }
  list.End();
}

void Icon(CDrawList& list, float x, float y, float h, unsigned int nTexture, const unsigned char* pTint) {
  list.Begin(render::PRIM_QUADS, nTexture);
  list.Vertex(x - h, y - h, 0.0f, 1.0f, pTint);
  list.Vertex(x + h, y - h, 1.0f, 1.0f, pTint);
  list.Vertex(x + h, y + h, 1.0f, 0.0f, pTint);
  list.Vertex(x - h, y + h, 0.0f, 0.0f, pTint);
  list.End();
}

void RowIcon(CDrawList& list, float x, float y, float h, unsigned int nTexture, const unsigned char* pTint) {
  list.Begin(render::PRIM_QUADS, nTexture);
  list.Vertex(x, y - h, 0.0f, 1.0f, pTint);
  list.Vertex(x + h, y - h, 1.0f, 1.0f, pTint);
  list.Vertex(x + h, y, 1.0f, 0.0f, pTint);
  list.Vertex(x, y, 0.0f, 0.0f, pTint);
  list.End();
}

void FlatRect(CDrawList& list, float x0, float y0, float x1, float y1, const unsigned char* pColor) {
  list.Begin(render::PRIM_TRIANGLES);
  list.Vertex(x0, y0, pColor);
  list.Vertex(x1, y0, pColor);
  list.Vertex(x1, y1, pColor);
  list.Vertex(x0, y0, pColor);
  list.Vertex(x1, y1, pColor);
  list.Vertex(x0, y1, pColor);
  list.End();
}

}  // namespace paint
}  // namespace VrenkGLWidge

// wheel_paint.h - the geometry both wheel menus emit into their draw
// lists: sector fans, discs, rim outlines and icons, in wheel units (the
// list's transform places them). Internal to the library.
#ifndef VRENK_MENU_WHEEL_PAINT_H
#define VRENK_MENU_WHEEL_PAINT_H

#include "menu/wheel_layout.h"
#include "render/draw_list.h"

namespace VrenkGLWidge {
namespace paint {

// A rim: its vertices (x y z, wheel units) addressed through the offset
// buffer, and the shading ratio of each vertex.
struct SRim {
  const float* pVertices;
  const unsigned int* pAux;  // offset of vertex k; entry 128 wraps to 0
  const float* pShading;
  const float* At(unsigned int k) const { return pVertices + pAux[k]; }
};

// The sectors of n items as one batch of triangles from the centre: one per
// rim segment, the centre in pCentre, both rim corners in the item's blend
// at the segment's first vertex.
void Sectors(render::CDrawList& list, const SRim& rim, const unsigned int* pStarts, int n,
             const unsigned char* pCentre, const layout::SItemLook* pLooks);
// A whole disc in one fan: the centre in pCentre, the rim in the blend of
// pLit and pShadow at each vertex.
void Disc(render::CDrawList& list, const SRim& rim, const unsigned char* pCentre, const unsigned char* pLit,
          const unsigned char* pShadow);
// The closed rim outline, each vertex in the blend of pLit and pShadow.
void RimLoop(render::CDrawList& list, const SRim& rim, const unsigned char* pLit, const unsigned char* pShadow,
             render::SLineStyle line);
// One icon: a textured square of half size h at (x, y), the texture's row 0
// at the top, tinted by pTint.
void Icon(render::CDrawList& list, float x, float y, float h, unsigned int nTexture, const unsigned char* pTint);
// One textured square below and right of (x, y), h on a side, texture row 0
// at the top: an icon at the start of a tooltip row.
void RowIcon(render::CDrawList& list, float x, float y, float h, unsigned int nTexture,
             const unsigned char* pTint);
// A flat quad from (x0, y0) to (x1, y1) as two triangles.
void FlatRect(render::CDrawList& list, float x0, float y0, float x1, float y1, const unsigned char* pColor);

}  // namespace paint
}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_WHEEL_PAINT_H
